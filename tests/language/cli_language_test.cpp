// kestrin-cli check-code and list as a user runs them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace {

struct Result {
    int exitCode;
    std::string out;
};

Result RunCli(const std::string& arguments) {
    std::string command = std::string(KESTRIN_BIN_DIR) + "/kestrin-cli " + arguments + " 2>/dev/null";
    Result result{-1, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, got);
    int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class CliLanguage : public testing::Test {
protected:
    void SetUp() override {
        if (!kestrin::FileExists(std::string(KESTRIN_BIN_DIR) + "/kestrin-cli"))
            GTEST_SKIP() << "kestrin-cli not built";
    }
};

TEST_F(CliLanguage, CheckCodeFromFileAndStandardInput) {
    kestrin::test::TempDir dir;
    {
        std::ofstream(dir.File("good.txt"), std::ios::binary) << "x = 1\r\nif x y = 2";
        std::ofstream(dir.File("bad.txt"), std::ios::binary) << "x = 1\r\nspr_ball(1)";
    }
    Result good = RunCli("check-code " + dir.File("good.txt"));
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.out, "OK\n");

    // Without a game, no resource or script is known.
    Result bad = RunCli("check-code < " + dir.File("bad.txt"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "line 2 pos 2: Unknown function or script: spr_ball\n");

    EXPECT_EQ(RunCli("check-code " + dir.File("missing.txt")).exitCode, 1);
}

TEST_F(CliLanguage, ListsBuiltinNames) {
    Result functions = RunCli("list functions");
    EXPECT_EQ(functions.exitCode, 0);
    EXPECT_EQ(std::count(functions.out.begin(), functions.out.end(), '\n'), 925);
    EXPECT_EQ(functions.out.rfind("MCI_command\n", 0), 0u);

    Result variables = RunCli("list variables");
    EXPECT_EQ(variables.out.rfind("global:  argument\n", 0), 0u);

    Result resources = RunCli("list resources");
    EXPECT_EQ(resources.exitCode, 0);
    EXPECT_EQ(resources.out, "");

    EXPECT_EQ(RunCli("list nothing").exitCode, 2);
}

}  // namespace
