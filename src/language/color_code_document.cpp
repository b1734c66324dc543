// Whole-text colouring with per-line comment states.

#include "language/color_code_document.h"

#include <algorithm>

#include "platform/preferences.h"

namespace kestrin {

std::vector<std::string> SplitCodeLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

ColorCodeDocument::ColorCodeDocument(const NameResolver& game) : ColorCodeDocument(game, Prefs().Colors) {}

ColorCodeDocument::ColorCodeDocument(const NameResolver& game, const ColorTable& colors)
    : mGame(game), mColors(colors) {
    SetText(std::string_view());
}

void ColorCodeDocument::ClearLine(Line& line) {
    line.runs.clear();
    if (!line.text.empty())
        line.runs.push_back(ColorRun{0, static_cast<int>(line.text.size()), ccText, 0, false, false});
    line.colored = false;
    line.startsInComment = line.endsInComment = false;
}

void ColorCodeDocument::SetText(std::string_view text) {
    mLines.clear();
    for (auto& lineText : SplitCodeLines(text)) {
        Line line;
        line.text = std::move(lineText);
        ClearLine(line);
        mLines.push_back(std::move(line));
    }
}

void ColorCodeDocument::ReplaceLines(int first, int count, const std::vector<std::string>& lines) {
    first = std::clamp(first, 0, LineCount());
    count = std::clamp(count, 0, LineCount() - first);
    // Lines replaced one for one stay where they are; only a change in the
    // number of lines moves the lines after them.
    const int common = std::min(count, static_cast<int>(lines.size()));
    for (int i = 0; i < common; ++i) {
        mLines[first + i].text = lines[i];
        ClearLine(mLines[first + i]);
    }
    first += common;
    count -= common;
    std::vector<Line> added(lines.size() - common);
    for (std::size_t i = 0; i < added.size(); ++i) {
        added[i].text = lines[common + i];
        ClearLine(added[i]);
    }
    mLines.erase(mLines.begin() + first, mLines.begin() + first + count);
    mLines.insert(mLines.begin() + first, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    if (mLines.empty()) {
        mLines.emplace_back();
    }
}

bool ColorCodeDocument::ColorCode_Line(int index, bool startsInComment) {
    Line& line = mLines[index];
    bool ends = ColorCode_Classify(line.text, startsInComment, mGame, mClasses);
    line.runs = ColorCode_Runs(mClasses, mColors);
    line.colored = true;
    line.startsInComment = startsInComment;
    line.endsInComment = ends;
    return ends;
}

bool ColorCodeDocument::ColorCode_EndsInComment(int index) const {
    if (index < 0 || index >= LineCount()) return false;
    if (mLines[index].colored) return mLines[index].endsInComment;
    // An uncoloured line: work forward from the last coloured line before it.
    int from = index;
    while (from >= 0 && !mLines[from].colored) --from;
    bool state = from >= 0 && mLines[from].endsInComment;
    std::vector<std::uint8_t> scratch;
    for (int i = from + 1; i <= index; ++i) state = ColorCode_Classify(mLines[i].text, state, mGame, scratch);
    return state;
}

bool ColorCodeDocument::ColorCode_StartsInComment(int index) const {
    return index >= 0 && index < LineCount() && mLines[index].colored && mLines[index].startsInComment;
}

int ColorCodeDocument::ColorCode_Update(int index) {
    if (index < 0 || index >= LineCount()) return 0;
    int colored = 0;
    bool state = ColorCode_EndsInComment(index - 1);
    for (int k = index; k < LineCount(); ++k) {
        if (k > index && mLines[k].colored && mLines[k].startsInComment == state) break;
        state = ColorCode_Line(k, state);
        ++colored;
    }
    return colored;
}

void ColorCodeDocument::ColorCode_All() {
    bool state = false;
    for (int k = 0; k < LineCount(); ++k) state = ColorCode_Line(k, state);
}

void ColorCodeDocument::ColorCode_Clear() {
    for (Line& line : mLines) ClearLine(line);
}

}  // namespace kestrin
