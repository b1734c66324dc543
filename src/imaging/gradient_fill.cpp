// Each kind paints steps of BlendColor(c1, c2, fraction) over each other,
// later steps on top. The nested kinds (rectangles, ellipses) paint each
// pixel once with the colour of the innermost step that covers it.

#include "imaging/gradient_fill.h"

#include <algorithm>
#include <vector>

#include "imaging/color.h"
#include "imaging/image_drawing.h"

namespace kestrin {

namespace {

double Fraction(int step, int steps) { return steps > 0 ? static_cast<double>(step) / steps : 0.0; }

void FillColumn(Bitmap24& image, int x, ColorValue color) {
    if (x < 0 || x >= image.Width()) return;
    for (int y = 0; y < image.Height(); ++y) image.SetPixel(x, y, color);
}

void FillRow(Bitmap24& image, int y, ColorValue color) {
    if (y < 0 || y >= image.Height()) return;
    image.FillRect(0, y, image.Width(), y + 1, color);
}

// Step c covers the box from (c, c) to (w - c, h - c), right and bottom
// exclusive; the boxes shrink around one centre, so each row's runs nest.
void FillNested(Bitmap24& image, ShapeKind kind, ColorValue c1, ColorValue c2) {
    const int w = image.Width(), h = image.Height();
    const int steps = std::min(w, h) / 2;
    std::vector<ColorValue> colors;
    for (int c = 0; c <= steps; ++c) colors.push_back(BlendColor(c1, c2, Fraction(c, steps)));
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = image.Row(y);
        int outerLow = 0, outerHigh = -1;
        for (int c = 0; c <= steps; ++c) {
            int low = 0, high = -1;
            bool inside = c <= w - c - 1 && c <= h - c - 1 && ShapeSpan(kind, c, c, w - c - 1, h - c - 1, y, low, high);
            if (!inside) low = 0, high = -1;
            if (c > 0) {
                // The ring of the previous step that this one leaves uncovered:
                // its whole run when this step misses the row.
                ColorValue ring = colors[static_cast<std::size_t>(c - 1)];
                int innerLow = inside ? std::max(low, outerLow) : outerHigh + 1;
                int innerHigh = inside ? std::min(high, outerHigh) : outerHigh;
                for (int x = outerLow; x < innerLow; ++x) PutPixel(row + 3 * x, ring);
                for (int x = innerHigh + 1; x <= outerHigh; ++x) PutPixel(row + 3 * x, ring);
            }
            if (!inside) break;
            outerLow = low;
            outerHigh = high;
            if (c == steps)
                for (int x = low; x <= high; ++x) PutPixel(row + 3 * x, colors[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace

void GradientFill(Bitmap24& image, int kind, ColorValue c1, ColorValue c2) {
    const int w = image.Width(), h = image.Height();
    switch (kind) {
    case 0:
        for (int i = 0; i < w; ++i) FillColumn(image, i, BlendColor(c1, c2, Fraction(i, w)));
        break;
    case 1:
        for (int i = 0; i < h; ++i) FillRow(image, i, BlendColor(c1, c2, Fraction(i, h)));
        break;
    case 2:
        FillNested(image, ShapeKind::Rectangle, c1, c2);
        break;
    case 3:
        image.Fill(c1);
        FillNested(image, ShapeKind::Ellipse, c1, c2);
        break;
    case 4:
        for (int i = 0, m = w / 2; i <= m; ++i) {
            ColorValue color = BlendColor(c1, c2, Fraction(i, m));
            FillColumn(image, i, color);
            FillColumn(image, w - i, color);
        }
        break;
    case 5:
        for (int i = 0, m = h / 2; i <= m; ++i) {
            ColorValue color = BlendColor(c1, c2, Fraction(i, m));
            FillRow(image, i, color);
            FillRow(image, h - i, color);
        }
        break;
    default:
        break;
    }
}

}  // namespace kestrin
