#pragma once
// kestrin-cli libs: what action libraries are installed.

#include <string>
#include <vector>

namespace kestrin::cli {

// Loads the libraries of the "lib" folder beside the program (or of the
// folder given), lists every library and its actions, and fails when the
// loader reported a problem.
int RunLibs(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
