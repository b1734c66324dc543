// kestrin-cli check, check-code, search and list as a user runs them, on
// small games made and saved by the core.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>

#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "resources/event.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "language/project_checks.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using test::CliErrors;
using test::CliResult;

// Standard output and standard error apart.
CliResult RunCli(const std::string& arguments) { return test::RunCli(arguments, CliErrors::Apart); }

class CliLanguage : public testing::Test {
protected:
    // The test program is built after kestrin-cli, so a missing one is a fault.
    void SetUp() override { ASSERT_TRUE(FileExists(std::string(KESTRIN_BIN_DIR) + "/kestrin-cli")); }

    // A new game filled by the function and saved under the name.
    std::string SaveTestGame(const std::string& name, const std::function<void(Game&)>& fill) {
        RecordingUI ui;
        ScopedUI installed(ui);
        RandomSource random(5);
        Game game(random);
        NewGame(game);
        fill(game);
        const std::string path = mDir.File(name);
        EXPECT_TRUE(SaveGame(game, path)) << testing::PrintToString(ui.Messages());
        return path;
    }

    static int Add(Game& game, ResourceKind kind, const std::string& name) {
        ResourceListBase& list = *game.ListOf(kind);
        const int index = list.AddResource();
        list.RenameResource(index, name);
        return index;
    }
    static void AddScript(Game& game, const std::string& name, const std::string& code) {
        game.Scripts().ResourceAt(Add(game, ResourceKind::Script, name))->Code = code;
    }

    test::TempDir mDir;
};

TEST_F(CliLanguage, CheckOfACleanGamePrintsBothNoFindingLines) {
    const std::string empty = SaveTestGame("empty.ksd", [](Game&) {});
    CliResult result = RunCli("check " + empty);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "<No name conflicts were found>\n<No errors were found>\n");

    const std::string clean = SaveTestGame("clean.ksd", [](Game& game) {
        Add(game, ResourceKind::Sprite, "spr_ball");
        AddScript(game, "scr_move", "x += 1");
        AddScript(game, "scr_step", "scr_move(spr_ball, 2)\r\nif x > 3 { y = spr_ball }");
    });
    result = RunCli("check " + clean);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "<No name conflicts were found>\n<No errors were found>\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliLanguage, CheckPrintsNameFindingsThenScriptErrorsAndFails) {
    const std::string path = SaveTestGame("bad.ksd", [](Game& game) {
        Add(game, ResourceKind::Sprite, "ball");
        Add(game, ResourceKind::Object, "ball");
        Add(game, ResourceKind::Sound, "bad name");
        Add(game, ResourceKind::Room, "LIVES");
        game.Options.Constants.push_back(UserConstant{"LIVES", "3"});
        AddScript(game, "scr_ok", "x = 1");
        AddScript(game, "scr_bad", "x = 1\r\nnowhere(ball)");
        AddScript(game, "scr_worse", "if (x");  // the error lies at the end of the text
    });
    CliResult result = RunCli("check " + path);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              "Sprite name \"ball\" is equal to an object name.\n"
              "Sound name \"bad name\" is invalid.\n"
              "Object name \"ball\" is equal to a sprite name.\n"
              "Room name \"LIVES\" is equal to a constant name.\n"
              "In script scr_bad line 2 pos 2: Unknown function or script: nowhere\n"
              "In script scr_worse line 1 pos 5: Symbol ) expected.\n");

    // Only the scripts are wrong: still a failure, after the name check's line.
    const std::string scriptsOnly =
        SaveTestGame("scripts.ksd", [](Game& game) { AddScript(game, "scr", "x = "); });
    result = RunCli("check " + scriptsOnly);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out.rfind("<No name conflicts were found>\nIn script scr line 1 pos ", 0), 0u) << result.out;
}

// The runner provides every function of the tables, so the check has no
// function to warn of, even in the games that reach furthest.
TEST_F(CliLanguage, CheckWarnsOfNoFunctionWhenTheRunnerProvidesThemAll) {
    const std::string path = SaveTestGame("reaching.ksd", [](Game& game) {
        AddScript(game, "scr_net", "external_free('x.dll');\r\nmplay_init_tcpip('');\r\nsound_pan(0, 1);");
        const int object = Add(game, ResourceKind::Object, "obj_saver");
        CAction& call = game.Objects().ResourceAt(object)->GetEvent(3, 0)->AddAction(0, 0);
        call.ExecKind = 1;
        call.ExecText1 = "mplay_end";
    });
    CliResult result = RunCli("check " + path);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "<No name conflicts were found>\n<No errors were found>\n");
}

TEST_F(CliLanguage, GameCommandsReportFilesThatDoNotLoad) {
    const std::string garbage = mDir.File("garbage.ksd");
    std::ofstream(garbage, std::ios::binary) << "not a game at all, just some bytes";
    const std::string truncated = mDir.File("truncated.ksd");
    {
        const std::string good = SaveTestGame("good.ksd", [](Game& game) { AddScript(game, "scr", "x = 1"); });
        std::string bytes = ReadFileText(good);
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    const std::string missing = mDir.File("missing.ksd");
    for (const std::string command : {"check ", "search ", "list resources ", "check-code /dev/null --game "}) {
        for (const std::string& file : {garbage, truncated, missing}) {
            std::string arguments = command + file + (command == "search " ? " x" : "");
            SCOPED_TRACE(arguments);
            CliResult result = RunCli(arguments);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err.rfind("Error Loading: ", 0), 0u) << result.err;
        }
    }
    for (const std::string usage : {"check", "check a b", "search g", "search g a b", "check-code --game",
                                    "check-code a b", "check-code --game a --game b", "list", "list nothing",
                                    "list functions a b"}) {
        CliResult result = RunCli(usage);
        EXPECT_EQ(result.exitCode, 2) << usage;
        const std::string command = usage.substr(0, usage.find(' '));
        EXPECT_EQ(result.err.rfind("Usage: kestrin-cli " + command + " ", 0), 0u) << result.err;
        EXPECT_EQ(result.out, "") << usage;
    }
}

TEST_F(CliLanguage, CheckCodeResolvesAgainstTheGame) {
    const std::string game = SaveTestGame("names.ksd", [](Game& game) {
        Add(game, ResourceKind::Sprite, "spr_ball");
        AddScript(game, "scr_move", "");
    });
    {
        std::ofstream(mDir.File("call.txt"), std::ios::binary) << "x = 1\r\nscr_move(spr_ball, 1, 2)";
        std::ofstream(mDir.File("index.txt"), std::ios::binary) << "spr_ball[1] = 2";
    }
    struct Case {
        std::string arguments;
        std::string out;
    } cases[] = {
        // Without a game no script is known and spr_ball is a variable.
        {"check-code " + mDir.File("call.txt"), "line 2 pos 2: Unknown function or script: scr_move\n"},
        {"check-code " + mDir.File("index.txt"), "OK\n"},
        {"check-code " + mDir.File("call.txt") + " --game " + game, "OK\n"},
        {"check-code --game " + game + " " + mDir.File("call.txt"), "OK\n"},
        {"check-code --game " + game + " - < " + mDir.File("call.txt"), "OK\n"},
        // With it, spr_ball is a value and cannot be indexed.
        {"check-code --game " + game + " < " + mDir.File("index.txt"), "line 1 pos 9: Assignment operator expected.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        CliResult result = RunCli(c.arguments);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.exitCode, c.out == "OK\n" ? 0 : 1);
    }
    EXPECT_EQ(RunCli("check-code " + mDir.File("missing.txt")).exitCode, 1);
}

TEST_F(CliLanguage, SearchFindsEveryOccurrenceInEveryScript) {
    const std::string path = SaveTestGame("search.ksd", [](Game& game) {
        AddScript(game, "scr_a", "hp = 1\r\nhp -= hphp");
        const int gone = Add(game, ResourceKind::Script, "scr_gone");
        game.Scripts().ResourceAt(gone)->Code = "hp";
        game.Scripts().DeleteResource(gone);
        AddScript(game, "scr_b", "HP = 2 // no match: case counts");
        AddScript(game, "scr_c", "draw_text(0, 0, \"hp left\")");
    });
    CliResult result = RunCli("search " + path + " hp");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              "In script scr_a at line 1 at position 2\n"
              "In script scr_a at line 2 at position 3\n"
              "In script scr_a at line 2 at position 9\n"
              "In script scr_a at line 2 at position 11\n"
              "In script scr_c at line 1 at position 19\n");

    result = RunCli("search " + path + " 'hp left'");
    EXPECT_EQ(result.out, "In script scr_c at line 1 at position 19\n");
    result = RunCli("search " + path + " nothing");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, std::string(kNoOccurrencesLine) + "\n");
}

TEST_F(CliLanguage, ListsBuiltinNamesAndAGamesNames) {
    CliResult functions = RunCli("list functions");
    EXPECT_EQ(functions.exitCode, 0);
    EXPECT_EQ(std::count(functions.out.begin(), functions.out.end(), '\n'), 925);
    EXPECT_EQ(functions.out.rfind("MCI_command\n", 0), 0u);
    EXPECT_EQ(RunCli("list variables").out.rfind("global:  argument\n", 0), 0u);
    CliResult resources = RunCli("list resources");
    EXPECT_EQ(resources.exitCode, 0);
    EXPECT_EQ(resources.out, "");

    const std::string path = SaveTestGame("list.ksd", [](Game& game) {
        Add(game, ResourceKind::Sprite, "zeta");
        Add(game, ResourceKind::Room, "Alpha");
        Add(game, ResourceKind::Object, "beta");
        AddScript(game, "_init", "");
        game.Options.Constants.push_back(UserConstant{"AAA_MAX", "9"});
    });
    resources = RunCli("list resources " + path);
    EXPECT_EQ(resources.exitCode, 0);
    EXPECT_EQ(resources.out, "Alpha: room\n_init: script\nbeta: object\nzeta: sprite\n");

    CliResult constants = RunCli("list constants " + path);
    EXPECT_EQ(constants.exitCode, 0);
    EXPECT_EQ(constants.out.rfind("AAA_MAX\n", 0), 0u);
    EXPECT_EQ(std::count(constants.out.begin(), constants.out.end(), '\n'), 230);
    EXPECT_EQ(RunCli("list constants").out.find("AAA_MAX"), std::string::npos);

    EXPECT_EQ(RunCli("list functions " + path).out, functions.out);
}

}  // namespace
}  // namespace kestrin
