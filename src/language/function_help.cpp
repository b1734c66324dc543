// Reading and keeping the function help list.

#include "language/function_help.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"

namespace kestrin {

namespace {

std::vector<std::string>& HelpList() {
    static std::vector<std::string> list;
    return list;
}

std::string Trimmed(const std::string& line) {
    std::size_t first = 0, last = line.size();
    while (first < last && static_cast<unsigned char>(line[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(line[last - 1]) <= 32) --last;
    return line.substr(first, last - first);
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<std::string> ReadFunctionHelp(const std::string& path) {
    std::vector<std::string> lines;
    std::string text;
    try {
        text = ReadFileText(path);
    } catch (const FileError&) {
        return lines;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trimmed(text.substr(start, end - start));
        if (!line.empty() && line[0] != '#') lines.push_back(std::move(line));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
    return lines;
}

const std::vector<std::string>& FunctionHelpList() { return HelpList(); }

void LoadFunctionHelp(const std::string& folder) { HelpList() = ReadFunctionHelp(JoinPath(folder, "fnames")); }

}  // namespace kestrin
