// Inverting marks: outlines and crosses cut at the picture's edges, and a
// second drawing taking a mark away again.

#include <gtest/gtest.h>

#include "image_editors/xor_marks.h"

namespace kestrin {
namespace {

constexpr ColorValue kBlack = 0;

// The picture as rows of '#' (inverted) and '.' (black).
std::vector<std::string> Rows(const Bitmap24& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        std::string row;
        for (int x = 0; x < image.Width(); ++x) row += image.Pixel(x, y) == kWhite ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(XorMarks, OutlinesAreCutAtTheEdgesAndInvertEachPixelOnce) {
    struct Case {
        const char* what;
        std::int64_t left, top, right, bottom;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"inside", 1, 1, 5, 4, {"......", ".####.", ".#..#.", ".####.", "......"}},
        {"one pixel wide", 2, 0, 3, 3, {"..#...", "..#...", "..#...", "......", "......"}},
        {"one pixel high", 0, 2, 4, 3, {"......", "......", "####..", "......", "......"}},
        {"over the corner", -2, -2, 3, 2, {"..#...", "###...", "......", "......", "......"}},
        {"empty", 3, 3, 3, 5, {"......", "......", "......", "......", "......"}},
        {"far away", -(std::int64_t{1} << 40), 0, std::int64_t{1} << 40, 2,
         {"######", "######", "......", "......", "......"}},
    };
    for (const Case& c : cases) {
        Bitmap24 image(6, 5, kBlack);
        XorRectOutline(image, c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(Rows(image), c.rows) << c.what;
        XorRectOutline(image, c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(image, Bitmap24(6, 5, kBlack)) << c.what << " drawn twice";
    }
}

TEST(XorMarks, TheCrossLeavesItsCentreAndIsCutAtTheEdges) {
    Bitmap24 image(7, 5, kBlack);
    XorCross(image, 1, 2, 2);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{".#.....", ".#.....", "#.##...", ".#.....", ".#....."}));
}

// Two frames in a row with a gap of one; the second row starts under the first.
TEST(XorMarks, StripOutlinesFollowTheFramePositions) {
    StripSettings s;
    s.number = 3;
    s.perRow = 2;
    s.width = 3;
    s.height = 2;
    s.xOffset = 1;
    s.xSep = 1;
    s.ySep = 1;
    Bitmap24 image(9, 6, kBlack);
    XorStripOutlines(image, s);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{".###.###.", ".###.###.", ".........", ".###.....",
                                                      ".###.....", "........."}));
}

}  // namespace
}  // namespace kestrin
