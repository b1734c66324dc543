// The grid index of the path editor's drawing.

#include "editors/path_index.h"

#include <algorithm>
#include <cmath>
#include <utility>

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
// Moved entries are tested one by one on every query; beyond this many the
// grid is made again.
constexpr std::size_t kMostMoved = 64;

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
    : mBuilt(true), mPointCount(path.PointCount()), mPieceStarts(path.PieceStarts()) {
    std::vector<Box> boxes;
    int pieces = int(mPieceStarts.size()) - 1;
    boxes.reserve(std::max(pieces, 0));
    for (int k = 0; k < pieces; ++k) boxes.push_back(PieceBox(path, k));
    mPieces = Build(std::move(boxes));
    boxes.clear();
    for (int i = 0; i < path.PointCount(); ++i) {
        PathPoint p = path.GetPoint(i);
        boxes.push_back({p.x, p.y, p.x, p.y});
    }
    mPoints = Build(std::move(boxes));
}

bool PathIndex::Fits(const CPath& path) const {
    return mBuilt && mPointCount == path.PointCount() && mPieceStarts == path.PieceStarts();
}

void PathIndex::PointMoved(const CPath& path, int i) {
    if (!mBuilt || mPointCount != path.PointCount() || mPieceStarts.size() != path.PieceStarts().size() || i < 0 ||
        i >= mPointCount) {
        *this = PathIndex(path);
        return;
    }
    // The pieces keep their number; only the moved ones may hold more or
    // fewer segments, which shifts the numbers of the segments after them.
    mPieceStarts = path.PieceStarts();
    for (int k : path.PiecesShapedBy(i)) Move(mPieces, k, PieceBox(path, k));
    PathPoint p = path.GetPoint(i);
    Move(mPoints, i, {p.x, p.y, p.x, p.y});
}

PathIndex::Box PathIndex::PieceBox(const CPath& path, int piece) const {
    const std::vector<ComputedPathPoint>& computed = path.Computed();
    Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (int j = mPieceStarts[piece]; j <= mPieceStarts[piece + 1]; ++j) {
        const ComputedPathPoint& c = computed[j];
        // A coordinate that is not a number spoils the whole box, so that
        // the piece counts as everywhere.
        if (std::isnan(c.x) || std::isnan(c.y)) return {NAN, NAN, NAN, NAN};
        box.left = std::min(box.left, c.x);
        box.top = std::min(box.top, c.y);
        box.right = std::max(box.right, c.x);
        box.bottom = std::max(box.bottom, c.y);
    }
    return box;
}

std::vector<int> PathIndex::SegmentsNear(const QRectF& room) const {
    std::vector<int> segments;
    for (int k : Near(mPieces, room))
        for (int j = mPieceStarts[k]; j < mPieceStarts[k + 1]; ++j) segments.push_back(j);
    return segments;
}

std::vector<int> PathIndex::PointsNear(const QRectF& room) const { return Near(mPoints, room); }

PathIndex::Grid PathIndex::Build(std::vector<Box> boxes) {
    Grid grid;
    grid.isMoved.assign(boxes.size(), false);
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
    // every entry is then tested.
    if (finite == 0 || !std::isfinite(width) || !std::isfinite(height)) {
        for (std::size_t i = 0; i < boxes.size(); ++i) grid.everywhere.push_back(std::int32_t(i));
        grid.boxes = std::move(boxes);
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
    grid.boxes = std::move(boxes);
    return grid;
}

void PathIndex::Move(Grid& grid, int i, const Box& box) {
    grid.boxes[std::size_t(i)] = box;
    if (grid.isMoved[std::size_t(i)]) return;
    if (grid.moved.size() >= kMostMoved) {
        grid = Build(std::move(grid.boxes));
        return;
    }
    grid.isMoved[std::size_t(i)] = true;
    grid.moved.push_back(std::int32_t(i));
}

PathIndex::CellSpan PathIndex::Cells(const Grid& grid, const Box& box) {
    return {CellOf(box.left, grid.left, grid.cellWidth, grid.columns),
            CellOf(box.right, grid.left, grid.cellWidth, grid.columns),
            CellOf(box.top, grid.top, grid.cellHeight, grid.rows),
            CellOf(box.bottom, grid.top, grid.cellHeight, grid.rows)};
}

std::vector<int> PathIndex::Near(const Grid& grid, const QRectF& room) {
    const Box r{room.left(), room.top(), room.right(), room.bottom()};
    // The cells only narrow the search: every candidate is held to its box,
    // so that the answer depends on the boxes alone, however the grid was
    // made or since changed.
    auto meets = [&](std::int32_t i) {
        const Box& b = grid.boxes[std::size_t(i)];
        if (!Finite(b.left, b.top, b.right, b.bottom)) return true;
        return b.right >= r.left && b.left <= r.right && b.bottom >= r.top && b.top <= r.bottom;
    };
    std::vector<int> near;
    auto take = [&](std::int32_t i) {
        if (!grid.isMoved[std::size_t(i)] && meets(i)) near.push_back(i);
    };
    for (std::int32_t i : grid.everywhere) take(i);
    // A rectangle wholly beside the grid meets none of its cells; clamping
    // would otherwise hand it the border cells.
    if (grid.columns > 0 && r.right >= grid.left && r.bottom >= grid.top && r.left <= grid.right &&
        r.top <= grid.bottom) {
        CellSpan span = Cells(grid, r);
        for (int row = span.row0; row <= span.row1; ++row) {
            std::size_t first = std::size_t(row) * grid.columns + span.column0;
            std::size_t last = std::size_t(row) * grid.columns + span.column1;
            for (std::int32_t c = grid.cellStart[first]; c < grid.cellStart[last + 1]; ++c) take(grid.cellEntries[std::size_t(c)]);
        }
    }
    for (std::int32_t i : grid.moved)
        if (meets(i)) near.push_back(i);
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    return near;
}

}  // namespace kestrin
