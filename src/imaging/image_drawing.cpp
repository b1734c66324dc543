// Pens, lines, shapes, the spray and the move by one pixel.

#include "imaging/image_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "imaging/bitmap24_ops.h"

namespace kestrin {

namespace {

// One row of a round pen: the row offset and the first and last column offset.
struct PenRow {
    int dy, dx1, dx2;
};

// A disc of diameter w around the pen's centre, which for even widths sits
// half a pixel right and down of the pixel: width 3 is a full 3 x 3 square,
// 4 and 5 lose their corners.
std::vector<PenRow> MakePen(int width) {
    std::vector<PenRow> rows;
    double centre = (width - 1) / 2.0 - (width - 1) / 2;  // 0 or 0.5
    double radius2 = width * width / 4.0;
    int low = -(width - 1) / 2, high = width / 2;
    for (int dy = low; dy <= high; ++dy) {
        int first = high + 1, last = low - 1;
        for (int dx = low; dx <= high; ++dx) {
            double ex = dx - centre, ey = dy - centre;
            if (width <= 2 || ex * ex + ey * ey <= radius2) {
                first = std::min(first, dx);
                last = std::max(last, dx);
            }
        }
        if (first <= last) rows.push_back({dy, first, last});
    }
    return rows;
}

const std::vector<PenRow>& PenRows(int width) {
    static const std::array<std::vector<PenRow>, kMaxPenWidth + 1> pens = {
        std::vector<PenRow>{}, MakePen(1), MakePen(2), MakePen(3), MakePen(4), MakePen(5)};
    return pens[static_cast<std::size_t>(std::clamp(width, kMinPenWidth, kMaxPenWidth))];
}

void FillRun(Bitmap24& image, int y, int x1, int x2, ColorValue color) {
    if (y < 0 || y >= image.Height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image.Width() - 1);
    if (x1 > x2) return;
    std::uint8_t* p = image.Row(y) + 3 * x1;
    for (int x = x1; x <= x2; ++x, p += 3) PutPixel(p, color);
}

// The shape's rows inside its box: low > high marks an empty row.
struct ShapeRows {
    int left, top, right, bottom;
    std::vector<int> low, high;
    bool Inside(int x, int y) const {
        if (y < top || y > bottom) return false;
        auto i = static_cast<std::size_t>(y - top);
        return x >= low[i] && x <= high[i];
    }
};

ShapeRows MakeShapeRows(ShapeKind kind, int x1, int y1, int x2, int y2) {
    ShapeRows rows{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), {}, {}};
    for (int y = rows.top; y <= rows.bottom; ++y) {
        int low = 1, high = 0;
        if (!ShapeSpan(kind, rows.left, rows.top, rows.right, rows.bottom, y, low, high)) {
            low = rows.right + 1;
            high = rows.left - 1;
        }
        rows.low.push_back(low);
        rows.high.push_back(high);
    }
    return rows;
}

}  // namespace

void StampPen(Bitmap24& image, int x, int y, int width, ColorValue color) {
    for (const PenRow& row : PenRows(width)) FillRun(image, y + row.dy, x + row.dx1, x + row.dx2, color);
}

void DrawPenLine(Bitmap24& image, int x1, int y1, int x2, int y2, int width, ColorValue color) {
    // Bresenham; every step stamps the pen. Far-off ends are walked only as
    // far as the pen could still reach the image.
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int reach = kMaxPenWidth;
    for (;;) {
        if (x1 >= -reach && y1 >= -reach && x1 < image.Width() + reach && y1 < image.Height() + reach)
            StampPen(image, x1, y1, width, color);
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y1 += sy;
        }
    }
}

bool ShapeSpan(ShapeKind kind, int left, int top, int right, int bottom, int y, int& low, int& high) {
    if (y < top || y > bottom) return false;
    // Pixel centres against the box's outer edges, so a box of one pixel
    // still holds its pixel.
    double halfW = (right - left + 1) / 2.0, halfH = (bottom - top + 1) / 2.0;
    double cx = left + halfW, cy = top + halfH;
    double dy = std::abs(y + 0.5 - cy);
    double extent = halfW;
    if (kind == ShapeKind::Ellipse) {
        double f = dy / halfH;
        extent = halfW * std::sqrt(std::max(0.0, 1.0 - f * f));
    } else if (kind == ShapeKind::RoundRect) {
        double radius = std::min({double{kRoundRectRadius}, halfW, halfH});
        double qy = std::max(0.0, dy - (halfH - radius));
        extent = halfW - radius + std::sqrt(std::max(0.0, radius * radius - qy * qy));
    }
    // Columns x with |x + 0.5 - cx| <= extent.
    low = static_cast<int>(std::ceil(cx - extent - 0.5));
    high = static_cast<int>(std::floor(cx + extent - 0.5));
    low = std::max(low, left);
    high = std::min(high, right);
    return low <= high;
}

void DrawShape(Bitmap24& image, ShapeKind kind, int x1, int y1, int x2, int y2, int penWidth, FillStyle style,
               ColorValue color, ColorValue other) {
    ShapeRows rows = MakeShapeRows(kind, x1, y1, x2, y2);
    if (style != FillStyle::Outline) {
        ColorValue fill = style == FillStyle::Filled ? color : other;
        for (int y = rows.top; y <= rows.bottom; ++y) {
            auto i = static_cast<std::size_t>(y - rows.top);
            FillRun(image, y, rows.low[i], rows.high[i], fill);
        }
        if (style == FillStyle::Filled) return;
    }
    // Border pixels: inside, with a 4-neighbour outside.
    for (int y = rows.top; y <= rows.bottom; ++y) {
        auto i = static_cast<std::size_t>(y - rows.top);
        for (int x = rows.low[i]; x <= rows.high[i]; ++x) {
            bool border = x == rows.low[i] || x == rows.high[i] || !rows.Inside(x, y - 1) || !rows.Inside(x, y + 1);
            if (border) StampPen(image, x, y, penWidth, color);
        }
    }
}

void SprayBurst(Bitmap24& image, int x, int y, int size, ColorValue color, const RandomRange& random) {
    if (size <= 0) return;
    double radius = size / 2.0;
    int tries = size * size / 12;
    for (int i = 0; i < tries; ++i) {
        int px = x - size / 2 + random(size), py = y - size / 2 + random(size);
        double ex = px - x, ey = py - y;
        if (ex * ex + ey * ey <= radius * radius && image.Contains(px, py)) image.SetPixel(px, py, color);
    }
}

Image MoveByOne(const Bitmap24& image, int dx, int dy, ColorValue color, int penWidth) {
    Image moved = Bitmap24_Shift(&image, dx, dy);
    int w = image.Width(), h = image.Height();
    if (dx != 0) {
        int x = dx < 0 ? w - 1 : 0;
        DrawPenLine(*moved, x, 0, x, h - 1, penWidth, color);
    }
    if (dy != 0) {
        int y = dy < 0 ? h - 1 : 0;
        DrawPenLine(*moved, 0, y, w - 1, y, penWidth, color);
    }
    return moved;
}

}  // namespace kestrin
