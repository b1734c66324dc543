#pragma once
// kestrin-cli list: the listings of built-in names and of a game's names.

#include <string>
#include <vector>

namespace kestrin::cli {

// Prints the sorted lines of the listing of functions, variables, constants
// or resources, one per line; with a game file its resources and user
// constants are included.
int RunList(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
