// Playing over the network, on this machine's loopback: the messages' bytes,
// finding and joining a session, shared data, messages to one player, to
// all and passed on by the host, a full session, another game's session,
// players leaving, the host leaving, and bytes that are not messages. The
// same through the game's own functions.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <thread>

#include "engine/game_shell.h"
#include "engine/multiplayer.h"
#include "engine/multiplayer_wire.h"
#include "engine_fixture.h"

namespace kestrin::engine {
namespace {

constexpr std::int32_t kGame = 4711;

TEST(MultiplayerWire, FieldsComeBackAsWrittenAndBrokenBytesAreRefused) {
    const std::string frame =
        WireWriter(WireKind::Message).Int(-5).Real(2.5).Text(std::string("h\0i", 3)).Val(Value("text")).Val(Value(-0.25)).Frame();
    std::string buffer = frame + frame.substr(0, 7);  // one frame and the start of another
    std::vector<std::string> bodies;
    ASSERT_TRUE(TakeFrames(buffer, bodies));
    ASSERT_EQ(bodies.size(), 1u);
    EXPECT_EQ(buffer, frame.substr(0, 7)) << "the partial frame waits for the rest";
    WireReader reader(bodies[0]);
    std::int32_t whole;
    double real;
    std::string text;
    Value text_value, real_value;
    EXPECT_EQ(reader.Kind(), WireKind::Message);
    ASSERT_TRUE(reader.Int(whole) && reader.Real(real) && reader.Text(text) && reader.Val(text_value) &&
                reader.Val(real_value));
    EXPECT_EQ(whole, -5);
    EXPECT_EQ(real, 2.5);
    EXPECT_EQ(text, std::string("h\0i", 3));
    EXPECT_EQ(text_value, Value("text"));
    EXPECT_EQ(real_value, Value(-0.25));
    EXPECT_FALSE(reader.Int(whole)) << "past the end";

    struct Case {
        const char* name;
        std::string body;
        bool asValue;  // else as a text
    };
    const Case broken[] = {
        {"empty", "", false},
        {"a text longer than the body", std::string("\x06\x10\0\0\0ab", 7), false},
        {"a negative length", std::string("\x06\xFF\xFF\xFF\xFF", 5), false},
        {"a value of an unknown tag", std::string("\x06\x07", 2), true},
        {"a real cut short", std::string("\x06\x00\x01\x02", 4), true},
    };
    for (const Case& c : broken) {
        WireReader bad(c.body);
        Value value;
        EXPECT_FALSE(c.asValue ? bad.Val(value) : bad.Text(text)) << c.name;
    }
    std::string huge("\xFF\xFF\xFF\x7F", 4);
    EXPECT_FALSE(TakeFrames(huge, bodies)) << "a frame larger than any message";
}

// Pumps every side until the condition holds; false after two seconds.
bool Settle(std::initializer_list<Multiplayer*> sides, const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < until) {
        for (Multiplayer* side : sides) side->Pump();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// A host on ports of the system's choosing, and players that look for it on
// the loopback address; joining does not wait for the welcome, since the
// host answers only when the test pumps it.
struct Session {
    Session() {
        EXPECT_TRUE(host.InitTcpip("127.0.0.1"));
        EXPECT_TRUE(host.CreateSession("Arena", 3, "Ann"));
    }
    std::unique_ptr<Multiplayer> Player(std::int32_t game = kGame) {
        auto player = std::make_unique<Multiplayer>(game, host.FindingPort());
        player->SetWaits(0, 1000);
        EXPECT_TRUE(player->InitTcpip("127.0.0.1"));
        return player;
    }
    // A player that found the session and was welcomed.
    std::unique_ptr<Multiplayer> Joined(const std::string& name, std::initializer_list<Multiplayer*> others) {
        auto player = Player();
        EXPECT_EQ(player->FindSessions(), 1);
        EXPECT_EQ(player->SessionName(0), "Arena");
        EXPECT_TRUE(player->JoinSession(0, name));
        std::vector<Multiplayer*> all{&host, player.get()};
        all.insert(all.end(), others);
        const std::size_t expected = all.size();
        Multiplayer* joined = player.get();
        EXPECT_TRUE(Settle({&host, joined}, [&] {
            for (Multiplayer* side : others) side->Pump();
            for (Multiplayer* side : all)
                if (side->PlayerCount() != static_cast<int>(expected)) return false;
            return true;
        })) << name;
        return player;
    }
    Multiplayer host{kGame, 0};
};

TEST(Multiplayer, PlayersJoinShareDataAndSendMessagesToOneOrAll) {
    Session s;
    EXPECT_EQ(s.host.SessionStatus(), Multiplayer::kCreated);
    s.host.WriteData(7, Value("before"));
    auto bob = s.Joined("Bob", {});
    EXPECT_EQ(bob->SessionStatus(), Multiplayer::kJoined);
    EXPECT_EQ(bob->ReadData(7), Value("before")) << "data written before joining comes with the welcome";
    EXPECT_EQ(bob->PlayerName(0), "Ann");
    EXPECT_EQ(bob->PlayerId(0), 1);
    EXPECT_EQ(bob->PlayerName(1), "Bob");
    EXPECT_EQ(s.host.PlayerName(1), "Bob");
    auto cy = s.Joined("Cy", {bob.get()});
    const int bobId = s.host.PlayerId(1), cyId = s.host.PlayerId(2);

    s.host.WriteData(5, 3.5);
    bob->WriteData(6, Value("six"));
    bob->WriteData(Multiplayer::kDataCount, 1.0);  // outside: ignored
    ASSERT_TRUE(Settle({&s.host, bob.get(), cy.get()},
                       [&] { return cy->ReadData(5) == Value(3.5) && cy->ReadData(6) == Value("six"); }));
    EXPECT_EQ(s.host.ReadData(6), Value("six"));
    EXPECT_EQ(bob->ReadData(5), Value(3.5));
    EXPECT_EQ(s.host.ReadData(-1), Value(0.0));

    // To all, by name through the host, and by id.
    EXPECT_TRUE(bob->Send(0.0, 9, Value("hi all")));
    EXPECT_TRUE(bob->Send(Value("Cy"), 10, 1.0));
    EXPECT_TRUE(s.host.Send(static_cast<double>(bobId), 11, 2.0));
    EXPECT_FALSE(s.host.Send(Value("Nobody"), 12, 0.0));
    EXPECT_FALSE(bob->Send(static_cast<double>(bobId), 12, 0.0)) << "not to oneself";
    ASSERT_TRUE(Settle({&s.host, bob.get(), cy.get()}, [&] {
        return s.host.MessageCount(0.0) == 1 && cy->MessageCount(0.0) == 2 && bob->MessageCount(0.0) == 1;
    }));
    ASSERT_TRUE(s.host.Receive(0.0));
    EXPECT_EQ(s.host.MessageId(), 9);
    EXPECT_EQ(s.host.MessageValue(), Value("hi all"));
    EXPECT_EQ(s.host.MessagePlayer(), bobId);
    EXPECT_EQ(s.host.MessageName(), "Bob");
    EXPECT_EQ(cy->MessageCount(Value("Bob")), 2);
    EXPECT_EQ(cy->MessageCount(1.0), 0);
    ASSERT_TRUE(cy->Receive(static_cast<double>(bobId)));
    EXPECT_EQ(cy->MessageId(), 9);
    ASSERT_TRUE(cy->Receive(Value("Bob")));
    EXPECT_EQ(cy->MessageId(), 10);
    EXPECT_FALSE(cy->Receive(0.0));
    ASSERT_TRUE(bob->Receive(1.0));
    EXPECT_EQ(bob->MessageName(), "Ann");
    EXPECT_EQ(bob->MessageValue(), Value(2.0));
    EXPECT_EQ(cyId, 3);
}

TEST(Multiplayer, AFullSessionAndAnotherGamesSessionAreNotJoined) {
    Session s;
    auto bob = s.Joined("Bob", {});
    auto cy = s.Joined("Cy", {bob.get()});
    auto dee = s.Player();
    ASSERT_EQ(dee->FindSessions(), 1);
    EXPECT_TRUE(dee->JoinSession(0, "Dee")) << "the host has not answered yet";
    EXPECT_TRUE(dee->Send(0.0, 1, 1.0)) << "to everyone, before the welcome";
    EXPECT_TRUE(Settle({&s.host, dee.get()}, [&] { return dee->SessionStatus() == Multiplayer::kNoSession; }))
        << "the host refuses a fourth player of three";
    EXPECT_EQ(s.host.PlayerCount(), 3);
    EXPECT_EQ(s.host.MessageCount(0.0), 0) << "nothing is taken from a player refused";

    auto other = s.Player(kGame + 1);
    other->SetWaits(0, 200);
    EXPECT_EQ(other->FindSessions(), 0) << "sessions of another game are not found";
    EXPECT_FALSE(other->JoinSession(0, "Eve"));
}

TEST(Multiplayer, PlayersLeavingAndTheHostLeavingAreSeenByTheOthers) {
    Session s;
    auto bob = s.Joined("Bob", {});
    auto cy = s.Joined("Cy", {bob.get()});
    cy->EndSession();
    EXPECT_EQ(cy->SessionStatus(), Multiplayer::kNoSession);
    ASSERT_TRUE(Settle({&s.host, bob.get()}, [&] { return s.host.PlayerCount() == 2 && bob->PlayerCount() == 2; }));
    EXPECT_EQ(bob->PlayerName(1), "Bob");

    s.host.Send(0.0, 1, Value("bye"));
    s.host.EndSession();
    ASSERT_TRUE(Settle({bob.get()}, [&] { return bob->SessionStatus() == Multiplayer::kNoSession; }));
    EXPECT_EQ(bob->PlayerCount(), 0);
    ASSERT_TRUE(bob->Receive(0.0)) << "what arrived before the end stays to be read";
    EXPECT_EQ(bob->MessageValue(), Value("bye"));
}

TEST(Multiplayer, BytesThatAreNotMessagesCostOnlyTheirSender) {
    Session s;
    auto bob = s.Joined("Bob", {});
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (const std::string& junk : {std::string("\xFF\xFF\xFF\xFFjunk", 8), std::string("\x03\0\0\0\x06\x01\x02", 7),
                                   WireWriter(WireKind::Data).Int(1).Val(1.0).Frame()}) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        address.sin_port = htons(static_cast<std::uint16_t>(s.host.SessionPort()));
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::send(fd, junk.data(), junk.size(), 0), static_cast<ssize_t>(junk.size()));
        char byte;
        // The host hangs up on the sender.
        EXPECT_TRUE(Settle({&s.host}, [&] { return ::recv(fd, &byte, 1, MSG_DONTWAIT) == 0; }));
        ::close(fd);
    }
    EXPECT_EQ(s.host.PlayerCount(), 2);
    EXPECT_EQ(s.host.ReadData(1), Value(0.0)) << "data from one who never said hello is not taken";
    bob->Send(1.0, 3, 4.0);
    EXPECT_TRUE(Settle({&s.host, bob.get()}, [&] { return s.host.MessageCount(0.0) == 1; }));
}

TEST(Multiplayer, TheGamesFunctionsPlayASession) {
    test::TestGame host, joiner;
    for (test::TestGame* t : {&host, &joiner}) t->Place(t->AddRoom("arena"), t->AddObject("thing"), 0, 0);
    auto hostWorld = host.Start();
    auto& hostNet = host.shell.System().multiplayer;
    hostNet = std::make_unique<Multiplayer>(host.game.GameId, 0);
    auto run = [](World& world, const std::string& code) { return test::Eval(world, nullptr, code); };
    EXPECT_EQ(run(*hostWorld, "mplay_init_ipx() + mplay_init_modem('', '') + mplay_connect_status()"), Value(0.0));
    EXPECT_EQ(run(*hostWorld, "mplay_init_tcpip('127.0.0.1') + mplay_session_create('Arena', 0, 'Ann')"), Value(2.0));
    EXPECT_EQ(run(*hostWorld, "mplay_connect_status() * 10 + mplay_session_status()"), Value(21.0));

    joiner.game.GameId = host.game.GameId;
    auto joinerWorld = joiner.Start();
    joiner.shell.System().multiplayer = std::make_unique<Multiplayer>(host.game.GameId, hostNet->FindingPort());
    joiner.shell.System().multiplayer->SetWaits(0, 1000);
    EXPECT_EQ(run(*joinerWorld, "mplay_init_tcpip('127.0.0.1') + mplay_session_find()"), Value(2.0));
    EXPECT_EQ(run(*joinerWorld, "mplay_session_name(0)"), Value("Arena"));
    EXPECT_EQ(run(*joinerWorld, "mplay_session_join(0, 'Bob') + mplay_data_write(3, 'three')"), Value(1.0));
    // Steps let players in and bring what they sent.
    auto stepUntil = [&](const std::function<bool()>& arrived) {
        for (int step = 0; step < 200; ++step) {
            hostWorld->Step();
            joinerWorld->Step();
            if (arrived()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    };
    ASSERT_TRUE(stepUntil([&] {
        return run(*hostWorld, "mplay_data_read(3)") == Value("three") &&
               run(*joinerWorld, "mplay_player_find()") == Value(2.0);
    }));
    EXPECT_EQ(run(*joinerWorld, "mplay_player_name(0) + mplay_session_name(0)"), Value("AnnArena"));
    run(*joinerWorld, "mplay_message_send_guaranteed('Ann', 5, 'ping')");
    ASSERT_TRUE(stepUntil([&] { return run(*hostWorld, "mplay_message_count(0)") == Value(1.0); }));
    EXPECT_EQ(run(*hostWorld, "mplay_message_receive(0)"), Value(1.0));
    EXPECT_EQ(run(*hostWorld, "mplay_message_name() + mplay_message_value() + string(mplay_message_id())"),
              Value("Bobping5"));
    run(*hostWorld, "mplay_end()");
    EXPECT_EQ(run(*hostWorld, "mplay_connect_status() + mplay_session_status()"), Value(0.0));
    EXPECT_TRUE(host.shell.messages.empty()) << host.shell.messages.front();
    EXPECT_TRUE(joiner.shell.messages.empty()) << joiner.shell.messages.front();
}

}  // namespace
}  // namespace kestrin::engine
