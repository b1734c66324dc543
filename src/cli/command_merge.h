#pragma once
// kestrin-cli merge: one game file with another's resources appended.

#include <string>
#include <vector>

namespace kestrin::cli {

// merge GAME.ksd OTHER.ksd -o OUT.ksd
int RunMerge(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
