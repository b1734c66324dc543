#pragma once
// The drawing tools of the image editor on a 24-bit image, exact to the
// pixel: pen lines of width 1..5, rectangles, ellipses and rounded
// rectangles with their fill styles, the spray and the move by one pixel.
// Everything is clipped to the image.

#include <functional>

#include "imaging/bitmap24.h"

namespace kestrin {

inline constexpr int kMinPenWidth = 1;
inline constexpr int kMaxPenWidth = 5;
inline constexpr int kRoundRectRadius = 8;

enum class ShapeKind { Rectangle, Ellipse, RoundRect };

// 0: the outline only; 1: the outline in the drawing colour filled with the
// other colour; 2: filled with the drawing colour.
enum class FillStyle { Outline = 0, OutlineFilled = 1, Filled = 2 };

// Stamps a round pen of the width (clamped to 1..5) centred on the pixel;
// even widths reach one pixel further right and down.
void StampPen(Bitmap24& image, int x, int y, int width, ColorValue color);

// A line with both end pixels, drawn with the pen.
void DrawPenLine(Bitmap24& image, int x1, int y1, int x2, int y2, int width, ColorValue color);

// The shape inside the box with corners (x1, y1) and (x2, y2), both included
// in either order. Its outline is the shape's border pixels stamped with the
// pen; `other` is the fill of FillStyle::OutlineFilled.
void DrawShape(Bitmap24& image, ShapeKind kind, int x1, int y1, int x2, int y2, int penWidth, FillStyle style,
               ColorValue color, ColorValue other);

// The horizontal extent [low, high] of a shape in row y of its box (left,
// top, right, bottom inclusive); false when the row holds none of it. Rows of
// an ellipse shrink as the box shrinks around the same centre.
bool ShapeSpan(ShapeKind kind, int left, int top, int right, int bottom, int y, int& low, int& high);

// A whole number in 0 .. range-1.
using RandomRange = std::function<int(int range)>;

// One burst of the spray: size * size / 12 tries at a pixel of the size x size
// square around (x, y), each set when it lies within size / 2 of it.
void SprayBurst(Bitmap24& image, int x, int y, int size, ColorValue color, const RandomRange& random);

// The image moved by one pixel (dx, dy each -1, 0 or 1); the freed column or
// row is painted with a pen of the width centred on it.
Image MoveByOne(const Bitmap24& image, int dx, int dy, ColorValue color, int penWidth);

}  // namespace kestrin
