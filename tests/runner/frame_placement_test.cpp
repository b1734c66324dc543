// Where the frame goes in the window, windowed and full screen, and the
// window's size at the game's scale.

#include <gtest/gtest.h>

#include "runner/frame_placement.h"

namespace kestrin::runner {
namespace {

TEST(FramePlacement, WindowedFillsTheWindowAndFullScreenScalesAboutTheCentre) {
    struct Case {
        const char* name;
        int windowWidth, windowHeight;
        bool fullScreen;
        int fullScale;
        FrameRect placed;  // of a 320 x 240 frame
    };
    const Case cases[] = {
        {"a window, stretched as the player sized it", 500, 300, false, 100, {0, 0, 500, 300}},
        {"full screen as it is", 1024, 768, true, 100, {352, 264, 320, 240}},
        {"full screen twice as large", 1024, 768, true, 200, {192, 144, 640, 480}},
        {"full screen larger than the screen", 400, 300, true, 200, {-120, -90, 640, 480}},
        {"as large as fits, a wide screen", 1920, 1080, true, 0, {240, 0, 1440, 1080}},
        {"as large as fits, a tall screen", 600, 1000, true, 0, {0, 275, 600, 450}},
        {"a scale out of range is as it is", 1024, 768, true, -5, {352, 264, 320, 240}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceFrame(c.windowWidth, c.windowHeight, 320, 240, c.fullScreen, c.fullScale), c.placed) << c.name;
}

TEST(FramePlacement, WindowPointsMapToTheFramePlacedThere) {
    const FrameRect placed = PlaceFrame(1024, 768, 320, 240, true, 200);
    double x, y;
    WindowToFrame(placed, 320, 240, 192, 144, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    WindowToFrame(placed, 320, 240, 192 + 639, 144 + 479, x, y);
    EXPECT_EQ(x, 319.5);
    EXPECT_EQ(y, 239.5);
    WindowToFrame(placed, 320, 240, 100, 100, x, y);
    EXPECT_LT(x, 0) << "the black around the frame lies outside it";
}

TEST(FramePlacement, TheWindowTakesTheFrameAtTheWindowedScale) {
    struct Case {
        int scale, width, height;
    };
    const Case cases[] = {{100, 320, 240}, {150, 480, 360}, {1, 3, 2}, {999, 3196, 2397}, {0, 320, 240}, {5000, 320, 240}};
    for (const Case& c : cases) {
        int width, height;
        ScaledWindowSize(320, 240, c.scale, width, height);
        EXPECT_EQ(width, c.width) << c.scale;
        EXPECT_EQ(height, c.height) << c.scale;
    }
    int width, height;
    ScaledWindowSize(1, 1, 1, width, height);
    EXPECT_EQ(width, 1) << "never smaller than a pixel";
}

}  // namespace
}  // namespace kestrin::runner
