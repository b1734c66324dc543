#pragma once
// A command of kestrin-cli: its name, one usage line, and what runs it.

#include <string>
#include <vector>

namespace kestrin::cli {

// Exit codes: 0 success, 1 the command failed, 2 bad usage (main then
// prints the command's usage line from the table).
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    const char* name;
    const char* usage;  // arguments after the name
    const char* summary;
    int (*run)(const std::vector<std::string>& arguments);
};

const std::vector<Command>& Commands();

}  // namespace kestrin::cli
