#pragma once
// Bitmap24: the 24-bit image every picture of the system is kept as. Rows run
// top-down, three bytes per pixel in the order blue, green, red, rows packed
// without padding. Also the few whole-row drawing helpers the operations share.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/color.h"

namespace kestrin {

// Largest side and pixel count an image may have; decoders refuse bigger
// pictures so a forged size cannot ask for gigabytes.
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{32} << 20;

// Whether an image of this size may be made at all.
inline constexpr bool WithinImageLimits(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

// A pixel's bytes as a colour value and back, for row loops.
inline ColorValue PixelColor(const std::uint8_t* p) { return MakeColor(p[2], p[1], p[0]); }
inline void PutPixel(std::uint8_t* p, ColorValue c) {
    p[0] = static_cast<std::uint8_t>(BlueOf(c));
    p[1] = static_cast<std::uint8_t>(GreenOf(c));
    p[2] = static_cast<std::uint8_t>(RedOf(c));
}

class Bitmap24 {
public:
    // Sizes below 1 become 1; pixels are black.
    Bitmap24(int width, int height);
    Bitmap24(int width, int height, ColorValue fill);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    std::size_t RowBytes() const { return static_cast<std::size_t>(mWidth) * 3; }
    std::uint8_t* Row(int y) { return mPixels.data() + static_cast<std::size_t>(y) * RowBytes(); }
    const std::uint8_t* Row(int y) const { return mPixels.data() + static_cast<std::size_t>(y) * RowBytes(); }
    std::uint8_t* Bits() { return mPixels.data(); }
    const std::uint8_t* Bits() const { return mPixels.data(); }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
    ColorValue Pixel(int x, int y) const { return PixelColor(Row(y) + 3 * x); }
    void SetPixel(int x, int y, ColorValue c) { PutPixel(Row(y) + 3 * x, c); }
    // The colour of the bottom-left pixel.
    ColorValue TransparentColor() const { return Pixel(0, mHeight - 1); }

    void Fill(ColorValue c);
    // Fills the part of the rectangle (right and bottom exclusive) inside the image.
    void FillRect(int left, int top, int right, int bottom, ColorValue c);
    // Draws source with its top-left corner at (x, y), cut at the edges.
    void Draw(const Bitmap24& source, int x, int y);
    // As Draw, but source pixels of the key colour are skipped.
    void DrawSeeThrough(const Bitmap24& source, int x, int y, ColorValue key);
    // Copies the source rectangle (right and bottom exclusive) to (x, y); the
    // parts outside either image are left alone.
    void CopyRect(const Bitmap24& source, int left, int top, int right, int bottom, int x, int y);

    bool operator==(const Bitmap24& other) const {
        return mWidth == other.mWidth && mHeight == other.mHeight && mPixels == other.mPixels;
    }

private:
    int mWidth;
    int mHeight;
    std::vector<std::uint8_t> mPixels;
};

// An image that may be absent: what every operation returns.
using Image = std::unique_ptr<Bitmap24>;

}  // namespace kestrin
