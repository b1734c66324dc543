// Headless play: the input script, key names, the summary and a whole run
// driven by scripted keys.

#include <gtest/gtest.h>

#include <sstream>

#include "engine/headless.h"
#include "engine_fixture.h"
#include "resources/event_types.h"

namespace kestrin::engine {
namespace {

TEST(HeadlessInput, KeyNamesAreTheEventNamesWithOrWithoutDecoration) {
    const struct {
        const char* name;
        int code;
    } cases[] = {{"<Left>", 37}, {"left", 37}, {"A-key", 'A'}, {"a", 'A'}, {"<Space>", 32}, {"Keypad 5", 101},
                 {"F1", 112},    {"<Page Up>", 33}, {"9", '9'}, {"<Escape>", 27}, {"nothing", -1}, {"", -1}};
    for (auto c : cases) EXPECT_EQ(KeyFromName(c.name), c.code) << c.name;
}

TEST(HeadlessInput, LinesBecomeEventsInStepOrder) {
    std::vector<InputEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript("# comment\n5 up <Left>\n\n2 down <Left>\n3 click 10 -4\r\n", events, error)) << error;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].step, 2);
    EXPECT_EQ(events[0].kind, InputEvent::Kind::Down);
    EXPECT_EQ(events[0].key, 37);
    EXPECT_EQ(events[1].kind, InputEvent::Kind::Click);
    EXPECT_EQ(events[1].x, 10);
    EXPECT_EQ(events[1].y, -4);
    EXPECT_EQ(events[2].kind, InputEvent::Kind::Up);

    const struct {
        const char* text;
        const char* error;
    } bad[] = {{"x down A", "line 1: the step must be a number from 1"},
               {"1 down A\n0 up A", "line 2: the step must be a number from 1"},
               {"1 press A", "line 1: expected down, up or click"},
               {"1 down Hyper", "line 1: unknown key \"Hyper\""},
               {"1 click 3", "line 1: a click needs X and Y"}};
    for (auto c : bad) {
        events.clear();
        EXPECT_FALSE(ParseInputScript(c.text, events, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(HeadlessPlay, RunsTheStepsAndEndsWithTheSummary) {
    test::TestGame t;
    const int o = t.AddObject("walker \"1\"");
    const int room = t.AddRoom("start");
    t.Place(room, o, 3, 4);
    HeadlessOptions options;
    options.steps = 7;
    std::ostringstream out;
    EXPECT_EQ(PlayHeadless(t.game, {}, options, out), 0);
    const std::int32_t id = t.Room(room).Instances()[0].Id;
    EXPECT_EQ(out.str(), "{\"steps\":7,\"room\":\"start\",\"score\":0,\"lives\":-1,\"health\":100,\"instances\":[{"
                         "\"object\":\"walker \\\"1\\\"\",\"id\":" +
                             std::to_string(id) + ",\"x\":3,\"y\":4}]}\n");
}

TEST(HeadlessPlay, EscEndsTheGameWhenTheOptionsSaySo) {
    for (bool quitKey : {true, false}) {
        test::TestGame t;
        t.game.Options.QuitKey = quitKey;
        t.AddRoom("start");
        HeadlessOptions options;
        options.steps = 10;
        options.input = {{3, InputEvent::Kind::Down, 27}};
        std::ostringstream out;
        EXPECT_EQ(PlayHeadless(t.game, {}, options, out), 0);
        EXPECT_NE(out.str().find(quitKey ? "\"steps\":2," : "\"steps\":10,"), std::string::npos) << out.str();
    }
}

TEST(HeadlessPlay, AGameWithoutARoomFails) {
    test::TestGame t;
    std::ostringstream out;
    EXPECT_EQ(PlayHeadless(t.game, {}, HeadlessOptions{}, out), 1);
}

}  // namespace
}  // namespace kestrin::engine
