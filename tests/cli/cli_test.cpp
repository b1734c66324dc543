// kestrin-cli as a user runs it: exit codes and what it prints.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/run_cli.h"

namespace {

// kestrin-cli's standard output and standard error together.
using Result = kestrin::test::CliResult;
using kestrin::test::RunCli;

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
