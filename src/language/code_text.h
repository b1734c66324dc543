#pragma once
// Code as stored (lines ending with CR LF) and code as edited (lines
// separated by one LF, so a position counts one character per line break).

#include <string>
#include <string_view>

namespace kestrin {

// Stored code to edited text: CR LF, LF and a lone CR each end a line.
std::string CodeToEditText(std::string_view code);

// Edited text to stored code: every line break becomes CR LF.
std::string EditTextToCode(std::string_view text);

// The longest characters any code editor holds; only growth is refused, so
// a longer stored text still opens whole.
inline constexpr int kMaxEditedCodeLength = 256000;

}  // namespace kestrin
