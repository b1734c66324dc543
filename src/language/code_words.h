#pragma once
// Words of code as the editors take them: the name at the caret (for the
// function help and the resource properties) and the name a help line
// starts with.

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

bool IsNameCharacter(char c);

struct WordSpan {
    int start = 0;
    int length = 0;
};

// The run of ASCII letters, digits and "_" in the line that contains the
// column or ends at it; empty at the column when there is none.
WordSpan WordAt(std::string_view line, int column);

// The leading run of ASCII letters, digits and "_".
std::string_view LeadingName(std::string_view line);

// The first line that begins with the word; -1 for an empty word or none.
int FirstLineStartingWith(const std::vector<std::string>& lines, std::string_view word);

}  // namespace kestrin
