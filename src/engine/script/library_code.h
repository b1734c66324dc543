#pragma once
// A library's code split into its scripts: a line holding "#define NAME"
// starts the script NAME, whose code is the lines after it up to the next
// such line. Lines before the first one belong to no script.

#include <string>
#include <string_view>
#include <vector>

namespace kestrin::engine {

struct LibraryScript {
    std::string name;
    std::string code;
};

std::vector<LibraryScript> SplitLibraryCode(std::string_view text);

}  // namespace kestrin::engine
