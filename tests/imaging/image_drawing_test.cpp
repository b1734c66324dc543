// The editor's drawing primitives: pens, shapes, fill, spray, gradients and
// the move by one pixel, checked pixel by pixel.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "imaging/bitmap24_ops.h"
#include "imaging/flood_fill.h"
#include "imaging/gradient_fill.h"
#include "imaging/image_drawing.h"
#include "image_helpers.h"

namespace kestrin {
namespace {

constexpr ColorValue kBlack = 0, kRed = MakeColor(255, 0, 0), kBlue = MakeColor(0, 0, 255);

struct Expect {
    int x, y;
    ColorValue color;
};

struct DrawCase {
    std::string name;
    int width, height;
    std::function<void(Bitmap24&)> draw;
    std::vector<Expect> expected;
};

// Each case draws on a white image and names pixels that must (not) change.
const std::vector<DrawCase>& DrawCases() {
    static const std::vector<DrawCase> cases = {
        {"width 1 line has both ends and nothing beyond", 10, 10,
         [](Bitmap24& b) { DrawPenLine(b, 2, 3, 7, 3, 1, kRed); },
         {{2, 3, kRed}, {7, 3, kRed}, {1, 3, kWhite}, {8, 3, kWhite}, {4, 2, kWhite}, {4, 4, kWhite}}},
        {"width 3 line reaches one pixel past each end", 10, 10,
         [](Bitmap24& b) { DrawPenLine(b, 2, 3, 7, 3, 3, kRed); },
         {{1, 2, kRed}, {8, 4, kRed}, {0, 3, kWhite}, {9, 3, kWhite}, {4, 5, kWhite}}},
        {"width 5 pen is round", 10, 10, [](Bitmap24& b) { StampPen(b, 4, 4, 5, kRed); },
         {{2, 4, kRed}, {6, 4, kRed}, {4, 2, kRed}, {6, 5, kRed}, {2, 2, kWhite}, {6, 6, kWhite}}},
        {"diagonal line ends", 10, 10, [](Bitmap24& b) { DrawPenLine(b, 8, 8, 1, 1, 1, kRed); },
         {{1, 1, kRed}, {8, 8, kRed}, {5, 5, kRed}, {5, 4, kWhite}}},
        {"outline rectangle holds both corners, inside untouched", 10, 10,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::Rectangle, 7, 6, 2, 1, 1, FillStyle::Outline, kRed, kBlue); },
         {{2, 1, kRed}, {7, 6, kRed}, {7, 1, kRed}, {2, 6, kRed}, {4, 3, kWhite}, {8, 6, kWhite}, {2, 7, kWhite}}},
        {"outline filled with the other colour", 10, 10,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::Rectangle, 2, 1, 7, 6, 1, FillStyle::OutlineFilled, kRed, kBlue); },
         {{2, 1, kRed}, {7, 6, kRed}, {3, 2, kBlue}, {6, 5, kBlue}, {8, 6, kWhite}}},
        {"filled with the drawing colour", 10, 10,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::Rectangle, 2, 1, 7, 6, 3, FillStyle::Filled, kRed, kBlue); },
         {{2, 1, kRed}, {7, 6, kRed}, {4, 3, kRed}, {1, 1, kWhite}, {8, 7, kWhite}}},
        {"rectangle outline of width 3 centred on the border", 12, 12,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::Rectangle, 3, 3, 8, 8, 3, FillStyle::Outline, kRed, kBlue); },
         {{2, 2, kRed}, {9, 9, kRed}, {4, 4, kRed}, {5, 5, kWhite}, {1, 1, kWhite}}},
        {"ellipse touches its box in the middle of each side, not the corners", 11, 9,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::Ellipse, 0, 0, 10, 8, 1, FillStyle::Outline, kRed, kBlue); },
         {{5, 0, kRed}, {5, 8, kRed}, {0, 4, kRed}, {10, 4, kRed}, {0, 0, kWhite}, {10, 8, kWhite}, {5, 4, kWhite}}},
        {"rounded rectangle cuts its corners with radius 8", 30, 30,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::RoundRect, 0, 0, 29, 29, 1, FillStyle::Filled, kRed, kBlue); },
         {{0, 0, kWhite}, {29, 29, kWhite}, {1, 1, kWhite}, {8, 0, kRed}, {0, 8, kRed}, {15, 15, kRed}, {3, 3, kRed}}},
        {"one-pixel box holds its pixel", 3, 3,
         [](Bitmap24& b) { DrawShape(b, ShapeKind::Ellipse, 1, 1, 1, 1, 1, FillStyle::Outline, kRed, kBlue); },
         {{1, 1, kRed}, {0, 1, kWhite}, {2, 1, kWhite}}},
        {"fill stays inside the enclosure", 9, 9,
         [](Bitmap24& b) {
             DrawShape(b, ShapeKind::Rectangle, 1, 1, 7, 7, 1, FillStyle::Outline, kBlack, kBlack);
             FloodFill(b, 4, 4, kRed);
         },
         {{2, 2, kRed}, {6, 6, kRed}, {1, 1, kBlack}, {7, 4, kBlack}, {0, 0, kWhite}, {8, 8, kWhite}}},
        {"fill outside the enclosure goes round it, 4-connected only", 9, 9,
         [](Bitmap24& b) {
             DrawShape(b, ShapeKind::Rectangle, 1, 1, 7, 7, 1, FillStyle::Outline, kBlack, kBlack);
             FloodFill(b, 0, 8, kRed);
         },
         {{0, 0, kRed}, {8, 8, kRed}, {8, 0, kRed}, {4, 4, kWhite}}},
        {"fill outside the image does nothing", 4, 4, [](Bitmap24& b) { FloodFill(b, 4, 0, kRed); },
         {{3, 0, kWhite}, {0, 0, kWhite}}},
        {"gradient 0 runs left to right", 4, 2, [](Bitmap24& b) { GradientFill(b, 0, kWhite, kBlack); },
         {{0, 0, kWhite}, {0, 1, kWhite}, {2, 1, MakeColor(128, 128, 128)}, {3, 0, MakeColor(64, 64, 64)}}},
        {"gradient 1 runs top to bottom", 2, 4, [](Bitmap24& b) { GradientFill(b, 1, kBlack, kWhite); },
         {{0, 0, kBlack}, {1, 3, MakeColor(191, 191, 191)}}},
        {"gradient 2 ends in c2 at the centre", 9, 9, [](Bitmap24& b) { GradientFill(b, 2, kRed, kBlue); },
         {{0, 0, kRed}, {8, 8, kRed}, {4, 4, kBlue}, {0, 4, kRed}}},
        {"gradient 3 keeps c1 in the corners", 9, 9, [](Bitmap24& b) { GradientFill(b, 3, kRed, kBlue); },
         {{0, 0, kRed}, {8, 0, kRed}, {4, 4, kBlue}}},
        {"gradient 4 meets c2 in the middle column", 9, 3, [](Bitmap24& b) { GradientFill(b, 4, kRed, kBlue); },
         {{0, 1, kRed}, {4, 1, kBlue}, {5, 1, kBlue}, {6, 0, BlendColor(kRed, kBlue, 0.75)}}},
        {"gradient 5 on a 1-pixel-high image is c1", 5, 1, [](Bitmap24& b) { GradientFill(b, 5, kRed, kBlue); },
         {{0, 0, kRed}, {4, 0, kRed}}},
        {"gradients 2 and 4 on a 1-pixel-wide image are c1", 1, 5,
         [](Bitmap24& b) {
             GradientFill(b, 2, kRed, kBlue);
             b.SetPixel(0, 1, kWhite);
             GradientFill(b, 4, kRed, kBlue);
         },
         {{0, 0, kRed}, {0, 1, kRed}, {0, 4, kRed}}},
        {"move left paints the freed right column", 5, 3,
         [](Bitmap24& b) {
             b.SetPixel(1, 1, kBlue);
             b = *MoveByOne(b, -1, 0, kRed, 1);
         },
         {{0, 1, kBlue}, {1, 1, kWhite}, {4, 0, kRed}, {4, 2, kRed}, {3, 0, kWhite}}},
        {"move down with width 3 paints two top rows", 5, 5,
         [](Bitmap24& b) {
             b.SetPixel(2, 2, kBlue);
             b = *MoveByOne(b, 0, 1, kRed, 3);
         },
         {{2, 3, kBlue}, {0, 0, kRed}, {4, 1, kRed}, {2, 2, kWhite}}},
    };
    return cases;
}

TEST(ImageDrawing, TableOfPixels) {
    for (const DrawCase& c : DrawCases()) {
        SCOPED_TRACE(c.name);
        Bitmap24 image(c.width, c.height, kWhite);
        c.draw(image);
        for (const Expect& e : c.expected)
            EXPECT_EQ(image.Pixel(e.x, e.y), e.color) << "at " << e.x << "," << e.y;
    }
}

TEST(ImageDrawing, ShapesAreSymmetric) {
    for (ShapeKind kind : {ShapeKind::Ellipse, ShapeKind::RoundRect})
        for (auto [w, h] : {std::pair{17, 11}, std::pair{16, 10}, std::pair{40, 3}})
            for (int pen : {1, 3}) {
                Bitmap24 image(w + 6, h + 6, kWhite);
                DrawShape(image, kind, 3, 3, w + 2, h + 2, pen, FillStyle::Outline, kRed, kBlue);
                EXPECT_EQ(image, *Bitmap24_Mirror(&image)) << w << "x" << h << " pen " << pen;
                EXPECT_EQ(image, *Bitmap24_Flip(&image)) << w << "x" << h << " pen " << pen;
            }
}

TEST(ImageDrawing, FillOfTheSameColourChangesNothing) {
    auto image = test::NoiseImage(8, 8, 3);
    Bitmap24 before = *image;
    FloodFill(*image, 3, 3, image->Pixel(3, 3));
    EXPECT_EQ(*image, before);
}

TEST(ImageDrawing, FillsAMegapixelAndAMazeWithoutRecursion) {
    Bitmap24 plain(1024, 1024, kWhite);
    FloodFill(plain, 512, 512, kRed);
    EXPECT_EQ(Bitmap24_BoundingBox(&plain), (ImageBox{1023, 1023, 0, 0}));  // all one colour
    EXPECT_EQ(plain.Pixel(0, 0), kRed);

    // A serpentine corridor: every other row a wall with a gap at alternating ends.
    Bitmap24 maze(257, 257, kWhite);
    for (int y = 1; y < 257; y += 2) maze.FillRect(y % 4 == 1 ? 1 : 0, y, y % 4 == 1 ? 257 : 256, y + 1, kBlack);
    FloodFill(maze, 0, 0, kRed);
    EXPECT_EQ(maze.Pixel(256, 256), kRed);
    EXPECT_EQ(maze.Pixel(128, 1), kBlack);
}

TEST(ImageDrawing, SprayStaysWithinItsRadiusAndRepeatsWithTheSeed) {
    auto burst = [](unsigned seed) {
        Bitmap24 image(64, 64, kWhite);
        std::mt19937 engine(seed);
        RandomRange random = [&](int range) { return static_cast<int>(engine() % static_cast<unsigned>(range)); };
        for (int i = 0; i < 20; ++i) SprayBurst(image, 32, 32, 24, kRed, random);
        return image;
    };
    Bitmap24 image = burst(7);
    int painted = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (image.Pixel(x, y) == kRed) {
                ++painted;
                EXPECT_LE((x - 32) * (x - 32) + (y - 32) * (y - 32), 144) << x << "," << y;
            }
    EXPECT_GT(painted, 100);
    EXPECT_EQ(image, burst(7));
    Bitmap24 edge(8, 8, kWhite);
    SprayBurst(edge, 0, 0, 36, kRed, [](int range) { return range - 1; });  // tries beyond the image are dropped
}

TEST(ImageDrawing, NestedGradientsMatchPaintingEveryStep) {
    for (auto [w, h] : {std::pair{9, 9}, std::pair{20, 7}, std::pair{33, 50}, std::pair{2, 2}}) {
        for (int kind : {2, 3}) {
            Bitmap24 fast(w, h, kWhite), slow(w, h, kRed);
            GradientFill(fast, kind, kRed, kBlue);
            int m = std::min(w, h) / 2;
            for (int c = 0; c <= m; ++c)
                if (c <= w - c - 1 && c <= h - c - 1)
                    DrawShape(slow, kind == 2 ? ShapeKind::Rectangle : ShapeKind::Ellipse, c, c, w - c - 1, h - c - 1,
                              1, FillStyle::Filled, BlendColor(kRed, kBlue, m ? double(c) / m : 0.0), 0);
            EXPECT_EQ(fast, slow) << "kind " << kind << " " << w << "x" << h;
        }
    }
}

}  // namespace
}  // namespace kestrin
