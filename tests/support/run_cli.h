#pragma once
// Runs the built kestrin-cli as a user would, through the shell, and keeps
// its exit code and what it printed.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace kestrin::test {

struct CliResult {
    int exitCode;
    std::string out;  // standard output, with standard error unless kept apart
    std::string err;  // standard error when kept apart
};

enum class CliErrors { Merged, Apart };

// The arguments are shell words (redirections included).
inline CliResult RunCli(const std::string& arguments, CliErrors errors = CliErrors::Merged) {
    std::string errorFile;
    if (errors == CliErrors::Apart) {
        char pattern[] = "/tmp/kestrin-cli-stderr-XXXXXX";
        const int fd = ::mkstemp(pattern);
        if (fd < 0) return CliResult{-1, {}, {}};
        ::close(fd);
        errorFile = pattern;
    }
    const std::string command = std::string(KESTRIN_BIN_DIR) + "/kestrin-cli " + arguments +
                                (errorFile.empty() ? " 2>&1" : " 2>'" + errorFile + "'");
    CliResult result{-1, {}, {}};
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, got);
        const int status = ::pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (!errorFile.empty()) {
        std::ifstream in(errorFile, std::ios::binary);
        result.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ::unlink(errorFile.c_str());
    }
    return result;
}

}  // namespace kestrin::test
