// Backgrounds: defaults and the stored record, images and import, and the
// drawing operations (parts of tiles and tiled drawing) on a drawing target.

#include <gtest/gtest.h>

#include "imaging/bitmap24_ops.h"
#include "imaging/png_codec.h"
#include "platform/file_system.h"
#include "resources/background.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

constexpr ColorValue R = 0x0000ff, G = 0x00ff00, B = 0xff0000, K = 0;

// Keeps every drawing call instead of painting.
class RecordingTarget : public DrawTarget {
public:
    struct Call {
        int x, y, width, height;
        bool stretched;
        bool operator==(const Call&) const = default;
    };
    explicit RecordingTarget(DrawRect clip) : mClip(clip) {}
    DrawRect ClipRect() const override { return mClip; }
    void DrawImage(const Bitmap24& image, int x, int y, bool) override {
        calls.push_back({x, y, image.Width(), image.Height(), false});
    }
    void DrawStretched(const Bitmap24&, int x, int y, int width, int height, bool) override {
        calls.push_back({x, y, width, height, true});
    }
    std::vector<Call> calls;

private:
    DrawRect mClip;
};

TEST(Background, NewBackgroundAndItsRecord) {
    CBackground background;
    EXPECT_FALSE(background.HasImage());
    EXPECT_FALSE(background.GetDisplayImage());
    CStream stream;
    EXPECT_TRUE(background.SaveToStream(stream));
    ASSERT_EQ(stream.Size(), 7u * 4);
    stream.SetPosition(0);
    std::vector<std::int32_t> ints;
    for (int i = 0; i < 7; ++i) ints.push_back(stream.ReadInteger());
    EXPECT_EQ(ints, (std::vector<std::int32_t>{400, 0, 0, 0, 1, 1, 0}));
}

TEST(Background, ImageRecordRoundTripAndRefusals) {
    Bitmap24 image(5, 3, G);
    image.SetPixel(2, 1, R);
    CBackground background;
    background.SetImage(&image);
    background.Transparent = true;
    background.LoadOnUse = false;
    EXPECT_EQ(background.Width, 5);
    EXPECT_EQ(background.TransparentColor, G);
    CStream stream;
    background.SaveToStream(stream);

    stream.SetPosition(0);
    CBackground loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(*loaded.GetImage(), image);
    EXPECT_TRUE(loaded.Transparent);
    EXPECT_FALSE(loaded.LoadOnUse);
    EXPECT_EQ(loaded.TransparentColor, G);
    CBackground copy;
    copy.Assign(&loaded);
    EXPECT_EQ(*copy.GetImage(), image);
    copy.Assign(nullptr);
    EXPECT_FALSE(copy.HasImage());

    struct Case {
        const char* name;
        std::size_t at;
        std::int32_t value;
    } cases[] = {{"399", 0, 399}, {"401", 0, 401}, {"image marked none", 28, -1}, {"forged width", 4, 1 << 30}};
    for (const Case& c : cases) {
        CStream broken(stream.View());
        broken.SetPosition(c.at);
        broken.WriteInteger(c.value);
        broken.SetPosition(0);
        CBackground target;
        target.SetImage(&image);
        EXPECT_FALSE(target.LoadFromStream(broken)) << c.name;
        EXPECT_FALSE(target.HasImage()) << c.name;
        EXPECT_EQ(target.Width, 0) << c.name;
    }
    background.SetImage(nullptr);
    EXPECT_FALSE(background.HasImage());
}

TEST(Background, ImportAndIcon) {
    test::TempDir dir;
    Bitmap24 picture(8, 4, B);
    auto png = EncodePng(picture);
    WriteFileAtomically(dir.File("b.png"), png.data(), png.size());
    CBackground background;
    EXPECT_FALSE(background.LoadFromFile(dir.File("none.png")));
    ASSERT_TRUE(background.LoadFromFile(dir.File("b.png")));
    EXPECT_EQ(background.Width, 8);
    EXPECT_EQ(*background.GetImage(), picture);
    Image icon = background.MakeIcon();
    EXPECT_EQ(icon->Pixel(8, 8), B);
    EXPECT_EQ(icon->Pixel(8, 2), kIconBackgroundColor);  // 8 x 4 becomes 16 x 8
}

TEST(Background, TiledDrawingStartPositions) {
    Bitmap24 image(32, 32, G);
    CBackground background;
    background.SetImage(&image);
    using Call = RecordingTarget::Call;

    RecordingTarget tiled({0, 0, 100, 50});
    background.DrawTiled(tiled, 70, -10, true, true, 1, 1);
    std::vector<Call> expected;
    for (int x : {-26, 6, 38, 70})
        for (int y : {-10, 22}) expected.push_back({x, y, 32, 32, false});
    EXPECT_EQ(tiled.calls, expected);

    RecordingTarget across({0, 0, 100, 50});
    background.DrawTiled(across, 70, 60, true, false, 1, 1);
    EXPECT_TRUE(across.calls.empty());  // below the clip area and not tiled down

    RecordingTarget scaled({0, 0, 40, 30});
    background.DrawTiled(scaled, 5, 5, true, false, 0.5, 1.5);
    EXPECT_EQ(scaled.calls, (std::vector<Call>{{-11, 5, 16, 48, true}, {5, 5, 16, 48, true}, {21, 5, 16, 48, true}, {37, 5, 16, 48, true}}));

    RecordingTarget once({0, 0, 100, 100});
    background.DrawTiled(once, 10, 20, false, false, 1, 1);
    EXPECT_EQ(once.calls, (std::vector<Call>{{10, 20, 32, 32, false}}));

    for (auto [xs, ys] : {std::pair{0.0, 1.0}, {1.0, -2.0}, {0.001, 1.0}}) {
        RecordingTarget none({0, 0, 100, 100});
        background.DrawTiled(none, 0, 0, true, true, xs, ys);
        EXPECT_TRUE(none.calls.empty()) << xs << " " << ys;
    }
}

TEST(Background, DrawPartKeepsTheBackgroundsTransparentColour) {
    // Transparent colour K (bottom-left). The tile (1,0)-(3,2) has an opaque
    // bottom-left pixel (R at 1,1) and one K pixel at (2,0).
    Bitmap24 image(4, 4, G);
    image.SetPixel(0, 3, K);
    image.SetPixel(1, 1, R);
    image.SetPixel(2, 0, K);
    CBackground background;
    background.SetImage(&image);
    background.Transparent = true;

    Bitmap24 canvas(6, 6, B);
    ImageDrawTarget target(canvas);
    background.DrawPart(target, 3, 3, {1, 0, 3, 2});
    EXPECT_EQ(canvas.Pixel(3, 3), G);
    EXPECT_EQ(canvas.Pixel(4, 3), B);  // K is see-through
    EXPECT_EQ(canvas.Pixel(3, 4), R);  // the tile's own corner is not
    EXPECT_EQ(canvas.Pixel(4, 4), G);
    EXPECT_EQ(canvas.Pixel(3, 5), B);  // the extra row never shows

    background.Transparent = false;
    CBackground opaque;
    opaque.SetImage(&image);
    Bitmap24 plain(6, 6, B);
    ImageDrawTarget plainTarget(plain);
    opaque.DrawPart(plainTarget, 0, 0, {1, 0, 3, 2});
    EXPECT_EQ(plain.Pixel(1, 0), K);
    EXPECT_EQ(plain.Pixel(0, 1), R);
    EXPECT_EQ(plain.Pixel(2, 0), B);
    // A rectangle reaching far outside the picture draws only what exists.
    opaque.DrawPart(plainTarget, 0, 0, {2, 2, 1 << 30, 1 << 30});
    EXPECT_EQ(plain.Pixel(1, 1), G);
    EXPECT_EQ(plain.Pixel(2, 2), B);
}

}  // namespace
}  // namespace kestrin
