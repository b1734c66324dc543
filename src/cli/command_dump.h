#pragma once
// kestrin-cli dump: a game file as one JSON object on standard output.

#include <string>
#include <vector>

namespace kestrin::cli {

// dump GAME.ksd [--no-libraries]
int RunDump(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
