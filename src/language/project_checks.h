#pragma once
// The project-wide listings and checks: all resource names, built-in
// variables, functions and constants; the check of resource names, of all
// scripts, and a search in all scripts. Each computes the lines an
// information window shows.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "language/color_code.h"
#include "language/name_resolver.h"

namespace kestrin {

struct InfoLine {
    std::string text;
    std::int32_t color;
    int kind;        // resource kind to open: 1 sprite ... 9 room, -1 none
    int lineNumber;  // script line to select, -1 none
    int index;       // resource index, -1 none
};

inline constexpr int kMaxInfoLines = 16000;

inline constexpr std::int32_t kInfoNavy = 8388608;
inline constexpr std::int32_t kInfoMaroon = 128;
inline constexpr std::int32_t kInfoDarkGreen = 32768;

// The one line of a search without a hit.
inline constexpr const char* kNoOccurrencesLine = "<No occurrences were found>";
inline constexpr std::int32_t kInfoRed = 255;

// The kind number of a line (1 sprite, 2 sound, ..., 9 room).
inline int InfoKind(ResourceKind kind) { return static_cast<int>(kind) + 1; }

enum class InfoType {
    ResourceNames = 1,
    CheckResourceNames = 2,
    CheckScripts = 3,
    SearchScripts = 4,
    BuiltinVariables = 5,
    BuiltinFunctions = 6,
    Constants = 7,
};

// Caption and status text of the window of a type, and whether it is sorted.
std::string InfoCaption(InfoType type, std::string_view searchText = {});
std::string InfoStatusText(InfoType type);
bool InfoIsSorted(InfoType type);

// The lines of a window of the given type, sorted where the type is, cut off
// at kMaxInfoLines.
std::vector<InfoLine> ComputeInfoLines(InfoType type, const ProjectSource& project, const ColorTable& colors,
                                       std::string_view searchText = {});

std::vector<InfoLine> ListResourceNames(const ProjectSource& project, const ColorTable& colors);
std::vector<InfoLine> ListBuiltinVariables();
std::vector<InfoLine> ListBuiltinFunctions();
std::vector<InfoLine> ListConstants(const ProjectSource& project);
std::vector<InfoLine> CheckResourceNames(const ProjectSource& project);
std::vector<InfoLine> CheckAllScripts(const ProjectSource& project);
std::vector<InfoLine> SearchScripts(const ProjectSource& project, std::string_view text);

// Ascending by text in character-code order; equal texts keep their order.
void SortInfoLines(std::vector<InfoLine>& lines);

// Whether a resource name is valid: a letter or "_", then letters, digits, "_".
bool IsValidResourceName(std::string_view name);

}  // namespace kestrin
