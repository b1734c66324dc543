// kestrin-cli build: a saved game with a room becomes an executable that shows
// the room; usage errors and a missing game file fail.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include "imaging/picture.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

struct Result {
    int exitCode;
    std::string out;
};

// Runs a shell command line and collects stdout and stderr.
Result Shell(const std::string& command) {
    Result result{-1, {}};
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, got);
    int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Cli(const std::string& arguments) { return std::string(KESTRIN_BIN_DIR) + "/kestrin-cli " + arguments; }

TEST(BuildCommand, WritesAnExecutableThatShowsTheRoom) {
    test::TempDir dir;
    RecordingUI ui;
    ScopedUI installed(ui);
    Game game;
    NewGame(game);
    int index = game.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
    CRoom& room = *game.Rooms().ResourceAt(index);
    room.Width = 50;
    room.Height = 20;
    room.Color = MakeColor(10, 200, 30);
    std::string gameFile = dir.File("demo.ksd");
    ASSERT_TRUE(SaveGame(game, gameFile));

    // The folder of the target is made on the way.
    std::string target = dir.File("out/demo.exe");
    Result built = Shell(Cli("build '" + gameFile + "' '" + target + "' --debug"));
    ASSERT_EQ(built.exitCode, 0) << built.out;
    EXPECT_EQ(built.out.find("warning"), std::string::npos) << built.out;
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR);

    std::string snapshot = dir.File("frame.png");
    Result shown = Shell("env QT_QPA_PLATFORM=offscreen KESTRIN_RUNNER_SNAPSHOT='" + snapshot + "' '" + target + "'");
    ASSERT_EQ(shown.exitCode, 0) << shown.out;
    std::optional<Picture> picture = ReadPictureFile(snapshot);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image->Width(), 50);
    EXPECT_EQ(picture->image->Height(), 20);
    EXPECT_EQ(picture->image->Pixel(49, 19), MakeColor(10, 200, 30));
}

TEST(BuildCommand, WarnsThatAGameWithoutARoomCannotStart) {
    test::TempDir dir;
    RecordingUI ui;
    ScopedUI installed(ui);
    Game game;
    NewGame(game);
    // A room that was added and deleted again leaves nothing to start in.
    ResourceNode* room = game.Tree().AddResourceNode(nullptr, kTypeRooms);
    game.Tree().DeleteNode(room);
    std::string gameFile = dir.File("empty.ksd");
    ASSERT_TRUE(SaveGame(game, gameFile));

    std::string target = dir.File("empty");
    Result built = Shell(Cli("build '" + gameFile + "' '" + target + "'"));
    EXPECT_EQ(built.exitCode, 0) << built.out;
    EXPECT_TRUE(FileExists(target));
    EXPECT_NE(built.out.find("kestrin-cli: warning: " + gameFile + " has no room; the executable cannot start"),
              std::string::npos)
        << built.out;
}

TEST(BuildCommand, FailsOnBadUsageAndMissingGames) {
    test::TempDir dir;
    for (const char* usage : {"build", "build a.ksd", "build a.ksd b.exe --fast"}) {
        Result result = Shell(Cli(usage));
        EXPECT_EQ(result.exitCode, 2) << usage;
        EXPECT_EQ(result.out, "Usage: kestrin-cli build GAME.ksd OUT [--debug]\n") << usage;
    }
    Result missing = Shell(Cli("build '" + dir.File("none.ksd") + "' '" + dir.File("x.exe") + "'"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("Error Loading: File does not exist."), std::string::npos) << missing.out;
}

}  // namespace
}  // namespace kestrin
