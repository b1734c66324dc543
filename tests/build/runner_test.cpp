// The runner carried by the build's own "rundata": a stand-alone executable
// made with it reads its game and paints the first room (checked on the
// frame it writes on request); damaged game data is reported.

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>

#include "build/game_source.h"
#include "build/stand_alone.h"
#include "build/stand_alone_layout.h"
#include "build_fixture.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "imaging/picture.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"

namespace kestrin {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;  // standard output and error
};

// Runs a shell command line.
Outcome RunProgramCapturing(const std::string& program) {
    Outcome outcome;
    std::FILE* pipe = ::popen((program + " 2>&1").c_str(), "r");
    if (!pipe) return outcome;
    char buffer[512];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, got);
    int status = ::pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

// A game with one room: a tiled background layer (a 2 x 2 blue and yellow
// checker), an instance whose object has a red 4 x 4 sprite, and a green tile
// cut from a second background.
constexpr ColorValue kBlue = MakeColor(0, 0, 255), kYellow = MakeColor(255, 255, 0);
constexpr ColorValue kRed = MakeColor(255, 0, 0), kGreen = MakeColor(0, 255, 0);
constexpr ColorValue kSpriteKey = MakeColor(255, 0, 255);

void MakeRoomGame(Game& game) {
    NewGame(game);
    Bitmap24 checker(2, 2, kBlue);
    checker.SetPixel(1, 0, kYellow);
    checker.SetPixel(0, 1, kYellow);
    int pattern = game.Tree().AddResourceNode(nullptr, kTypeBackgrounds)->Data.Index;
    game.Backgrounds().ResourceAt(pattern)->SetImage(&checker);
    Bitmap24 green(8, 8, kGreen);
    int tiles = game.Tree().AddResourceNode(nullptr, kTypeBackgrounds)->Data.Index;
    game.Backgrounds().ResourceAt(tiles)->SetImage(&green);

    // Bottom-left pixel magenta: the sprite's see-through colour.
    Bitmap24 frame(4, 4, kRed);
    frame.SetPixel(0, 3, kSpriteKey);
    int sprite = game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    game.Sprites().ResourceAt(sprite)->AddImage(&frame);
    int object = game.Tree().AddResourceNode(nullptr, kTypeObjects)->Data.Index;
    game.Objects().ResourceAt(object)->Sprite = sprite;

    int index = game.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
    CRoom& room = *game.Rooms().ResourceAt(index);
    room.Width = 40;
    room.Height = 30;
    room.Caption = "First room";
    RoomBackground layer;
    layer.Visible = true;
    layer.Background = pattern;
    room.SetLayer(0, layer);
    room.AddInstance(10, 5, object, game);
    RoomTile tile;
    tile.X = 20;
    tile.Y = 20;
    tile.Background = tiles;
    tile.Width = 6;
    tile.Height = 5;
    room.AddTile(tile, game);
}

class Runner : public ::testing::Test {
protected:
    std::string Build(bool debug, const StandAloneSource& source) {
        std::string target = mDir.File(debug ? "debug.exe" : "game.exe");
        EXPECT_EQ(BuildStandAlone(target, debug, source), 0);
        return target;
    }
    StandAloneSource Source(Game& game) {
        StandAloneSource source = GameStandAloneSource(game);
        source.RunnerData = std::string(KESTRIN_BIN_DIR) + "/rundata";
        return source;
    }
    test::TempDir mDir;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
};

TEST_F(Runner, TheBuiltRunnerFitsAndShowsTheFirstRoom) {
    std::string runner = std::string(KESTRIN_BIN_DIR) + "/kestrin-runner";
    ASSERT_TRUE(FileExists(runner));
    EXPECT_LT(ReadWholeFile(runner).size(), kRunnerIconOffset);

    Game game;
    MakeRoomGame(game);
    for (bool debug : {false, true}) {
        SCOPED_TRACE(debug ? "debug" : "normal");
        std::string target = Build(debug, Source(game));
        std::string snapshot = mDir.File("frame.png");
        DeleteFile(snapshot);
        Outcome outcome = RunProgramCapturing("env QT_QPA_PLATFORM=offscreen KESTRIN_RUNNER_SNAPSHOT='" + snapshot +
                                              "' '" + target + "'");
        ASSERT_EQ(outcome.exitCode, 0) << outcome.output;
        std::optional<Picture> picture = ReadPictureFile(snapshot);
        ASSERT_TRUE(picture);
        const Bitmap24& shot = *picture->image;
        ASSERT_EQ(shot.Width(), 40);
        ASSERT_EQ(shot.Height(), 30);
        struct Probe {
            int x, y;
            ColorValue expected;
        } probes[] = {
            {0, 0, kBlue}, {1, 0, kYellow}, {38, 29, kYellow}, {39, 29, kBlue},  // the tiled checker
            {10, 5, kRed}, {13, 7, kRed},                                       // the sprite
            {10, 8, kBlue},                                                      // its see-through corner
            {20, 20, kGreen}, {25, 24, kGreen}, {26, 24, kBlue}, {25, 25, kBlue},  // the tile
        };
        for (const auto& p : probes)
            EXPECT_EQ(shot.Pixel(p.x, p.y), p.expected) << "at " << p.x << "," << p.y;
    }
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(Runner, AGameWithoutARoomOrWithABrokenBodyIsReported) {
    Game game;
    NewGame(game);
    std::string noRoom = Build(false, Source(game));
    Outcome outcome = RunProgramCapturing("env QT_QPA_PLATFORM=offscreen '" + noRoom + "'");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("the game has no room"), std::string::npos) << outcome.output;

    StandAloneSource fake = Source(game);
    fake.WriteGameBody = test::WriteFakeBody;
    outcome = RunProgramCapturing("env QT_QPA_PLATFORM=offscreen '" + Build(false, fake) + "'");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("Kestrin runner: cannot start the game"), std::string::npos) << outcome.output;
}

TEST_F(Runner, DamagedGameDataIsReportedWithAnExitCode) {
    Game game;
    MakeRoomGame(game);
    std::string good = Build(false, Source(game));
    CStream file;
    file.LoadFromFile(good);
    struct Case {
        const char* name;
        std::size_t at;      // byte to change; SIZE_MAX: cut the file instead
        std::size_t cutTo;
    } cases[] = {
        {"no game data", SIZE_MAX, kRunnerSize},
        {"cut in the header", SIZE_MAX, kGameDataOffset + 10},
        {"cut in the body", SIZE_MAX, kGameBodyOffset + 100},
        {"magic changed", kGameDataOffset, 0},
        {"tag changed", kGameDataOffset + 20, 0},
        {"body magic changed", kGameBodyOffset, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CStream damaged(file);
        if (c.at == SIZE_MAX) damaged.SetSize(c.cutTo);
        else damaged.Data()[c.at] ^= 0x55;
        std::string path = mDir.File("damaged.exe");
        damaged.SaveToFile(path);
        ::chmod(path.c_str(), 0755);
        Outcome outcome = RunProgramCapturing("env QT_QPA_PLATFORM=offscreen '" + path + "'");
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_NE(outcome.output.find("Kestrin runner: cannot start the game"), std::string::npos) << outcome.output;
    }
}

}  // namespace
}  // namespace kestrin
