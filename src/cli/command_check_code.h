#pragma once
// kestrin-cli check-code: checks one piece of code.

#include <string>
#include <vector>

namespace kestrin::cli {

// Checks the code of a file, or of standard input without one, and prints
// "OK" or "line L pos P: MESSAGE"; fails when the code has an error.
int RunCheckCode(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
