#pragma once
// A coarse grid over a path's computed pieces and control points, so that a
// redraw looks only at those near the view instead of testing every one of
// a long path. Built once when the path changes as a whole; a dragged point
// enters again only the pieces it moved, and the grid is made afresh only
// after many such moves.

#include <QRectF>
#include <cstdint>
#include <vector>

namespace kestrin {

class CPath;

class PathIndex {
public:
    PathIndex() = default;
    explicit PathIndex(const CPath& path);

    // False when made without a path, or for a path since grown or shrunk.
    bool Fits(const CPath& path) const;
    // Control point i of the path moved and nothing else changed: its own
    // entry and the pieces it shapes are entered again. A path whose counts
    // changed is indexed afresh.
    void PointMoved(const CPath& path, int i);

    // In increasing order, each once: every computed segment (the one from
    // computed point j to j + 1) of the pieces whose bounding box meets the
    // room rectangle, and of those with coordinates beyond doubles.
    std::vector<int> SegmentsNear(const QRectF& room) const;
    // In increasing order, each once: every control point in the room
    // rectangle, and those with coordinates beyond doubles.
    std::vector<int> PointsNear(const QRectF& room) const;

private:
    struct Box {
        double left, top, right, bottom;
    };
    struct CellSpan {
        int column0, column1, row0, row1;  // inclusive; empty when column0 > column1
    };
    struct Grid {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
        double cellWidth = 1;
        double cellHeight = 1;
        int columns = 0;
        int rows = 0;
        // Each cell's entries are cellEntries[cellStart[c] .. cellStart[c + 1]).
        std::vector<std::int32_t> cellStart;
        std::vector<std::int32_t> cellEntries;
        // Entries too large or too far out for the cells: always tested.
        std::vector<std::int32_t> everywhere;
        // Every entry's box as it is now.
        std::vector<Box> boxes;
        // Entries whose boxes changed since the cells were made: the cells
        // no longer tell where they are, so they are tested on every query.
        std::vector<std::int32_t> moved;
        std::vector<bool> isMoved;
    };

    static Grid Build(std::vector<Box> boxes);
    static CellSpan Cells(const Grid& grid, const Box& box);
    static std::vector<int> Near(const Grid& grid, const QRectF& room);
    // Gives entry i a new box; too many such changes make the grid afresh.
    static void Move(Grid& grid, int i, const Box& box);
    Box PieceBox(const CPath& path, int piece) const;

    bool mBuilt = false;
    int mPointCount = 0;
    // Piece k is the computed segments mPieceStarts[k] to mPieceStarts[k + 1] - 1.
    std::vector<int> mPieceStarts;
    Grid mPieces;
    Grid mPoints;
};

}  // namespace kestrin
