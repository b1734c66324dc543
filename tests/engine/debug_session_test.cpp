// What the debug window shows and does: watched values of every kind and
// their errors, code run from outside the game, pausing and single steps,
// the speed reached and the messages kept.

#include <gtest/gtest.h>

#include "engine/debug_session.h"
#include "engine_fixture.h"

namespace kestrin::engine {
namespace {

using test::TestGame;

// A counter at (10, 20) whose step event counts the steps in global.steps.
struct CounterGame {
    CounterGame() {
        const int counter = t.AddObject("counter");
        t.AddCode(counter, kEventCreate, 0, "global.steps = 0;");
        t.AddCode(counter, kEventStep, 0, "global.steps += 1;");
        t.Place(t.AddRoom("level"), counter, 10, 20);
        world = t.Start();
    }
    TestGame t;
    std::unique_ptr<World> world;
};

TEST(DebugSession, WatchesShowEachKindOfValueAndTheirErrors) {
    CounterGame g;
    DebugSession session(*g.world);
    struct Case {
        const char* expression;
        const char* value;
    };
    const Case cases[] = {
        {"1 + 2", "3"},
        {"10 / 4", "2.50"},
        {"'a' + \"b\"", "\"ab\""},
        {"counter.y", "20"},
        {"global.steps", "0"},
        {"x", "error: No instance to take variable x from"},
        {"1 +", "error: "},
    };
    for (const Case& c : cases) ASSERT_TRUE(session.AddWatch(c.expression)) << c.expression;
    EXPECT_FALSE(session.AddWatch("  \t"));
    ASSERT_EQ(session.Watches().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(session.Watches()[i].value.rfind(cases[i].value, 0), 0u)
            << cases[i].expression << " gave " << session.Watches()[i].value;

    // Values follow the game; a watch goes with its row.
    g.world->Step();
    g.world->Step();
    session.Refresh();
    EXPECT_EQ(session.Watches()[4].value, "2");
    session.RemoveWatch(0);
    session.RemoveWatch(99);
    EXPECT_EQ(session.Watches().front().expression, "10 / 4");
    EXPECT_TRUE(g.t.shell.messages.empty()) << "a watch's error is not the game's";
}

TEST(DebugSession, CodeRunFromOutsideChangesTheGameAndKeepsItsErrorsToItself) {
    CounterGame g;
    DebugSession session(*g.world);
    std::string error;
    EXPECT_TRUE(session.Execute("global.steps = 40; with (counter) x = 99;", error)) << error;
    session.AddWatch("global.steps + counter.x");
    EXPECT_EQ(session.Watches()[0].value, "139");

    EXPECT_FALSE(session.Execute("global.steps = ;", error));
    EXPECT_EQ(error.rfind("line 1: ", 0), 0u) << error;
    EXPECT_FALSE(session.Execute("y = 1 / 0;", error));
    EXPECT_NE(error.find("line 1: "), std::string::npos) << error;
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
    EXPECT_FALSE(g.world->Ended());
}

TEST(DebugSession, APausedGameStepsOnlyWhenAStepIsAskedFor) {
    CounterGame g;
    DebugSession session(*g.world);
    session.AskForStep();  // running, the step asked for is the next one anyway
    EXPECT_TRUE(session.TakeStep());
    session.SetPaused(true);
    EXPECT_FALSE(session.TakeStep());
    session.AskForStep();
    session.AskForStep();
    EXPECT_TRUE(session.TakeStep());
    EXPECT_FALSE(session.TakeStep()) << "asking twice before a step is one step";
    session.SetPaused(false);
    EXPECT_TRUE(session.TakeStep());
    EXPECT_TRUE(session.TakeStep());
}

TEST(DebugSession, TheSpeedIsMeasuredOverTheLastSecond) {
    CounterGame g;
    DebugSession session(*g.world);
    EXPECT_EQ(session.Speed(), 30) << "the room's speed until there is something to measure";
    session.Sample(0);
    for (int i = 0; i < 12; ++i) g.world->Step();
    session.Sample(0.5);
    EXPECT_DOUBLE_EQ(session.Speed(), 24);
    for (int i = 0; i < 3; ++i) g.world->Step();
    session.Sample(1.6);  // the sample at 0 is too old now; the one at 0.5 covers the second
    EXPECT_DOUBLE_EQ(session.Speed(), 3 / 1.1);
    EXPECT_EQ(session.Status(), "Room: level   Instances: 1   Speed: 3 of 30   Step: 15");
}

TEST(DebugSession, TheLastThousandMessagesAreKeptAndReadFromWhereAReaderIs) {
    CounterGame g;
    DebugSession session(*g.world);
    EXPECT_TRUE(session.MessagesFrom(0).empty());
    for (int i = 0; i < 1005; ++i) session.AddMessage("m" + std::to_string(i));
    EXPECT_EQ(session.MessageCount(), 1005);
    const std::vector<std::string> kept = session.MessagesFrom(0);
    ASSERT_EQ(kept.size(), DebugSession::kKeptMessages);
    EXPECT_EQ(kept.front(), "m5");
    EXPECT_EQ(session.MessagesFrom(1003), (std::vector<std::string>{"m1003", "m1004"}));
    EXPECT_TRUE(session.MessagesFrom(1005).empty());
}

}  // namespace
}  // namespace kestrin::engine
