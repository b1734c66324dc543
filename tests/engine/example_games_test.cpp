// The shipped example games played headless with scripted keys: each must
// get somewhere (a coin collected, an invader shot, the next room reached).
// The runner program plays them the same way from the command line.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>

#include "engine/headless.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

const std::string kExamples = std::string(KESTRIN_BIN_DIR) + "/tutorials/";

struct Outcome {
    std::string output;  // messages, then the summary
    std::string room;
    double score = -1;

    int Count(const std::string& object) const {
        int count = 0;
        const std::string needle = "\"object\":\"" + object + "\"";
        for (std::size_t at = output.find(needle); at != std::string::npos; at = output.find(needle, at + 1)) ++count;
        return count;
    }
    bool Said(const std::string& message) const { return output.find(message + "\n") != std::string::npos; }
};

Outcome Read(const std::string& output) {
    Outcome outcome;
    outcome.output = output;
    std::smatch match;
    if (std::regex_search(output, match, std::regex("\"room\":\"([^\"]*)\",\"score\":([-0-9.e]+)"))) {
        outcome.room = match[1];
        outcome.score = std::stod(match[2]);
    }
    return outcome;
}

Outcome Play(const std::string& file, const std::string& input, int steps) {
    RecordingUI ui;
    ScopedUI installed(ui);
    Game game;
    std::vector<std::string> libraryCode;
    EXPECT_TRUE(LoadGame(game, kExamples + file, &libraryCode)) << file;
    HeadlessOptions options;
    options.steps = steps;
    std::string error;
    EXPECT_TRUE(ParseInputScript(input, options.input, error)) << error;
    std::ostringstream out;
    EXPECT_EQ(PlayHeadless(game, std::move(libraryCode), options, out), 0);
    // The examples are free of errors.
    EXPECT_EQ(out.str().find("ERROR"), std::string::npos) << out.str().substr(0, 500);
    return Read(out.str());
}

// Right to the first coin, down the long corridor past the second, right to the exit.
constexpr const char* kMazeKeys =
    "1 down <Right>\n20 up <Right>\n21 down <Down>\n70 up <Down>\n71 down <Right>\n140 up <Right>\n";

TEST(ExampleGames, TheMazeCollectsCoinsAndLeavesByTheExit) {
    const Outcome start = Play("Maze.ksd", "", 1);
    const Outcome early = Play("Maze.ksd", kMazeKeys, 25);
    EXPECT_EQ(early.room, "rm_maze");
    EXPECT_EQ(early.score, 10);
    EXPECT_EQ(early.Count("obj_coin"), start.Count("obj_coin") - 1);

    const Outcome end = Play("Maze.ksd", kMazeKeys, 150);
    EXPECT_EQ(end.room, "rm_done") << end.output;
    EXPECT_EQ(end.score, 20);
    EXPECT_TRUE(end.Said("You escaped the maze!")) << end.output;
}

TEST(ExampleGames, TheShooterHitsInvaders) {
    std::string keys = "1 down <Left>\n12 up <Left>\n";
    for (int step = 5; step < 400; step += 15)
        keys += std::to_string(step) + " down <Space>\n" + std::to_string(step + 1) + " up <Space>\n";
    const Outcome start = Play("Shooter.ksd", "", 1);
    EXPECT_EQ(start.Count("obj_invader"), 12);
    const Outcome end = Play("Shooter.ksd", keys, 400);
    EXPECT_GE(end.score, 10) << end.output;
    EXPECT_EQ(end.Count("obj_invader"), 12 - static_cast<int>(end.score) / 10) << end.output;
}

TEST(ExampleGames, ThePlatformerHeroJumpsThroughBothLevels) {
    std::string keys = "1 down <Right>\n";
    for (int step = 3; step < 600; step += 4)
        keys += std::to_string(step) + " down <Up>\n" + std::to_string(step + 1) + " up <Up>\n";
    const Outcome start = Play("Platformer.ksd", "", 1);
    EXPECT_EQ(start.room, "rm_level1");
    const Outcome end = Play("Platformer.ksd", keys, 600);
    EXPECT_EQ(end.room, "rm_level2") << end.output;
    EXPECT_GE(end.score, 10) << end.output;
    // The last flag ends the game before the steps run out.
    EXPECT_TRUE(end.Said("You made it!")) << end.output;
    EXPECT_EQ(end.output.find("\"steps\":600,"), std::string::npos) << end.output;
}

// The runner program gives exactly what the engine gives in-process (the
// maze draws no random numbers, so the seed changes nothing).
TEST(ExampleGames, TheRunnerPlaysThemFromTheCommandLine) {
    test::TempDir dir;
    const std::string input = dir.File("keys.txt");
    std::ofstream(input) << kMazeKeys;
    const std::string command = std::string(KESTRIN_BIN_DIR) + "/kestrin-runner '" + kExamples +
                                "Maze.ksd' --headless --steps 150 --seed 3 --input '" + input + "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    std::string output;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_EQ(output, Play("Maze.ksd", kMazeKeys, 150).output);
}

}  // namespace
}  // namespace kestrin::engine
