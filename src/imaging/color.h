#pragma once
// Colour values and the colour model: RGB <-> HSV on bytes, blending, and the
// colour as the display shows it. A colour value holds red in the low byte,
// then green, then blue.

#include <cstdint>

namespace kestrin {

using ColorValue = std::uint32_t;

inline constexpr ColorValue kEmptyFrameColor = 32832;   // red 64, green 128, blue 0
inline constexpr ColorValue kIconBackgroundColor = 16448;  // red 64, green 64, blue 0
inline constexpr ColorValue kWhite = 16777215;

inline constexpr ColorValue MakeColor(int red, int green, int blue) {
    return static_cast<ColorValue>((red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16));
}
inline constexpr int RedOf(ColorValue c) { return static_cast<int>(c & 0xff); }
inline constexpr int GreenOf(ColorValue c) { return static_cast<int>((c >> 8) & 0xff); }
inline constexpr int BlueOf(ColorValue c) { return static_cast<int>((c >> 16) & 0xff); }

struct HsvTriple {
    std::uint8_t hue = 0;         // 0..255 stands for 0..360 degrees
    std::uint8_t saturation = 0;
    std::uint8_t value = 0;
};

HsvTriple RgbToHsv(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// Writes the channels through the three pointers.
void HsvToRgb(HsvTriple hsv, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// Per channel round((1 - x) * a + x * b), halves to even.
ColorValue BlendColor(ColorValue a, ColorValue b, double x);

// On a true-colour display a colour shows as itself; system colours (high
// byte 0xFF) pass unchanged.
inline ColorValue DisplayColor(ColorValue c) { return c; }

}  // namespace kestrin
