#pragma once
// kestrin-cli new: writes a new, empty game.

#include <string>
#include <vector>

namespace kestrin::cli {

// new OUT.ksd
int RunNew(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
