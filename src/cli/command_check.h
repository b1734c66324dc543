#pragma once
// kestrin-cli check: the resource-name check and the check of all scripts
// of a game file.

#include <string>
#include <vector>

namespace kestrin::cli {

// Prints the lines of both checks; fails when either found anything or the
// game cannot be loaded.
int RunCheck(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
