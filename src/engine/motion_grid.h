#pragma once
// A grid of cells laid over the room, each free or occupied, and the
// shortest way through its free cells (A*), with or without diagonal moves.
// A diagonal move never cuts the corner of an occupied cell.

#include <cstdint>
#include <vector>

namespace kestrin::engine {

struct GridPoint {
    double x, y;
};

class MotionGrid {
public:
    // More cells than that are refused: the search keeps a few numbers per
    // cell and a queue entry per improvement.
    static constexpr double kMostCells = 1 << 20;
    // Whether a grid of that many cells of that size can be made.
    static bool Fits(double columns, double rows, double cellWidth, double cellHeight);

    MotionGrid(double left, double top, int columns, int rows, double cellWidth, double cellHeight);

    int Columns() const { return mColumns; }
    int Rows() const { return mRows; }
    double Left() const { return mLeft; }
    double Top() const { return mTop; }
    double CellWidth() const { return mCellWidth; }
    double CellHeight() const { return mCellHeight; }

    bool Occupied(int column, int row) const;
    // Cells outside the grid are left alone.
    void SetCell(int column, int row, bool occupied);
    void SetAll(bool occupied);
    // Every cell that the room rectangle (corners in either order) reaches.
    void SetRectangle(double x1, double y1, double x2, double y2, bool occupied);
    // The cells the room span [from, to] reaches along one axis, clipped to
    // the grid; false when it misses the grid.
    bool ColumnsOf(double from, double to, int& first, int& last) const;
    bool RowsOf(double from, double to, int& first, int& last) const;

    // The way from the start to the goal through free cells: the start, the
    // centres of the cells between, the goal. False when either point lies
    // outside the grid or in an occupied cell, or no way exists.
    bool FindPath(GridPoint start, GridPoint goal, bool diagonal, std::vector<GridPoint>& way) const;

private:
    bool CellOf(GridPoint point, int& column, int& row) const;

    double mLeft, mTop;
    int mColumns, mRows;
    double mCellWidth, mCellHeight;
    std::vector<std::uint8_t> mOccupied;
};

}  // namespace kestrin::engine
