#pragma once
// Bracket matching in code: brackets inside strings and comments do not
// count.

#include <string_view>

namespace kestrin {

// The position of the bracket that matches the one at position, or -1 when
// that is no bracket of code or has no partner. The text has LF line breaks.
int MatchingBracket(std::string_view text, int position);

}  // namespace kestrin
