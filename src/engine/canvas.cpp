// Drawing the game into a 24-bit image.

#include "engine/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "imaging/flood_fill.h"
#include "imaging/image_drawing.h"

namespace kestrin::engine {

namespace {

// Cosine and sine of an angle in degrees, exact at the quarter turns so that
// turned images land on whole pixels.
void Turn(double degrees, double& c, double& s) {
    double a = std::fmod(degrees, 360.0);
    if (a < 0) a += 360.0;
    if (a == 0) { c = 1; s = 0; }
    else if (a == 90) { c = 0; s = 1; }
    else if (a == 180) { c = -1; s = 0; }
    else if (a == 270) { c = 0; s = -1; }
    else {
        const double r = a * 3.14159265358979323846 / 180.0;
        c = std::cos(r);
        s = std::sin(r);
    }
}

// The line from a to b cut to the box around the image where the pen can
// still reach it, so that a far-off end is not walked pixel by pixel; false
// when none of it is there. Ends already inside are kept as they are.
bool ClipLine(const Bitmap24& image, double& x1, double& y1, double& x2, double& y2) {
    const double margin = kMaxPenWidth;
    const double left = -margin, top = -margin, right = image.Width() + margin, bottom = image.Height() + margin;
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

void ClippedPenLine(Bitmap24& image, double x1, double y1, double x2, double y2, ColorValue color) {
    if (!ClipLine(image, x1, y1, x2, y2)) return;
    DrawPenLine(image, static_cast<int>(std::floor(x1)), static_cast<int>(std::floor(y1)),
                static_cast<int>(std::floor(x2)), static_cast<int>(std::floor(y2)), 1, color);
}

bool Identity(const ImageTransform& t) {
    return t.xscale == 1 && t.yscale == 1 && t.alpha >= 1 && t.blend == kWhite && std::fmod(t.angle, 360.0) == 0;
}

}  // namespace

DrawRect ImageCanvas::ClipRect() const {
    return {mOriginX, mOriginY, mOriginX + mTarget->Width(), mOriginY + mTarget->Height()};
}

void ImageCanvas::DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) {
    ImageDrawTarget target(*mTarget);
    target.DrawImage(image, x - mOriginX, y - mOriginY, seeThrough);
}

void ImageCanvas::DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) {
    ImageDrawTarget target(*mTarget);
    target.DrawStretched(image, x - mOriginX, y - mOriginY, width, height, seeThrough);
}

void ImageCanvas::Rectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) {
    DrawShape(*mTarget, ShapeKind::Rectangle, x1 - mOriginX, y1 - mOriginY, x2 - mOriginX, y2 - mOriginY, 1,
              outline ? FillStyle::Outline : FillStyle::Filled, color, color);
}

void ImageCanvas::Ellipse(int x1, int y1, int x2, int y2, ColorValue color, bool outline) {
    DrawShape(*mTarget, ShapeKind::Ellipse, x1 - mOriginX, y1 - mOriginY, x2 - mOriginX, y2 - mOriginY, 1,
              outline ? FillStyle::Outline : FillStyle::Filled, color, color);
}

void ImageCanvas::Line(int x1, int y1, int x2, int y2, ColorValue color) {
    ClippedPenLine(*mTarget, static_cast<double>(x1) - mOriginX, static_cast<double>(y1) - mOriginY,
                   static_cast<double>(x2) - mOriginX, static_cast<double>(y2) - mOriginY, color);
}

void ImageCanvas::RoundRectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) {
    DrawShape(*mTarget, ShapeKind::RoundRect, x1 - mOriginX, y1 - mOriginY, x2 - mOriginX, y2 - mOriginY, 1,
              outline ? FillStyle::Outline : FillStyle::Filled, color, color);
}

void ImageCanvas::FloodFill(int x, int y, ColorValue color) {
    kestrin::FloodFill(*mTarget, x - mOriginX, y - mOriginY, color);
}

void ImageCanvas::Polygon(const std::vector<CanvasPoint>& points, ColorValue color, bool outline) {
    if (points.empty()) return;
    for (const CanvasPoint& p : points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    // Far beyond any image, so that the arithmetic below stays finite and exact enough.
    auto place = [](double v, int origin) { return std::clamp(v - origin, -1e9, 1e9); };
    std::vector<CanvasPoint> local;
    local.reserve(points.size());
    for (const CanvasPoint& p : points) local.push_back({place(p.x, mOriginX), place(p.y, mOriginY)});
    Bitmap24& target = *mTarget;
    if (outline) {
        for (std::size_t i = 0; i < local.size(); ++i) {
            const CanvasPoint& a = local[i];
            const CanvasPoint& b = local[(i + 1) % local.size()];
            ClippedPenLine(target, a.x, a.y, b.x, b.y, color);
        }
        return;
    }
    double minY = local[0].y, maxY = local[0].y;
    for (const CanvasPoint& p : local) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int top = static_cast<int>(std::max(0.0, std::floor(minY)));
    const int bottom = static_cast<int>(std::min<double>(target.Height(), std::ceil(maxY)));
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        const double cy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < local.size(); ++i) {
            const CanvasPoint& a = local[i];
            const CanvasPoint& b = local[(i + 1) % local.size()];
            // Half-open in y, so a vertex on the row is counted once.
            if ((a.y <= cy) == (b.y <= cy)) continue;
            crossings.push_back(a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centres lie between the two crossings.
            const double from = std::max(0.0, std::ceil(crossings[i] - 0.5));
            const double to = std::min<double>(target.Width(), std::ceil(crossings[i + 1] - 0.5));
            for (int x = static_cast<int>(from); x < static_cast<int>(to); ++x) target.SetPixel(x, y, color);
        }
    }
}

ColorValue ImageCanvas::PixelAt(int x, int y) const {
    x -= mOriginX;
    y -= mOriginY;
    return mTarget->Contains(x, y) ? mTarget->Pixel(x, y) : 0;
}

// Every pixel of the target whose centre the placed part covers takes the
// part's pixel found by undoing the transform there (nearest neighbour).
void ImageCanvas::DrawTransformed(const Bitmap24& image, const DrawRect& requested, int x, int y,
                                  const ImageTransform& t, bool seeThrough) {
    DrawRect part{std::max(requested.left, 0), std::max(requested.top, 0), std::min(requested.right, image.Width()),
                  std::min(requested.bottom, image.Height())};
    if (part.right <= part.left || part.bottom <= part.top) return;
    if (!(t.alpha > 0) || t.xscale == 0 || t.yscale == 0 || !std::isfinite(t.xscale) || !std::isfinite(t.yscale))
        return;
    const bool whole = part == DrawRect{0, 0, image.Width(), image.Height()};
    if (whole && Identity(t) && t.xorigin == std::floor(t.xorigin) && t.yorigin == std::floor(t.yorigin)) {
        DrawImage(image, x - static_cast<int>(t.xorigin), y - static_cast<int>(t.yorigin), seeThrough);
        return;
    }
    double c, s;
    Turn(t.angle, c, s);
    const double px = static_cast<double>(x) - mOriginX, py = static_cast<double>(y) - mOriginY;
    const double w = part.right - part.left, h = part.bottom - part.top;

    // The placed part's box on the target.
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (double cx : {0.0, w}) {
        for (double cy : {0.0, h}) {
            const double qx = (cx - t.xorigin) * t.xscale, qy = (cy - t.yorigin) * t.yscale;
            const double rx = px + qx * c + qy * s, ry = py - qx * s + qy * c;
            minX = std::min(minX, rx);
            maxX = std::max(maxX, rx);
            minY = std::min(minY, ry);
            maxY = std::max(maxY, ry);
        }
    }
    Bitmap24& target = *mTarget;
    const int left = static_cast<int>(std::max(0.0, std::floor(minX)));
    const int right = static_cast<int>(std::min<double>(target.Width(), std::ceil(maxX)));
    const int top = static_cast<int>(std::max(0.0, std::floor(minY)));
    const int bottom = static_cast<int>(std::min<double>(target.Height(), std::ceil(maxY)));
    if (left >= right || top >= bottom) return;

    const ColorValue key = image.TransparentColor();
    const int opacity = static_cast<int>(std::lround(std::min(t.alpha, 1.0) * 255));
    const bool tinted = t.blend != kWhite;
    const int tint[3] = {BlueOf(t.blend), GreenOf(t.blend), RedOf(t.blend)};  // in the order of a row's bytes
    std::uint8_t tintedPixel[3];
    // Source coordinates move by these amounts per target pixel to the right.
    const double stepX = c / t.xscale, stepY = s / t.yscale;
    for (int dy = top; dy < bottom; ++dy) {
        const double ry = dy + 0.5 - py, rx = left + 0.5 - px;
        const double sx0 = (rx * c - ry * s) / t.xscale + t.xorigin;
        const double sy0 = (rx * s + ry * c) / t.yscale + t.yorigin;
        std::uint8_t* d = target.Row(dy) + 3 * left;
        for (int dx = left; dx < right; ++dx, d += 3) {
            // Multiplied rather than summed up, so that no error creeps in along the row.
            const double sx = sx0 + (dx - left) * stepX, sy = sy0 + (dx - left) * stepY;
            if (!(sx >= 0 && sx < w && sy >= 0 && sy < h)) continue;
            const int ix = part.left + static_cast<int>(sx), iy = part.top + static_cast<int>(sy);
            const std::uint8_t* p = image.Row(iy) + 3 * ix;
            if (seeThrough && PixelColor(p) == key) continue;
            if (tinted) {
                for (int k = 0; k < 3; ++k) tintedPixel[k] = static_cast<std::uint8_t>((p[k] * tint[k] + 127) / 255);
                p = tintedPixel;
            }
            if (opacity >= 255) {
                d[0] = p[0];
                d[1] = p[1];
                d[2] = p[2];
            } else {
                for (int k = 0; k < 3; ++k)
                    d[k] = static_cast<std::uint8_t>((p[k] * opacity + d[k] * (255 - opacity) + 127) / 255);
            }
        }
    }
}

void ImageCanvas::BeginPort(const DrawRect& port) {
    EndPort();
    const int left = std::max(port.left, 0), top = std::max(port.top, 0);
    const int right = std::min(port.right, mImage.Width()), bottom = std::min(port.bottom, mImage.Height());
    mPortEmpty = right <= left || bottom <= top;
    if (!mPortEmpty && left == 0 && top == 0 && right == mImage.Width() && bottom == mImage.Height()) return;
    mPortImage = std::make_unique<Bitmap24>(right - left, bottom - top);
    mPortX = left;
    mPortY = top;
    mTarget = mPortImage.get();
}

void ImageCanvas::EndPort() {
    if (mPortImage && !mPortEmpty) mImage.Draw(*mPortImage, mPortX, mPortY);
    mPortImage.reset();
    mPortEmpty = false;
    mTarget = &mImage;
}

}  // namespace kestrin::engine
