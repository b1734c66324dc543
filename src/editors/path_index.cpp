// The grid index of the path editor's drawing.

#include "editors/path_index.h"

#include <algorithm>
#include <cmath>

#include "resources/path.h"

namespace kestrin {

namespace {

// About this many entries to a cell keeps the cells small against a view
// without making the grid larger than the path.
constexpr double kEntriesPerCell = 2;
constexpr int kMostCellsAcross = 1024;
// A box spanning more cells than this (a long straight stretch) is cheaper
// to test on every redraw than to enter in all of them.
constexpr int kMostCellsPerBox = 16;

bool Finite(double left, double top, double right, double bottom) {
    return std::isfinite(left) && std::isfinite(top) && std::isfinite(right) && std::isfinite(bottom);
}

// The cell holding the coordinate, clamped to the grid. Subtracting and
// dividing by a positive step never reverses an order, so a box that meets
// a rectangle always shares a cell with it.
int CellOf(double value, double origin, double step, int count) {
    double cell = std::floor((value - origin) / step);
    return int(std::clamp(cell, 0.0, double(count - 1)));
}

}  // namespace

PathIndex::PathIndex(const CPath& path)
    : mBuilt(true), mComputedCount(path.ComputedCount()), mPointCount(path.PointCount()) {
    const std::vector<ComputedPathPoint>& computed = path.Computed();
    std::vector<Box> boxes;
    boxes.reserve(computed.size());
    for (std::size_t j = 0; j + 1 < computed.size(); ++j) {
        const ComputedPathPoint& a = computed[j];
        const ComputedPathPoint& b = computed[j + 1];
        boxes.push_back({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
    }
    mSegments = Build(boxes);
    boxes.clear();
    for (int i = 0; i < path.PointCount(); ++i) {
        PathPoint p = path.GetPoint(i);
        boxes.push_back({p.x, p.y, p.x, p.y});
    }
    mPoints = Build(boxes);
}

bool PathIndex::Fits(const CPath& path) const {
    return mBuilt && mComputedCount == path.ComputedCount() && mPointCount == path.PointCount();
}

std::vector<int> PathIndex::SegmentsNear(const QRectF& room) const { return Near(mSegments, room); }

std::vector<int> PathIndex::PointsNear(const QRectF& room) const { return Near(mPoints, room); }

PathIndex::Grid PathIndex::Build(const std::vector<Box>& boxes) {
    Grid grid;
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    std::size_t finite = 0;
    for (const Box& b : boxes) {
        if (!Finite(b.left, b.top, b.right, b.bottom)) continue;
        left = std::min(left, b.left);
        top = std::min(top, b.top);
        right = std::max(right, b.right);
        bottom = std::max(bottom, b.bottom);
        ++finite;
    }
    double width = right - left, height = bottom - top;
    // Coordinates so far apart that their distance overflows leave no grid:
    // every entry is then near.
    if (finite == 0 || !std::isfinite(width) || !std::isfinite(height)) {
        for (std::size_t i = 0; i < boxes.size(); ++i) grid.everywhere.push_back(std::int32_t(i));
        return grid;
    }
    double cells = std::max(1.0, double(finite) / kEntriesPerCell);
    double side = std::sqrt(std::max(width, 1.0) * std::max(height, 1.0) / cells);
    grid.columns = int(std::clamp(std::ceil(width / side), 1.0, double(kMostCellsAcross)));
    grid.rows = int(std::clamp(std::ceil(height / side), 1.0, double(kMostCellsAcross)));
    grid.left = left;
    grid.top = top;
    grid.right = right;
    grid.bottom = bottom;
    grid.cellWidth = width > 0 ? width / grid.columns : 1;
    grid.cellHeight = height > 0 ? height / grid.rows : 1;

    // Counted first, then placed, so that every cell's entries lie together
    // and in increasing order.
    std::vector<CellSpan> spans(boxes.size());
    grid.cellStart.assign(std::size_t(grid.columns) * grid.rows + 1, 0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        CellSpan& span = spans[i];
        span = Finite(b.left, b.top, b.right, b.bottom) ? Cells(grid, b) : CellSpan{1, 0, 1, 0};
        int count = (span.column1 - span.column0 + 1) * (span.row1 - span.row0 + 1);
        if (span.column0 > span.column1 || count > kMostCellsPerBox) {
            grid.everywhere.push_back(std::int32_t(i));
            span = {1, 0, 1, 0};
            continue;
        }
        for (int row = span.row0; row <= span.row1; ++row)
            for (int column = span.column0; column <= span.column1; ++column)
                ++grid.cellStart[std::size_t(row) * grid.columns + column + 1];
    }
    for (std::size_t c = 1; c < grid.cellStart.size(); ++c) grid.cellStart[c] += grid.cellStart[c - 1];
    grid.cellEntries.resize(std::size_t(grid.cellStart.back()));
    std::vector<std::int32_t> next(grid.cellStart.begin(), grid.cellStart.end() - 1);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const CellSpan& span = spans[i];
        for (int row = span.row0; row <= span.row1; ++row)
            for (int column = span.column0; column <= span.column1; ++column)
                grid.cellEntries[std::size_t(next[std::size_t(row) * grid.columns + column]++)] = std::int32_t(i);
    }
    return grid;
}

PathIndex::CellSpan PathIndex::Cells(const Grid& grid, const Box& box) {
    return {CellOf(box.left, grid.left, grid.cellWidth, grid.columns),
            CellOf(box.right, grid.left, grid.cellWidth, grid.columns),
            CellOf(box.top, grid.top, grid.cellHeight, grid.rows),
            CellOf(box.bottom, grid.top, grid.cellHeight, grid.rows)};
}

std::vector<int> PathIndex::Near(const Grid& grid, const QRectF& room) {
    std::vector<int> near(grid.everywhere.begin(), grid.everywhere.end());
    if (grid.columns == 0) return near;
    Box box{room.left(), room.top(), room.right(), room.bottom()};
    // A rectangle wholly beside the grid meets none of its cells; clamping
    // would otherwise hand it the border cells.
    if (!(box.right >= grid.left && box.bottom >= grid.top && box.left <= grid.right && box.top <= grid.bottom))
        return near;
    CellSpan span = Cells(grid, box);
    for (int row = span.row0; row <= span.row1; ++row) {
        std::size_t first = std::size_t(row) * grid.columns + span.column0;
        std::size_t last = std::size_t(row) * grid.columns + span.column1;
        near.insert(near.end(), grid.cellEntries.begin() + grid.cellStart[first],
                    grid.cellEntries.begin() + grid.cellStart[last + 1]);
    }
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    return near;
}

}  // namespace kestrin
