#pragma once
// How a picture resource shows: its display image, and the 16 x 16 tree icon
// made from it (the picture shrunk to fit, centred on the icon background
// colour, whose bottom-left pixel always carries that colour so icon lists
// treat it as transparent).

#include "imaging/bitmap24.h"

namespace kestrin {

// The picture drawn at 0,0 on a width x height image filled with fill,
// see-through on the picture's own transparent colour when transparent is set.
Image MakeDisplayImage(const Bitmap24& picture, int width, int height, ColorValue fill, bool transparent);

// An empty icon when there is no picture.
Image MakeResourceIcon(const Bitmap24* display, bool transparent);

}  // namespace kestrin
