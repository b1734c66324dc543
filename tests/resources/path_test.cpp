// CPath: the straight and smooth rules, distances and positions, edits and
// transformations, and both record versions.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "resources/action_fixture.h"
#include "resources/path.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

using test::Ints;

void ExpectComputed(const CPath& path, std::initializer_list<std::pair<double, double>> points) {
    ASSERT_EQ(path.ComputedCount(), static_cast<int>(points.size()));
    int i = 0;
    for (auto [x, y] : points) {
        EXPECT_NEAR(path.Computed()[i].x, x, 1e-9) << "point " << i;
        EXPECT_NEAR(path.Computed()[i].y, y, 1e-9) << "point " << i;
        ++i;
    }
}

CPath Triangle() {
    CPath path;
    path.AddPoint(0, 0, 100);
    path.AddPoint(100, 0, 100);
    path.AddPoint(100, 100, 50);
    return path;
}

TEST(PathTest, StraightClosedTriangle) {
    CPath path = Triangle();
    ExpectComputed(path, {{0, 0}, {100, 0}, {100, 100}, {0, 0}});
    EXPECT_NEAR(path.Length(), 200 + 100 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(path.Computed()[2].distance, 200, 1e-9);

    PathPoint half = path.GetPosition(0.5);
    EXPECT_NEAR(half.x, 100, 1e-9);
    EXPECT_NEAR(half.y, 50 * std::sqrt(2.0), 1e-9);  // 70.71...
    EXPECT_NEAR(half.speed, 100 - 50 * (50 * std::sqrt(2.0)) / 100, 1e-9);

    // Fractions outside 0..1 are clamped to the ends.
    EXPECT_DOUBLE_EQ(path.GetX(-3), 0);
    EXPECT_DOUBLE_EQ(path.GetY(7), 0);
    EXPECT_DOUBLE_EQ(path.GetPosition(1).speed, 100);

    path.SetClosed(false);
    ExpectComputed(path, {{0, 0}, {100, 0}, {100, 100}});
    EXPECT_NEAR(path.Length(), 200, 1e-9);
}

TEST(PathTest, SmoothRule) {
    CPath path = Triangle();
    path.SetClosed(false);
    path.SetPrecision(1);
    path.SetKind(kPathSmooth);
    ExpectComputed(path, {{0, 0}, {87.5, 12.5}, {100, 100}});
    // The speed is blended like the coordinates.
    EXPECT_NEAR(path.Computed()[1].speed, (100 + 200 + 75) / 4.0, 1e-9);

    path.SetPrecision(0);
    ExpectComputed(path, {{0, 0}, {100, 100}});
    path.SetClosed(true);
    EXPECT_EQ(path.ComputedCount(), 0);

    // A closed smooth path ends on its first computed point.
    path.SetPrecision(4);
    ASSERT_GT(path.ComputedCount(), 3);
    EXPECT_DOUBLE_EQ(path.Computed().back().x, path.Computed().front().x);
    EXPECT_DOUBLE_EQ(path.Computed().back().y, path.Computed().front().y);

    CPath one;
    one.SetClosed(false);
    one.AddPoint(5, 6, 1);
    one.SetKind(kPathSmooth);
    ExpectComputed(one, {{5, 6}, {5, 6}});
    EXPECT_DOUBLE_EQ(one.GetX(0.5), 5);
}

TEST(PathTest, HalvesNearTheirEndAreNotSplit) {
    // Control point within 4 pixels of both ends: one point per segment
    // whatever the precision.
    CPath path;
    path.SetClosed(false);
    path.AddPoint(0, 0, 100);
    path.AddPoint(3, 0, 100);
    path.AddPoint(3, 3, 100);
    path.SetPrecision(8);
    path.SetKind(kPathSmooth);
    EXPECT_EQ(path.ComputedCount(), 3);
}

TEST(PathTest, EditsAndSettersGuardTheirArguments) {
    CPath path = Triangle();
    path.InsertPoint(path.PointCount() + 1, 1, 1, 1);
    EXPECT_EQ(path.PointCount(), 3);
    path.InsertPoint(path.PointCount(), 7, 8, 9);
    EXPECT_EQ(path.PointCount(), 4);
    EXPECT_DOUBLE_EQ(path.GetPoint(3).x, 7);
    path.ChangePoint(4, 0, 0, 0);
    path.DeletePoint(-1);
    EXPECT_EQ(path.PointCount(), 4);
    path.DeletePoint(3);
    EXPECT_EQ(path.PointCount(), 3);
    PathPoint outside = path.GetPoint(9);
    EXPECT_DOUBLE_EQ(outside.speed, 1);

    path.SetPrecision(12);
    EXPECT_EQ(path.Precision, 8);
    path.SetPrecision(-2);
    EXPECT_EQ(path.Precision, 0);
    path.SetKind(5);
    EXPECT_EQ(path.Kind, kPathStraight);

    CPath empty;
    EXPECT_DOUBLE_EQ(empty.GetPosition(0.3).speed, 100);
}

TEST(PathTest, TransformationsWorkAroundTheCentre) {
    CPath path = Triangle();
    double cx, cy;
    path.GetCenter(cx, cy);
    EXPECT_DOUBLE_EQ(cx, 50);
    EXPECT_DOUBLE_EQ(cy, 50);

    path.Mirror();
    EXPECT_DOUBLE_EQ(path.GetPoint(0).x, 100);
    path.Flip();
    EXPECT_DOUBLE_EQ(path.GetPoint(2).y, 0);
    path.Shift(10, -5);
    EXPECT_DOUBLE_EQ(path.GetPoint(0).x, 110);
    EXPECT_DOUBLE_EQ(path.GetPoint(0).y, 95);
    EXPECT_EQ(path.ComputedCount(), 4);  // recomputed
    EXPECT_DOUBLE_EQ(path.Computed()[0].x, 110);

    CPath rotated = Triangle();
    rotated.Rotate(90);
    // (0,0) is (-50,-50) from the centre; a quarter turn gives (-50, 50).
    EXPECT_NEAR(rotated.GetPoint(0).x, 0, 1e-9);
    EXPECT_NEAR(rotated.GetPoint(0).y, 100, 1e-9);
    EXPECT_DOUBLE_EQ(rotated.GetPoint(2).speed, 50);

    CPath scaled = Triangle();
    scaled.Scale(2, 0.5);
    EXPECT_DOUBLE_EQ(scaled.GetPoint(0).x, -50);
    EXPECT_DOUBLE_EQ(scaled.GetPoint(0).y, 25);

    CPath reversed = Triangle();
    reversed.Reverse();
    EXPECT_DOUBLE_EQ(reversed.GetPoint(0).y, 100);
    EXPECT_DOUBLE_EQ(reversed.GetPoint(0).speed, 50);
}

TEST(PathTest, NewPathRecordAndRoundTrip) {
    CPath path;
    CStream stream;
    path.SaveToStream(stream);
    EXPECT_EQ(stream.View(), Ints({530, 0, 1, 4, -1, 16, 16, 0}));

    CPath full = Triangle();
    full.SetKind(kPathSmooth);
    full.SetClosed(false);
    full.BackgroundRoom = 3;
    full.SnapX = 8;
    full.SnapY = 32;
    CStream written;
    full.SaveToStream(written);
    written.SetPosition(0);
    CPath loaded;
    ASSERT_TRUE(loaded.LoadFromStream(written));
    EXPECT_EQ(loaded.Kind, kPathSmooth);
    EXPECT_FALSE(loaded.Closed);
    EXPECT_EQ(loaded.BackgroundRoom, 3);
    EXPECT_EQ(loaded.SnapX, 8);
    EXPECT_EQ(loaded.SnapY, 32);
    EXPECT_EQ(loaded.PointCount(), 3);
    EXPECT_DOUBLE_EQ(loaded.GetPoint(2).speed, 50);
    EXPECT_EQ(loaded.ComputedCount(), full.ComputedCount());
    EXPECT_DOUBLE_EQ(loaded.Length(), full.Length());
}

TEST(PathTest, Version420) {
    for (auto [closedValue, closed] : {std::pair{1, false}, std::pair{2, true}, std::pair{0, false}}) {
        CStream stream(Ints({420, 0, closedValue, 3, 1}));
        stream.Seek(0, SeekOrigin::End);
        stream.WriteReal(1);
        stream.WriteReal(2);
        stream.WriteReal(3);
        stream.SetPosition(0);
        CPath path;
        path.BackgroundRoom = 5;
        path.SnapX = 1;
        ASSERT_TRUE(path.LoadFromStream(stream));
        EXPECT_EQ(path.Closed, closed);
        EXPECT_EQ(path.Precision, 3);
        EXPECT_EQ(path.BackgroundRoom, -1);
        EXPECT_EQ(path.SnapX, 16);
        EXPECT_EQ(path.SnapY, 16);
        EXPECT_EQ(path.PointCount(), 1);
    }
}

TEST(PathTest, BadRecords) {
    CPath path = Triangle();
    CStream wrong(Ints({531, 1, 1, 4, -1, 16, 16, 0}));
    EXPECT_FALSE(path.LoadFromStream(wrong));
    EXPECT_EQ(path.PointCount(), 3);  // unchanged

    CStream huge(Ints({530, 0, 1, 4, -1, 16, 16, 0x7fffffff}));
    EXPECT_THROW(path.LoadFromStream(huge), StreamReadError);

    // A stored precision is kept as read, but does not blow up the curve.
    CStream deep(Ints({530, 1, 0, 1000, -1, 16, 16, 3}));
    deep.Seek(0, SeekOrigin::End);
    for (double v : {0.0, 0.0, 1.0, 1e300, 0.0, 1.0, 1e300, 1e300, 1.0}) deep.WriteReal(v);
    deep.SetPosition(0);
    ASSERT_TRUE(path.LoadFromStream(deep));
    EXPECT_EQ(path.Precision, 1000);
    EXPECT_LE(path.ComputedCount(), 2 + (1 << 9));
}

TEST(PathTest, HugeSmoothPathsStayBounded) {
    // 16,500 far-apart points at precision 8 would make over four million points.
    CStream stream(Ints({530, kPathSmooth, 1, 8, -1, 16, 16, 16500}));
    stream.Seek(0, SeekOrigin::End);
    for (int i = 0; i < 16500; ++i) {
        stream.WriteReal((i % 2) * 100000.0);
        stream.WriteReal(i * 1000.0);
        stream.WriteReal(100);
    }
    stream.SetPosition(0);
    CPath path;
    ASSERT_TRUE(path.LoadFromStream(stream));
    EXPECT_EQ(path.Precision, 8);
    EXPECT_GT(path.ComputedCount(), 16500);
    EXPECT_LE(path.ComputedCount(), (1 << 22) + 2);
}

// The sampler walks forward from where it stopped; each answer must still be
// GetPosition's, also across segments of zero length (repeated points) and
// for fractions that repeat or lie outside 0..1.
TEST(PathTest, SamplerEqualsGetPosition) {
    CPath smooth;
    smooth.SetKind(kPathSmooth);
    for (auto [x, y, sp] : {std::tuple{0.0, 0.0, 100.0}, {120.0, 10.0, 50.0}, {120.0, 10.0, 50.0},
                            {200.0, 150.0, 300.0}, {40.0, 90.0, 10.0}})
        smooth.AddPoint(x, y, sp);
    CPath straight;
    straight.SetClosed(false);
    for (auto [x, y] : {std::pair{5.0, 5.0}, {5.0, 5.0}, {65.0, 5.0}, {65.0, 85.0}}) straight.AddPoint(x, y, 100);
    CPath single;
    single.AddPoint(7, 8, 9);
    CPath empty;
    for (const CPath* path : {&smooth, &straight, &single, &empty}) {
        PathSampler sampler(*path);
        const std::vector<double> fractions = {-0.5, 0, 0, 1e-9, 0.1, 0.1, 0.25, 0.3333, 0.5, 0.75, 0.999, 1, 2};
        for (double f : fractions) {
            PathPoint expected = path->GetPosition(f), got = sampler.At(f);
            EXPECT_EQ(got.x, expected.x) << f;
            EXPECT_EQ(got.y, expected.y) << f;
            EXPECT_EQ(got.speed, expected.speed) << f;
        }
        PathSampler dense(*path);
        for (int i = 0; i <= 1000; ++i) {
            PathPoint expected = path->GetPosition(i / 1000.0), got = dense.At(i / 1000.0);
            ASSERT_EQ(got.x, expected.x) << i;
            ASSERT_EQ(got.y, expected.y) << i;
        }
    }
}

}  // namespace
}  // namespace kestrin
