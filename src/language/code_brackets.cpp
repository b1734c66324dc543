// Matching brackets the way the colouring reads code: strings end at their
// quote or the line's end, "//" comments at the line's end, block comments
// at "*/".

#include "language/code_brackets.h"

#include <vector>

namespace kestrin {

namespace {

bool Opens(char c) { return c == '(' || c == '[' || c == '{'; }
bool Closes(char c) { return c == ')' || c == ']' || c == '}'; }
char Partner(char c) {
    switch (c) {
        case '(': return ')';
        case '[': return ']';
        case '{': return '}';
        case ')': return '(';
        case ']': return '[';
        default: return '{';
    }
}

}  // namespace

int MatchingBracket(std::string_view text, int position) {
    const int size = static_cast<int>(text.size());
    if (position < 0 || position >= size) return -1;
    const char target = text[position];
    if (!Opens(target) && !Closes(target)) return -1;
    // Brackets of code in order, with the depth-first pairing done on the way.
    std::vector<int> open;
    bool inBlockComment = false;
    for (int i = 0; i < size; ++i) {
        const char c = text[i];
        if (inBlockComment) {
            if (c == '/' && i > 0 && text[i - 1] == '*') inBlockComment = false;
            if (i == position) return -1;
            continue;
        }
        if (c == '/' && i + 1 < size && text[i + 1] == '*') {
            inBlockComment = true;
            if (i == position) return -1;
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < size && text[i + 1] == '/') {
            while (i < size && text[i] != '\n') {
                if (i == position) return -1;
                ++i;
            }
            continue;
        }
        if (c == '"' || c == '\'') {
            int j = i + 1;
            while (j < size && text[j] != c && text[j] != '\n') ++j;
            if (position > i && position <= j) return -1;
            i = j < size && text[j] == c ? j : j - 1;
            continue;
        }
        if (Opens(c)) {
            open.push_back(i);
        } else if (Closes(c)) {
            if (open.empty() || text[open.back()] != Partner(c)) {
                if (i == position) return -1;
                // A stray closer leaves the pairs before it alone.
                continue;
            }
            const int partner = open.back();
            open.pop_back();
            if (i == position) return partner;
            if (partner == position) return i;
        }
    }
    return -1;
}

}  // namespace kestrin
