#pragma once
// Marks drawn over a picture by inverting its pixels, as a white pen in
// exclusive-or mode draws them: they show on any background, and a pixel
// marked twice is back to what it was. The sprite window's origin cross and
// box, and the strip window's frame outlines.

#include <cstdint>

#include "imaging/bitmap24.h"
#include "imaging/strip.h"

namespace kestrin {

// The outline of the rectangle (right and bottom exclusive), each of its
// pixels inverted once; the parts outside the image are skipped. An empty
// rectangle marks nothing.
void XorRectOutline(Bitmap24& image, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// Two lines through (x, y), each 2 * arm + 1 pixels long; the centre pixel is
// crossed by both and so keeps its colour.
void XorCross(Bitmap24& image, std::int64_t x, std::int64_t y, int arm);

// The outline of every frame the settings would cut.
void XorStripOutlines(Bitmap24& image, const StripSettings& settings);

}  // namespace kestrin
