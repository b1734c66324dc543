// Words at the caret and in help lines.

#include "language/code_words.h"

#include <algorithm>

namespace kestrin {

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

WordSpan WordAt(std::string_view line, int column) {
    const int length = static_cast<int>(line.size());
    column = std::clamp(column, 0, length);
    int start = column, end = column;
    while (start > 0 && IsNameCharacter(line[start - 1])) --start;
    while (end < length && IsNameCharacter(line[end])) ++end;
    return {start, end - start};
}

std::string_view LeadingName(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && IsNameCharacter(line[end])) ++end;
    return line.substr(0, end);
}

int FirstLineStartingWith(const std::vector<std::string>& lines, std::string_view word) {
    if (word.empty()) return -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::string_view(lines[i]).substr(0, word.size()) == word) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kestrin
