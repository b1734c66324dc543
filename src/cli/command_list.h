#pragma once
// kestrin-cli list: the listings of built-in names.

#include <string>
#include <vector>

namespace kestrin::cli {

// Prints the sorted lines of the listing of functions, variables, constants
// or resources, one per line.
int RunList(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
