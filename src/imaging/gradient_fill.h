#pragma once
// The gradient fill of the image editor, in six kinds.

#include "imaging/bitmap24.h"

namespace kestrin {

inline constexpr int kGradientKinds = 6;

// From c1 to c2: 0 left to right, 1 top to bottom, 2 rectangles and
// 3 ellipses from the edge to the centre, 4 from both sides to the middle
// column, 5 from top and bottom to the middle row. An image too small for a
// step (one pixel wide or high) takes c1 there.
void GradientFill(Bitmap24& image, int kind, ColorValue c1, ColorValue c2);

}  // namespace kestrin
