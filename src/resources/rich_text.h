#pragma once
// CRichText: the formatted text of the game information page. A document is
// a list of paragraphs (alignment, bullet) made of runs of 8-bit text that
// share one character format (font, size, colour, bold, italic, underline).
// Inside a run, '\t' is a tab and '\n' a line break within the paragraph.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

inline constexpr const char* kDefaultFontName = "Arial";
inline constexpr double kDefaultFontSize = 12.0;

enum class ParagraphAlignment { Left, Center, Right, Justify };

struct TextFormat {
    std::string FontName = kDefaultFontName;
    double Size = kDefaultFontSize;  // points, in steps of a half point
    std::int32_t Color = 0;          // red in the low byte
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const TextFormat&) const = default;
};

struct TextRun {
    std::string Text;
    TextFormat Format;
    bool operator==(const TextRun&) const = default;
};

struct RichParagraph {
    ParagraphAlignment Alignment = ParagraphAlignment::Left;
    bool Bullet = false;
    std::vector<TextRun> Runs;
    std::string PlainText() const;
    bool operator==(const RichParagraph&) const = default;
};

class CRichText {
public:
    std::vector<RichParagraph> Paragraphs;

    bool Empty() const { return Paragraphs.empty(); }
    void Clear() { Paragraphs.clear(); }
    // The paragraphs' text joined with CR LF.
    std::string PlainText() const;
    // One paragraph per line (CR LF, LF or CR), all in the given format.
    static CRichText FromPlainText(const std::string& text, const TextFormat& format = {});
    // Drops empty runs and joins neighbouring runs of equal format, so that
    // two documents that look the same compare equal.
    void Normalize();

    bool operator==(const CRichText&) const = default;
};

}  // namespace kestrin
