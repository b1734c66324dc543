// Inverting marks over a picture.

#include "image_editors/xor_marks.h"

#include <algorithm>

namespace kestrin {

namespace {

void InvertPixel(Bitmap24& image, std::int64_t x, std::int64_t y) {
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) return;
    std::uint8_t* p = image.Row(static_cast<int>(y)) + 3 * x;
    p[0] ^= 0xFF;
    p[1] ^= 0xFF;
    p[2] ^= 0xFF;
}

// Pixels from..to (inclusive) of row y, cut to the image.
void InvertRow(Bitmap24& image, std::int64_t y, std::int64_t from, std::int64_t to) {
    if (y < 0 || y >= image.Height()) return;
    for (std::int64_t x = std::max<std::int64_t>(from, 0); x <= std::min<std::int64_t>(to, image.Width() - 1); ++x)
        InvertPixel(image, x, y);
}

void InvertColumn(Bitmap24& image, std::int64_t x, std::int64_t from, std::int64_t to) {
    if (x < 0 || x >= image.Width()) return;
    for (std::int64_t y = std::max<std::int64_t>(from, 0); y <= std::min<std::int64_t>(to, image.Height() - 1); ++y)
        InvertPixel(image, x, y);
}

}  // namespace

void XorRectOutline(Bitmap24& image, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    if (right <= left || bottom <= top) return;
    const std::int64_t lastX = right - 1, lastY = bottom - 1;
    InvertRow(image, top, left, lastX);
    if (lastY != top) InvertRow(image, lastY, left, lastX);
    // The sides without the corners the rows took.
    InvertColumn(image, left, top + 1, lastY - 1);
    if (lastX != left) InvertColumn(image, lastX, top + 1, lastY - 1);
}

void XorCross(Bitmap24& image, std::int64_t x, std::int64_t y, int arm) {
    InvertRow(image, y, x - arm, x + arm);
    InvertColumn(image, x, y - arm, y + arm);
}

void XorStripOutlines(Bitmap24& image, const StripSettings& settings) {
    if (settings.width < 1 || settings.height < 1) return;
    for (int k = 0; k < settings.number; ++k) {
        const StripPoint at = StripFramePosition(settings, k);
        const std::int64_t right = std::int64_t{at.x} + settings.width, bottom = std::int64_t{at.y} + settings.height;
        if (right <= 0 || bottom <= 0 || at.x >= image.Width() || at.y >= image.Height()) continue;
        XorRectOutline(image, at.x, at.y, right, bottom);
    }
}

}  // namespace kestrin
