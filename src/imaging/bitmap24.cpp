// The 24-bit image type and its row-wise drawing helpers.

#include "imaging/bitmap24.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kestrin {

Bitmap24::Bitmap24(int width, int height)
    : mWidth(std::max(width, 1)), mHeight(std::max(height, 1)),
      mPixels(static_cast<std::size_t>(mWidth) * 3 * static_cast<std::size_t>(mHeight), 0) {}

Bitmap24::Bitmap24(int width, int height, ColorValue fill) : Bitmap24(width, height) { Fill(fill); }

void Bitmap24::Fill(ColorValue c) { FillRect(0, 0, mWidth, mHeight, c); }

void Bitmap24::FillRect(int left, int top, int right, int bottom, ColorValue c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, mWidth);
    bottom = std::min(bottom, mHeight);
    if (left >= right || top >= bottom) return;
    // Build one row of the colour, then copy it to every row.
    std::vector<std::uint8_t> line(static_cast<std::size_t>(right - left) * 3);
    for (std::size_t i = 0; i < line.size(); i += 3) PutPixel(&line[i], c);
    for (int y = top; y < bottom; ++y) std::memcpy(Row(y) + 3 * left, line.data(), line.size());
}

void Bitmap24::CopyRect(const Bitmap24& source, int left, int top, int right, int bottom, int x, int y) {
    // Clip against the source, then against this image, in 64 bits: positions
    // from room files may lie anywhere in 32 bits, and their differences
    // must not wrap back onto the pixels.
    std::int64_t l = left, t = top, r = right, b = bottom, dx = x, dy = y;
    if (l < 0) { dx -= l; l = 0; }
    if (t < 0) { dy -= t; t = 0; }
    r = std::min<std::int64_t>(r, source.mWidth);
    b = std::min<std::int64_t>(b, source.mHeight);
    if (dx < 0) { l -= dx; dx = 0; }
    if (dy < 0) { t -= dy; dy = 0; }
    r = std::min(r, l + (mWidth - dx));
    b = std::min(b, t + (mHeight - dy));
    if (l >= r || t >= b) return;
    // Now every value lies inside one of the two images.
    std::size_t bytes = static_cast<std::size_t>(r - l) * 3;
    for (std::int64_t row = t; row < b; ++row)
        std::memmove(Row(static_cast<int>(dy + row - t)) + 3 * dx, source.Row(static_cast<int>(row)) + 3 * l, bytes);
}

void Bitmap24::Draw(const Bitmap24& source, int x, int y) {
    CopyRect(source, 0, 0, source.mWidth, source.mHeight, x, y);
}

void Bitmap24::DrawSeeThrough(const Bitmap24& source, int x, int y, ColorValue key) {
    // The visible part of the source, worked out in 64 bits as in CopyRect.
    auto clip = [](std::int64_t low, std::int64_t high) { return static_cast<int>(std::clamp<std::int64_t>(low, 0, high)); };
    int left = clip(-std::int64_t{x}, source.mWidth), top = clip(-std::int64_t{y}, source.mHeight);
    int right = clip(std::int64_t{mWidth} - x, source.mWidth), bottom = clip(std::int64_t{mHeight} - y, source.mHeight);
    if (left >= right || top >= bottom) return;
    std::uint8_t kb = static_cast<std::uint8_t>(BlueOf(key)), kg = static_cast<std::uint8_t>(GreenOf(key)),
                 kr = static_cast<std::uint8_t>(RedOf(key));
    for (int row = top; row < bottom; ++row) {
        const std::uint8_t* s = source.Row(row) + 3 * left;
        std::uint8_t* d = Row(y + row) + 3 * (x + left);
        for (int col = left; col < right; ++col, s += 3, d += 3)
            if (s[0] != kb || s[1] != kg || s[2] != kr) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
    }
}

}  // namespace kestrin
