// The grid index of the path editor's drawing: after a point moves, only
// what it shapes is entered again, and every query answers as an index made
// afresh from the moved path does.

#include <gtest/gtest.h>

#include <QRectF>
#include <algorithm>
#include <cmath>
#include <vector>

#include "editors/path_index.h"
#include "resources/path.h"

namespace kestrin {
namespace {

// A wavy ring of points some 24 pixels apart, as a drawn path has them.
CPath Ring(std::int32_t kind, bool closed, int count) {
    CPath path;
    path.SetKind(kind);
    path.SetClosed(closed);
    for (int i = 0; i < count; ++i) {
        double a = 2 * 3.14159265358979 * i / count, r = 150 + (i % 3) * 20;
        path.AddPoint(200 + r * std::cos(a), 200 + r * std::sin(a), 100);
    }
    return path;
}

// Rectangles across the whole area and beyond it, small and large.
std::vector<QRectF> Queries() {
    std::vector<QRectF> queries;
    for (double y = -200; y < 700; y += 60)
        for (double x = -200; x < 700; x += 60) queries.emplace_back(x, y, 45, 45);
    queries.emplace_back(-1000, -1000, 3000, 3000);
    queries.emplace_back(180, -1000, 40, 3000);
    return queries;
}

// The segments whose own bounding boxes meet the rectangle.
std::vector<int> SegmentsMeeting(const CPath& path, const QRectF& r) {
    std::vector<int> segments;
    const std::vector<ComputedPathPoint>& c = path.Computed();
    for (std::size_t j = 0; j + 1 < c.size(); ++j) {
        if (std::max(c[j].x, c[j + 1].x) >= r.left() && std::min(c[j].x, c[j + 1].x) <= r.right() &&
            std::max(c[j].y, c[j + 1].y) >= r.top() && std::min(c[j].y, c[j + 1].y) <= r.bottom())
            segments.push_back(int(j));
    }
    return segments;
}

void ExpectSameAnswers(const PathIndex& index, const CPath& path, const char* what) {
    const PathIndex fresh(path);
    ASSERT_TRUE(index.Fits(path)) << what;
    for (const QRectF& r : Queries()) {
        std::vector<int> segments = index.SegmentsNear(r);
        ASSERT_EQ(segments, fresh.SegmentsNear(r)) << what << " at " << r.x() << "," << r.y();
        ASSERT_EQ(index.PointsNear(r), fresh.PointsNear(r)) << what << " at " << r.x() << "," << r.y();
        for (int j : SegmentsMeeting(path, r))
            ASSERT_TRUE(std::binary_search(segments.begin(), segments.end(), j)) << what << " misses segment " << j;
    }
}

TEST(PathIndex, MovedPointAnswersAsAFreshIndex) {
    struct Case {
        const char* name;
        std::int32_t kind;
        bool closed;
    } cases[] = {
        {"straight closed", kPathStraight, true},
        {"straight open", kPathStraight, false},
        {"smooth closed", kPathSmooth, true},
        {"smooth open", kPathSmooth, false},
    };
    const int count = 40;
    // First, last, near both ends and in the middle; far moves change how
    // many points a smooth stretch is split into.
    struct Move {
        int point;
        double dx, dy;
    } moves[] = {{0, 30, -10}, {count - 1, -60, 45}, {1, 300, 300}, {count - 2, 5, 5}, {20, -250, 10}, {20, 250, -10},
                 {0, 0, 0}, {2, 1, 1}};
    for (const Case& c : cases) {
        CPath path = Ring(c.kind, c.closed, count);
        PathIndex index(path);
        for (const Move& m : moves) {
            PathPoint p = path.GetPoint(m.point);
            path.ChangePoint(m.point, p.x + m.dx, p.y + m.dy, p.speed);
            index.PointMoved(path, m.point);
            ExpectSameAnswers(index, path, c.name);
        }
        // Every point moved, more than the index keeps aside before it
        // makes its grid again.
        for (int i = 0; i < count; ++i) {
            PathPoint p = path.GetPoint(i);
            path.ChangePoint(i, p.x + 40 * std::sin(i), p.y - 30, p.speed);
            index.PointMoved(path, i);
        }
        ExpectSameAnswers(index, path, c.name);
    }
}

TEST(PathIndex, ShortPathsAndChangedCountsAreIndexedAfresh) {
    for (std::int32_t kind : {kPathStraight, kPathSmooth}) {
        for (bool closed : {true, false}) {
            CPath path = Ring(kind, closed, 1);
            PathIndex index(path);
            for (int n = 1; n <= 5; ++n) {
                PathPoint p = path.GetPoint(0);
                path.ChangePoint(0, p.x + 100, p.y, p.speed);
                index.PointMoved(path, 0);
                ExpectSameAnswers(index, path, "moved");
                path.AddPoint(100 + 70 * n, 80 * (n % 2), 100);
                EXPECT_FALSE(index.Fits(path));
                index.PointMoved(path, n);
                ExpectSameAnswers(index, path, "added");
            }
        }
    }
}

// Coordinates that are not numbers or beyond doubles, as a scale can make
// them, are always near.
TEST(PathIndex, PointsBeyondDoublesAreEverywhere) {
    CPath path = Ring(kPathSmooth, true, 12);
    PathIndex index(path);
    path.ChangePoint(5, INFINITY, 0, 100);
    index.PointMoved(path, 5);
    ExpectSameAnswers(index, path, "infinite");
    std::vector<int> points = index.PointsNear(QRectF(-5000, -5000, 1, 1));
    EXPECT_EQ(points, std::vector<int>{5});
    path.ChangePoint(5, NAN, NAN, 100);
    index.PointMoved(path, 5);
    EXPECT_EQ(index.PointsNear(QRectF(-5000, -5000, 1, 1)), std::vector<int>{5});
}

}  // namespace
}  // namespace kestrin
