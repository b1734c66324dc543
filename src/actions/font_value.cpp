// Reading and writing font values as comma text.

#include "actions/font_value.h"

#include <vector>

#include "platform/integer_text.h"

namespace kestrin {

namespace {

bool NeedsQuotes(const std::string& item) {
    for (unsigned char c : item)
        if (c <= ' ' || c == ',' || c == '"') return true;
    return item.empty();
}

std::string Quoted(const std::string& item) {
    if (!NeedsQuotes(item)) return item;
    std::string out = "\"";
    for (char c : item) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

// Items split at commas and at unquoted blanks (runs of them count once,
// and a blank run next to a comma belongs to that comma).
std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && static_cast<unsigned char>(text[i]) <= ' ' && text[i] != '\0') ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
        }
        items.push_back(item);
        skipBlanks();
        if (i < n && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i == n) items.emplace_back();
        }
    }
    return items;
}

}  // namespace

FontValue ParseFontValue(const std::string& text) {
    FontValue font;
    const std::vector<std::string> items = SplitItems(text);
    auto item = [&items](std::size_t i) { return i < items.size() ? items[i] : std::string(); };
    if (!item(0).empty()) font.Name = item(0);
    font.Size = IntegerOr(item(1), font.Size);
    font.Color = IntegerOr(item(2), font.Color);
    font.Bold = IntegerOr(item(3), 0) != 0;
    font.Italic = IntegerOr(item(4), 0) != 0;
    font.Underline = IntegerOr(item(5), 0) != 0;
    font.StrikeOut = IntegerOr(item(6), 0) != 0;
    return font;
}

std::string ComposeFontValue(const FontValue& font) {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    return Quoted(font.Name) + "," + std::to_string(font.Size) + "," + std::to_string(font.Color) + "," +
           flag(font.Bold) + "," + flag(font.Italic) + "," + flag(font.Underline) + "," + flag(font.StrikeOut);
}

}  // namespace kestrin
