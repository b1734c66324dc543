// Strip cutting: frame positions, the cutting walk, and the placement answers.

#include <gtest/gtest.h>

#include "image_helpers.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/strip.h"
#include "platform/recording_ui.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

TEST(Strip, FramePositions) {
    StripSettings plain;
    plain.number = 7;
    plain.perRow = 3;
    plain.width = plain.height = 16;
    StripSettings spaced = plain;
    spaced.xOffset = 2;
    spaced.xSep = 1;
    spaced.vCell = 1;
    struct Case {
        const StripSettings* settings;
        int k;
        StripPoint at;
    } cases[] = {
        {&plain, 0, {0, 0}},   {&plain, 1, {16, 0}},  {&plain, 2, {32, 0}},  {&plain, 3, {0, 16}},
        {&plain, 4, {16, 16}}, {&plain, 5, {32, 16}}, {&plain, 6, {0, 32}},
        {&spaced, 0, {2, 16}}, {&spaced, 1, {19, 16}}, {&spaced, 3, {2, 32}},
    };
    for (const Case& c : cases) EXPECT_EQ(StripFramePosition(*c.settings, c.k), c.at) << c.k;
}

TEST(Strip, CuttingWalkTakesEachRectangle) {
    // Pixel colours encode their own position, so each frame shows where it came from.
    Bitmap24 picture(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) picture.SetPixel(x, y, MakeColor(x, y, 1));
    StripSettings s;
    s.number = 5;
    s.perRow = 2;
    s.width = 8;
    s.height = 6;
    s.xOffset = 1;
    s.yOffset = 2;
    s.hCell = 1;
    s.xSep = 3;
    s.ySep = 4;
    auto frames = CutStrip(picture, s);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->size(), 5u);
    for (int k = 0; k < 5; ++k) {
        StripPoint at = StripFramePosition(s, k);
        const Bitmap24& frame = *(*frames)[k];
        ASSERT_EQ(frame.Width(), 8);
        ASSERT_EQ(frame.Height(), 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                bool inside = picture.Contains(at.x + x, at.y + y);
                EXPECT_EQ(frame.Pixel(x, y), inside ? MakeColor(at.x + x, at.y + y, 1) : kEmptyFrameColor)
                    << k << " " << x << "," << y;
            }
    }
    s.number = 0;
    EXPECT_FALSE(CutStrip(picture, s));
    s.number = 100000;
    s.width = s.height = 10000;
    EXPECT_FALSE(CutStrip(picture, s));
}

TEST(Strip, SettingsFarBeyondThePictureGiveEmptyFrames) {
    // Offsets, cells and gaps have no upper limit; products of them must not
    // wrap around onto the picture.
    Bitmap24 picture(4, 4, 0x123456);
    StripSettings base;
    base.number = 3;
    base.perRow = 2;
    base.width = base.height = 64;
    StripSettings cells = base, offsets = base, gaps = base;
    cells.hCell = cells.vCell = 2000000000;
    offsets.xOffset = offsets.yOffset = -2000000000;
    gaps.xSep = gaps.ySep = 2000000000;
    for (const StripSettings* s : {&cells, &offsets, &gaps}) {
        auto frames = CutStrip(picture, *s);
        ASSERT_TRUE(frames);
        // The first frame of the gap case starts at 0,0 and holds the picture.
        for (std::size_t k = s == &gaps ? 1 : 0; k < frames->size(); ++k) {
            const Bitmap24& frame = *(*frames)[k];
            EXPECT_EQ(frame.Pixel(0, 0), kEmptyFrameColor) << k;
            EXPECT_EQ(frame.Pixel(frame.Width() - 1, frame.Height() - 1), kEmptyFrameColor) << k;
        }
    }
}

TEST(Strip, UnreadableFileShowsItsMessage) {
    RecordingUI ui;
    ScopedUI scope(ui);
    test::TempDir dir;
    EXPECT_FALSE(CutStripFromFile(dir.File("none.png"), StripSettings{}));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Could not load the file."});
}

TEST(Strip, PlacementAnswers) {
    auto frame = test::MakeImage({{0x0000ff, 0x00ff00}, {0xff0000, 0xffffff}});
    EXPECT_FALSE(ApplyPlacementAnswer(*frame, kPlacementCancel, 4, 4, true));
    EXPECT_EQ(*ApplyPlacementAnswer(*frame, kPlacementTopLeft, 4, 4, true), *Bitmap24_Resize(frame.get(), 4, 4, 7));
    EXPECT_EQ(*ApplyPlacementAnswer(*frame, kPlacementCentre, 4, 4, true), *Bitmap24_Resize(frame.get(), 4, 4, 5));
    EXPECT_EQ(*ApplyPlacementAnswer(*frame, kPlacementStretch, 4, 4, true),
              *Bitmap24_Stretch(frame.get(), 4, 4, true, 3));
    auto centred = ApplyPlacementAnswer(*frame, kPlacementCentre, 4, 4, true);
    EXPECT_EQ(centred->Pixel(1, 1), 0x0000ffu);
}

}  // namespace
}  // namespace kestrin
