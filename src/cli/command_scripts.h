#pragma once
// kestrin-cli export-scripts and import-scripts: script text files.

#include <string>
#include <vector>

namespace kestrin::cli {

// export-scripts GAME.ksd OUT.ksl: every script of the Scripts section.
int RunExportScripts(const std::vector<std::string>& arguments);
// import-scripts GAME.ksd IN.ksl -o OUT.ksd
int RunImportScripts(const std::vector<std::string>& arguments);

}  // namespace kestrin::cli
