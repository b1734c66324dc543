// The runner carried by the build's own "rundata": a stand-alone executable
// made with it finds and decodes its game data; a damaged one says so.

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>

#include "build/stand_alone.h"
#include "build/stand_alone_layout.h"
#include "build_fixture.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "resources/default_icon.h"

namespace kestrin {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;  // standard output and error
};

Outcome RunProgramCapturing(const std::string& program) {
    Outcome outcome;
    std::FILE* pipe = ::popen(("'" + program + "' 2>&1").c_str(), "r");
    if (!pipe) return outcome;
    char buffer[512];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, got);
    int status = ::pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

class Runner : public ::testing::Test {
protected:
    std::string Build(bool debug) {
        StandAloneSource source;
        source.WriteGameBody = test::WriteFakeBody;
        source.GameIcon = DefaultGameIcon();
        source.RunnerData = std::string(KESTRIN_BIN_DIR) + "/rundata";
        std::string target = mDir.File(debug ? "debug.exe" : "game.exe");
        EXPECT_EQ(BuildStandAlone(target, debug, source), 0);
        return target;
    }
    test::TempDir mDir;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
};

TEST_F(Runner, TheBuiltRunnerFitsAndFindsItsGameData) {
    std::string runner = std::string(KESTRIN_BIN_DIR) + "/kestrin-runner";
    ASSERT_TRUE(FileExists(runner));
    EXPECT_LT(ReadWholeFile(runner).size(), kRunnerIconOffset);

    for (bool debug : {false, true}) {
        std::string target = Build(debug);
        CStream file;
        file.LoadFromFile(target);
        std::int32_t seed = test::IntAt(file, kGameDataOffset + 4);
        Outcome outcome = RunProgramCapturing(target);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
        std::string expected = "game data found: seed " + std::to_string(seed) + ", body " +
                               std::to_string(test::FakeBody(debug).Size()) + " bytes, version 530, debug " +
                               (debug ? "1" : "0") + ", game id " + std::to_string(test::kFakeGameId);
        EXPECT_NE(outcome.output.find(expected), std::string::npos) << outcome.output;
    }
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(Runner, DamagedGameDataIsReportedWithAnExitCode) {
    std::string good = Build(false);
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
        Outcome outcome = RunProgramCapturing(path);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_NE(outcome.output.find("Kestrin runner: cannot start the game"), std::string::npos) << outcome.output;
    }
}

}  // namespace
}  // namespace kestrin
