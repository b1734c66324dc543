// The grid's shortest ways: around walls, through gaps, with and without
// diagonal moves that never cut an occupied corner, refusing occupied or
// outside ends, and refusing grids too large to search.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/motion_grid.h"

namespace kestrin::engine {
namespace {

constexpr double kCell = 10;

// '#' occupied, anything else free; cells of 10 by 10 from (0, 0).
MotionGrid GridOf(const std::vector<std::string>& map) {
    MotionGrid grid(0, 0, static_cast<int>(map[0].size()), static_cast<int>(map.size()), kCell, kCell);
    for (int row = 0; row < grid.Rows(); ++row)
        for (int column = 0; column < grid.Columns(); ++column)
            if (map[row][column] == '#') grid.SetCell(column, row, true);
    return grid;
}

GridPoint Centre(int column, int row) { return {(column + 0.5) * kCell, (row + 0.5) * kCell}; }

// Every move goes to a free neighbouring cell, diagonally only when allowed
// and past two free cells; the way's length in cells.
double CheckedLength(const MotionGrid& grid, const std::vector<GridPoint>& way, bool diagonal) {
    double length = 0;
    for (std::size_t i = 1; i < way.size(); ++i) {
        const int c0 = static_cast<int>(way[i - 1].x / kCell), r0 = static_cast<int>(way[i - 1].y / kCell);
        const int c1 = static_cast<int>(way[i].x / kCell), r1 = static_cast<int>(way[i].y / kCell);
        EXPECT_FALSE(grid.Occupied(c1, r1)) << "point " << i;
        EXPECT_LE(std::abs(c1 - c0), 1) << "point " << i;
        EXPECT_LE(std::abs(r1 - r0), 1) << "point " << i;
        if (c1 != c0 && r1 != r0) {
            EXPECT_TRUE(diagonal) << "point " << i;
            EXPECT_FALSE(grid.Occupied(c1, r0) || grid.Occupied(c0, r1)) << "a corner cut at point " << i;
        }
        length += std::hypot(c1 - c0, r1 - r0);
    }
    return length;
}

struct WayCase {
    const char* name;
    std::vector<std::string> map;
    int startColumn, startRow, goalColumn, goalRow;
    bool diagonal;
    double length;  // in cells; negative: no way
};

TEST(MotionGrid, FindsAShortestWayOrNone) {
    const std::vector<std::string> open = {".....", ".....", ".....", ".....", "....."};
    const std::vector<std::string> wallWithGap = {"..#..", "..#..", "..#..", "..#..", "....."};
    const std::vector<std::string> closed = {"..#..", "..#..", "..#..", "..#..", "..#.."};
    const WayCase cases[] = {
        {"open field, straight moves", open, 0, 0, 4, 4, false, 8},
        {"open field, diagonal moves", open, 0, 0, 4, 4, true, 4 * std::sqrt(2.0)},
        {"wall with a gap, straight moves", wallWithGap, 0, 0, 4, 0, false, 12},
        {"wall with a gap, diagonal moves", wallWithGap, 0, 0, 4, 0, true, 8 + 2 * std::sqrt(2.0)},
        {"a closed wall", closed, 0, 0, 4, 4, true, -1},
        {"no corner cut between two occupied cells", {".#", "#."}, 0, 0, 1, 1, true, -1},
        {"no corner cut past one occupied cell", {"..", "#."}, 0, 0, 1, 1, true, 2},
        {"start occupied", {"#..", "..."}, 0, 0, 2, 1, true, -1},
        {"goal occupied", {"...", "..#"}, 0, 0, 2, 1, true, -1},
        {"start is the goal", {"..."}, 1, 0, 1, 0, false, 0},
    };
    for (const WayCase& c : cases) {
        SCOPED_TRACE(c.name);
        const MotionGrid grid = GridOf(c.map);
        std::vector<GridPoint> way;
        const GridPoint start = Centre(c.startColumn, c.startRow), goal = Centre(c.goalColumn, c.goalRow);
        const bool found = grid.FindPath(start, goal, c.diagonal, way);
        ASSERT_EQ(found, c.length >= 0);
        if (!found) {
            EXPECT_TRUE(way.empty());
            continue;
        }
        EXPECT_NEAR(CheckedLength(grid, way, c.diagonal), c.length, 1e-9);
        EXPECT_EQ(way.front().x, start.x);
        EXPECT_EQ(way.back().y, goal.y);
    }
}

TEST(MotionGrid, TheWayStartsAndEndsAtTheGivenPointsAndRefusesPointsOutside) {
    MotionGrid grid(100, 50, 4, 4, 8, 8);
    std::vector<GridPoint> way;
    ASSERT_TRUE(grid.FindPath({101, 51}, {131, 81}, true, way));
    EXPECT_EQ(way.front().x, 101);
    EXPECT_EQ(way.front().y, 51);
    EXPECT_EQ(way.back().x, 131);
    EXPECT_EQ(way.back().y, 81);
    ASSERT_EQ(way.size(), 4u);  // three diagonal moves
    EXPECT_EQ(way[1].x, 112);  // the centre of the cell between
    EXPECT_EQ(way[1].y, 62);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (GridPoint outside : {GridPoint{99, 60}, GridPoint{110, 82}, GridPoint{nan, 60}, GridPoint{1e300, 60}}) {
        EXPECT_FALSE(grid.FindPath(outside, {120, 60}, true, way)) << outside.x << "," << outside.y;
        EXPECT_FALSE(grid.FindPath({120, 60}, outside, true, way)) << outside.x << "," << outside.y;
    }
}

TEST(MotionGrid, RectanglesMarkTheCellsTheyReachClippedToTheGrid) {
    struct Case {
        double x1, y1, x2, y2;
        int occupied;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {0, 0, 9, 9, 1},       {0, 0, 10, 10, 4},         {25, 5, 15, 5, 2},  // corners in either order
        {-1e9, -5, 1e9, 5, 5}, {-1e300, -1e300, 1e300, 1e300, 25}, {60, 0, 90, 90, 0},
        {nan, 0, 10, 10, 0},
    };
    for (const Case& c : cases) {
        MotionGrid grid(0, 0, 5, 5, kCell, kCell);
        grid.SetRectangle(c.x1, c.y1, c.x2, c.y2, true);
        int occupied = 0;
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 5; ++column) occupied += grid.Occupied(column, row);
        EXPECT_EQ(occupied, c.occupied) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST(MotionGrid, OnlyGridsOfABoundedSizeFit) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double columns, rows, width, height;
        bool fits;
    };
    const Case cases[] = {
        {1024, 1024, 16, 16, true}, {1, 1, 0.5, 0.5, true},  {2048, 1024, 16, 16, false},
        {1e9, 1e9, 1, 1, false},    {0, 10, 16, 16, false},  {10, -1, 16, 16, false},
        {10, 10, 0, 16, false},     {nan, 10, 16, 16, false}, {10, 10, 16, nan, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MotionGrid::Fits(c.columns, c.rows, c.width, c.height), c.fits)
            << c.columns << " x " << c.rows << " of " << c.width << " x " << c.height;
}

}  // namespace
}  // namespace kestrin::engine
