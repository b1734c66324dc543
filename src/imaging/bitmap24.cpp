// The 24-bit image type and its row-wise drawing helpers.

#include "imaging/bitmap24.h"

#include <algorithm>
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
    // Clip against the source, then against this image.
    if (left < 0) { x -= left; left = 0; }
    if (top < 0) { y -= top; top = 0; }
    right = std::min(right, source.mWidth);
    bottom = std::min(bottom, source.mHeight);
    if (x < 0) { left -= x; x = 0; }
    if (y < 0) { top -= y; y = 0; }
    right = std::min(right, left + (mWidth - x));
    bottom = std::min(bottom, top + (mHeight - y));
    if (left >= right || top >= bottom) return;
    std::size_t bytes = static_cast<std::size_t>(right - left) * 3;
    for (int row = top; row < bottom; ++row)
        std::memmove(Row(y + row - top) + 3 * x, source.Row(row) + 3 * left, bytes);
}

void Bitmap24::Draw(const Bitmap24& source, int x, int y) {
    CopyRect(source, 0, 0, source.mWidth, source.mHeight, x, y);
}

void Bitmap24::DrawSeeThrough(const Bitmap24& source, int x, int y, ColorValue key) {
    int left = std::max(0, -x), top = std::max(0, -y);
    int right = std::min(source.mWidth, mWidth - x), bottom = std::min(source.mHeight, mHeight - y);
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
