#pragma once
// The action library the game benchmarks install: a code action (id 1) and a
// move action (id 2) of library 1, loaded as at start-up, so saving refreshes
// every action from a real definition.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "actions/action_definition.h"
#include "actions/action_registry.h"
#include "stream/stream.h"

namespace kestrin::bench {

// A fresh folder under the system's temporary folder; aborts when none can be made.
inline std::string TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return pattern;
}

inline void InstallBenchLibrary() {
    CActionLibrary library;
    library.Id = 1;
    library.LibraryCode = "#define lib_helper\r\nreturn argument0 * 2;\r\n";
    auto& code = library.AddDefinition();
    code.Id = 1;
    code.ArgCount = 1;
    code.ExecText1 = "action_execute_code";
    auto& move = library.AddDefinition();
    move.Id = 2;
    move.ArgCount = 3;
    move.ArgKind = {kArgObject, kArgText, kArgSprite, 0, 0, 0, 0, 0};
    CStream stream;
    library.SaveToStream(stream);
    std::string folder = TempFolder();
    stream.SaveToFile(folder + "/bench.lib");
    LoadActionLibrariesFrom(folder);
    std::filesystem::remove_all(folder);
}

}  // namespace kestrin::bench
