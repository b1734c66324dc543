#pragma once
// Find and replace in code text: match case and whole word, searches that
// wrap to the start, and Replace All in one pass.

#include <string>
#include <string_view>

namespace kestrin {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// The first match of what starting in [from, to); -1 when there is none or
// what is empty.
int FindInText(std::string_view text, std::string_view what, int from, int to, SearchOptions options);

// From `from` to the end, then from the start: the match, or -1.
int FindWrapping(std::string_view text, std::string_view what, int from, SearchOptions options);

struct ReplaceAllResult {
    std::string text;
    int count = 0;
};

// Every match from left to right, continuing after each inserted replacement;
// an empty search text replaces nothing.
ReplaceAllResult ReplaceAllInText(std::string_view text, std::string_view what, std::string_view with,
                                  SearchOptions options);

}  // namespace kestrin
