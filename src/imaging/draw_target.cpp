// Drawing into a 24-bit image.

#include "imaging/draw_target.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kestrin {

void ImageDrawTarget::DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) {
    if (seeThrough)
        mCanvas.DrawSeeThrough(image, x, y, image.TransparentColor());
    else
        mCanvas.Draw(image, x, y);
}

void ImageDrawTarget::DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) {
    if (width <= 0 || height <= 0) return;
    ColorValue key = image.TransparentColor();
    // In 64 bits: a far position plus its size must not wrap onto the canvas.
    int left = std::max(x, 0), right = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + width, mCanvas.Width()));
    int top = std::max(y, 0), bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + height, mCanvas.Height()));
    for (int dy = top; dy < bottom; ++dy) {
        const std::uint8_t* source = image.Row(static_cast<int>((std::int64_t{dy} - y) * image.Height() / height));
        std::uint8_t* d = mCanvas.Row(dy) + 3 * left;
        for (int dx = left; dx < right; ++dx, d += 3) {
            const std::uint8_t* s = source + 3 * ((std::int64_t{dx} - x) * image.Width() / width);
            if (seeThrough && PixelColor(s) == key) continue;
            std::memcpy(d, s, 3);
        }
    }
}

}  // namespace kestrin
