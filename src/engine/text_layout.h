#pragma once
// The text of the drawing functions laid out in lines: '#' starts a new line
// ("\#" is a plain '#'), a line longer than the wrapping width breaks between
// words, and each line is placed by the font alignment. Widths come from the
// shell's font; headless play has none and estimates them.

#include <string>
#include <vector>

#include "engine/canvas.h"

namespace kestrin::engine {

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int Width(const std::string& line, const TextFont& font) const = 0;
    virtual int LineHeight(const TextFont& font) const = 0;
};

// Without a font: every character two thirds of the font size wide, a line
// one and a half times the size high.
class EstimatedTextMetrics : public TextMetrics {
public:
    int Width(const std::string& line, const TextFont& font) const override;
    int LineHeight(const TextFont& font) const override;
};

// One estimate for everyone.
const TextMetrics& EstimatedMetrics();

inline constexpr int kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2;

struct TextLine {
    std::string text;
    int x = 0, y = 0;  // top-left corner
};

struct TextBlock {
    std::vector<TextLine> lines;
    int width = 0, height = 0;
};

// The text at (x, y): left-aligned lines start there, centred ones are
// centred on it, right-aligned ones end there. A separation below 0 is the
// font's line height; a width below 0 wraps nothing.
TextBlock LayOutText(const std::string& text, int x, int y, int align, int separation, int wrapWidth,
                     const TextMetrics& metrics, const TextFont& font);

}  // namespace kestrin::engine
