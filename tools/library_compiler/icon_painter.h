#pragma once
// A 24 x 24 canvas that draws action icons from simple shape commands, and
// writes them as 24-bit BMP files. The canvas starts in the key colour, which
// the bottom-left pixel keeps so that it reads as see-through.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrin::tools {

inline constexpr int kCanvasSize = 24;
inline constexpr std::uint32_t kKeyColor = 0xFF00FFu;  // 0xRRGGBB

class IconPainter {
public:
    IconPainter() { mPixels.fill(kKeyColor); }

    void Plot(int x, int y, std::uint32_t rgb);
    void Rect(int x, int y, int w, int h, std::uint32_t rgb);
    void Frame(int x, int y, int w, int h, std::uint32_t rgb);
    void Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int thickness = 1);
    void Arrow(int x1, int y1, int x2, int y2, std::uint32_t rgb, int thickness = 1);
    void Disc(int cx, int cy, int r, std::uint32_t rgb);
    void Ring(int cx, int cy, int r, std::uint32_t rgb, int thickness = 1);
    void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, std::uint32_t rgb);
    // Capital letters, digits and common signs in a 5 x 7 font, 6 pixels apart.
    // False when the text holds a character the font lacks.
    bool Text(int x, int y, const std::string& text, std::uint32_t rgb);

    std::uint32_t At(int x, int y) const { return mPixels[static_cast<std::size_t>(y * kCanvasSize + x)]; }
    bool Blank() const;
    const std::array<std::uint32_t, kCanvasSize * kCanvasSize>& Pixels() const { return mPixels; }

    // A complete BMP file: 24 bits, bottom-up rows.
    std::string ToBmp() const;

private:
    std::array<std::uint32_t, kCanvasSize * kCanvasSize> mPixels{};
};

}  // namespace kestrin::tools
