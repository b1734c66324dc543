// Laying out the text of the drawing functions.

#include "engine/text_layout.h"

#include <algorithm>
#include <cmath>

namespace kestrin::engine {

namespace {

// The text split at its line breaks, with "\#" kept as a plain '#'.
std::vector<std::string> HardLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '#') {
            lines.back() += '#';
            ++i;
        } else if (text[i] == '#' || text[i] == '\n') {
            lines.emplace_back();
        } else if (text[i] != '\r') {
            lines.back() += text[i];
        }
    }
    return lines;
}

// Breaks between words so that each piece fits the width where it can; a
// single word wider than the width stays whole.
void Wrap(const std::string& line, int wrapWidth, const TextMetrics& metrics, const TextFont& font,
          std::vector<std::string>& out) {
    if (wrapWidth < 0 || metrics.Width(line, font) <= wrapWidth) {
        out.push_back(line);
        return;
    }
    std::string current;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t end = line.find(' ', i);
        if (end == std::string::npos) end = line.size();
        const std::string word = line.substr(i, end - i);
        const std::string joined = current.empty() ? word : current + ' ' + word;
        if (!current.empty() && metrics.Width(joined, font) > wrapWidth) {
            out.push_back(current);
            current = word;
        } else {
            current = joined;
        }
        i = end + 1;
    }
    out.push_back(current);
}

}  // namespace

const TextMetrics& EstimatedMetrics() {
    static const EstimatedTextMetrics metrics;
    return metrics;
}

int EstimatedTextMetrics::Width(const std::string& line, const TextFont& font) const {
    return static_cast<int>(std::lround(static_cast<double>(line.size()) * std::max(font.size, 1.0) * 2 / 3));
}

int EstimatedTextMetrics::LineHeight(const TextFont& font) const {
    return static_cast<int>(std::lround(std::max(font.size, 1.0) * 3 / 2));
}

TextBlock LayOutText(const std::string& text, int x, int y, int align, int separation, int wrapWidth,
                     const TextMetrics& metrics, const TextFont& font) {
    std::vector<std::string> lines;
    for (const std::string& line : HardLines(text)) Wrap(line, wrapWidth, metrics, font, lines);
    const int step = separation >= 0 ? separation : metrics.LineHeight(font);
    TextBlock block;
    int lineY = y;
    for (std::string& line : lines) {
        const int width = metrics.Width(line, font);
        const int lineX = align == kAlignCenter ? x - width / 2 : align == kAlignRight ? x - width : x;
        block.width = std::max(block.width, width);
        block.lines.push_back({std::move(line), lineX, lineY});
        lineY += step;
    }
    // The last line is as high as the font, whatever the separation.
    block.height = step * (static_cast<int>(block.lines.size()) - 1) + metrics.LineHeight(font);
    return block;
}

}  // namespace kestrin::engine
