// The system around the game as game code sees it: its command line (also
// in headless play), the environment, other programs, the clipboard, debug
// messages, and the settings store.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "engine/headless.h"
#include "engine/settings_store.h"
#include "function_game.h"
#include "resources/event_types.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

TEST(SystemFunctions, TheCommandLineAndTheEnvironment) {
    test::FunctionGame g;
    g.shell->SetCommandLine({"/games/maze", "--level", "3"});
    ::setenv("KESTRIN_GAME_TEST_VALUE", "blue sky", 1);
    test::ExpectOutcomes(g, {
        {"parameter_count()", "2"},
        {"parameter_string(0)", "'/games/maze'"},
        {"parameter_string(2)", "'3'"},
        {"parameter_string(3)", "''"},
        {"parameter_string(-1)", "''"},
        {"parameter_string(power(10, 300))", "''"},
        {"environment_get_variable('KESTRIN_GAME_TEST_VALUE')", "'blue sky'"},
        {"environment_get_variable('KESTRIN_GAME_TEST_UNSET')", "''"},
    });
    g.shell->SetCommandLine({});
    EXPECT_EQ(g.Outcome("parameter_count()"), "0");
}

TEST(SystemFunctions, HeadlessPlayGivesTheGameItsCommandLine) {
    test::TestGame t;
    const int room = t.AddRoom("room");
    const int thing = t.AddObject("thing");
    t.AddCode(thing, kEventCreate, 0, "show_message(string(parameter_count()) + ' ' + parameter_string(1));");
    t.Place(room, thing, 0, 0);
    HeadlessOptions options;
    options.steps = 1;
    options.commandLine = {"runner", "maze.ksd", "--headless"};
    std::ostringstream out;
    EXPECT_EQ(PlayHeadless(t.game, {}, options, out), 0);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "2 maze.ksd");
}

TEST(SystemFunctions, ProgramsStartWithTheirArgumentsAndWaitWhenAsked) {
    kestrin::test::TempDir dir;
    test::FunctionGame g;
    // Double quotes keep a name with spaces one argument.
    g.Run("execute_program('touch', '\"" + dir.File("made by touch") + "\" " + dir.File("second") + "', true);");
    EXPECT_TRUE(std::filesystem::exists(dir.File("made by touch")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("second")));

    // Without waiting the program runs on its own.
    const std::string touched = dir.File("touched");
    g.Run("execute_shell('touch', '" + touched + "');");
    for (int i = 0; i < 100 && !std::filesystem::exists(touched); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(std::filesystem::exists(touched));

    test::ExpectOutcomes(g, {
        {"execute_program('no-such-program-here', '', true)",
         "error: Cannot start the program no-such-program-here."},
        {"execute_program('" + dir.Path() + "', '', false)", "error: Cannot start the program " + dir.Path() + "."},
        {"execute_program('', '', false)", "error: Cannot start the program ."},
    });
}

TEST(SystemFunctions, ClipboardDebugMessagesAndWhatThereIsNothingToDo) {
    test::FunctionGame g;
    g.Run("clipboard_set_text('');");
    EXPECT_EQ(g.Outcome("clipboard_has_text()"), "0");
    g.Run("clipboard_set_text('copied ' + string(12));");
    test::ExpectOutcomes(g, {
        {"clipboard_has_text()", "1"},
        {"clipboard_get_text()", "'copied 12'"},
        {"set_program_priority(3)", "0"},
        {"discard_all()", "0"},
    });
    testing::internal::CaptureStderr();
    g.Run("show_debug_message('x = ' + string(4));");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "x = 4\n");
}

class FullStore : public SettingsStore {
public:
    bool Read(const std::string&, SettingValue&) const override { return false; }
    bool Write(const std::string&, const SettingValue&) override { return false; }
};

class StoreShell : public test::RecordingShell {
public:
    SettingsStore& Settings() override { return store; }
    MemorySettings store;
};

TEST(SystemFunctions, TheSettingsStoreKeepsStringsAndRealsUnderKeys) {
    StoreShell shell;
    test::FunctionGame g(shell);
    g.t.game.GameId = 4242;
    g.Run("registry_write_string('name', 'Ada'); registry_write_real('best', 1500.5);"
          "registry_write_string_ext('Software\\\\Maze', 'level', 'ice'); registry_set_root(1);"
          "registry_write_real_ext('/Software//Maze/', 'level', 7);");
    SettingValue value;
    ASSERT_TRUE(shell.store.Read("user/games/4242/name", value));
    EXPECT_EQ(value.text, "Ada");
    ASSERT_TRUE(shell.store.Read("user/Software/Maze/level", value));
    EXPECT_EQ(value.text, "ice");
    ASSERT_TRUE(shell.store.Read("machine/Software/Maze/level", value));
    EXPECT_EQ(value.real, 7);
    test::ExpectOutcomes(g, {
        {"registry_read_string('name')", "'Ada'"},
        {"registry_read_real('best')", "1500.5"},
        {"registry_read_real('name')", "0"},        // a string is no real
        {"registry_read_string('best')", "''"},
        {"registry_exists('best')", "1"},
        {"registry_exists('worst')", "0"},
        {"registry_read_real_ext('Software/Maze', 'level')", "7"},  // the machine root
        {"registry_exists_ext('Software/Maze', 'other')", "0"},
        {"registry_set_root(0) + registry_exists_ext('Software/Maze', 'level')", "1"},
        {"registry_read_string_ext('Software/Maze', 'level')", "'ice'"},
        {"registry_set_root(4)", "error: Unknown settings root 4 (0 to 3)."},
        {"registry_write_real('', 1)", "error: A setting needs a name."},
        {"registry_write_real(string_repeat('k', 2000), 1)", "error: The setting name is too long."},
    });
}

TEST(SystemFunctions, AFullSettingsStoreRefusesNewValues) {
    FullStore full;
    struct FullShell : test::RecordingShell {
        explicit FullShell(SettingsStore& s) : store(s) {}
        SettingsStore& Settings() override { return store; }
        SettingsStore& store;
    } shell(full);
    test::FunctionGame g(shell);
    EXPECT_EQ(g.Outcome("registry_write_real('a', 1)"),
              "error: Cannot keep the setting user/games/" + std::to_string(g.t.game.GameId) +
                  "/a: the settings store refused it.");

    MemorySettings memory;
    for (std::size_t i = 0; i < SettingsStore::kMaxValues; ++i)
        ASSERT_TRUE(memory.Write("k" + std::to_string(i), {false, {}, 1.0}));
    EXPECT_FALSE(memory.Write("one more", {false, {}, 1.0}));
    EXPECT_TRUE(memory.Write("k0", {true, "changed", 0}));  // an existing value may still change
}

}  // namespace
}  // namespace kestrin::engine
