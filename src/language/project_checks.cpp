// The lines of the project-wide listings and checks.

#include "language/project_checks.h"

#include <algorithm>

#include "language/builtin_names.h"
#include "language/check_error.h"
#include "language/checker.h"
#include "language/string_map.h"
#include "language/token_scanner.h"

namespace kestrin {

namespace {

// Adds a line unless the list is full.
void Add(std::vector<InfoLine>& lines, std::string text, std::int32_t color, int kind = -1, int lineNumber = -1,
         int index = -1) {
    if (static_cast<int>(lines.size()) >= kMaxInfoLines) return;
    lines.push_back(InfoLine{std::move(text), color, kind, lineNumber, index});
}

bool Full(const std::vector<InfoLine>& lines) { return static_cast<int>(lines.size()) >= kMaxInfoLines; }

// The texts of each kind, in ResourceKind order: the listing's suffix, the
// name check's kind word and its "equal to" finding.
struct KindTexts {
    const char* suffix;
    const char* word;
    const char* equalTo;
};
constexpr KindTexts kKindTexts[kResourceKindCount] = {
    {": sprite", "Sprite", "equal to a sprite name."},
    {": sound", "Sound", "equal to a sound name."},
    {": background", "Background", "equal to a background name."},
    {": path", "Path", "equal to a path name."},
    {": script", "Script", "equal to a script name."},
    {": data file", "Data file", "equal to a data file name."},
    {": time line", "Time line", "equal to a time line name."},
    {": object", "Object", "equal to an object name."},
    {": room", "Room", "equal to a room name."},
};

const KindTexts& TextsOf(ResourceKind kind) { return kKindTexts[KindIndex(kind)]; }

}  // namespace

bool IsValidResourceName(std::string_view name) {
    if (name.empty() || !scan::IsNameStart(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin() + 1, name.end(), [](unsigned char c) { return scan::IsNameChar(c); });
}

std::string InfoCaption(InfoType type, std::string_view searchText) {
    switch (type) {
    case InfoType::ResourceNames: return "All Resource Names";
    case InfoType::CheckResourceNames: return "Checking Resource Names";
    case InfoType::CheckScripts: return "Checking All Scripts";
    case InfoType::SearchScripts: return "Searching Scripts for \"" + std::string(searchText) + "\"";
    case InfoType::BuiltinVariables: return "All Built-In Variables";
    case InfoType::BuiltinFunctions: return "All Built-In Functions";
    case InfoType::Constants: return "All Constants";
    }
    return "";
}

std::string InfoStatusText(InfoType type) {
    switch (type) {
    case InfoType::ResourceNames:
    case InfoType::CheckResourceNames: return "Click on a line to open the resource";
    case InfoType::CheckScripts:
    case InfoType::SearchScripts: return "Click on a line to open the script";
    default: return "";
    }
}

bool InfoIsSorted(InfoType type) {
    return type == InfoType::ResourceNames || type == InfoType::BuiltinVariables ||
           type == InfoType::BuiltinFunctions || type == InfoType::Constants;
}

void SortInfoLines(std::vector<InfoLine>& lines) {
    // std::string compares as unsigned characters, which is character-code order.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const InfoLine& a, const InfoLine& b) { return a.text < b.text; });
}

std::vector<InfoLine> ListResourceNames(const ProjectSource& project, const ColorTable& colors) {
    std::vector<InfoLine> lines;
    for (ResourceKind kind : kAllResourceKinds) {
        const int count = project.ResourceCount(kind);
        for (int i = 0; i < count && !Full(lines); ++i) {
            if (!project.ResourceExists(kind, i)) continue;
            Add(lines, project.ResourceName(kind, i) + TextsOf(kind).suffix, colors[ResourceColorClass(kind)],
                InfoKind(kind), -1, i);
        }
    }
    return lines;
}

std::vector<InfoLine> ListBuiltinVariables() {
    std::vector<InfoLine> lines;
    for (int i = 0; i < Variable_LocalCount(); ++i) Add(lines, "local:   " + Variable_LocalName(i), kInfoNavy);
    for (int i = 0; i < Variable_GlobalCount(); ++i) Add(lines, "global:  " + Variable_GlobalName(i), kInfoMaroon);
    return lines;
}

std::vector<InfoLine> ListBuiltinFunctions() {
    std::vector<InfoLine> lines;
    for (int i = 0; i < Function_Count(); ++i) Add(lines, Function_Name(i), kInfoNavy);
    return lines;
}

std::vector<InfoLine> ListConstants(const ProjectSource& project) {
    std::vector<InfoLine> lines;
    for (int i = 0; i < Constant_Count(); ++i) Add(lines, Constant_Name(i), kInfoMaroon);
    for (const auto& name : project.UserConstantNames()) Add(lines, name, kInfoRed);
    return lines;
}

std::vector<InfoLine> CheckResourceNames(const ProjectSource& project) {
    std::vector<InfoLine> lines;
    for (ResourceKind kind : kAllResourceKinds) {
        const int count = project.ResourceCount(kind);
        NameSet earlier;  // names of this kind at smaller indexes
        for (int i = 0; i < count && !Full(lines); ++i) {
            if (!project.ResourceExists(kind, i)) continue;
            const std::string name = project.ResourceName(kind, i);
            const std::string prefix = std::string(TextsOf(kind).word) + " name \"" + name + "\" is ";
            auto finding = [&](const char* what, std::int32_t color) {
                Add(lines, prefix + what, color, InfoKind(kind), -1, i);
            };
            if (!IsValidResourceName(name)) finding("invalid.", kInfoNavy);
            if (!earlier.Insert(name, true)) finding("used twice.", kInfoMaroon);
            for (ResourceKind other : kAllResourceKinds)
                if (other != kind && project.FindResource(other, name) >= 0)
                    finding(TextsOf(other).equalTo, kInfoMaroon);
            if (Variable_IsLocal(name)) finding("equal to a local variable name.", kInfoDarkGreen);
            if (Variable_IsGlobal(name)) finding("equal to a global variable name.", kInfoDarkGreen);
            if (Function_Exists(name)) finding("equal to a function name.", kInfoDarkGreen);
            if (Constant_IsConstant(name, project)) finding("equal to a constant name.", kInfoDarkGreen);
            if (IsReservedWord(name)) finding("equal to a keyword.", kInfoDarkGreen);
        }
    }
    if (lines.empty()) Add(lines, "<No name conflicts were found>", kInfoDarkGreen);
    return lines;
}

std::vector<InfoLine> CheckAllScripts(const ProjectSource& project) {
    std::vector<InfoLine> lines;
    const int count = project.ResourceCount(ResourceKind::Script);
    for (int i = 0; i < count && !Full(lines); ++i) {
        if (!project.ResourceExists(ResourceKind::Script, i)) continue;
        if (CheckCode(project.ScriptCode(i), project)) continue;
        const CheckErrorRecord& error = CheckError();
        Add(lines,
            "In script " + project.ResourceName(ResourceKind::Script, i) + " line " + std::to_string(error.ErrorLine) +
                " pos " + std::to_string(error.ErrorPos) + ": " + error.ErrorMessage,
            kInfoNavy, InfoKind(ResourceKind::Script), error.ErrorLine, i);
    }
    if (lines.empty()) Add(lines, "<No errors were found>", kInfoDarkGreen);
    return lines;
}

namespace {

// Every hit of the text in the script at index i, in order.
void AddHits(std::vector<InfoLine>& lines, const ProjectSource& project, int i, std::string_view text) {
    const std::string code = project.ScriptCode(i);
    const std::string name = project.ResourceName(ResourceKind::Script, i);
    // Line and position are counted up to and including the hit's first
    // character, so they run one past the usual column.
    int line = 1, position = 1;
    std::size_t counted = 0;  // characters counted so far
    for (std::size_t hit = code.find(text); hit != std::string::npos && !Full(lines); hit = code.find(text, hit + 1)) {
        for (; counted <= hit; ++counted) {
            if (code[counted] == '\r') {
                ++line;
                position = 1;
            } else {
                ++position;
            }
        }
        Add(lines, "In script " + name + " at line " + std::to_string(line) + " at position " + std::to_string(position),
            kInfoNavy, InfoKind(ResourceKind::Script), line, i);
    }
}

}  // namespace

std::vector<InfoLine> SearchScripts(const ProjectSource& project, std::string_view text) {
    std::vector<InfoLine> lines;
    // An empty text finds nothing.
    const int count = text.empty() ? 0 : project.ResourceCount(ResourceKind::Script);
    for (int i = 0; i < count && !Full(lines); ++i) {
        if (!project.ResourceExists(ResourceKind::Script, i)) continue;
        AddHits(lines, project, i, text);
    }
    // An empty window would look as if the search had not run.
    if (lines.empty()) Add(lines, kNoOccurrencesLine, kInfoDarkGreen);
    return lines;
}
std::vector<InfoLine> ComputeInfoLines(InfoType type, const ProjectSource& project, const ColorTable& colors,
                                       std::string_view searchText) {
    std::vector<InfoLine> lines;
    switch (type) {
    case InfoType::ResourceNames: lines = ListResourceNames(project, colors); break;
    case InfoType::CheckResourceNames: lines = CheckResourceNames(project); break;
    case InfoType::CheckScripts: lines = CheckAllScripts(project); break;
    case InfoType::SearchScripts: lines = SearchScripts(project, searchText); break;
    case InfoType::BuiltinVariables: lines = ListBuiltinVariables(); break;
    case InfoType::BuiltinFunctions: lines = ListBuiltinFunctions(); break;
    case InfoType::Constants: lines = ListConstants(project); break;
    }
    if (InfoIsSorted(type)) SortInfoLines(lines);
    return lines;
}

}  // namespace kestrin
