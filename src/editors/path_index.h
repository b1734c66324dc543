#pragma once
// A coarse grid over a path's computed segments and control points, so that
// a redraw looks only at those near the view instead of testing every one of
// a long path. Built once per change of the path and kept across redraws.

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

    // In increasing order, each once: every computed segment (the one from
    // computed point j to j + 1) whose bounding box may meet the room
    // rectangle, and perhaps a few more.
    std::vector<int> SegmentsNear(const QRectF& room) const;
    // In increasing order, each once: every control point that may lie in
    // the room rectangle, and perhaps a few more.
    std::vector<int> PointsNear(const QRectF& room) const;

private:
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
        // Entries too large or too far out for the cells: always near.
        std::vector<std::int32_t> everywhere;
    };
    struct CellSpan {
        int column0, column1, row0, row1;  // inclusive; empty when column0 > column1
    };
    struct Box {
        double left, top, right, bottom;
    };

    static Grid Build(const std::vector<Box>& boxes);
    static CellSpan Cells(const Grid& grid, const Box& box);
    static std::vector<int> Near(const Grid& grid, const QRectF& room);

    bool mBuilt = false;
    int mComputedCount = 0;
    int mPointCount = 0;
    Grid mSegments;
    Grid mPoints;
};

}  // namespace kestrin
