// The 24-bit image operations: the documented edge cases, then exact pixels
// for each family of operations on small images.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "image_helpers.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/color.h"
#include "imaging/draw_target.h"
#include "platform/recording_ui.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

using test::MakeImage;
using test::NoiseImage;
using test::Pixels;

constexpr ColorValue R = 0x0000ff, G = 0x00ff00, B = 0xff0000, W = 0xffffff, K = 0;

TEST(Bitmap24Edge, StretchToZeroWidthGivesOneColumn) {
    auto image = NoiseImage(4, 4, 1);
    for (int quality : {1, 3}) {
        auto result = Bitmap24_Stretch(image.get(), 0, 5, false, quality);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->Width(), 1);
        EXPECT_EQ(result->Height(), 5);
    }
}

TEST(Bitmap24Edge, ResizeCentredDrawsLargerPictureAtNegativePosition) {
    auto image = NoiseImage(10, 10, 2);
    auto result = Bitmap24_Resize(image.get(), 4, 4, 5);
    ASSERT_EQ(result->Width(), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(result->Pixel(x, y), image->Pixel(x + 3, y + 3));
    // Placement 3 puts a smaller picture bottom-right on the transparent colour.
    auto small = MakeImage({{R, G}, {B, W}});
    auto placed = Bitmap24_Resize(small.get(), 3, 3, 3);
    EXPECT_EQ(Pixels(*placed), (std::vector<ColorValue>{B, B, B, B, R, G, B, B, W}));
}

TEST(Bitmap24Edge, RotateByRightAnglesUsesTheExactTurns) {
    auto image = NoiseImage(5, 3, 3);
    EXPECT_EQ(*Bitmap24_Rotate(image.get(), 3, true, -90), *Bitmap24_Rotate90(image.get(), true, false));
    EXPECT_EQ(*Bitmap24_Rotate(image.get(), 3, true, 90), *Bitmap24_Rotate90(image.get(), false, false));
    EXPECT_EQ(*Bitmap24_Rotate(image.get(), 3, true, 540), *Bitmap24_Rotate180(image.get()));
    EXPECT_EQ(*Bitmap24_Rotate(image.get(), 3, true, 360), *image);
    // Absurd angles end: infinity turns nothing, a huge angle turns by its remainder.
    EXPECT_EQ(*Bitmap24_Rotate(image.get(), 1, true, INFINITY), *image);
    EXPECT_EQ(*Bitmap24_Rotate(image.get(), 1, true, 1e300), *Bitmap24_Rotate(image.get(), 1, true, std::fmod(1e300, 360.0)));
}

TEST(Bitmap24Edge, ShiftHueWrapsAt256) {
    auto image = NoiseImage(8, 8, 4);
    EXPECT_EQ(*Bitmap24_ShiftHue(image.get(), 300, false), *Bitmap24_ShiftHue(image.get(), 44, false));
}

TEST(Bitmap24Edge, ChangeValueExtremes) {
    auto image = MakeImage({{MakeColor(200, 100, 50), MakeColor(10, 20, 30)}, {W, MakeColor(0, 0, 0)}});
    auto bright = Bitmap24_ChangeValue(image.get(), 255, false);
    auto dark = Bitmap24_ChangeValue(image.get(), 0, false);
    auto neutral = Bitmap24_ChangeValue(image.get(), 128, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            ColorValue c = image->Pixel(x, y), b = bright->Pixel(x, y);
            HsvTriple before = RgbToHsv(RedOf(c), GreenOf(c), BlueOf(c));
            HsvTriple after = RgbToHsv(RedOf(b), GreenOf(b), BlueOf(b));
            EXPECT_EQ(after.value, 255);
            EXPECT_LE(std::abs(after.hue - before.hue), 1);
            EXPECT_LE(std::abs(after.saturation - before.saturation), 1);
            EXPECT_EQ(dark->Pixel(x, y), K);
        }
    // 128 is neutral except that a value of 0 becomes 1.
    EXPECT_EQ(neutral->Pixel(1, 1), MakeColor(1, 1, 1));
    EXPECT_EQ(neutral->Pixel(0, 1), W);
}

TEST(Bitmap24Edge, ScreenDoorPattern) {
    auto image = std::make_unique<Bitmap24>(32, 32, R);
    image->SetPixel(0, 31, B);  // transparent colour
    struct Case {
        int amount;
        std::vector<std::pair<int, int>> cells;  // marked cells of each 16 x 16 block
    } cases[] = {
        {1, {{0, 0}}},
        {2, {{0, 0}, {8, 8}}},
        {4, {{0, 0}, {8, 8}, {8, 0}, {0, 8}}},
    };
    for (const Case& c : cases) {
        auto result = Bitmap24_Transparency(image.get(), c.amount);
        int changed = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                bool marked = false;
                for (auto [cx, cy] : c.cells) marked = marked || (x % 16 == cx && y % 16 == cy);
                EXPECT_EQ(result->Pixel(x, y), marked ? B : image->Pixel(x, y)) << c.amount << " " << x << "," << y;
                changed += result->Pixel(x, y) != image->Pixel(x, y);
            }
        EXPECT_EQ(changed, 4 * static_cast<int>(c.cells.size()));
    }
    auto all = Bitmap24_Transparency(image.get(), 256);
    EXPECT_EQ(*all, Bitmap24(32, 32, B));
    EXPECT_EQ(*Bitmap24_Transparency(image.get(), 0), *image);
    // Every amount marks exactly that many cells of a block.
    for (int amount : {3, 7, 100, 255}) {
        auto result = Bitmap24_Transparency(image.get(), amount);
        int marked = 0;
        for (int y = 16; y < 32; ++y)
            for (int x = 16; x < 32; ++x) marked += result->Pixel(x, y) == B;
        EXPECT_EQ(marked, amount);
    }
}

TEST(Bitmap24Edge, MorphWithTransparencyAtHalfWay) {
    // A: transparent colour K (bottom-left); B: transparent colour W.
    auto a = MakeImage({{K, R, R, K}, {K, K, K, K}});
    auto b = MakeImage({{G, W, G, W}, {W, W, W, W}});
    auto result = Bitmap24_Morph(a.get(), b.get(), 128, true);
    EXPECT_EQ(result->Pixel(0, 0), G);   // only A transparent: shows B
    EXPECT_EQ(result->Pixel(1, 0), R);   // only B transparent: shows A
    EXPECT_EQ(result->Pixel(2, 0), BlendColor(R, G, 0.5));
    EXPECT_EQ(result->Pixel(3, 0), K);   // both transparent
    auto later = Bitmap24_Morph(a.get(), b.get(), 129, true);
    EXPECT_EQ(later->Pixel(1, 0), K);
    auto earlier = Bitmap24_Morph(a.get(), b.get(), 127, true);
    EXPECT_EQ(earlier->Pixel(0, 0), K);
    // Without T every pixel blends; pixels outside the target keep A's transparent colour.
    auto small = MakeImage({{W}});
    auto partial = Bitmap24_Morph(a.get(), small.get(), 256, false);
    EXPECT_EQ(partial->Pixel(0, 0), W);
    EXPECT_EQ(partial->Pixel(1, 0), K);
}

TEST(Bitmap24Edge, BoundingBox) {
    Bitmap24 plain(32, 32, G);
    EXPECT_EQ(Bitmap24_BoundingBox(&plain), (ImageBox{31, 31, 0, 0}));
    Bitmap24 one(1, 1, G);
    EXPECT_EQ(Bitmap24_BoundingBox(&one), (ImageBox{0, 0, 0, 0}));
    plain.SetPixel(5, 7, R);
    plain.SetPixel(20, 3, R);
    EXPECT_EQ(Bitmap24_BoundingBox(&plain), (ImageBox{5, 3, 20, 7}));
}

TEST(Bitmap24Edge, BlurKeepsTransparentWhereTransparentNeighboursWin) {
    // K is transparent. The centre of the left block has 6 transparent and 3
    // coloured neighbours; the one at (3,1) has 3 transparent and 6 coloured.
    auto image = MakeImage({{K, K, R, R, R},
                            {K, K, R, R, R},
                            {K, K, R, R, R}});
    auto result = Bitmap24_Blur(image.get(), 1, true);
    EXPECT_EQ(result->Pixel(1, 1), K);
    EXPECT_EQ(result->Pixel(0, 1), K);
    EXPECT_EQ(result->Pixel(2, 1), R);  // 3 transparent, 6 coloured: the colours average
    EXPECT_EQ(result->Pixel(3, 1), R);
}

TEST(Bitmap24Edge, StoredRedPixelIsA58ByteBmp) {
    Bitmap24 red(1, 1, R);
    CStream stream;
    Bitmap24_SaveToStream(&red, stream);
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInteger(), 10);
    CStream bmp = stream.ReadCompressedBlock();
    ASSERT_EQ(bmp.Size(), 58u);
    EXPECT_EQ(bmp.Data()[0], 'B');
    EXPECT_EQ(bmp.Data()[28], 24);                   // bits per pixel
    EXPECT_EQ(bmp.Data()[54], 0);                    // blue
    EXPECT_EQ(bmp.Data()[56], 255);                  // red
    stream.SetPosition(0);
    EXPECT_EQ(*Bitmap24_LoadFromStream(stream), red);

    CStream none;
    Bitmap24_SaveToStream(nullptr, none);
    EXPECT_EQ(none.Size(), 4u);
    none.SetPosition(0);
    EXPECT_FALSE(Bitmap24_LoadFromStream(none));
}

TEST(Bitmap24Guard, AbsentImagesShowTheOperationsMessage) {
    RecordingUI ui;
    ScopedUI scope(ui);
    EXPECT_FALSE(Bitmap24_Stretch(nullptr, 4, 4, false, 1));
    EXPECT_FALSE(Bitmap24_SetHueRange(nullptr, 1, 2, false, 3));
    Bitmap24 one(1, 1);
    EXPECT_FALSE(Bitmap24_Overlay(&one, nullptr, 0));
    EXPECT_EQ(Bitmap24_TransparentColor(nullptr), 0u);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Internal error in Bitmap24_Stretch.",
                                                       "Internal error in Bitmap24_SetHue.",
                                                       "Internal error in Bitmap24_Overlay.",
                                                       "Internal error in Bitmap24_TransparentColor."}));
}

TEST(Bitmap24Geometry, ExactPixelMoves) {
    auto image = MakeImage({{1, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(Pixels(*Bitmap24_Mirror(image.get())), (std::vector<ColorValue>{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(Pixels(*Bitmap24_Flip(image.get())), (std::vector<ColorValue>{4, 5, 6, 1, 2, 3}));
    EXPECT_EQ(Pixels(*Bitmap24_Rotate180(image.get())), (std::vector<ColorValue>{6, 5, 4, 3, 2, 1}));
    // Quarter turns with the size swapped.
    auto cw = Bitmap24_Rotate90(image.get(), true, true);
    ASSERT_EQ(cw->Width(), 2);
    EXPECT_EQ(Pixels(*cw), (std::vector<ColorValue>{4, 1, 5, 2, 6, 3}));
    auto ccw = Bitmap24_Rotate90(image.get(), false, true);
    EXPECT_EQ(Pixels(*ccw), (std::vector<ColorValue>{3, 6, 2, 5, 1, 4}));
    // Without the swap a 3 x 1 line turned upright keeps only its middle.
    auto line = MakeImage({{1, 2, 3}});
    EXPECT_EQ(Pixels(*Bitmap24_Rotate90(line.get(), false, false)), (std::vector<ColorValue>{1, 2, 1}));
    // Shift fills with the transparent colour (bottom-left, 4).
    EXPECT_EQ(Pixels(*Bitmap24_Shift(image.get(), 1, -1)), (std::vector<ColorValue>{4, 4, 5, 4, 4, 4}));
}

TEST(Bitmap24Drawing, FarPositionsTouchNothing) {
    // Drawing at (or cutting from) the ends of the int range must neither
    // wrap onto the canvas nor reach outside either image.
    const Bitmap24 source(4, 4, R);
    const std::int32_t ends[] = {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX};
    for (std::int32_t a : ends)
        for (std::int32_t b : ends) {
            SCOPED_TRACE(testing::Message() << a << "," << b);
            Bitmap24 canvas(6, 6, G);
            canvas.Draw(source, a, b);
            canvas.DrawSeeThrough(source, a, b, W);
            canvas.CopyRect(source, a, b, INT32_MAX, INT32_MAX, 0, 0);
            canvas.CopyRect(source, 0, 0, 4, 4, a, b);
            ImageDrawTarget target(canvas);
            target.DrawStretched(source, a, b, 8, INT32_MAX, false);
            target.DrawStretched(source, a, b, INT32_MAX, 8, true);
            EXPECT_EQ(canvas, Bitmap24(6, 6, G));
        }
}

TEST(Bitmap24Sampling, StretchNearestAndAveraged) {
    auto image = MakeImage({{1, 2}});
    EXPECT_EQ(Pixels(*Bitmap24_Stretch(image.get(), 4, 1, false, 1)), (std::vector<ColorValue>{1, 1, 2, 2}));
    // Quality 2, 2 x 2 down to 1 x 1: the mean of four samples, halves to even.
    struct Case {
        int values[4];
        int expected;
    } cases[] = {{{0, 0, 0, 1}, 0}, {{1, 1, 0, 0}, 0}, {{1, 1, 1, 0}, 1}, {{2, 2, 1, 1}, 2}, {{3, 3, 2, 2}, 2}};
    for (const Case& c : cases) {
        auto square = MakeImage({{MakeColor(c.values[0], 0, 0), MakeColor(c.values[1], 0, 0)},
                                 {MakeColor(c.values[2], 0, 0), MakeColor(c.values[3], 0, 0)}});
        EXPECT_EQ(RedOf(Bitmap24_Stretch(square.get(), 1, 1, false, 2)->Pixel(0, 0)), c.expected);
    }
    // With T, transparent samples do not count, and when they outnumber the
    // colours the pixel stays transparent.
    auto mostlyClear = MakeImage({{R, K}, {K, K}});
    EXPECT_EQ(Bitmap24_Stretch(mostlyClear.get(), 1, 1, true, 2)->Pixel(0, 0), K);
    auto halfClear = MakeImage({{R, R}, {K, K}});
    EXPECT_EQ(Bitmap24_Stretch(halfClear.get(), 1, 1, true, 2)->Pixel(0, 0), R);
    EXPECT_EQ(Bitmap24_Stretch(halfClear.get(), 1, 1, false, 2)->Pixel(0, 0), MakeColor(128, 0, 0));
}

// The sampling rules written out pixel by pixel: source(px, py) gives the
// source position of a sample; the result is compared with the row-wise code.
template <typename SourceOf>
Bitmap24 SampleSlowly(const Bitmap24& source, int W, int H, int n, bool t, SourceOf sourceOf) {
    ColorValue tc = source.TransparentColor();
    Bitmap24 result(W, H, tc);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            long sum[3] = {0, 0, 0};
            int used = 0, clear = 0;
            for (int k = 0; k < n; ++k)
                for (int l = 0; l < n; ++l) {
                    auto [col, row] = sourceOf(x + static_cast<double>(l) / n, y + static_cast<double>(k) / n);
                    if (!source.Contains(col, row)) continue;
                    ColorValue c = source.Pixel(col, row);
                    if (t && c == tc) {
                        ++clear;
                        continue;
                    }
                    sum[0] += RedOf(c);
                    sum[1] += GreenOf(c);
                    sum[2] += BlueOf(c);
                    ++used;
                }
            if (used > 0 && used >= clear) {
                auto mean = [used](long v) { return static_cast<int>(std::nearbyint(static_cast<double>(v) / used)); };
                result.SetPixel(x, y, MakeColor(mean(sum[0]), mean(sum[1]), mean(sum[2])));
            }
        }
    return result;
}

TEST(Bitmap24Sampling, RowWiseCodeFollowsThePerPixelRules) {
    auto image = NoiseImage(11, 7, 21);
    for (int y = 3; y < 7; ++y)
        for (int x = 0; x < 5; ++x) image->SetPixel(x, y, image->Pixel(0, 6));  // a transparent corner
    for (bool t : {false, true})
        for (int n : {2, 3}) {
            for (auto [W, H] : {std::pair{23, 5}, {6, 14}, {11, 7}}) {
                double sx = static_cast<double>(W) / 11, sy = static_cast<double>(H) / 7;
                Bitmap24 expected = SampleSlowly(*image, W, H, n, t, [&](double px, double py) {
                    return std::pair{static_cast<int>(std::nearbyint(px / sx)), static_cast<int>(std::nearbyint(py / sy))};
                });
                EXPECT_EQ(*Bitmap24_Stretch(image.get(), W, H, t, n), expected) << W << "x" << H << " n" << n << " t" << t;
            }
            for (double degrees : {33.0, -17.5, 200.0}) {
                double a = std::fmod(degrees + 360, 360) * 3.14159265358979323846 / 180, c = std::cos(a), s = std::sin(a);
                Bitmap24 expected = SampleSlowly(*image, 11, 7, n, t, [&](double px, double py) {
                    return std::pair{static_cast<int>(std::nearbyint(5.5 + (px - 5.5) * c - (py - 3.5) * s)),
                                     static_cast<int>(std::nearbyint(3.5 + (px - 5.5) * s + (py - 3.5) * c))};
                });
                EXPECT_EQ(*Bitmap24_Rotate(image.get(), n, t, degrees), expected) << degrees << " n" << n << " t" << t;
            }
        }
}

TEST(Bitmap24Sampling, RotateAndScale) {
    // A 45 degree turn keeps the centre pixel of an odd square and the size.
    Bitmap24 square(5, 5, K);
    square.SetPixel(2, 2, R);
    auto turned = Bitmap24_Rotate(&square, 1, true, 45);
    EXPECT_EQ(turned->Width(), 5);
    EXPECT_EQ(turned->Pixel(2, 2), R);
    EXPECT_EQ(turned->Pixel(0, 0), K);
    // Scale to half size, centred on the old canvas.
    auto image = std::make_unique<Bitmap24>(8, 8, G);
    image->SetPixel(0, 7, K);
    auto scaled = Bitmap24_Scale(image.get(), 1, 5, false, false, 0.5, 0.5);
    EXPECT_EQ(scaled->Width(), 8);
    EXPECT_EQ(scaled->Pixel(1, 1), K);
    EXPECT_EQ(scaled->Pixel(3, 3), G);
    EXPECT_EQ(scaled->Pixel(6, 6), K);
    auto newSize = Bitmap24_ScaleSize(image.get(), 3, 5, false, true, 5, 1);
    EXPECT_EQ(newSize->Width(), 3);
    EXPECT_EQ(newSize->Height(), 5);
}

TEST(Bitmap24Sampling, FilterWeightsAndBlurEqualsBoxFilter) {
    auto line = MakeImage({{MakeColor(0, 0, 0), MakeColor(40, 0, 0), MakeColor(100, 0, 0)}});
    auto filtered = Bitmap24_Filter(line.get(), 3, 1, false, {1, 2, 1});
    EXPECT_EQ(RedOf(filtered->Pixel(0, 0)), 13);  // (0*2 + 40) / 3
    EXPECT_EQ(RedOf(filtered->Pixel(1, 0)), 45);  // (0 + 80 + 100) / 4
    EXPECT_EQ(RedOf(filtered->Pixel(2, 0)), 80);  // (40 + 200) / 3
    for (bool t : {false, true})
        for (int radius : {1, 2, 3}) {
            auto image = NoiseImage(13, 9, radius);
            // A transparent region so T has something to do.
            for (int y = 4; y < 9; ++y)
                for (int x = 0; x < 6; ++x) image->SetPixel(x, y, 0x123456);
            int size = 2 * radius + 1;
            auto box = Bitmap24_Filter(image.get(), size, size, t, std::vector<double>(size * size, 1.0));
            EXPECT_EQ(*Bitmap24_Blur(image.get(), radius, t), *box) << t << radius;
        }
}

TEST(Bitmap24Color, GreyHueSaturationFadeReplace) {
    auto image = MakeImage({{MakeColor(10, 20, 40), R}, {K, MakeColor(255, 0, 0)}});
    EXPECT_EQ(Bitmap24_BW(image.get(), false)->Pixel(0, 0), MakeColor(23, 23, 23));
    EXPECT_EQ(Bitmap24_BW(image.get(), true)->Pixel(0, 1), K);
    EXPECT_EQ(Bitmap24_SetHue(image.get(), 85, false)->Pixel(1, 0), G);
    EXPECT_EQ(Bitmap24_ChangeSaturation(image.get(), 0, false)->Pixel(1, 0), W);
    // Hue range across 0: red (hue 0) is in -10..10, green (hue 85) is not.
    auto both = MakeImage({{R, G}});
    auto ranged = Bitmap24_SetHueRange(both.get(), -10, 10, false, 170);
    EXPECT_EQ(ranged->Pixel(0, 0), B);
    EXPECT_EQ(ranged->Pixel(1, 0), G);
    EXPECT_EQ(*Bitmap24_Fade(image.get(), W, 0, false), *image);
    auto solid = Bitmap24_Fade(image.get(), W, 256, true);
    EXPECT_EQ(solid->Pixel(0, 0), W);
    EXPECT_EQ(solid->Pixel(0, 1), K);
    auto replaced = Bitmap24_ReplaceColor(image.get(), R, G);
    EXPECT_EQ(replaced->Pixel(1, 0), G);
    EXPECT_EQ(replaced->Pixel(1, 1), G);
    EXPECT_EQ(replaced->Pixel(0, 0), MakeColor(10, 20, 40));
}

TEST(Bitmap24Color, OverlayIsSeeThroughOnItsOwnColour) {
    auto base = MakeImage({{R, R}, {R, R}});
    auto top = MakeImage({{G, W}, {W, W}});  // W is the overlay's transparent colour
    auto result = Bitmap24_Overlay(base.get(), top.get(), 0);
    EXPECT_EQ(Pixels(*result), (std::vector<ColorValue>{G, R, R, R}));
    EXPECT_EQ(*Bitmap24_Overlay(base.get(), top.get(), 256), *base);
}

TEST(ColorModel, ConversionsAndBlend) {
    struct Case {
        int r, g, b, h, s, v;
    } cases[] = {{255, 0, 0, 0, 255, 255}, {0, 255, 0, 85, 255, 255}, {0, 0, 255, 170, 255, 255},
                 {128, 128, 128, 0, 0, 128}, {0, 0, 0, 0, 0, 0}, {255, 255, 0, 42, 255, 255}};
    for (const Case& c : cases) {
        HsvTriple hsv = RgbToHsv(c.r, c.g, c.b);
        EXPECT_EQ(hsv.hue, c.h);
        EXPECT_EQ(hsv.saturation, c.s);
        EXPECT_EQ(hsv.value, c.v);
    }
    std::uint8_t r, g, b;
    HsvToRgb({255, 255, 255}, r, g, b);  // hue 255 is 360 degrees, the same as 0
    EXPECT_EQ(MakeColor(r, g, b), R);
    // A round trip may lower a channel by one but never more.
    for (int i = 0; i < 2000; ++i) {
        int c[3] = {(i * 37) % 256, (i * 91) % 256, (i * 13) % 256};
        HsvToRgb(RgbToHsv(c[0], c[1], c[2]), r, g, b);
        EXPECT_LE(std::abs(r - c[0]) + std::abs(g - c[1]) + std::abs(b - c[2]), 6) << i;
    }
    EXPECT_EQ(BlendColor(0, 0xffffff, 0.5), MakeColor(128, 128, 128));  // 127.5 to even
    EXPECT_EQ(BlendColor(MakeColor(1, 3, 0), 0, 0.5), MakeColor(0, 2, 0));
    EXPECT_EQ(BlendColor(R, G, 0), R);
    EXPECT_EQ(BlendColor(R, G, 1), G);
}

TEST(Bitmap24Pickers, PaletteAndColourPicker) {
    auto palette = Bitmap24_Palette(60, 90);
    EXPECT_EQ(palette->Pixel(0, 0), R);
    EXPECT_EQ(palette->Pixel(15, 5), MakeColor(255, 255, 0));
    EXPECT_EQ(palette->Pixel(55, 15), MakeColor(64, 0, 64));
    EXPECT_EQ(palette->Pixel(35, 75), MakeColor(128, 128, 128));
    EXPECT_EQ(palette->Pixel(59, 85), MakeColor(254, 254, 254));  // step 254 spans x 59
    auto picker = Bitmap24_ColorPicker(64, 64);
    EXPECT_EQ(picker->Pixel(0, 0), K);                    // value 0
    EXPECT_EQ(picker->Pixel(32, 0), MakeColor(255, 0, 0));  // full saturation and value, hue 0
    // Saturation falls toward 0 on the right: round(255 - 504) mod 256 is 7.
    ColorValue right = picker->Pixel(63, 10);
    HsvTriple hsv = RgbToHsv(RedOf(right), GreenOf(right), BlueOf(right));
    EXPECT_EQ(hsv.value, 255);
    EXPECT_EQ(hsv.saturation, 7);
}

}  // namespace
}  // namespace kestrin
