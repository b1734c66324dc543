// The functions and variables that ask the game's window reach the shell's
// screen (fixed values without one), the key map turns one key into another,
// and show_video refuses a file that is not there.

#include <gtest/gtest.h>

#include <fstream>

#include "engine_fixture.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// A window at (10, 20) whose drawing area starts 4 pixels in and 24 down.
class RecordingScreen : public FixedScreen {
public:
    ScreenRect Window() const override { return {10, 20, 328, 268}; }
    ScreenRect Client() const override { return {14, 44, 320, 240}; }
    double Handle() const override { return 77; }
    void SetMouseScreenPosition(int x, int y) override { calls.push_back("mouse " + Pair(x, y)); }
    void SetCursor(int cursor) override { calls.push_back("cursor " + std::to_string(cursor)); }
    void HandleEvents() override { calls.push_back("events"); }
    void WaitForKey() override { calls.push_back("wait key"); }
    void WaitForMouseButton() override { calls.push_back("wait button"); }
    bool PlayVideo(const std::string& file, bool fullScreen, bool loop) override {
        calls.push_back("video " + file + " " + Pair(fullScreen, loop));
        return playable;
    }
    static std::string Pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

    std::vector<std::string> calls;
    bool playable = true;
};

class ScreenShell : public test::RecordingShell {
public:
    GameScreen& Screen() override { return screen; }
    RecordingScreen screen;
};

struct WindowGame {
    WindowGame() {
        const int room = t.AddRoom("room", 320, 240);
        t.Place(room, t.AddObject("thing"), 0, 0);
        world = std::make_unique<World>(t.game, shell, std::vector<std::string>{}, 1);
        world->Start();
    }
    double Real(const std::string& expression) { return Eval(*world, self(), expression).Real(); }
    Instance* self() { return world->Instances().at(0).get(); }

    TestGame t;
    ScreenShell shell;
    std::unique_ptr<World> world;
};

TEST(WindowFunctions, VariablesAndFunctionsAskTheShellsScreen) {
    WindowGame g;
    const std::pair<const char*, double> values[] = {
        {"window_left", 10},         {"window_top", 20},          {"window_width", 328},
        {"window_height", 268},      {"window_client_left", 14},  {"window_client_top", 44},
        {"window_client_width", 320}, {"window_client_height", 240}, {"window_handle()", 77},
    };
    for (auto [expression, value] : values) EXPECT_EQ(g.Real(expression), value) << expression;

    g.world->Script().RunCode(
        "mouse_set_screen_position(5, 6); set_cursor(cr_handpoint); set_cursor(cr_default); io_handle();"
        "keyboard_wait(); mouse_wait();",
        g.self(), "test");
    EXPECT_TRUE(g.shell.messages.empty()) << g.shell.messages.front();
    EXPECT_EQ(g.shell.screen.calls, (std::vector<std::string>{"mouse 5,6", "cursor -21", "cursor 0", "events",
                                                              "wait key", "wait button"}));

    // The window is the player's to move, not the code's.
    g.world->Script().RunCode("window_width = 10;", g.self(), "test");
    ASSERT_EQ(g.shell.messages.size(), 1u);
    EXPECT_NE(g.shell.messages[0].find("read-only"), std::string::npos) << g.shell.messages[0];
}

TEST(WindowFunctions, HeadlessPlayAnswersAFixedWindow) {
    TestGame t;
    t.Place(t.AddRoom("room", 320, 240), t.AddObject("thing"), 0, 0);
    auto world = t.Start();
    Instance* self = world->Instances().at(0).get();
    EXPECT_EQ(Eval(*world, self, "window_client_width").Real(), 640);
    EXPECT_EQ(Eval(*world, self, "window_height").Real(), 480);
    EXPECT_EQ(Eval(*world, self, "window_handle()").Real(), 0);
    // Nothing to wait for: the step goes on.
    world->Script().RunCode("keyboard_wait(); mouse_wait(); x = 5;", self, "test");
    EXPECT_EQ(self->x, 5);
}

TEST(WindowFunctions, TheKeyMapTurnsOneKeyIntoAnotherUntilItIsUnset) {
    WindowGame g;
    InputState& input = g.world->Input();
    g.world->Script().RunCode("keyboard_set_map(vk_left, ord('A'));", g.self(), "test");
    EXPECT_EQ(g.Real("keyboard_get_map(vk_left)"), 'A');
    EXPECT_EQ(g.Real("keyboard_get_map(vk_right)"), 39);
    input.KeyDown(37);
    input.BeginStep();
    EXPECT_TRUE(input.Held('A'));
    EXPECT_TRUE(input.Pressed('A'));
    EXPECT_FALSE(input.Held(37));
    input.KeyUp(37);
    EXPECT_FALSE(input.Held('A'));

    g.world->Script().RunCode("keyboard_unset_map();", g.self(), "test");
    EXPECT_EQ(g.Real("keyboard_get_map(vk_left)"), 37);
    input.KeyDown(37);
    EXPECT_TRUE(input.Held(37));
    EXPECT_FALSE(input.Held('A'));
    // Keys out of range map nowhere and change nothing.
    g.world->Script().RunCode("keyboard_set_map(-1, 300); keyboard_set_map(65, 999);", g.self(), "test");
    EXPECT_EQ(g.Real("keyboard_get_map(65)"), 65);
    EXPECT_TRUE(g.shell.messages.empty()) << g.shell.messages.front();
}

TEST(WindowFunctions, ShowVideoPlaysAnExistingFileAndReportsOneThatIsMissingOrUnplayable) {
    kestrin::test::TempDir dir;
    const std::string film = dir.File("intro.avi");
    std::ofstream(film) << "frames";
    WindowGame g;
    g.world->Script().RunCode("show_video('" + film + "', true, false);", g.self(), "test");
    EXPECT_TRUE(g.shell.messages.empty()) << g.shell.messages.front();
    EXPECT_EQ(g.shell.screen.calls, std::vector<std::string>{"video " + film + " 1,0"});

    g.shell.screen.calls.clear();
    g.world->Script().RunCode("show_video('" + dir.File("missing.avi") + "', false, false);", g.self(), "test");
    EXPECT_TRUE(g.shell.screen.calls.empty());
    g.shell.screen.playable = false;
    g.world->Script().RunCode("show_video('" + film + "', false, true);", g.self(), "test");
    ASSERT_EQ(g.shell.messages.size(), 2u);
    EXPECT_NE(g.shell.messages[0].find("Video file not found: " + dir.File("missing.avi")), std::string::npos)
        << g.shell.messages[0];
    EXPECT_NE(g.shell.messages[1].find("Cannot play the video " + film), std::string::npos) << g.shell.messages[1];
}

}  // namespace
}  // namespace kestrin::engine
