#pragma once
// kestrin-cli check-code: checks one piece of code.

#include <string>
#include <vector>

namespace kestrin::cli {

// Checks the code of a file, or of standard input without one, against the
// names of the game given with --game (none without), and prints "OK" or
// "line L pos P: MESSAGE"; fails when the code has an error or the game
// cannot be loaded.
int RunCheckCode(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
