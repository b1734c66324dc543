#pragma once
// kestrin-cli build: a game file to a stand-alone executable, headless.

#include <string>
#include <vector>

namespace kestrin::cli {

// GAME OUT [--debug]: loads the action libraries beside the program and the
// game, then writes the executable with the runner data beside the program.
// The builder's message goes to standard error; 0 only when it was written.
int RunBuild(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
