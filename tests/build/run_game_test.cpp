// RunGame: the refusals, the executable's name and working folder, hiding and
// waiting, the fresh name when the old executable is in the way, the messages.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sys/stat.h>
#include <thread>

#include "build/run_game.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "platform/scratch_folder.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class RecordingHost : public RunGameHost {
public:
    void HideWindows() override { calls.push_back("hide"); }
    void ShowWindows() override { calls.push_back("show"); }
    void SetBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    std::vector<std::string> calls;
};

class RunGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("temp", mBase.Path().c_str(), 1);
        MakeScratchFolder();
        mHideWait = Prefs().HideWait;
    }
    void TearDown() override {
        Prefs().HideWait = mHideWait;
        std::error_code error;
        std::filesystem::remove_all(ScratchFolder(), error);
        ::unsetenv("temp");
    }

    // A writer that makes a shell script recording its working folder, or a
    // file that cannot be started, or nothing at all.
    enum class Writes { Script, NotRunnable, Fails };
    ExecutableWriter Writer(Writes what) {
        return [this, what](const std::string& path, bool debug) {
            mWritten.push_back(path);
            mDebug = debug;
            if (what == Writes::Fails) return false;
            std::ofstream(path) << "#!/bin/sh\npwd -P > '" << Marker() << "'\n";
            ::chmod(path.c_str(), what == Writes::Script ? 0755 : 0644);
            return true;
        };
    }
    std::string Marker() const { return mOut.File("ran-in"); }
    std::string RanIn(int waitMs = 0) const {
        for (int i = 0; i < waitMs / 20 && !FileExists(Marker()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return FileExists(Marker()) ? ReadFileText(Marker()) : std::string();
    }
    static std::string Canonical(const std::string& path) { return std::filesystem::canonical(path).string() + "\n"; }

    test::TempDir mBase, mOut, mGames;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
    RecordingHost mHost;
    std::vector<std::string> mWritten;
    bool mDebug = false;
    bool mHideWait = true;
};

TEST_F(RunGameTest, RefusesWithoutRoomOrDebuggingExclusiveMode) {
    struct Case {
        bool debug;
        RunGameFacts facts;
        const char* message;
    } cases[] = {
        {false, {false, false, ""}, "A game must have at least one room to run."},
        {true, {false, true, ""}, "A game must have at least one room to run."},
        {true, {true, true, ""}, "Cannot debug games that run in exclusive graphics mode."},
    };
    for (const auto& c : cases) {
        mUI.Reset();
        RunGame(c.debug, c.facts, mHost, Writer(Writes::Script));
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{c.message});
    }
    EXPECT_TRUE(mWritten.empty());
    EXPECT_TRUE(mHost.calls.empty());

    // Exclusive mode only stops debugging.
    Prefs().HideWait = true;
    RunGame(false, {true, true, ""}, mHost, Writer(Writes::Script));
    EXPECT_EQ(mWritten.size(), 1u);
    EXPECT_FALSE(mDebug);
}

TEST_F(RunGameTest, ExecutableNameAndWorkingFolder) {
    struct Case {
        std::string gameFile;
        std::string name;
        std::string folder;  // empty: the scratch folder
    } cases[] = {
        // Executables carry no extension here.
        {"", "game", ""},
        {"/home/me/games/demo.ksd", "demo", "/home/me/games/"},
        {"/home/me/games/demo.gb1", "demo", "/home/me/games/"},
        {"/home/me/my.games/level.one.ksd", "level.one", "/home/me/my.games/"},
        {"demo.ksd", "demo", CurrentFolder()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunExecutableName(c.gameFile), c.name) << c.gameFile;
        EXPECT_EQ(RunWorkingFolder(c.gameFile), c.folder.empty() ? ScratchFolder() : c.folder) << c.gameFile;
    }
}

TEST_F(RunGameTest, HideWaitHidesWaitsAndDeletesTheExecutable) {
    Prefs().HideWait = true;
    std::string game = mGames.File("demo.ksd");
    RunGame(true, {true, false, game}, mHost, Writer(Writes::Script));
    ASSERT_EQ(mWritten, std::vector<std::string>{JoinPath(ScratchFolder(), "demo")});
    EXPECT_TRUE(mDebug);
    EXPECT_EQ(RanIn(), Canonical(mGames.Path()));  // already finished: it was waited for
    EXPECT_FALSE(PathExists(mWritten[0]));
    EXPECT_EQ(mHost.calls, (std::vector<std::string>{"hide", "busy", "idle", "show"}));
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(RunGameTest, WithoutHideWaitTheGameRunsBesideAndStays) {
    Prefs().HideWait = false;
    RunGame(false, {true, false, ""}, mHost, Writer(Writes::Script));
    ASSERT_EQ(mWritten, std::vector<std::string>{JoinPath(ScratchFolder(), "game")});
    EXPECT_EQ(RanIn(5000), Canonical(ScratchFolder()));
    EXPECT_TRUE(FileExists(mWritten[0]));
    EXPECT_EQ(mHost.calls, (std::vector<std::string>{"busy", "idle"}));
}

TEST_F(RunGameTest, FailuresBringTheWindowsBack) {
    struct Case {
        Writes writes;
        bool hideWait;
        std::vector<std::string> messages;
        std::vector<std::string> calls;
    } cases[] = {
        {Writes::Fails, true, {}, {"hide", "busy", "idle", "show"}},
        {Writes::Fails, false, {}, {"busy", "idle"}},
        {Writes::NotRunnable, true, {"Failed to run the game."}, {"hide", "busy", "idle", "show"}},
        {Writes::NotRunnable, false, {"Failed to run the game."}, {"busy", "idle"}},
    };
    for (const auto& c : cases) {
        mUI.Reset();
        mHost.calls.clear();
        mWritten.clear();
        Prefs().HideWait = c.hideWait;
        RunGame(false, {true, false, ""}, mHost, Writer(c.writes));
        EXPECT_EQ(mUI.Messages(), c.messages);
        EXPECT_EQ(mHost.calls, c.calls);
        ASSERT_EQ(mWritten.size(), 1u);
        if (c.hideWait) {
            EXPECT_FALSE(PathExists(mWritten[0]));
        }
    }
    EXPECT_EQ(RanIn(), "");
}

TEST_F(RunGameTest, OldExecutableIsReplacedOrSidestepped) {
    Prefs().HideWait = true;
    std::string old = JoinPath(ScratchFolder(), "game");

    // A file left from an earlier run goes.
    std::ofstream(old) << "old";
    RunGame(false, {true, false, ""}, mHost, Writer(Writes::Script));
    ASSERT_EQ(mWritten.size(), 1u);
    EXPECT_EQ(mWritten[0], old);

    // Something that cannot be deleted stays, and the game gets a fresh name.
    std::filesystem::create_directories(old + "/inside");
    RunGame(false, {true, false, ""}, mHost, Writer(Writes::Script));
    ASSERT_EQ(mWritten.size(), 2u);
    EXPECT_EQ(ExtractFilePath(mWritten[1]), ScratchFolder() + "/");
    EXPECT_TRUE(std::regex_match(ExtractFileName(mWritten[1]), std::regex("a[0-9]+")));
    EXPECT_TRUE(FolderExists(old));
    EXPECT_EQ(RanIn(), Canonical(ScratchFolder()));
}

}  // namespace
}  // namespace kestrin
