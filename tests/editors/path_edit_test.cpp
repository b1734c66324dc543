// The path editor's rules and its controller, without a window: snapping,
// picking, the point list's text, the mouse and the commands with their undo.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "editors/path_edit_controller.h"
#include "editors/path_edit_rules.h"
#include "resources/path.h"

namespace kestrin {
namespace {

struct XY {
    double x, y;
};

std::vector<XY> Points(const CPath& path) {
    std::vector<XY> points;
    for (int i = 0; i < path.PointCount(); ++i) points.push_back({path.GetPoint(i).x, path.GetPoint(i).y});
    return points;
}

TEST(PathEditRules, Snapping) {
    struct Case {
        double value;
        int step;
        double snapped;
    } cases[] = {
        {8, 16, 0},       {24, 16, 32},    {25, 16, 32},   {23.9, 16, 16}, {-8, 16, -0.0}, {-24, 16, -32},
        {-25, 16, -32},   {7, 1, 7},       {7.5, 1, 8},    {6.5, 1, 6},    {7.4, 0, 7},    {7.6, -5, 8},
        {100, 999, 0},    {500, 999, 999}, {13, 4, 12},    {14, 4, 16},
    };
    for (const Case& c : cases) EXPECT_EQ(SnapCoordinate(c.value, c.step), c.snapped) << c.value << " by " << c.step;
}

TEST(PathEditRules, Picking) {
    CPath path;
    path.AddPoint(100, 100, 100);  // 0
    path.AddPoint(116, 100, 100);  // 1
    path.AddPoint(100, 100, 100);  // 2: on top of 0
    struct Case {
        double x, y;
        int picked;
    } cases[] = {
        {100, 100, 0},  // equal distance: the earlier point
        {108, 100, 0},  // 8 from both 0 and 1: the earlier
        {109, 100, 1}, {100, 109, 0}, {100, 110, -1}, {100, 90, -1}, {93, 93, 0},  // 98 < 100
        {92.9, 92.9, -1}, {125.9, 100, 1}, {126, 100, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(PickPathPoint(path, c.x, c.y), c.picked) << c.x << "," << c.y;
    EXPECT_EQ(PickPathPoint(CPath{}, 0, 0), -1);
}

TEST(PathEditRules, ListLine) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        PathPoint point;
        const char* line;
    } cases[] = {
        {{0, 0, 100}, "(0,0)       sp: 100"},
        {{3.5, 2.5, 100}, "(4,2)       sp: 100"},  // halves to even
        {{-12.5, 640, 99.5}, "(-12,640)   sp: 100"},
        {{1234, 56789, 1}, "(1234,56789) sp: 1"},  // already longer than 12
        {{1e20, -inf, std::nan("")}, "(2147483647,-2147483648) sp: 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(PathListLine(c.point), c.line);
}

TEST(PathEditRules, SampleCountIsBoundedByTheView) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double length;
        int width, height;
        std::int64_t count;
    } cases[] = {
        {0, 800, 600, 0},          {1.9, 800, 600, 0},        {2, 800, 600, 0},  // round(0.5) is 0
        {6, 800, 600, 2},          {400, 800, 600, 100},      {1e15, 800, 600, 4 * 800 * 600},
        {1e15, 0, 0, 4},           {inf, 800, 600, 0},        {std::nan(""), 800, 600, 0},
        {-5, 800, 600, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathSampleCount(c.length, c.width, c.height), c.count) << c.length << " in " << c.width;
}

// The mouse, step by step on one path: each row is a gesture and what the
// path, the selection, the drag and the undo copy are after it.
TEST(PathEditController, MouseTable) {
    CPath path;
    PathEditController edit(path);
    enum Gesture { Left, ShiftLeft, AltLeft, Right, Move, AltMove, Up };
    struct Step {
        Gesture gesture;
        double x, y;
        bool changed;
        std::vector<XY> points;
        int selected;
        bool dragging;
    } steps[] = {
        {Left, 8, 24, true, {{0, 32}}, 0, true},  // snapped, halves to even
        {Up, 0, 0, false, {{0, 32}}, 0, false},
        {AltLeft, 8, 24, true, {{0, 32}, {8, 24}}, 1, true},
        {Up, 0, 0, false, {{0, 32}, {8, 24}}, 1, false},
        {Left, 100, 100, true, {{0, 32}, {8, 24}, {96, 96}}, 2, true},
        {Move, 130, 100, true, {{0, 32}, {8, 24}, {128, 96}}, 2, true},
        {Move, 131, 101, false, {{0, 32}, {8, 24}, {128, 96}}, 2, true},  // same grid point
        {AltMove, 131, 101, true, {{0, 32}, {8, 24}, {131, 101}}, 2, true},
        {Up, 0, 0, false, {{0, 32}, {8, 24}, {131, 101}}, 2, false},
        {Move, 200, 200, false, {{0, 32}, {8, 24}, {131, 101}}, 2, false},  // no drag, no move
        {Left, 140, 101, false, {{0, 32}, {8, 24}, {131, 101}}, 2, true},  // 9 pixels away: picks
        {Up, 0, 0, false, {{0, 32}, {8, 24}, {131, 101}}, 2, false},
        {Left, 141, 101, true, {{0, 32}, {8, 24}, {131, 101}, {144, 96}}, 3, true},  // 10 pixels: adds
        {Up, 0, 0, false, {{0, 32}, {8, 24}, {131, 101}, {144, 96}}, 3, false},
        {ShiftLeft, 130, 100, true, {{0, 32}, {8, 24}, {128, 96}, {131, 101}, {144, 96}}, 2, true},
        {Up, 0, 0, false, {{0, 32}, {8, 24}, {128, 96}, {131, 101}, {144, 96}}, 2, false},
        {ShiftLeft, 300, 300, false, {{0, 32}, {8, 24}, {128, 96}, {131, 101}, {144, 96}}, 2, false},
        {Right, 300, 300, false, {{0, 32}, {8, 24}, {128, 96}, {131, 101}, {144, 96}}, 2, false},
        {Right, 145, 97, true, {{0, 32}, {8, 24}, {128, 96}, {131, 101}}, 2, false},
        {Right, 0, 33, true, {{8, 24}, {128, 96}, {131, 101}}, 2, false},
    };
    int row = 0;
    for (const Step& s : steps) {
        bool changed = false;
        switch (s.gesture) {
            case Left: changed = edit.LeftDown(s.x, s.y, false, false); break;
            case ShiftLeft: changed = edit.LeftDown(s.x, s.y, true, false); break;
            case AltLeft: changed = edit.LeftDown(s.x, s.y, false, true); break;
            case Right: changed = edit.OtherDown(s.x, s.y); break;
            case Move: changed = edit.MoveTo(s.x, s.y, false); break;
            case AltMove: changed = edit.MoveTo(s.x, s.y, true); break;
            case Up: edit.Release(); break;
        }
        EXPECT_EQ(changed, s.changed) << "row " << row;
        std::vector<XY> points = Points(path);
        ASSERT_EQ(points.size(), s.points.size()) << "row " << row;
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i].x, s.points[i].x) << "row " << row << " point " << i;
            EXPECT_EQ(points[i].y, s.points[i].y) << "row " << row << " point " << i;
        }
        EXPECT_EQ(edit.Selected(), s.selected) << "row " << row;
        EXPECT_EQ(edit.Dragging(), s.dragging) << "row " << row;
        ++row;
    }
}

TEST(PathEditController, SpeedsOfNewPoints) {
    CPath path;
    PathEditController edit(path);
    edit.LeftDown(0, 0, false, false);
    edit.Release();
    EXPECT_EQ(path.GetPoint(0).speed, kFirstPointSpeed);
    path.ChangePoint(0, 0, 0, 40);
    edit.LeftDown(64, 0, false, false);
    edit.Release();
    EXPECT_EQ(path.GetPoint(1).speed, 40);
    path.ChangePoint(1, 64, 0, 70);
    // Shift+click before point 1 takes point 1's speed, not the last one's.
    path.AddPoint(128, 0, 5);
    edit.LeftDown(66, 2, true, false);
    EXPECT_EQ(path.PointCount(), 4);
    EXPECT_EQ(path.GetPoint(1).speed, 70);
    EXPECT_EQ(path.GetPoint(1).x, 64);
}

TEST(PathEditController, ClickThatOnlyPicksKeepsTheUndoCopy) {
    CPath path;
    PathEditController edit(path);
    edit.LeftDown(0, 0, false, false);
    edit.Release();
    edit.LeftDown(64, 0, false, false);
    edit.Release();
    // Picking point 0 and letting go again changes nothing...
    EXPECT_FALSE(edit.LeftDown(1, 1, false, false));
    edit.Release();
    // ...so undo still takes back the second point.
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(path.PointCount(), 1);
}

TEST(PathEditController, DragIsOneUndoStep) {
    CPath path;
    path.AddPoint(0, 0, 100);
    PathEditController edit(path);
    edit.LeftDown(0, 0, false, false);
    edit.MoveTo(16, 0, false);
    edit.MoveTo(32, 0, false);
    edit.MoveTo(48, 16, false);
    edit.Release();
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(path.GetPoint(0).x, 0);
    EXPECT_EQ(path.GetPoint(0).y, 0);
}

TEST(PathEditController, DeleteDuringDragEndsTheDrag) {
    CPath path;
    path.AddPoint(0, 0, 100);
    path.AddPoint(100, 0, 100);
    path.AddPoint(200, 0, 100);
    PathEditController edit(path);
    edit.LeftDown(200, 0, false, false);  // drags point 2
    EXPECT_TRUE(edit.OtherDown(0, 0));    // right click deletes point 0
    EXPECT_FALSE(edit.Dragging());
    EXPECT_FALSE(edit.MoveTo(400, 400, false));
    EXPECT_EQ(Points(path).back().x, 200);
    EXPECT_EQ(edit.Selected(), 1);  // moved to the last line
}

TEST(PathEditController, FieldsAndSettingsChangeOnlyWhenDifferent) {
    CPath path;
    path.AddPoint(3.5, 2.5, 100);
    PathEditController edit(path);
    EXPECT_FALSE(edit.ChangeSelected(4, 2, 100));  // nothing selected
    edit.Select(0);
    EXPECT_FALSE(edit.ChangeSelected(4, 2, 100));  // equal to the rounded values
    EXPECT_FALSE(edit.HasUndo());
    EXPECT_TRUE(edit.ChangeSelected(4, 3, 100));
    EXPECT_EQ(path.GetPoint(0).y, 3);
    EXPECT_FALSE(edit.SetKind(kPathStraight));
    EXPECT_TRUE(edit.SetKind(kPathSmooth));
    EXPECT_FALSE(edit.SetClosed(true));
    EXPECT_TRUE(edit.SetClosed(false));
    EXPECT_FALSE(edit.SetPrecision(4));
    EXPECT_TRUE(edit.SetPrecision(2));
    EXPECT_EQ(path.Precision, 2);
    EXPECT_FALSE(edit.SetSnap(16, 16));
    EXPECT_TRUE(edit.SetSnap(8, 16));
    // Commands that need a selected point do nothing without one.
    edit.Select(-1);
    EXPECT_FALSE(edit.Insert(1, 2, 3));
    EXPECT_FALSE(edit.DeleteSelected());
}

TEST(PathEditController, ListButtons) {
    CPath path;
    PathEditController edit(path);
    EXPECT_TRUE(edit.Add(10, 20, 30));
    EXPECT_TRUE(edit.Add(40, 50, 60));
    EXPECT_EQ(edit.Selected(), 1);
    EXPECT_TRUE(edit.Insert(1, 2, 3));  // before the selected point, which it becomes
    EXPECT_EQ(edit.Selected(), 1);
    EXPECT_EQ(path.GetPoint(1).x, 1);
    EXPECT_EQ(path.GetPoint(2).x, 40);
    edit.Select(2);
    EXPECT_TRUE(edit.DeleteSelected());
    EXPECT_EQ(edit.Selected(), 1);
    EXPECT_EQ(path.PointCount(), 2);
}

TEST(PathEditController, UndoSwapsSoASecondUndoRedoes) {
    CPath path;
    PathEditController edit(path);
    EXPECT_FALSE(edit.Undo());  // no undo copy yet
    edit.Add(0, 0, 100);
    edit.Add(100, 0, 100);
    edit.Add(100, 100, 100);
    path.BackgroundRoom = 3;
    edit.Reverse();
    EXPECT_EQ(path.GetPoint(0).y, 100);
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(path.GetPoint(0).y, 0);
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(path.GetPoint(0).y, 100);
    EXPECT_EQ(path.PointCount(), 3);
    EXPECT_EQ(path.BackgroundRoom, 3);
}

// Each toolbar operation saves undo first, so undo brings back the path as it was.
TEST(PathEditController, ToolbarOperationsAreUndone) {
    struct Case {
        const char* name;
        bool (*run)(PathEditController&);
    } cases[] = {
        {"clear", [](PathEditController& e) { return e.Clear(); }},
        {"reverse", [](PathEditController& e) { return e.Reverse(); }},
        {"shift", [](PathEditController& e) { return e.Shift(5, -7); }},
        {"mirror", [](PathEditController& e) { return e.Mirror(); }},
        {"flip", [](PathEditController& e) { return e.Flip(); }},
        {"rotate", [](PathEditController& e) { return e.Rotate(90); }},
        {"scale", [](PathEditController& e) { return e.Scale(200, 50); }},
    };
    for (const Case& c : cases) {
        CPath path;
        path.AddPoint(0, 0, 100);
        path.AddPoint(100, 0, 50);
        path.AddPoint(100, 60, 10);
        PathEditController edit(path);
        std::vector<XY> before = Points(path);
        ASSERT_TRUE(c.run(edit)) << c.name;
        std::vector<XY> after = Points(path);
        bool differs = after.size() != before.size();
        for (std::size_t i = 0; !differs && i < after.size(); ++i)
            differs = after[i].x != before[i].x || after[i].y != before[i].y;
        EXPECT_TRUE(differs) << c.name;
        ASSERT_TRUE(edit.Undo()) << c.name;
        std::vector<XY> undone = Points(path);
        ASSERT_EQ(undone.size(), before.size()) << c.name;
        for (std::size_t i = 0; i < undone.size(); ++i) {
            EXPECT_EQ(undone[i].x, before[i].x) << c.name;
            EXPECT_EQ(undone[i].y, before[i].y) << c.name;
        }
    }
}

TEST(PathEditController, ScaleTakesPercent) {
    CPath path;
    path.AddPoint(0, 0, 100);
    path.AddPoint(100, 40, 100);
    PathEditController edit(path);
    edit.Scale(200, 50);
    EXPECT_EQ(path.GetPoint(0).x, -50);
    EXPECT_EQ(path.GetPoint(1).x, 150);
    EXPECT_EQ(path.GetPoint(0).y, 10);
    EXPECT_EQ(path.GetPoint(1).y, 30);
}

}  // namespace
}  // namespace kestrin
