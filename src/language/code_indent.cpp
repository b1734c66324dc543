// The indentation rules of the code edit control.

#include "language/code_indent.h"

#include <algorithm>
#include <vector>

namespace kestrin {

namespace {

struct LineSpan {
    int start;
    int end;  // the line break or the end of the text
};

LineSpan LineAt(std::string_view text, int position) {
    position = std::clamp(position, 0, static_cast<int>(text.size()));
    std::size_t before = position == 0 ? std::string_view::npos : text.rfind('\n', position - 1);
    int start = before == std::string_view::npos ? 0 : static_cast<int>(before) + 1;
    std::size_t after = text.find('\n', position);
    int end = after == std::string_view::npos ? static_cast<int>(text.size()) : static_cast<int>(after);
    return {start, end};
}

std::string_view Slice(std::string_view text, LineSpan line) {
    return text.substr(line.start, line.end - line.start);
}

// The line before the one starting at start, if any.
std::optional<LineSpan> LineBefore(std::string_view text, int start) {
    if (start <= 0) return std::nullopt;
    return LineAt(text, start - 1);
}

int LeadingBlanksOnly(std::string_view line) {
    int count = 0;
    while (count < static_cast<int>(line.size()) && line[count] == ' ') ++count;
    return count;
}

}  // namespace

int ClampTabSize(int tabSize) { return std::clamp(tabSize, kMinTabSize, kMaxTabSize); }

int LeadingBlankCount(std::string_view line) {
    int count = 0;
    while (count < static_cast<int>(line.size()) && static_cast<unsigned char>(line[count]) <= ' ') ++count;
    return count;
}

bool IsBlankLine(std::string_view line) { return LeadingBlankCount(line) == static_cast<int>(line.size()); }

int TabBlankCount(std::optional<std::string_view> lineAbove, int column, int tabSize, bool smartTabs) {
    tabSize = ClampTabSize(tabSize);
    if (smartTabs && lineAbove) {
        const int length = static_cast<int>(lineAbove->size());
        int i = column;
        while (i < length && (*lineAbove)[i] != ' ') ++i;
        while (i < length && (*lineAbove)[i] == ' ') ++i;
        if (i > column) return i - column;
    }
    return tabSize - column % tabSize;
}

CodeEdit TabEdit(std::string_view text, int selStart, int selLength, int tabSize, bool smartTabs) {
    const int size = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, size);
    const int selEnd = std::clamp(selStart + selLength, selStart, size);
    LineSpan line = LineAt(text, selEnd);
    std::optional<std::string_view> above;
    if (auto before = LineBefore(text, line.start)) above = Slice(text, *before);
    const int blanks = TabBlankCount(above, selEnd - line.start, tabSize, smartTabs);
    CodeEdit edit;
    edit.from = edit.to = selEnd;
    edit.insert.assign(blanks, ' ');
    edit.selStart = selEnd + blanks;
    return edit;
}

CodeEdit BlockIndentEdit(std::string_view text, int selStart, int selLength, int n) {
    const int size = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, size);
    const int selEnd = std::clamp(selStart + std::max(selLength, 0), selStart, size);
    LineSpan first = LineAt(text, selStart);
    // The line of the last selected character; a selection ending with a
    // line break leaves the next line alone.
    LineSpan last = LineAt(text, selEnd > selStart ? selEnd - 1 : selStart);

    std::vector<std::string_view> lines;
    for (int at = first.start;;) {
        LineSpan line = LineAt(text, at);
        lines.push_back(Slice(text, line));
        if (line.end >= last.end) break;
        at = line.end + 1;
    }
    if (n < 1) {
        int least = LeadingBlankCount(lines.front());
        for (auto line : lines) least = std::min(least, LeadingBlankCount(line));
        n = std::max(n, -least);
    }

    CodeEdit edit;
    edit.from = first.start;
    edit.to = last.end;
    std::vector<int> startsAfter;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) edit.insert += '\n';
        startsAfter.push_back(first.start + static_cast<int>(edit.insert.size()));
        const int lead = n >= 1 ? 0 : LeadingBlankCount(lines[i]);
        edit.insert.append(std::max(lead + n, 0), ' ');
        edit.insert.append(lines[i].substr(lead));
    }
    // Each position keeps its character; one inside removed blanks stays at
    // its line's start.
    const int lastIndex = static_cast<int>(lines.size()) - 1;
    edit.selStart = startsAfter[0] + std::max(selStart - first.start + n, 0);
    int newEnd;
    if (selEnd > last.end) {
        newEnd = selEnd + static_cast<int>(edit.insert.size()) - (last.end - first.start);
    } else {
        newEnd = startsAfter[lastIndex] + std::max(selEnd - last.start + n, 0);
    }
    edit.selLength = std::max(newEnd - edit.selStart, 0);
    return edit;
}

std::optional<CodeEdit> AutoIndentEdit(std::string_view text, int caret) {
    caret = std::clamp(caret, 0, static_cast<int>(text.size()));
    LineSpan line = LineAt(text, caret);
    for (auto above = LineBefore(text, line.start); above; above = LineBefore(text, above->start)) {
        std::string_view aboveText = Slice(text, *above);
        if (IsBlankLine(aboveText)) continue;
        const int blanks = LeadingBlankCount(aboveText);
        if (blanks == 0) return std::nullopt;
        CodeEdit edit;
        edit.from = edit.to = caret;
        edit.insert.assign(blanks, ' ');
        edit.selStart = caret + blanks;
        return edit;
    }
    return std::nullopt;
}

std::optional<CodeEdit> SmartBackspaceEdit(std::string_view text, int selStart, int selLength) {
    if (selLength != 0 || selStart <= 0 || selStart > static_cast<int>(text.size())) return std::nullopt;
    LineSpan line = LineAt(text, selStart);
    const int column = selStart - line.start;
    if (column == 0) return std::nullopt;
    if (selStart < line.end && text[selStart] == ' ') return std::nullopt;
    std::string_view lineText = Slice(text, line);
    const int lead = LeadingBlanksOnly(lineText);
    if (column > lead) return std::nullopt;
    int target = 0;
    for (auto above = LineBefore(text, line.start); above; above = LineBefore(text, above->start)) {
        const int count = LeadingBlanksOnly(Slice(text, *above));
        if (count < column) {
            target = count;
            break;
        }
    }
    CodeEdit edit;
    edit.from = line.start;
    edit.to = line.start + lead;
    edit.insert.assign(lead - column + target, ' ');
    edit.selStart = selStart - (column - target);
    return edit;
}

}  // namespace kestrin
