// The RTF writer.

#include "resources/rtf_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kestrin {

namespace {

constexpr const char* kBulletFont = "Symbol";

template <typename T>
int IndexOf(std::vector<T>& table, const T& value) {
    auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end()) return static_cast<int>(found - table.begin());
    table.push_back(value);
    return static_cast<int>(table.size()) - 1;
}

void AppendHex(std::string& out, unsigned char c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
}

// Text of a run or a font name; font names may not hold the table's own
// separators.
void AppendText(std::string& out, const std::string& text, bool fontName) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (fontName && (c == ';' || c == '{' || c == '}' || c == '\\' || c < 0x20)) continue;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += ch;
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n') {
            out += "\\line ";
        } else if (c < 0x20 || c >= 0x80) {
            AppendHex(out, c);
        } else {
            out += ch;
        }
    }
}

int HalfPoints(double size) {
    if (!(size > 0)) return 24;
    return std::clamp(static_cast<int>(std::lround(size * 2)), 1, 3276);
}

}  // namespace

std::string WriteRtf(const CRichText& document) {
    // Tables first: font 0 is the default font, colour 1 is black.
    std::vector<std::string> fonts{kDefaultFontName};
    std::vector<std::int32_t> colors{0};
    bool bullets = false;
    for (const RichParagraph& paragraph : document.Paragraphs) {
        bullets = bullets || paragraph.Bullet;
        for (const TextRun& run : paragraph.Runs) {
            IndexOf(fonts, run.Format.FontName);
            IndexOf(colors, run.Format.Color & 0xFFFFFF);
        }
    }
    const int bulletFont = bullets ? static_cast<int>(fonts.size()) : -1;

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
        AppendText(out, fonts[i], true);
        out += ";}";
    }
    if (bullets) out += "{\\f" + std::to_string(bulletFont) + "\\fnil\\fcharset2 " + kBulletFont + ";}";
    out += "}\r\n{\\colortbl ;";
    for (std::int32_t color : colors) {
        out += "\\red" + std::to_string(color & 0xFF) + "\\green" + std::to_string((color >> 8) & 0xFF) +
               "\\blue" + std::to_string((color >> 16) & 0xFF) + ";";
    }
    out += "}\r\n\\viewkind4\\uc1";

    for (const RichParagraph& paragraph : document.Paragraphs) {
        out += "\\pard";
        if (paragraph.Bullet) {
            const std::string f = std::to_string(bulletFont);
            out += "{\\pntext\\f" + f + "\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + f +
                   "\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li360";
        }
        switch (paragraph.Alignment) {
            case ParagraphAlignment::Left: out += "\\ql"; break;
            case ParagraphAlignment::Center: out += "\\qc"; break;
            case ParagraphAlignment::Right: out += "\\qr"; break;
            case ParagraphAlignment::Justify: out += "\\qj"; break;
        }
        for (const TextRun& run : paragraph.Runs) {
            if (run.Text.empty()) continue;
            const TextFormat& format = run.Format;
            out += "{\\f" + std::to_string(IndexOf(fonts, format.FontName)) + "\\fs" +
                   std::to_string(HalfPoints(format.Size)) + "\\cf" +
                   std::to_string(IndexOf(colors, format.Color & 0xFFFFFF) + 1);
            if (format.Bold) out += "\\b";
            if (format.Italic) out += "\\i";
            if (format.Underline) out += "\\ul";
            out += ' ';
            AppendText(out, run.Text, false);
            out += '}';
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

}  // namespace kestrin
