// The editor's drawing session without a window: figures redrawn over the
// undo image, Shift constraints, the spray with a fixed random source.

#include <gtest/gtest.h>

#include "image_editors/image_edit_session.h"

namespace kestrin {
namespace {

constexpr ColorValue kRed = MakeColor(255, 0, 0);

TEST(ImageEditSession, FiguresFollowTheMouseWithoutTrails) {
    DrawingSettings settings;
    settings.leftColor = kRed;
    Bitmap24 white(40, 40, kWhite);
    for (ImageTool tool : {ImageTool::Line, ImageTool::Rectangle, ImageTool::Ellipse, ImageTool::RoundRect}) {
        ImageEditSession session(white, settings);
        session.SetTool(tool);
        session.Press(2, 2, false);
        session.Move(30, 30);
        session.Move(10, 12);
        session.Release();
        ImageEditSession direct(white, settings);
        direct.SetTool(tool);
        direct.Press(2, 2, false);
        direct.Move(10, 12);
        EXPECT_EQ(session.Picture(), direct.Picture()) << static_cast<int>(tool);
        EXPECT_EQ(session.Picture().Pixel(30, 30), kWhite);
    }
}

TEST(ImageEditSession, ShiftKeepsLinesTo45DegreesAndShapesSquare) {
    struct Case {
        ImageTool tool;
        int x, y;
        int endX, endY;  // the pixel that must be drawn
    } cases[] = {
        {ImageTool::Line, 30, 13, 30, 10},   // nearly horizontal
        {ImageTool::Line, 12, 30, 10, 30},   // nearly vertical
        {ImageTool::Line, 25, 28, 28, 28},   // diagonal, the longer side wins
        {ImageTool::Rectangle, 20, 14, 20, 20},
        {ImageTool::Rectangle, 4, 16, 4, 16},  // up and left of the start
    };
    for (const Case& c : cases) {
        DrawingSettings settings;
        ImageEditSession session(Bitmap24(40, 40, kWhite), settings);
        session.SetTool(c.tool);
        session.Press(10, 10, false);
        session.Move(c.x, c.y, true);
        EXPECT_EQ(session.Picture().Pixel(c.endX, c.endY), 0u) << c.x << "," << c.y;
    }
}

TEST(ImageEditSession, SprayUsesTheInjectedSourceAndFillOfTheSameColourTakesNoUndo) {
    DrawingSettings settings;
    settings.leftColor = kRed;
    ImageEditSession session(Bitmap24(40, 40, kWhite), settings);
    session.SetRandom([](int range) { return range / 2; });  // always the centre
    session.SetTool(ImageTool::Spray);
    session.Press(20, 20, false);
    EXPECT_EQ(session.Picture().Pixel(20, 20), kRed);
    EXPECT_EQ(session.Picture().Pixel(21, 20), kWhite);
    session.Release();

    ImageEditSession fill(Bitmap24(8, 8, kRed), settings);
    fill.SetTool(ImageTool::Fill);
    fill.Press(3, 3, false);
    EXPECT_FALSE(fill.Changed());
    EXPECT_FALSE(fill.HasUndo());
}

}  // namespace
}  // namespace kestrin
