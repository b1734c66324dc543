#pragma once
// kestrin-cli search: a text search in all scripts of a game file.

#include <string>
#include <vector>

namespace kestrin::cli {

// Prints one line per occurrence of the text (none when it does not occur).
int RunSearch(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
