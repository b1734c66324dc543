#pragma once
// The font value of a font argument: seven comma-separated items — name,
// size in points, colour, then "1"/"0" for bold, italic, underline and
// strike-out. Items holding a blank, a comma, a double quote or a control
// character are quoted, inner quotes doubled; unquoted blanks also separate
// items when the text is read back.

#include <cstdint>
#include <string>

namespace kestrin {

struct FontValue {
    std::string Name = "Arial";
    std::int32_t Size = 12;
    std::int32_t Color = 0;  // red in the low byte; a font chooser cannot show it, so it is kept
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const FontValue&) const = default;
};

// Missing or unreadable items keep the defaults above.
FontValue ParseFontValue(const std::string& text);
std::string ComposeFontValue(const FontValue& font);

}  // namespace kestrin
