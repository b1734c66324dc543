// Splitting library code at its "#define" lines.

#include "engine/script/library_code.h"

namespace kestrin::engine {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::vector<LibraryScript> SplitLibraryCode(std::string_view text) {
    constexpr std::string_view kDefine = "#define";
    std::vector<LibraryScript> scripts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(start, next - start);
        const std::size_t define = line.find(kDefine);
        if (define != std::string_view::npos) {
            std::size_t from = define + kDefine.size();
            while (from < line.size() && IsBlank(line[from])) ++from;
            std::size_t to = from;
            while (to < line.size() && !IsBlank(line[to])) ++to;
            scripts.push_back(LibraryScript{std::string(line.substr(from, to - from)), std::string()});
        } else if (!scripts.empty()) {
            scripts.back().code.append(line);
        }
        start = next;
    }
    return scripts;
}

}  // namespace kestrin::engine
