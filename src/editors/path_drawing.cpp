// Drawing the path editor's picture. Only the stretches of the path that come
// near the view are sampled, and lines and marks are written straight into
// the picture's pixels, so the time follows what the view shows rather than
// the path's length.

#include "editors/path_drawing.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "editors/path_edit_rules.h"
#include "editors/path_index.h"
#include "editors/path_raster.h"
#include "resources/path.h"

namespace kestrin {

namespace {

// The first multiple of step at or after value, for negative values too.
std::int64_t FirstMultipleFrom(std::int64_t value, std::int64_t step) {
    std::int64_t q = value / step;
    if (q * step < value) ++q;
    return q * step;
}

// View coordinates of the grid lines across one axis; none for a step too
// fine to show.
std::vector<int> GridLines(int origin, int extent, int step) {
    std::vector<int> lines;
    if (step < 4) return lines;
    for (std::int64_t at = FirstMultipleFrom(origin, step); at < std::int64_t(origin) + extent; at += step)
        lines.push_back(int(at - origin));
    return lines;
}

// The part of the segment a-b that lies in the rectangle, as the fractions
// t0 to t1 of the way from a to b (Liang-Barsky); false when nothing does.
bool ClipFractions(QPointF a, QPointF b, const QRectF& r, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

// Cuts the segment a-b to the rectangle; false when nothing of it lies inside.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    double t0, t1;
    if (!ClipFractions(a, b, r, t0, t1)) return false;
    QPointF d = b - a;
    QPointF start = a + t0 * d, end = a + t1 * d;
    a = start;
    b = end;
    return true;
}

// Samples first to last (inclusive) of the path's n + 1 samples.
struct SampleRange {
    std::int64_t first;
    std::int64_t last;
};

// Calls visit(i) for every i below count, or only for those the index
// names (a list in increasing order), which include every one that matters.
template <typename Visit>
void ForEach(int count, const std::vector<int>* named, Visit visit) {
    if (!named) {
        for (int i = 0; i < count; ++i) visit(i);
        return;
    }
    for (int i : *named)
        if (i < count) visit(i);
}

// The samples around every stretch of the computed polyline that lies in
// the room rectangle, in order and merged where they meet.
std::vector<SampleRange> SamplesNear(const CPath& path, std::int64_t n, const QRectF& room, const PathIndex* index) {
    std::vector<SampleRange> ranges;
    const std::vector<ComputedPathPoint>& computed = path.Computed();
    double perDistance = double(n) / path.Length();
    const double left = room.left(), right = room.right(), top = room.top(), bottom = room.bottom();
    std::vector<int> named;
    if (index) named = index->SegmentsNear(room);
    ForEach(int(computed.size()) - 1, index ? &named : nullptr, [&](int j) {
        const ComputedPathPoint& a = computed[j];
        const ComputedPathPoint& b = computed[j + 1];
        // Most of a long path lies well away: a box test is enough for that.
        if ((a.x < left && b.x < left) || (a.x > right && b.x > right) || (a.y < top && b.y < top) ||
            (a.y > bottom && b.y > bottom))
            return;
        double t0, t1;
        if (!ClipFractions({a.x, a.y}, {b.x, b.y}, room, t0, t1)) return;
        double from = a.distance + t0 * (b.distance - a.distance);
        double to = a.distance + t1 * (b.distance - a.distance);
        // One sample more each way, so that the segments entering and
        // leaving the stretch are drawn too.
        auto first = std::int64_t(std::clamp(std::floor(from * perDistance) - 1, 0.0, double(n)));
        auto last = std::int64_t(std::clamp(std::ceil(to * perDistance) + 1, 0.0, double(n)));
        if (!ranges.empty() && first <= ranges.back().last) {
            ranges.back().last = std::max(ranges.back().last, last);
        } else {
            ranges.push_back({first, last});
        }
    });
    return ranges;
}

using Segment = std::pair<QPointF, QPointF>;

// The sampled path's segments that can touch the area, in view coordinates.
// The samples depend on the whole view, never on the area, and a segment is
// cut only to bounds well beyond the view, so that a partial redraw writes
// the very pixels a whole one does.
std::vector<Segment> SegmentsNear(const CPath& path, QPoint origin, QSize size, const QRect& area,
                                  const PathIndex* index) {
    std::vector<Segment> segments;
    std::int64_t n = PathSampleCount(path.Length(), size.width(), size.height());
    if (n == 0) return segments;
    // A margin so that the wide line's edge and its round ends are drawn
    // at the border too.
    QRectF near = QRectF(area).adjusted(-4, -4, 4, 4);
    QRectF bounds = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(-1024, -1024, 1024, 1024);
    // A segment between two samples strays at most half a sample step from
    // the polyline it cuts across: the wider margin keeps every one that
    // can reach the area.
    double reach = 4 + path.Length() / double(n);
    QRectF room = near.translated(origin).adjusted(-reach, -reach, reach, reach);
    PathSampler sampler(path);
    auto at = [&](std::int64_t i) {
        PathPoint p = sampler.At(double(i) / double(n));
        return QPointF(p.x - origin.x(), p.y - origin.y());
    };
    for (const SampleRange& range : SamplesNear(path, n, room, index)) {
        QPointF previous = at(range.first);
        for (std::int64_t i = range.first + 1; i <= range.last; ++i) {
            QPointF next = at(i);
            QPointF a = previous, b = next;
            double t0, t1;
            if (ClipFractions(a, b, near, t0, t1) && ClipSegment(a, b, bounds)) segments.emplace_back(a, b);
            previous = next;
        }
    }
    return segments;
}

// No mark reaches further from its centre pixel.
constexpr int kMarkReach = 7;

struct Marks {
    PathMark point;
    PathMark start;
    PathMark selected;
    PathMark hovered;
};

PathMark Disc(const QColor& fill, double radius) {
    return PathMark::Render(kMarkReach, [&](QPainter& painter, QPointF centre) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(fill);
        painter.drawEllipse(centre, radius, radius);
    });
}

const Marks& TheMarks() {
    static const Marks marks{
        Disc(Qt::blue, 4),
        PathMark::Render(kMarkReach,
                         [](QPainter& painter, QPointF centre) {
                             painter.setPen(QPen(Qt::black, 1));
                             painter.setBrush(Qt::green);
                             painter.drawRect(QRectF(centre.x() - 4, centre.y() - 4, 8, 8));
                         }),
        Disc(Qt::red, 4),
        Disc(Qt::cyan, 5),
    };
    return marks;
}

}  // namespace

void DrawPathPicture(QImage& image, const CPath& path, const QImage* roomPicture, const PathPictureState& state) {
    DrawPathPicture(image, path, roomPicture, state, image.rect());
}

void DrawPathPicture(QImage& image, const CPath& path, const QImage* roomPicture, const PathPictureState& state,
                     const QRect& area, const PathIndex* index) {
    if (index && !index->Fits(path)) index = nullptr;
    QSize size = image.size();
    PathRaster raster(image, area);
    raster.Fill(qRgb(255, 255, 255));
    if (roomPicture) raster.CopyFrom(*roomPicture);
    if (state.showGrid) {
        raster.XorGridLines(GridLines(state.origin.x(), size.width(), path.SnapX),
                            GridLines(state.origin.y(), size.height(), path.SnapY));
    }

    std::vector<Segment> segments = SegmentsNear(path, state.origin, size, area, index);
    const QRgb black = qRgb(0, 0, 0), yellow = qRgb(255, 255, 0);
    for (const auto& [a, b] : segments) {
        raster.Line(a, b, black, 3);
        // Round ends and joins, as the segments turn.
        raster.Block(a, black, 1);
        raster.Block(b, black, 1);
    }
    for (const auto& [a, b] : segments) raster.Line(a, b, yellow, 1);

    const Marks& marks = TheMarks();
    QRectF near = QRectF(area).adjusted(-kMarkReach, -kMarkReach, kMarkReach, kMarkReach);
    auto viewPoint = [&](double x, double y) { return QPointF(x - state.origin.x(), y - state.origin.y()); };
    // In room coordinates, so that the many points away from the area cost
    // four comparisons each.
    const QRectF nearRoom = near.translated(state.origin);
    const double left = nearRoom.left(), right = nearRoom.right(), top = nearRoom.top(), bottom = nearRoom.bottom();
    std::vector<int> named;
    if (index) named = index->PointsNear(nearRoom);
    ForEach(path.PointCount(), index ? &named : nullptr, [&](int i) {
        PathPoint p = path.GetPoint(i);
        if (p.x >= left && p.x <= right && p.y >= top && p.y <= bottom) raster.Stamp(marks.point, viewPoint(p.x, p.y));
    });
    if (path.PointCount() > 0) {
        PathPoint start = path.GetPosition(0);
        QPointF v = viewPoint(start.x, start.y);
        if (near.contains(v)) raster.Stamp(marks.start, v);
    }
    auto mark = [&](int index, const PathMark& figure) {
        if (index < 0 || index >= path.PointCount()) return;
        PathPoint p = path.GetPoint(index);
        QPointF v = viewPoint(p.x, p.y);
        if (near.contains(v)) raster.Stamp(figure, v);
    };
    if (state.hovered != state.selected) mark(state.hovered, marks.hovered);
    mark(state.selected, marks.selected);
}

QRect PathMarkArea(QPointF viewPosition) {
    QPoint centre(int(std::floor(std::clamp(viewPosition.x(), -1e6, 1e6) + 0.5)),
                  int(std::floor(std::clamp(viewPosition.y(), -1e6, 1e6) + 0.5)));
    return QRect(centre - QPoint(kMarkReach, kMarkReach), centre + QPoint(kMarkReach, kMarkReach));
}

}  // namespace kestrin
