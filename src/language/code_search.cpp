// Find and replace in code text.

#include "language/code_search.h"

#include <algorithm>

namespace kestrin {

namespace {

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Latin-1 letters fold to lower case; the multiplication sign has no case.
unsigned char Folded(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<unsigned char>(u + 32);
    return u;
}

bool MatchesAt(std::string_view text, std::string_view what, int at, SearchOptions options) {
    for (std::size_t i = 0; i < what.size(); ++i) {
        char a = text[at + i], b = what[i];
        if (options.matchCase ? a != b : Folded(a) != Folded(b)) return false;
    }
    if (options.wholeWord) {
        if (at > 0 && IsWordCharacter(text[at - 1])) return false;
        std::size_t after = at + what.size();
        if (after < text.size() && IsWordCharacter(text[after])) return false;
    }
    return true;
}

}  // namespace

int FindInText(std::string_view text, std::string_view what, int from, int to, SearchOptions options) {
    if (what.empty()) return -1;
    const int size = static_cast<int>(text.size());
    from = std::clamp(from, 0, size);
    to = std::clamp(to, from, size);
    const int last = to - static_cast<int>(what.size());
    for (int at = from; at <= last; ++at) {
        if (options.matchCase) {
            std::size_t found = text.find(what, at);
            if (found == std::string_view::npos || static_cast<int>(found) > last) return -1;
            at = static_cast<int>(found);
        }
        if (MatchesAt(text, what, at, options)) return at;
    }
    return -1;
}

int FindWrapping(std::string_view text, std::string_view what, int from, SearchOptions options) {
    const int size = static_cast<int>(text.size());
    int found = FindInText(text, what, from, size, options);
    if (found < 0) found = FindInText(text, what, 0, size, options);
    return found;
}

ReplaceAllResult ReplaceAllInText(std::string_view text, std::string_view what, std::string_view with,
                                  SearchOptions options) {
    ReplaceAllResult result;
    if (what.empty()) {
        result.text = text;
        return result;
    }
    const int size = static_cast<int>(text.size());
    int copied = 0;
    for (int at = FindInText(text, what, 0, size, options); at >= 0;
         at = FindInText(text, what, at + static_cast<int>(what.size()), size, options)) {
        result.text.append(text.substr(copied, at - copied));
        result.text.append(with);
        copied = at + static_cast<int>(what.size());
        ++result.count;
    }
    result.text.append(text.substr(copied));
    return result;
}

}  // namespace kestrin
