// Sprites: defaults and the stored record, the bounding-box modes, display
// image and icon, picture and GIF import; frame sets: single-frame
// operations, whole-set operations, crop and the generated sequences.

#include <gtest/gtest.h>

#include <cstring>
#include <gif_lib.h>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "resources/animation.h"
#include "resources/animation_create.h"
#include "resources/sprite.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

constexpr ColorValue R = 0x0000ff, G = 0x00ff00, B = 0xff0000, K = 0;

std::vector<std::int32_t> Ints(CStream& stream, int count) {
    stream.SetPosition(0);
    std::vector<std::int32_t> out;
    for (int i = 0; i < count; ++i) out.push_back(stream.ReadInteger());
    return out;
}

Bitmap24 TwoDotFrame() {
    Bitmap24 frame(32, 32, G);
    frame.SetPixel(5, 7, R);
    frame.SetPixel(20, 3, R);
    return frame;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteFileAtomically(path, bytes.data(), bytes.size());
}

TEST(Sprite, NewSpriteAndItsRecord) {
    CSprite sprite;
    EXPECT_EQ(sprite.FrameCount(), 0);
    EXPECT_TRUE(sprite.Transparent);
    CStream stream;
    EXPECT_TRUE(sprite.SaveToStream(stream));
    EXPECT_EQ(stream.Size(), 15u * 4);
    EXPECT_EQ(Ints(stream, 15), (std::vector<std::int32_t>{400, 32, 32, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(sprite.GetImage(0));
    EXPECT_FALSE(sprite.GetDisplayImage(-1));
}

TEST(Sprite, BoundingBoxModes) {
    CSprite sprite;
    Bitmap24 frame = TwoDotFrame();
    sprite.AddImage(&frame);
    EXPECT_EQ(sprite.TransparentColor, G);
    EXPECT_EQ((std::vector<int>{sprite.BoxLeft, sprite.BoxTop, sprite.BoxRight, sprite.BoxBottom}),
              (std::vector<int>{5, 3, 20, 7}));
    CStream stream;
    sprite.SaveToStream(stream);
    auto ints = Ints(stream, 7);
    EXPECT_EQ(std::vector<std::int32_t>(ints.begin() + 3, ints.end()), (std::vector<std::int32_t>{5, 20, 7, 3}));

    sprite.SetTransparent(false);
    EXPECT_EQ((std::vector<int>{sprite.BoxLeft, sprite.BoxTop, sprite.BoxRight, sprite.BoxBottom}),
              (std::vector<int>{0, 0, 31, 31}));
    sprite.BoxMode = kBoxManual;
    sprite.BoxLeft = 9;
    sprite.SetTransparent(true);
    sprite.AddImage(&frame);
    EXPECT_EQ(sprite.BoxLeft, 9);
    sprite.ClearImages();
    EXPECT_EQ(sprite.BoxLeft, 9);  // a manual box survives losing the frames

    CSprite plain;
    Bitmap24 one(32, 32, B);
    plain.AddImage(&one);
    plain.AddImage(&one);
    EXPECT_EQ((std::vector<int>{plain.BoxLeft, plain.BoxTop, plain.BoxRight, plain.BoxBottom}),
              (std::vector<int>{31, 31, 0, 0}));
    plain.BoxMode = kBoxFullImage;
    plain.UpdateBoundingBox();
    EXPECT_EQ(plain.BoxRight, 31);
}

TEST(Sprite, RecordRoundTripAndRefusals) {
    CSprite sprite;
    Bitmap24 first = TwoDotFrame();
    Bitmap24 second(32, 32, B);
    sprite.AddImage(&first);
    sprite.AddImage(&second);
    sprite.XOrigin = -4;
    sprite.YOrigin = 40;
    sprite.LoadOnUse = true;
    sprite.BoxMode = kBoxManual;
    sprite.BoxLeft = 1;
    sprite.BoxTop = 2;
    sprite.BoxRight = 3;
    sprite.BoxBottom = 4;
    CStream stream;
    sprite.SaveToStream(stream);

    stream.SetPosition(0);
    CSprite loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(loaded.FrameCount(), 2);
    EXPECT_EQ(*loaded.GetImage(0), first);
    EXPECT_EQ(*loaded.GetImage(1), second);
    EXPECT_EQ((std::vector<int>{loaded.BoxLeft, loaded.BoxTop, loaded.BoxRight, loaded.BoxBottom, loaded.XOrigin,
                                loaded.YOrigin, loaded.LoadOnUse, loaded.BoxMode}),
              (std::vector<int>{1, 2, 3, 4, -4, 40, 1, kBoxManual}));
    EXPECT_EQ(loaded.TransparentColor, G);
    CSprite copy;
    copy.Assign(&loaded);
    EXPECT_EQ(*copy.GetImage(0), first);
    EXPECT_EQ(copy.BoxBottom, 4);

    // Wrong versions, a frame marked as none, a count beyond the bytes, a forged size.
    struct Case {
        const char* name;
        std::size_t at;
        std::int32_t value;
    } cases[] = {{"399", 0, 399}, {"401", 0, 401}, {"count", 56, 100000000}, {"negative count", 56, -1},
                 {"frame marker", 60, -1}, {"width", 4, 1 << 30}};
    for (const Case& c : cases) {
        CStream broken(stream.View());
        broken.SetPosition(c.at);
        broken.WriteInteger(c.value);
        broken.SetPosition(0);
        CSprite target;
        target.AddImage(&first);
        EXPECT_FALSE(target.LoadFromStream(broken)) << c.name;
        EXPECT_EQ(target.FrameCount(), 0) << c.name;
        EXPECT_EQ(target.Width, 32) << c.name;
    }
    CStream cut(stream.View().substr(0, 100));
    CSprite target;
    EXPECT_THROW(target.LoadFromStream(cut), StreamReadError);
}

TEST(Sprite, DisplayImageDrawingAndIcon) {
    CSprite sprite;
    Bitmap24 frame(32, 16, K);
    frame.FillRect(0, 0, 32, 8, R);
    sprite.AddImage(&frame);
    sprite.XOrigin = 2;
    sprite.YOrigin = 1;
    Bitmap24 canvas(40, 40, B);
    ImageDrawTarget target(canvas);
    sprite.DrawAt(target, 10, 10);
    EXPECT_EQ(canvas.Pixel(8, 9), R);
    EXPECT_EQ(canvas.Pixel(8, 20), B);  // the black half is see-through
    EXPECT_EQ(canvas.Pixel(7, 9), B);

    Image icon = sprite.MakeIcon();
    ASSERT_EQ(icon->Width(), 16);
    // 32 x 16 becomes 16 x 8, placed from (0, 4) to (16, 12).
    EXPECT_EQ(icon->Pixel(0, 3), kIconBackgroundColor);
    EXPECT_EQ(icon->Pixel(0, 4), R);
    EXPECT_EQ(icon->Pixel(15, 7), R);
    EXPECT_EQ(icon->Pixel(5, 9), kIconBackgroundColor);  // transparent part
    EXPECT_EQ(icon->Pixel(0, 15), kIconBackgroundColor);
    EXPECT_EQ(*CSprite().MakeIcon(), Bitmap24(16, 16, kIconBackgroundColor));

    RecordingUI ui;
    ScopedUI scope(ui);
    sprite.AddImage(nullptr);
    EXPECT_EQ(sprite.FrameCount(), 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Internal Error:Adding bitmap that is not 24 bits"});
}

int WriteBytes(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

// Three 1 x 1 images at (0,0), (1,0), (2,0) of a 3 x 1 screen, all with one disposal.
std::vector<std::uint8_t> ThreeDotGif(int disposal, int screenWidth = 3, int screenHeight = 1) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteBytes, &error);
    GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, screenWidth, screenHeight, 2, 0, map);
    for (int i = 0; i < 3; ++i) {
        GraphicsControlBlock control{};
        control.DisposalMode = disposal;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifGCBToExtension(&control, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
        EGifPutImageDesc(gif, i, 0, 1, 1, false, nullptr);
        GifPixelType pixel = static_cast<GifPixelType>(i + 1);
        EGifPutLine(gif, &pixel, 1);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

TEST(Sprite, ImportsPicturesAndGifsWithTheDisposalRule) {
    test::TempDir dir;
    const ColorValue E = kEmptyFrameColor;
    struct Case {
        int disposal;
        std::vector<std::vector<ColorValue>> frames;
    } cases[] = {
        {1, {{R, E, E}, {R, G, E}, {R, G, B}}},
        {2, {{R, E, E}, {E, G, E}, {E, E, B}}},
        {0, {{R, E, E}, {E, G, E}, {E, E, B}}},
    };
    for (const Case& c : cases) {
        std::string path = dir.File("dots" + std::to_string(c.disposal) + ".GIF");
        WriteFile(path, ThreeDotGif(c.disposal));
        CSprite sprite;
        ASSERT_TRUE(sprite.LoadFromFile(path)) << c.disposal;
        ASSERT_EQ(sprite.FrameCount(), 3);
        EXPECT_EQ(sprite.Width, 3);
        EXPECT_EQ(sprite.Height, 1);
        for (int i = 0; i < 3; ++i) {
            Image frame = sprite.GetImage(i);
            for (int x = 0; x < 3; ++x) EXPECT_EQ(frame->Pixel(x, 0), c.frames[i][x]) << c.disposal << " " << i << " " << x;
        }
        auto set = TAnimation::FromFile(path);
        ASSERT_TRUE(set);
        EXPECT_EQ(set->FrameCount(), 3);
        EXPECT_EQ(set->GetImage(2)->Pixel(0, 0), c.frames[2][0]);
    }

    std::string bmp = dir.File("pic.bmp");
    Bitmap24 picture = TwoDotFrame();
    WriteFile(bmp, EncodeBmp(picture));
    CSprite sprite;
    ASSERT_TRUE(sprite.LoadFromFile(bmp));
    EXPECT_EQ(sprite.FrameCount(), 1);
    EXPECT_EQ(*sprite.GetImage(0), picture);
    EXPECT_EQ(sprite.BoxLeft, 5);

    // A tiny file whose frames would fill a huge screen is refused before
    // anything that size is made.
    std::string wide = dir.File("wide.gif");
    WriteFile(wide, ThreeDotGif(2, 16000, 2000));
    EXPECT_FALSE(sprite.LoadFromFile(wide));

    // Missing and undecodable files leave the sprite as it was.
    std::string junk = dir.File("junk.png");
    WriteFile(junk, {1, 2, 3, 4, 5});
    EXPECT_FALSE(sprite.LoadFromFile(dir.File("missing.bmp")));
    EXPECT_FALSE(sprite.LoadFromFile(junk));
    EXPECT_EQ(sprite.FrameCount(), 1);
    EXPECT_FALSE(TAnimation::FromFile(junk));
    RecordingUI ui;
    ScopedUI scope(ui);
    auto none = TAnimation::FromFile(dir.File("missing.bmp"));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->FrameCount(), 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Cannot find the image file " + dir.File("missing.bmp")});
}

// A frame set of count 4 x 4 frames, frame i filled with colour i + 1.
std::unique_ptr<TAnimation> Numbered(int count) {
    auto set = std::make_unique<TAnimation>(4, 4);
    for (int i = 0; i < count; ++i) set->AddImage(Bitmap24(4, 4, static_cast<ColorValue>(i + 1)));
    return set;
}

std::vector<ColorValue> Order(const TAnimation& set) {
    std::vector<ColorValue> out;
    for (int i = 0; i < set.FrameCount(); ++i) out.push_back(set.GetImage(i)->Pixel(0, 0) - 1);
    return out;
}

TEST(FrameSet, SingleFrameOperationsAndClamping) {
    auto set = Numbered(5);
    set->Move(0, 3);
    EXPECT_EQ(Order(*set), (std::vector<ColorValue>{1, 2, 3, 0, 4}));
    set->Move(4, 0);
    EXPECT_EQ(Order(*set), (std::vector<ColorValue>{4, 1, 2, 3, 0}));
    set->Move(1, 5);
    set->Move(-1, 2);
    set->Move(2, 2);
    EXPECT_EQ(Order(*set), (std::vector<ColorValue>{4, 1, 2, 3, 0}));

    auto three = Numbered(3);
    three->InsertImage(10, Bitmap24(2, 2, 10));
    three->InsertImage(-2, Bitmap24(2, 2, 11));
    ASSERT_EQ(three->FrameCount(), 5);
    EXPECT_EQ(three->GetImage(0)->Pixel(0, 0), 11u);
    EXPECT_EQ(three->GetImage(4)->Pixel(0, 0), 10u);
    // A small image is drawn on an empty frame; a large one is cut.
    EXPECT_EQ(three->GetImage(4)->Pixel(3, 3), kEmptyFrameColor);
    three->Replace(1, Bitmap24(9, 9, 12));
    EXPECT_EQ(three->GetImage(1)->Width(), 4);
    EXPECT_EQ(three->GetImage(1)->Pixel(3, 3), 12u);
    three->Replace(7, Bitmap24(1, 1, 13));
    three->Delete(0);
    three->Delete(9);
    three->InsertEmpty(1);
    EXPECT_EQ(Order(*three), (std::vector<ColorValue>{11, kEmptyFrameColor - 1, 1, 2, 9}));
    EXPECT_FALSE(three->GetImage(5));
}

TEST(FrameSet, WholeSetOperationsAndCrop) {
    auto set = Numbered(2);
    set->Stretch(8, 6, 1);
    EXPECT_EQ(set->Width(), 8);
    EXPECT_EQ(set->GetImage(1)->Height(), 6);
    set->ResizeCanvas(3, 3, 5);
    EXPECT_EQ(set->Width(), 3);
    EXPECT_EQ(set->GetImage(0)->Width(), 3);

    TAnimation big(64, 64);
    Bitmap24 content(64, 64, G);
    content.FillRect(10, 30, 20, 31, R);
    big.AddImage(content);
    Bitmap24 other(64, 64, B);
    other.SetPixel(15, 30, R);
    big.AddImage(other);
    big.Crop(2);
    EXPECT_EQ(big.Width(), 14);
    EXPECT_EQ(big.Height(), 5);
    EXPECT_EQ(big.GetImage(0)->Pixel(2, 2), R);
    EXPECT_EQ(big.GetImage(0)->Pixel(1, 2), G);
    EXPECT_EQ(big.GetImage(1)->Pixel(7, 2), R);
    EXPECT_EQ(big.GetImage(1)->Pixel(2, 2), B);  // each frame keeps its own transparent colour
    // Nothing to crop in frames without content.
    TAnimation blank(8, 8);
    blank.AddEmpty();
    blank.Crop(1);
    EXPECT_EQ(blank.Width(), 8);

    auto copy = Numbered(2);
    TAnimation assigned(1, 1);
    assigned.Assign(*copy);
    copy->Mirror();
    copy->Colorize(40);
    EXPECT_EQ(Order(assigned), (std::vector<ColorValue>{0, 1}));
}

TEST(FrameSet, GeneratedSequences) {
    auto four = Numbered(4);
    EXPECT_EQ(Order(*Animation_StretchLength(*four, 6)), (std::vector<ColorValue>{0, 0, 1, 2, 2, 3}));
    EXPECT_EQ(Order(*Animation_SetLength(*four, 6)), (std::vector<ColorValue>{0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(Order(*Animation_Reverse(*four)), (std::vector<ColorValue>{3, 2, 1, 0}));
    EXPECT_EQ(Order(*Animation_AddReverse(*four)), (std::vector<ColorValue>{0, 1, 2, 3, 3, 2, 1, 0}));
    EXPECT_EQ(Animation_SetLength(TAnimation(4, 4), 5)->FrameCount(), 0);

    // A 16 x 16 frame: green content, black bottom-left transparent pixel.
    TAnimation square(16, 16);
    Bitmap24 frame(16, 16, G);
    frame.SetPixel(0, 15, K);
    square.AddImage(frame);
    auto widths = [](const TAnimation& set) {
        std::vector<int> out;
        for (int i = 0; i < set.FrameCount(); ++i) {
            ImageBox box = Bitmap24_BoundingBox(set.GetImage(i));
            out.push_back(box.right - box.left + 1);
        }
        return out;
    };
    EXPECT_EQ(widths(*Animation_Grow(square, 4, 5)), (std::vector<int>{4, 8, 12, 16}));
    EXPECT_EQ(widths(*Animation_Shrink(square, 4, 5)), (std::vector<int>{16, 12, 8, 4}));
    auto flattened = Animation_Flatten(square, 2, 8);
    ImageBox squeezed = Bitmap24_BoundingBox(flattened->GetImage(1));
    EXPECT_EQ(squeezed.bottom - squeezed.top + 1, 8);
    EXPECT_EQ(squeezed.right - squeezed.left + 1, 16);

    auto moved = Animation_Translation(square, 4, 6, 0);
    EXPECT_EQ(Bitmap24_BoundingBox(moved->GetImage(1)).left, 2);  // round(1.5) to even
    EXPECT_EQ(Bitmap24_BoundingBox(moved->GetImage(3)).left, 4);  // round(4.5) to even

    auto gone = Animation_Disappear(square, 4);
    for (int k = 0; k < 4; ++k) {
        int clear = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) clear += gone->GetImage(k)->Pixel(x, y) == K;
        EXPECT_EQ(clear, 64 * k + 1) << k;  // the pattern never reaches (0, 15)
    }
    auto faded = Animation_FadeTo(square, 3, R);
    EXPECT_EQ(faded->GetImage(0)->Pixel(5, 5), G);
    EXPECT_EQ(faded->GetImage(1)->Pixel(5, 5), BlendColor(G, R, 0.5));
    EXPECT_EQ(faded->GetImage(2)->Pixel(5, 5), R);
    TAnimation red(16, 16);
    Bitmap24 redFrame(16, 16, R);
    redFrame.SetPixel(0, 15, K);
    red.AddImage(redFrame);
    auto morphed = Animation_Morph(square, red, 2);
    EXPECT_EQ(morphed->GetImage(0)->Pixel(5, 5), G);
    EXPECT_EQ(morphed->GetImage(1)->Pixel(5, 5), R);
    EXPECT_EQ(Animation_Overlay(square, TAnimation(16, 16), 3)->FrameCount(), 0);
}

TEST(FrameSet, SpriteConversionAndFiles) {
    CSprite sprite;
    Bitmap24 frame = TwoDotFrame();
    sprite.AddImage(&frame);
    sprite.SetTransparent(false);
    auto set = TAnimation::FromSprite(sprite);
    EXPECT_FALSE(set->Transparent());
    set->AddImage(Bitmap24(32, 32, B));
    set->SetTransparent(true);
    set->StoreInSprite(sprite);
    EXPECT_EQ(sprite.FrameCount(), 2);
    EXPECT_TRUE(sprite.Transparent);
    EXPECT_EQ(sprite.BoxLeft, 5);

    test::TempDir dir;
    ASSERT_TRUE(set->SaveAsStrip(dir.File("strip.bmp")));
    Image strip = DecodeBmp(ReadWholeFile(dir.File("strip.bmp")));
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->Width(), 64);
    EXPECT_EQ(strip->Pixel(5, 7), R);
    EXPECT_EQ(strip->Pixel(40, 7), B);
    EXPECT_FALSE(TAnimation(4, 4).SaveAsStrip(dir.File("empty.bmp")));
    EXPECT_FALSE(FileExists(dir.File("empty.bmp")));

    ASSERT_TRUE(set->SaveAsGif(dir.File("anim.gif")));
    auto back = TAnimation::FromFile(dir.File("anim.gif"));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->FrameCount(), 2);
    EXPECT_EQ(*back->GetImage(0), *set->GetImage(0));
    EXPECT_EQ(*back->GetImage(1), *set->GetImage(1));
}

}  // namespace
}  // namespace kestrin
