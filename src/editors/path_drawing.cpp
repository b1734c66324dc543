// Drawing the path editor's picture. Only what lies in the view is handed to
// the painter, so the time depends on the view, not on the path's length.

#include "editors/path_drawing.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

#include "editors/path_edit_rules.h"
#include "resources/path.h"

namespace kestrin {

namespace {

// The first multiple of step at or after value, for negative values too.
std::int64_t FirstMultipleFrom(std::int64_t value, std::int64_t step) {
    std::int64_t q = value / step;
    if (q * step < value) ++q;
    return q * step;
}

void DrawGrid(QPainter& painter, const CPath& path, QPoint origin, QSize size) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    if (path.SnapX >= 4) {
        for (std::int64_t x = FirstMultipleFrom(origin.x(), path.SnapX); x < std::int64_t(origin.x()) + size.width();
             x += path.SnapX) {
            int vx = int(x - origin.x());
            painter.drawLine(vx, 0, vx, size.height() - 1);
        }
    }
    if (path.SnapY >= 4) {
        for (std::int64_t y = FirstMultipleFrom(origin.y(), path.SnapY); y < std::int64_t(origin.y()) + size.height();
             y += path.SnapY) {
            int vy = int(y - origin.y());
            painter.drawLine(0, vy, size.width() - 1, vy);
        }
    }
    painter.restore();
}

// Cuts the segment a-b to the rectangle (Liang-Barsky); false when nothing
// of it lies inside.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    double t0 = 0, t1 = 1;
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
    QPointF start(a.x() + t0 * dx, a.y() + t0 * dy), end(a.x() + t1 * dx, a.y() + t1 * dy);
    a = start;
    b = end;
    return true;
}

// The sampled path as runs of visible polyline, in view coordinates.
std::vector<QPolygonF> VisibleRuns(const CPath& path, QPoint origin, QSize size) {
    std::vector<QPolygonF> runs;
    std::int64_t n = PathSampleCount(path.Length(), size.width(), size.height());
    if (n == 0) return runs;
    // A margin so that the wide line's edge is drawn at the border too.
    QRectF view(-4, -4, size.width() + 8, size.height() + 8);
    PathSampler sampler(path);
    auto at = [&](std::int64_t i) {
        PathPoint p = sampler.At(double(i) / double(n));
        return QPointF(p.x - origin.x(), p.y - origin.y());
    };
    QPointF previous = at(0);
    QPolygonF run;
    for (std::int64_t i = 1; i <= n; ++i) {
        QPointF next = at(i);
        QPointF a = previous, b = next;
        if (ClipSegment(a, b, view)) {
            if (run.isEmpty() || run.back() != a) {
                if (run.size() > 1) runs.push_back(run);
                run.clear();
                run << a;
            }
            run << b;
        }
        previous = next;
    }
    if (run.size() > 1) runs.push_back(run);
    return runs;
}

void DrawDisc(QPainter& painter, QPointF centre, const QColor& fill, double radius) {
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
}

}  // namespace

void DrawPathPicture(QImage& image, const CPath& path, const QImage* roomPicture, const PathPictureState& state) {
    QPainter painter(&image);
    QSize size = image.size();
    painter.fillRect(image.rect(), Qt::white);
    if (roomPicture) painter.drawImage(0, 0, *roomPicture);
    if (state.showGrid) DrawGrid(painter, path, state.origin, size);

    std::vector<QPolygonF> runs = VisibleRuns(path, state.origin, size);
    painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF& run : runs) painter.drawPolyline(run);
    painter.setPen(QPen(Qt::yellow, 1));
    for (const QPolygonF& run : runs) painter.drawPolyline(run);

    QRectF near(-6, -6, size.width() + 12, size.height() + 12);
    auto viewPoint = [&](double x, double y) { return QPointF(x - state.origin.x(), y - state.origin.y()); };
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < path.PointCount(); ++i) {
        PathPoint p = path.GetPoint(i);
        QPointF v = viewPoint(p.x, p.y);
        if (near.contains(v)) DrawDisc(painter, v, Qt::blue, 4);
    }
    if (path.PointCount() > 0) {
        PathPoint start = path.GetPosition(0);
        QPointF v = viewPoint(start.x, start.y);
        if (near.contains(v)) {
            painter.setBrush(Qt::green);
            painter.drawRect(QRectF(v.x() - 4, v.y() - 4, 8, 8));
        }
    }
    auto mark = [&](int index, const QColor& colour, double radius) {
        if (index < 0 || index >= path.PointCount()) return;
        PathPoint p = path.GetPoint(index);
        QPointF v = viewPoint(p.x, p.y);
        if (near.contains(v)) DrawDisc(painter, v, colour, radius);
    };
    if (state.hovered != state.selected) mark(state.hovered, Qt::cyan, 5);
    mark(state.selected, Qt::red, 4);
}

}  // namespace kestrin
