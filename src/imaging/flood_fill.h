#pragma once
// The fill tool: a scanline fill of the 4-connected area of one exact colour.

#include "imaging/bitmap24.h"

namespace kestrin {

// Fills the area of (x, y)'s colour connected to it; nothing happens outside
// the image or when the area already has the colour. Works with its own
// stack of seeds, so any size of area is safe.
void FloodFill(Bitmap24& image, int x, int y, ColorValue color);

}  // namespace kestrin
