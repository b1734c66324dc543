#pragma once
// Playing over the network. A game creates a session that players of the
// same game find (on the local network, or at an address) and join; the
// players share 10,000 values of data and send each other messages. The host
// is the hub: joiners talk only to it, and it passes on what is meant for
// the others. Everything goes over TCP, so every message arrives, in order;
// when the host leaves, the session ends for everyone. The host answers
// those looking for sessions from a thread of its own, so they find it
// whatever its game is doing. Only finding sessions and joining one wait
// for the network; everything else takes what has arrived and goes on.
//
// IPX, modems and serial cables do not exist here: only TCP/IP connects.

#include <cstdint>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <vector>

#include "engine/value.h"

namespace kestrin::engine {

class SessionAnswerer;

class Multiplayer {
public:
    // Sessions are hosted on this TCP port and found on this UDP port.
    static constexpr int kDefaultPort = 47010;
    static constexpr int kDataCount = 10000;
    enum Status { kNoSession = 0, kCreated = 1, kJoined = 2 };

    // Only sessions of the same game are found and joined. Port 0 (for
    // tests) hosts on ports the system chooses.
    explicit Multiplayer(std::int32_t gameId, int port = kDefaultPort);
    ~Multiplayer();
    Multiplayer(const Multiplayer&) = delete;
    Multiplayer& operator=(const Multiplayer&) = delete;

    // The address sessions are looked for at; empty looks on the whole
    // local network. False when the address cannot be resolved.
    bool InitTcpip(const std::string& address);
    // 2 once TCP/IP is chosen, else 0.
    int ConnectStatus() const { return mTcpip ? 2 : 0; }
    // Leaves the session and the connection.
    void End();
    // This machine's address on the network, or the loopback address.
    static std::string IpAddress();

    // Hosting: at most maxPlayers (0 for any number), this one included.
    bool CreateSession(const std::string& name, int maxPlayers, const std::string& playerName);
    // Looks for sessions and keeps what it found; how many.
    int FindSessions();
    std::string SessionName(int found) const;
    bool JoinSession(int found, const std::string& playerName);
    Status SessionStatus();
    void EndSession();

    // The players of the session, this one included, in the order they came.
    int PlayerCount();
    std::string PlayerName(int player);
    int PlayerId(int player);

    // Shared data; indexes outside 0 .. kDataCount - 1 are ignored and read 0.
    void WriteData(int index, const Value& value);
    Value ReadData(int index);

    // Messages. A player is named by its id or its name; 0 is every other
    // player when sending and anyone when receiving.
    bool Send(const Value& player, int id, const Value& value);
    // Takes the first message from the player; false when there is none.
    bool Receive(const Value& player);
    int MessageCount(const Value& player);
    void ClearMessages(const Value& player);
    // The message last taken.
    int MessageId() const { return mCurrent.id; }
    const Value& MessageValue() const { return mCurrent.value; }
    int MessagePlayer() const { return mCurrent.from; }
    const std::string& MessageName() const { return mCurrent.name; }

    // Takes in what has arrived and lets joiners in. Every function above
    // does this first; the world does it every step.
    void Pump();

    // Where those looking for the session ask, and where it is joined (for
    // tests with port 0).
    int FindingPort() const;
    int SessionPort() const;
    // How long joining waits for the host's welcome, and finding for answers.
    void SetWaits(int joinMilliseconds, int findMilliseconds) {
        mJoinWait = joinMilliseconds;
        mFindWait = findMilliseconds;
    }

private:
    struct Peer {
        int fd = -1;
        std::string in, out;
        int id = 0;  // 0 until welcomed
        std::string name;
    };
    struct Player {
        int id;
        std::string name;
    };
    struct Received {
        int from = 0;
        std::string name;
        int id = 0;
        Value value;
    };
    struct Found {
        sockaddr_in address;
        std::string name;
    };

    void HostPump();
    void JoinerPump();
    void FromJoiner(Peer& peer, const std::string& body, bool& drop);
    void FromHost(const std::string& body);
    void Queue(Peer& peer, const std::string& frame);
    void ToAllBut(int id, const std::string& frame);
    void SessionLost();
    void Arrived(int from, int id, const Value& value);
    int PlayerIdOf(const Value& player) const;
    std::string NameOf(int id) const;
    void SetData(int index, const Value& value);
    void ClosePeer(Peer& peer);

    std::int32_t mGameId;
    int mPort;
    bool mTcpip = false;
    sockaddr_in mLookAt{};
    Status mStatus = kNoSession;
    int mJoinWait = 3000, mFindWait = 1000;

    std::string mSessionName;
    int mMaxPlayers = 0;
    int mListener = -1;
    std::vector<Peer> mPeers;  // the host's joiners
    int mNextId = 2;
    std::unique_ptr<SessionAnswerer> mAnswerer;

    Peer mHost;  // a joiner's connection to its host
    int mOwnId = 0;
    std::vector<Player> mPlayers;
    std::vector<Found> mFound;
    std::vector<Value> mData;
    std::vector<Received> mInbox;  // in order of arrival
    Received mCurrent;
};

}  // namespace kestrin::engine
