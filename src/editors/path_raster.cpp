// Pixel writing for the path editor's picture.

#include "editors/path_raster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace kestrin {

namespace {

// The pixel whose centre is nearest; positions far outside any picture are
// held to a range where the conversion is defined.
int NearestPixel(double v) { return int(std::floor(std::clamp(v, -1e6, 1e6) + 0.5)); }

}  // namespace

PathMark PathMark::Render(int reach, const std::function<void(QPainter&, QPointF centre)>& paint) {
    int side = 2 * reach + 1;
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paint(painter, QPointF(reach, reach));
    }
    PathMark mark;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128) continue;
            QRgb colour = pixel | 0xff000000u;
            if (!mark.mRuns.empty()) {
                Run& last = mark.mRuns.back();
                if (last.dy == y - reach && last.dx1 == x - reach - 1 && last.colour == colour) {
                    ++last.dx1;
                    continue;
                }
            }
            mark.mRuns.push_back({y - reach, x - reach, x - reach, colour});
        }
    }
    return mark;
}

PathRaster::PathRaster(QImage& image, const QRect& area) : mArea(area.intersected(image.rect())) {
    Q_ASSERT(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32);
    mBits = image.bits();
    mStride = image.bytesPerLine();
}

QRgb* PathRaster::Row(int y) { return reinterpret_cast<QRgb*>(mBits + qsizetype(y) * mStride); }

void PathRaster::Span(int row, int x0, int x1, QRgb colour) {
    if (row < mArea.top() || row > mArea.bottom()) return;
    x0 = std::max(x0, mArea.left());
    x1 = std::min(x1, mArea.right());
    if (x0 > x1) return;
    QRgb* line = Row(row);
    std::fill(line + x0, line + x1 + 1, colour);
}

void PathRaster::Fill(QRgb colour) {
    for (int y = mArea.top(); y <= mArea.bottom(); ++y) Span(y, mArea.left(), mArea.right(), colour);
}

void PathRaster::CopyFrom(const QImage& picture) {
    Q_ASSERT(picture.depth() == 32);
    QRect common = mArea.intersected(picture.rect());
    if (common.isEmpty()) return;
    for (int y = common.top(); y <= common.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y)) + common.left();
        std::memcpy(Row(y) + common.left(), from, sizeof(QRgb) * std::size_t(common.width()));
    }
}

void PathRaster::Line(QPointF a, QPointF b, QRgb colour, int width) {
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return;
    // Walk the longer axis one pixel at a time (u), the other (v) follows.
    bool steep = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
    auto u = [steep](QPointF p) { return steep ? p.y() : p.x(); };
    auto v = [steep](QPointF p) { return steep ? p.x() : p.y(); };
    // The end's step belongs to the next segment, which may round it
    // differently: drawn twice, a joint would show a doubled pixel.
    int first = NearestPixel(u(a)), last = NearestPixel(u(b));
    if (first <= last) {
        --last;
    } else {
        std::swap(a, b);
        std::swap(first, last);
        ++first;
    }
    double du = u(b) - u(a);
    double slope = du == 0 ? 0 : (v(b) - v(a)) / du;
    int thickness = 1;
    if (width > 1) thickness = std::max(width, int(std::lround(width * std::sqrt(1 + slope * slope))));
    int before = (thickness - 1) / 2;
    first = std::max(first, steep ? mArea.top() : mArea.left());
    last = std::min(last, steep ? mArea.bottom() : mArea.right());
    for (int step = first; step <= last; ++step) {
        int from = NearestPixel(v(a) + (step - u(a)) * slope) - before;
        int to = from + thickness - 1;
        if (steep) {
            Span(step, from, to, colour);
        } else {
            for (int row = std::max(from, mArea.top()); row <= std::min(to, mArea.bottom()); ++row)
                Row(row)[step] = colour;
        }
    }
}

void PathRaster::Block(QPointF centre, QRgb colour, int reach) {
    int cx = NearestPixel(centre.x()), cy = NearestPixel(centre.y());
    for (int y = cy - reach; y <= cy + reach; ++y) Span(y, cx - reach, cx + reach, colour);
}

void PathRaster::Stamp(const PathMark& mark, QPointF centre) {
    int cx = NearestPixel(centre.x()), cy = NearestPixel(centre.y());
    for (const PathMark::Run& run : mark.mRuns) Span(cy + run.dy, cx + run.dx0, cx + run.dx1, run.colour);
}

void PathRaster::XorGridLines(const std::vector<int>& columns, const std::vector<int>& rows) {
    constexpr QRgb kInvert = 0x00ffffff;
    for (int y = mArea.top(); y <= mArea.bottom(); ++y) {
        QRgb* line = Row(y);
        for (int x : columns)
            if (x >= mArea.left() && x <= mArea.right()) line[x] ^= kInvert;
    }
    for (int y : rows) {
        if (y < mArea.top() || y > mArea.bottom()) continue;
        QRgb* line = Row(y);
        for (int x = mArea.left(); x <= mArea.right(); ++x) line[x] ^= kInvert;
    }
}

}  // namespace kestrin
