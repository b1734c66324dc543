// Sessions over TCP with POSIX sockets: the host's listener and joiners, a
// joiner's connection, finding sessions by datagram, and the thread that
// answers those looking.

#include "engine/multiplayer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "engine/multiplayer_wire.h"

namespace kestrin::engine {

namespace {

using Clock = std::chrono::steady_clock;

// How long a host may take to take the connection, in milliseconds.
constexpr int kConnectWait = 3000;

void SetNonBlocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

// A socket bound to the port on every address (0: one the system chooses).
int BoundSocket(int type, int port) {
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int PortOf(int fd) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (fd < 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return ntohs(address.sin_port);
}

int MillisecondsLeft(Clock::time_point until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, left));
}

// Reads what the socket has; false when the other side has gone.
bool ReadAvailable(int fd, std::string& in) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got > 0) {
            in.append(buffer, static_cast<std::size_t>(got));
            if (in.size() > 4 * kMaxFrame) return false;  // a peer that sends faster than frames are taken
            continue;
        }
        if (got == 0) return false;
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }
}

// Sends what the socket takes now; false when the other side has gone.
bool Flush(int fd, std::string& out) {
    while (!out.empty()) {
        const ssize_t sent = ::send(fd, out.data(), out.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            out.erase(0, static_cast<std::size_t>(sent));
            continue;
        }
        return sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    }
    return true;
}

}  // namespace

// Answers the datagrams of those looking for sessions of the game with the
// session's port, players and name, until it is destroyed.
class SessionAnswerer {
public:
    SessionAnswerer(int fd, std::int32_t gameId, int sessionPort, std::string name, int maxPlayers)
        : mFd(fd), mGameId(gameId), mSessionPort(sessionPort), mName(std::move(name)), mMaxPlayers(maxPlayers),
          mThread([this] { Run(); }) {}
    ~SessionAnswerer() {
        mStop = true;
        mThread.join();
        ::close(mFd);
    }
    void SetPlayers(int count) { mPlayers = count; }
    int Port() const { return PortOf(mFd); }

private:
    void Run() {
        while (!mStop) {
            pollfd waiting{mFd, POLLIN, 0};
            if (::poll(&waiting, 1, 100) <= 0) continue;
            char datagram[512];
            sockaddr_in from{};
            socklen_t size = sizeof from;
            const ssize_t got =
                ::recvfrom(mFd, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from), &size);
            if (got <= 0) continue;
            WireReader query(std::string_view(datagram, static_cast<std::size_t>(got)));
            std::int32_t gameId;
            if (query.Kind() != WireKind::Query || !query.Int(gameId) || gameId != mGameId) continue;
            const std::string answer = WireWriter(WireKind::Answer)
                                           .Int(mGameId)
                                           .Int(mSessionPort)
                                           .Int(mPlayers)
                                           .Int(mMaxPlayers)
                                           .Text(mName)
                                           .Body();
            ::sendto(mFd, answer.data(), answer.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&from), size);
        }
    }

    int mFd;
    std::int32_t mGameId;
    int mSessionPort;
    std::string mName;
    int mMaxPlayers;
    std::atomic<int> mPlayers{1};
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

Multiplayer::Multiplayer(std::int32_t gameId, int port) : mGameId(gameId), mPort(port) {}

Multiplayer::~Multiplayer() { End(); }

bool Multiplayer::InitTcpip(const std::string& address) {
    mLookAt = {};
    mLookAt.sin_family = AF_INET;
    mLookAt.sin_port = htons(static_cast<std::uint16_t>(mPort));
    if (address.empty()) {
        mLookAt.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    } else {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(address.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
        mLookAt.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
        ::freeaddrinfo(found);
    }
    mTcpip = true;
    return true;
}

void Multiplayer::End() {
    EndSession();
    mTcpip = false;
    mFound.clear();
}

std::string Multiplayer::IpAddress() {
    std::string result = "127.0.0.1";
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) != 0) return result;
    for (ifaddrs* i = interfaces; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || (i->ifa_flags & IFF_LOOPBACK)) continue;
        char text[INET_ADDRSTRLEN];
        if (::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr, text, sizeof text)) {
            result = text;
            break;
        }
    }
    ::freeifaddrs(interfaces);
    return result;
}

bool Multiplayer::CreateSession(const std::string& name, int maxPlayers, const std::string& playerName) {
    EndSession();
    if (!mTcpip) return false;
    mListener = BoundSocket(SOCK_STREAM, mPort);
    if (mListener < 0 || ::listen(mListener, 16) != 0) {
        EndSession();
        return false;
    }
    SetNonBlocking(mListener);
    const int finding = BoundSocket(SOCK_DGRAM, mPort);
    if (finding < 0) {
        EndSession();
        return false;
    }
    mAnswerer = std::make_unique<SessionAnswerer>(finding, mGameId, PortOf(mListener), name, std::max(0, maxPlayers));
    mSessionName = name;
    mMaxPlayers = std::max(0, maxPlayers);
    mOwnId = 1;
    mNextId = 2;
    mPlayers = {{mOwnId, playerName}};
    mStatus = kCreated;
    return true;
}

int Multiplayer::FindingPort() const { return mAnswerer ? mAnswerer->Port() : 0; }

int Multiplayer::SessionPort() const { return PortOf(mListener); }

int Multiplayer::FindSessions() {
    mFound.clear();
    if (!mTcpip) return 0;
    const int fd = BoundSocket(SOCK_DGRAM, 0);
    if (fd < 0) return 0;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    const std::string query = WireWriter(WireKind::Query).Int(mGameId).Body();
    const bool everywhere = mLookAt.sin_addr.s_addr == htonl(INADDR_BROADCAST);
    if (::sendto(fd, query.data(), query.size(), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&mLookAt),
                 sizeof mLookAt) < 0) {
        ::close(fd);
        return 0;
    }
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(mFindWait);
    // An address has one host to answer; the whole network may have several.
    while (everywhere || mFound.empty()) {
        pollfd waiting{fd, POLLIN, 0};
        if (::poll(&waiting, 1, MillisecondsLeft(until)) <= 0) break;
        char datagram[512];
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t got = ::recvfrom(fd, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from), &size);
        if (got <= 0) continue;
        WireReader answer(std::string_view(datagram, static_cast<std::size_t>(got)));
        std::int32_t gameId, port, players, most;
        Found found{from, {}};
        if (answer.Kind() != WireKind::Answer || !answer.Int(gameId) || gameId != mGameId || !answer.Int(port) ||
            !answer.Int(players) || !answer.Int(most) || !answer.Text(found.name) || port <= 0 || port > 65535)
            continue;
        found.address.sin_port = htons(static_cast<std::uint16_t>(port));
        const bool known = std::any_of(mFound.begin(), mFound.end(), [&](const Found& f) {
            return f.address.sin_addr.s_addr == found.address.sin_addr.s_addr &&
                   f.address.sin_port == found.address.sin_port;
        });
        if (!known) mFound.push_back(std::move(found));
    }
    ::close(fd);
    return static_cast<int>(mFound.size());
}

std::string Multiplayer::SessionName(int found) const {
    return found >= 0 && found < static_cast<int>(mFound.size()) ? mFound[static_cast<std::size_t>(found)].name
                                                                 : std::string();
}

bool Multiplayer::JoinSession(int found, const std::string& playerName) {
    EndSession();
    if (found < 0 || found >= static_cast<int>(mFound.size())) return false;
    const Found& session = mFound[static_cast<std::size_t>(found)];
    mHost.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (mHost.fd < 0) return false;
    SetNonBlocking(mHost.fd);
    if (::connect(mHost.fd, reinterpret_cast<const sockaddr*>(&session.address), sizeof session.address) != 0) {
        pollfd waiting{mHost.fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        if (errno != EINPROGRESS || ::poll(&waiting, 1, kConnectWait) <= 0 ||
            ::getsockopt(mHost.fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            ClosePeer(mHost);
            return false;
        }
    }
    mSessionName = session.name;
    mStatus = kJoined;
    Queue(mHost, WireWriter(WireKind::Hello).Int(mGameId).Text(playerName).Frame());
    // The host lets the player in (or refuses) on its next step.
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(mJoinWait);
    while (mStatus == kJoined && mOwnId == 0) {
        pollfd waiting{mHost.fd, POLLIN, 0};
        if (::poll(&waiting, 1, MillisecondsLeft(until)) <= 0) break;
        JoinerPump();
    }
    return mStatus == kJoined;
}

void Multiplayer::EndSession() {
    mAnswerer.reset();
    for (Peer& peer : mPeers) ClosePeer(peer);
    mPeers.clear();
    if (mListener >= 0) ::close(mListener);
    mListener = -1;
    ClosePeer(mHost);
    mStatus = kNoSession;
    mOwnId = 0;
    mPlayers.clear();
    mData.clear();
    mSessionName.clear();
}

Multiplayer::Status Multiplayer::SessionStatus() {
    Pump();
    return mStatus;
}

int Multiplayer::PlayerCount() {
    Pump();
    return static_cast<int>(mPlayers.size());
}

std::string Multiplayer::PlayerName(int player) {
    Pump();
    return player >= 0 && player < static_cast<int>(mPlayers.size()) ? mPlayers[static_cast<std::size_t>(player)].name
                                                                      : std::string();
}

int Multiplayer::PlayerId(int player) {
    Pump();
    return player >= 0 && player < static_cast<int>(mPlayers.size()) ? mPlayers[static_cast<std::size_t>(player)].id
                                                                      : 0;
}

void Multiplayer::SetData(int index, const Value& value) {
    if (index < 0 || index >= kDataCount) return;
    if (mData.empty()) mData.resize(kDataCount);
    mData[static_cast<std::size_t>(index)] = value;
}

void Multiplayer::WriteData(int index, const Value& value) {
    Pump();
    if (index < 0 || index >= kDataCount) return;
    SetData(index, value);
    const std::string frame = WireWriter(WireKind::Data).Int(index).Val(value).Frame();
    if (mStatus == kCreated) ToAllBut(mOwnId, frame);
    if (mStatus == kJoined) Queue(mHost, frame);
}

Value Multiplayer::ReadData(int index) {
    Pump();
    if (index < 0 || index >= kDataCount || mData.empty()) return 0.0;
    return mData[static_cast<std::size_t>(index)];
}

int Multiplayer::PlayerIdOf(const Value& player) const {
    if (!player.IsString()) {
        const double id = player.Real();
        return id >= 0 && id < 2e9 ? static_cast<int>(id) : -1;
    }
    for (const Player& p : mPlayers)
        if (p.name == player.Text()) return p.id;
    return -1;
}

std::string Multiplayer::NameOf(int id) const {
    for (const Player& p : mPlayers)
        if (p.id == id) return p.name;
    return {};
}

bool Multiplayer::Send(const Value& player, int id, const Value& value) {
    Pump();
    const int to = PlayerIdOf(player);
    // Before the welcome a joiner has no id yet, and 0 is everyone.
    if (to < 0 || (to != 0 && to == mOwnId)) return false;
    if (mStatus == kJoined) {
        if (to != 0 && NameOf(to).empty()) return false;
        Queue(mHost, WireWriter(WireKind::Message).Int(to).Int(id).Val(value).Frame());
        return true;
    }
    if (mStatus != kCreated) return false;
    const std::string frame = WireWriter(WireKind::Message).Int(mOwnId).Int(id).Val(value).Frame();
    if (to == 0) {
        ToAllBut(mOwnId, frame);
        return true;
    }
    for (Peer& peer : mPeers)
        if (peer.id == to) {
            Queue(peer, frame);
            return true;
        }
    return false;
}

bool Multiplayer::Receive(const Value& player) {
    Pump();
    const int from = PlayerIdOf(player);
    for (auto i = mInbox.begin(); i != mInbox.end(); ++i)
        if (from == 0 || i->from == from) {
            mCurrent = std::move(*i);
            mInbox.erase(i);
            return true;
        }
    return false;
}

int Multiplayer::MessageCount(const Value& player) {
    Pump();
    const int from = PlayerIdOf(player);
    return static_cast<int>(
        std::count_if(mInbox.begin(), mInbox.end(), [from](const Received& r) { return from == 0 || r.from == from; }));
}

void Multiplayer::ClearMessages(const Value& player) {
    Pump();
    const int from = PlayerIdOf(player);
    std::erase_if(mInbox, [from](const Received& r) { return from == 0 || r.from == from; });
}

void Multiplayer::Arrived(int from, int id, const Value& value) { mInbox.push_back({from, NameOf(from), id, value}); }

void Multiplayer::Queue(Peer& peer, const std::string& frame) {
    if (peer.fd < 0) return;
    peer.out += frame;
    Flush(peer.fd, peer.out);
}

void Multiplayer::ToAllBut(int id, const std::string& frame) {
    for (Peer& peer : mPeers)
        if (peer.id != 0 && peer.id != id) Queue(peer, frame);
}

void Multiplayer::ClosePeer(Peer& peer) {
    if (peer.fd >= 0) ::close(peer.fd);
    peer = Peer{};
}

void Multiplayer::Pump() {
    if (mStatus == kCreated) HostPump();
    if (mStatus == kJoined) JoinerPump();
}

void Multiplayer::HostPump() {
    for (int fd; (fd = ::accept4(mListener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;)
        mPeers.push_back(Peer{fd, {}, {}, 0, {}});
    // Joiners may come and go while the list is walked; by index, and the gone swept after.
    for (std::size_t i = 0; i < mPeers.size(); ++i) {
        bool drop = !ReadAvailable(mPeers[i].fd, mPeers[i].in);
        std::vector<std::string> bodies;
        if (!TakeFrames(mPeers[i].in, bodies)) drop = true;
        for (const std::string& body : bodies) {
            if (drop) break;
            FromJoiner(mPeers[i], body, drop);
        }
        if (!Flush(mPeers[i].fd, mPeers[i].out)) drop = true;
        if (!drop) continue;
        const int gone = mPeers[i].id;
        ClosePeer(mPeers[i]);
        if (gone == 0) continue;
        std::erase_if(mPlayers, [gone](const Player& p) { return p.id == gone; });
        ToAllBut(mOwnId, WireWriter(WireKind::PlayerLeft).Int(gone).Frame());
    }
    std::erase_if(mPeers, [](const Peer& peer) { return peer.fd < 0; });
    if (mAnswerer) mAnswerer->SetPlayers(static_cast<int>(mPlayers.size()));
}

void Multiplayer::FromJoiner(Peer& peer, const std::string& body, bool& drop) {
    WireReader reader(body);
    if (reader.Kind() == WireKind::Hello && peer.id == 0) {
        std::int32_t gameId;
        std::string name;
        if (!reader.Int(gameId) || !reader.Text(name)) {
            drop = true;
            return;
        }
        const char* refusal = gameId != mGameId ? "The session is of another game."
                              : mMaxPlayers > 0 && static_cast<int>(mPlayers.size()) >= mMaxPlayers
                                  ? "The session is full."
                                  : nullptr;
        if (refusal) {
            peer.out += WireWriter(WireKind::Refused).Text(refusal).Frame();
            Flush(peer.fd, peer.out);
            drop = true;
            return;
        }
        peer.id = mNextId++;
        peer.name = name;
        ToAllBut(peer.id, WireWriter(WireKind::PlayerJoined).Int(peer.id).Text(name).Frame());
        mPlayers.push_back({peer.id, name});
        WireWriter welcome(WireKind::Welcome);
        welcome.Int(peer.id).Text(mSessionName).Int(static_cast<std::int32_t>(mPlayers.size()));
        for (const Player& p : mPlayers) welcome.Int(p.id).Text(p.name);
        std::vector<int> set;
        for (std::size_t i = 0; i < mData.size(); ++i)
            if (!(mData[i] == Value(0.0))) set.push_back(static_cast<int>(i));
        welcome.Int(static_cast<std::int32_t>(set.size()));
        for (int index : set) welcome.Int(index).Val(mData[static_cast<std::size_t>(index)]);
        Queue(peer, welcome.Frame());
        return;
    }
    if (peer.id == 0) {  // nothing but a hello before the welcome
        drop = true;
        return;
    }
    std::int32_t first, id;
    Value value;
    if (reader.Kind() == WireKind::Data && reader.Int(first) && reader.Val(value)) {
        SetData(first, value);
        ToAllBut(peer.id, WireWriter(WireKind::Data).Int(first).Val(value).Frame());
    } else if (reader.Kind() == WireKind::Message && reader.Int(first) && reader.Int(id) && reader.Val(value)) {
        const std::string frame = WireWriter(WireKind::Message).Int(peer.id).Int(id).Val(value).Frame();
        if (first == 0 || first == mOwnId) Arrived(peer.id, id, value);
        for (Peer& other : mPeers)
            if (other.id != 0 && other.id != peer.id && (first == 0 || first == other.id)) Queue(other, frame);
    } else {
        drop = true;
    }
}

void Multiplayer::JoinerPump() {
    bool lost = !ReadAvailable(mHost.fd, mHost.in);
    std::vector<std::string> bodies;
    if (!TakeFrames(mHost.in, bodies)) lost = true;
    for (const std::string& body : bodies) {
        FromHost(body);
        if (mStatus != kJoined) return;
    }
    if (lost || !Flush(mHost.fd, mHost.out)) SessionLost();
}

void Multiplayer::FromHost(const std::string& body) {
    WireReader reader(body);
    std::int32_t first, second, count;
    std::string text;
    Value value;
    switch (reader.Kind()) {
        case WireKind::Welcome: {
            if (!reader.Int(first) || !reader.Text(mSessionName) || !reader.Int(count)) break;
            std::vector<Player> players;
            for (std::int32_t i = 0; i < count && reader.Int(second) && reader.Text(text); ++i)
                players.push_back({second, text});
            mPlayers = std::move(players);
            if (reader.Int(count))
                for (std::int32_t i = 0; i < count && reader.Int(second) && reader.Val(value); ++i)
                    SetData(second, value);
            mOwnId = first;
            return;
        }
        case WireKind::Refused: SessionLost(); return;
        case WireKind::PlayerJoined:
            if (reader.Int(first) && reader.Text(text)) mPlayers.push_back({first, text});
            return;
        case WireKind::PlayerLeft:
            if (reader.Int(first)) std::erase_if(mPlayers, [first](const Player& p) { return p.id == first; });
            return;
        case WireKind::Data:
            if (reader.Int(first) && reader.Val(value)) SetData(first, value);
            return;
        case WireKind::Message:
            if (reader.Int(first) && reader.Int(second) && reader.Val(value)) Arrived(first, second, value);
            return;
        default: break;
    }
}

void Multiplayer::SessionLost() {
    // What has arrived stays to be read; the session and its players go.
    ClosePeer(mHost);
    mStatus = kNoSession;
    mOwnId = 0;
    mPlayers.clear();
}

}  // namespace kestrin::engine
