// kestrin-cli as a user runs it: exit codes and what it prints.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Result {
    int exitCode;
    std::string out;
};

// Runs kestrin-cli with the arguments (shell words) and collects stdout and stderr.
Result RunCli(const std::string& arguments) {
    std::string command = std::string(KESTRIN_BIN_DIR) + "/kestrin-cli " + arguments + " 2>&1";
    Result result{-1, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, got);
    int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(Cli, HelpVersionAndUnknownCommands) {
    Result help = RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: kestrin-cli COMMAND"), std::string::npos);

    Result version = RunCli("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("kestrin-cli ", 0), 0u);

    Result unknown = RunCli("frobnicate");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.out.find("unknown command \"frobnicate\""), std::string::npos);
    EXPECT_NE(unknown.out.find("Usage:"), std::string::npos);

    EXPECT_EQ(RunCli("").exitCode, 2);
}

}  // namespace
