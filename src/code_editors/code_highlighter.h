#pragma once
// The colouring of a code edit control: each block is classified from its
// own text and the comment state the block before it ended with (kept as the
// block state), and its runs become formats. Formats are display only, never
// edits. When colouring is off the states are still kept, for bracket
// matching, but nothing is formatted.

#include <QSyntaxHighlighter>
#include <cstdint>
#include <vector>

#include "language/color_code.h"

namespace kestrin {

class CodeHighlighter : public QSyntaxHighlighter {
public:
    CodeHighlighter(QTextDocument* document, const NameResolver& names);

    bool Enabled() const { return mEnabled; }
    // Colours (ColorCode_All) or clears (ColorCode_Clear) the whole text.
    void SetEnabled(bool enabled);
    void SetColors(const ColorTable& colors);
    const ColorTable& Colors() const { return mColors; }
    void SetNames(const NameResolver& names);

protected:
    void highlightBlock(const QString& text) override;

private:
    const NameResolver* mNames;
    ColorTable mColors;
    bool mEnabled = true;
    std::vector<std::uint8_t> mClasses;  // working storage, kept between blocks
    std::string mLine;
};

// The comment state a block ends with, as the highlighter keeps it.
inline constexpr int kBlockEndsInComment = 1;

}  // namespace kestrin
