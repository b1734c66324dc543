#pragma once
// The colouring of a whole text kept line by line, without any widget: each
// line remembers its runs and the comment state it started and ended with,
// so an edit recolours only the edited lines and the lines after them whose
// comment state changes.

#include <string>
#include <string_view>
#include <vector>

#include "language/color_code.h"

namespace kestrin {

class ColorCodeDocument {
public:
    // Colours from the preferences' colour table.
    explicit ColorCodeDocument(const NameResolver& game);
    ColorCodeDocument(const NameResolver& game, const ColorTable& colors);

    void SetColors(const ColorTable& colors) { mColors = colors; }

    // Replaces the whole text, uncoloured. Lines end at CR LF, LF or CR.
    void SetText(std::string_view text);
    int LineCount() const { return static_cast<int>(mLines.size()); }
    const std::string& LineText(int line) const { return mLines[line].text; }

    // Replaces count lines from first with the given ones; they stay
    // uncoloured until ColorCode_Update or ColorCode_All reaches them.
    void ReplaceLines(int first, int count, const std::vector<std::string>& lines);

    // Colours one line with the given incoming state; returns the state at
    // its end.
    bool ColorCode_Line(int line, bool startsInComment);
    // Whether the line ends inside a block comment (false before the first).
    bool ColorCode_EndsInComment(int line) const;
    // Whether the line was coloured as starting inside a block comment.
    bool ColorCode_StartsInComment(int line) const;
    // Recolours the line and then every following line that is uncoloured or
    // was coloured with another incoming state; returns how many lines were
    // coloured.
    int ColorCode_Update(int line);
    void ColorCode_All();
    // Everything black, no bold or italic.
    void ColorCode_Clear();

    // The formatting of a line: runs of class, colour and style.
    const std::vector<ColorRun>& Runs(int line) const { return mLines[line].runs; }
    bool IsColored(int line) const { return mLines[line].colored; }

private:
    struct Line {
        std::string text;
        std::vector<ColorRun> runs;
        bool colored = false;
        bool startsInComment = false;
        bool endsInComment = false;
    };
    static void ClearLine(Line& line);

    const NameResolver& mGame;
    ColorTable mColors;
    std::vector<Line> mLines;
    std::vector<std::uint8_t> mClasses;  // working storage, kept between calls
};

// Splits text into lines at CR LF, LF or CR; an empty text is one empty line.
std::vector<std::string> SplitCodeLines(std::string_view text);

}  // namespace kestrin
