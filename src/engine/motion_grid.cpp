// The grid's cells and the A* search over them.

#include "engine/motion_grid.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>

namespace kestrin::engine {

bool MotionGrid::Fits(double columns, double rows, double cellWidth, double cellHeight) {
    return columns >= 1 && rows >= 1 && columns * rows <= kMostCells && cellWidth > 0 && cellHeight > 0 &&
           std::isfinite(cellWidth) && std::isfinite(cellHeight);
}

MotionGrid::MotionGrid(double left, double top, int columns, int rows, double cellWidth, double cellHeight)
    : mLeft(left),
      mTop(top),
      mColumns(columns),
      mRows(rows),
      mCellWidth(cellWidth),
      mCellHeight(cellHeight),
      mOccupied(static_cast<std::size_t>(columns) * rows, 0) {}

bool MotionGrid::Occupied(int column, int row) const {
    return column >= 0 && row >= 0 && column < mColumns && row < mRows &&
           mOccupied[static_cast<std::size_t>(row) * mColumns + column];
}

void MotionGrid::SetCell(int column, int row, bool occupied) {
    if (column >= 0 && row >= 0 && column < mColumns && row < mRows)
        mOccupied[static_cast<std::size_t>(row) * mColumns + column] = occupied;
}

void MotionGrid::SetAll(bool occupied) { std::fill(mOccupied.begin(), mOccupied.end(), occupied); }

namespace {

// The cells of size `cell` from `origin` that [from, to] reaches, within [0, count).
bool Cells(double origin, double cell, int count, double from, double to, int& first, int& last) {
    if (from > to) std::swap(from, to);
    const double a = std::floor((from - origin) / cell), b = std::floor((to - origin) / cell);
    // Also false for spans that are not numbers.
    if (!(b >= 0 && a < count)) return false;
    first = static_cast<int>(std::max(a, 0.0));
    last = static_cast<int>(std::min(b, count - 1.0));
    return true;
}

}  // namespace

bool MotionGrid::ColumnsOf(double from, double to, int& first, int& last) const {
    return Cells(mLeft, mCellWidth, mColumns, from, to, first, last);
}

bool MotionGrid::RowsOf(double from, double to, int& first, int& last) const {
    return Cells(mTop, mCellHeight, mRows, from, to, first, last);
}

void MotionGrid::SetRectangle(double x1, double y1, double x2, double y2, bool occupied) {
    int c1, c2, r1, r2;
    if (!ColumnsOf(x1, x2, c1, c2) || !RowsOf(y1, y2, r1, r2)) return;
    for (int row = r1; row <= r2; ++row)
        std::fill_n(mOccupied.begin() + static_cast<std::ptrdiff_t>(row) * mColumns + c1, c2 - c1 + 1, occupied);
}

bool MotionGrid::CellOf(GridPoint point, int& column, int& row) const {
    int last;
    return ColumnsOf(point.x, point.x, column, last) && RowsOf(point.y, point.y, row, last);
}

bool MotionGrid::FindPath(GridPoint start, GridPoint goal, bool diagonal, std::vector<GridPoint>& way) const {
    way.clear();
    int sc, sr, gc, gr;
    if (!CellOf(start, sc, sr) || !CellOf(goal, gc, gr) || Occupied(sc, sr) || Occupied(gc, gr)) return false;
    const std::size_t cells = mOccupied.size();
    const auto index = [&](int c, int r) { return static_cast<std::size_t>(r) * mColumns + c; };
    const double straightX = mCellWidth, straightY = mCellHeight, slant = std::hypot(mCellWidth, mCellHeight);
    // Never more than the true cost left, so the first way found is a shortest one.
    const auto estimate = [&](int c, int r) {
        const double dx = std::abs(c - gc) * straightX, dy = std::abs(r - gr) * straightY;
        if (!diagonal) return dx + dy;
        const double along = std::min(std::abs(c - gc), std::abs(r - gr));
        return dx + dy - along * (straightX + straightY - slant);
    };
    std::vector<double> cost(cells, std::numeric_limits<double>::infinity());
    std::vector<std::int32_t> from(cells, -1);
    using Entry = std::pair<double, std::size_t>;  // estimated total, cell
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const std::size_t first = index(sc, sr), target = index(gc, gr);
    cost[first] = 0;
    open.push({estimate(sc, sr), first});
    while (!open.empty()) {
        const auto [total, cell] = open.top();
        open.pop();
        const int c = static_cast<int>(cell % mColumns), r = static_cast<int>(cell / mColumns);
        if (total > cost[cell] + estimate(c, r)) continue;  // a stale entry
        if (cell == target) break;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
                if ((dc == 0 && dr == 0) || (!diagonal && dc != 0 && dr != 0)) continue;
                const int nc = c + dc, nr = r + dr;
                if (nc < 0 || nr < 0 || nc >= mColumns || nr >= mRows || Occupied(nc, nr)) continue;
                if (dc != 0 && dr != 0 && (Occupied(c + dc, r) || Occupied(c, r + dr))) continue;
                const double step = dc == 0 ? straightY : dr == 0 ? straightX : slant;
                const std::size_t next = index(nc, nr);
                if (cost[cell] + step >= cost[next]) continue;
                cost[next] = cost[cell] + step;
                from[next] = static_cast<std::int32_t>(cell);
                open.push({cost[next] + estimate(nc, nr), next});
            }
    }
    if (target != first && from[target] < 0) return false;
    std::vector<std::size_t> cellsOnWay;
    for (std::size_t cell = from[target] < 0 ? first : static_cast<std::size_t>(from[target]); cell != first;
         cell = static_cast<std::size_t>(from[cell]))
        cellsOnWay.push_back(cell);
    way.push_back(start);
    for (auto it = cellsOnWay.rbegin(); it != cellsOnWay.rend(); ++it) {
        const double c = static_cast<double>(*it % mColumns), r = static_cast<double>(*it / mColumns);
        way.push_back({mLeft + (c + 0.5) * mCellWidth, mTop + (r + 0.5) * mCellHeight});
    }
    way.push_back(goal);
    return true;
}

}  // namespace kestrin::engine
