#pragma once
// Blank-based indentation of code held as one text with LF line breaks
// (positions count characters, a line break is one): the tab key, block
// indent and unindent, automatic indent of a new line and the backspace that
// jumps back one indentation level. Each rule returns the edit to make; the
// edit control applies it. Indentation is made of blanks, never tabs.

#include <optional>
#include <string>
#include <string_view>

namespace kestrin {

// Replace [from, to) by insert, then select selLength characters from selStart.
struct CodeEdit {
    int from = 0;
    int to = 0;
    std::string insert;
    int selStart = 0;
    int selLength = 0;
};

// The ranges the preferences dialog offers; anything else is clamped to them.
inline constexpr int kMinTabSize = 1;
inline constexpr int kMaxTabSize = 999;
int ClampTabSize(int tabSize);

// Blank or control characters at the start of the line.
int LeadingBlankCount(std::string_view line);
// Only blank or control characters (or nothing).
bool IsBlankLine(std::string_view line);

// Blanks the tab key adds at column c: with smart tabs, the distance to the
// start of the next word of the line above; otherwise (or when the line above
// is too short) up to the next tab stop.
int TabBlankCount(std::optional<std::string_view> lineAbove, int column, int tabSize, bool smartTabs);

// The tab key: the selected text followed by the blanks, caret after them.
CodeEdit TabEdit(std::string_view text, int selStart, int selLength, int tabSize, bool smartTabs);

// Ctrl+I (n > 0) or Ctrl+Shift+I (n < 0) on the lines of the selection. An
// unindent goes no further than the least indented line; leading tabs become
// blanks. The selection keeps its characters and never leaves its lines.
CodeEdit BlockIndentEdit(std::string_view text, int selStart, int selLength, int n);

// After a line break: the blanks of the nearest non-blank line above the
// caret's line, put at the caret. Nothing without such a line.
std::optional<CodeEdit> AutoIndentEdit(std::string_view text, int caret);

// Backspace inside the leading blanks (nothing selected, no blank right after
// the caret) goes back to the indentation of the nearest line above that is
// less indented. Nothing when the rule does not apply.
std::optional<CodeEdit> SmartBackspaceEdit(std::string_view text, int selStart, int selLength);

}  // namespace kestrin
