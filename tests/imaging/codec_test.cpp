// Picture codecs: BMP in every depth users import, PNG, JPEG, GIF with its
// frame details, the decoder registry, and hostile files.

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include "image_helpers.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/color_quantizer.h"
#include "imaging/gif_codec.h"
#include "imaging/jpeg_codec.h"
#include "imaging/picture.h"
#include "imaging/png_codec.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xff;
    b[at + 1] = (v >> 8) & 0xff;
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xff;
}

// A BMP with a 40-byte info header; rows are given in file order, unpadded.
Bytes BuildBmp(int w, int h, int bpp, const std::vector<std::uint32_t>& palette, const std::vector<Bytes>& rows,
               std::uint32_t compression = 0, const std::vector<std::uint32_t>& masks = {}) {
    std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
    std::size_t offset = 54 + 4 * masks.size() + 4 * palette.size();
    Bytes b(offset + stride * rows.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(w));
    Put32(b, 22, static_cast<std::uint32_t>(h));
    Put16(b, 26, 1);
    Put16(b, 28, bpp);
    Put32(b, 30, compression);
    Put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    std::size_t at = 54;
    for (std::uint32_t m : masks) Put32(b, at, m), at += 4;
    for (std::uint32_t c : palette) Put32(b, at, c), at += 4;  // stored blue, green, red, 0
    for (std::size_t r = 0; r < rows.size(); ++r) std::memcpy(&b[offset + r * stride], rows[r].data(), rows[r].size());
    return b;
}

constexpr ColorValue R = 0x0000ff, G = 0x00ff00, B = 0xff0000;

TEST(BmpCodec, WriterLayoutAndRoundTrip) {
    Bitmap24 red(1, 1, R);
    Bytes bytes = EncodeBmp(red);
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes[2], 58);      // file size
    EXPECT_EQ(bytes[10], 54);     // pixel offset
    EXPECT_EQ(bytes[14], 40);     // info header size
    EXPECT_EQ(bytes[22], 1);      // positive height: bottom-up
    EXPECT_EQ(Bytes(bytes.begin() + 54, bytes.end()), (Bytes{0, 0, 255, 0}));
    auto image = test::NoiseImage(7, 5, 9);
    auto bmp = EncodeBmp(*image);
    EXPECT_EQ(bmp.size(), 54u + 24 * 5);
    EXPECT_EQ(*DecodeBmp(bmp), *image);
    // Rows are stored bottom-up: the first stored row is the bottom one.
    EXPECT_EQ(bmp[54 + 2], RedOf(image->Pixel(0, 4)));
}

TEST(BmpCodec, ReadsEveryDepthAndBothRowOrders) {
    // File palettes are stored blue, green, red: 0x00RRGGBB as an int.
    std::vector<std::uint32_t> palette = {0x000000, 0xff0000, 0x00ff00, 0x0000ff};
    struct Case {
        const char* name;
        Bytes file;
        std::vector<ColorValue> expected;  // top row first
    } cases[] = {
        {"1-bit", BuildBmp(3, 1, 1, {0x000000, 0xff0000}, {{0b10100000}}), {R, 0, R}},
        {"4-bit", BuildBmp(3, 2, 4, palette, {{0x12, 0x30}, {0x01, 0x00}}), {0, R, 0, R, G, B}},
        {"8-bit top-down", [&] {
             Bytes f = BuildBmp(2, 2, 8, palette, {{1, 2}, {3, 0}});
             Put32(f, 22, static_cast<std::uint32_t>(-2));
             return f;
         }(), {R, G, B, 0}},
        {"16-bit 555", BuildBmp(2, 1, 16, {}, {{0x00, 0x7c, 0x1f, 0x00}}), {R, B}},
        {"16-bit 565 fields", BuildBmp(1, 1, 16, {}, {{0xe0, 0x07}}, 3, {0xf800, 0x07e0, 0x001f}), {G}},
        {"24-bit", BuildBmp(2, 1, 24, {}, {{0, 0, 255, 255, 0, 0}}), {R, B}},
        {"32-bit", BuildBmp(2, 1, 32, {}, {{0, 255, 0, 0, 255, 0, 0, 0}}), {G, B}},
    };
    for (const Case& c : cases) {
        auto image = DecodeBmp(c.file);
        ASSERT_TRUE(image) << c.name;
        EXPECT_EQ(test::Pixels(*image), c.expected) << c.name;
    }
}

TEST(BmpCodec, StoredImagesComeBackInTheWritersLayout) {
    // Our own layout is taken as it is; a palette file is decoded and written anew.
    Bytes own = EncodeBmp(*test::NoiseImage(5, 3, 4));
    Bytes palette = BuildBmp(2, 2, 8, {0x000000, 0xff0000}, {{1, 0}, {0, 1}});
    Bytes broken = palette;
    broken.resize(60);
    CStream stream;
    WriteStoredBmp(stream, own.data(), own.size());
    WriteStoredBmp(stream, palette.data(), palette.size());
    WriteStoredBmp(stream, broken.data(), broken.size());
    stream.WriteInteger(-1);
    stream.SetPosition(0);
    EXPECT_EQ(ReadStoredBmp(stream), own);
    auto rewritten = ReadStoredBmp(stream);
    ASSERT_TRUE(rewritten);
    EXPECT_TRUE(IsCanonicalBmp(rewritten->data(), rewritten->size()));
    EXPECT_EQ(*DecodeBmp(*rewritten), *DecodeBmp(palette));
    EXPECT_FALSE(ReadStoredBmp(stream));
    EXPECT_FALSE(ReadStoredBmp(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_FALSE(IsCanonicalBmp(palette.data(), palette.size()));
}

TEST(BmpCodec, HostileFilesFailCleanly) {
    Bytes good = EncodeBmp(*test::NoiseImage(16, 16, 3));
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"huge width", [](Bytes& b) { Put32(b, 18, 1000000); }},
        {"width within limits but rows missing", [](Bytes& b) { Put32(b, 18, 16000); Put32(b, 22, 2000); }},
        {"negative width", [](Bytes& b) { Put32(b, 18, static_cast<std::uint32_t>(-5)); }},
        {"zero height", [](Bytes& b) { Put32(b, 22, 0); }},
        {"offset past the end", [](Bytes& b) { Put32(b, 10, 0x7fffffff); }},
        {"info size past the end", [](Bytes& b) { Put32(b, 14, 0x7fffffff); }},
        {"odd depth", [](Bytes& b) { Put16(b, 28, 7); }},
        {"run-length", [](Bytes& b) { Put32(b, 30, 1); }},
        {"cut short", [](Bytes& b) { b.resize(b.size() - 10); }},
        {"header only", [](Bytes& b) { b.resize(20); }},
    };
    for (const Case& c : cases) {
        Bytes file = good;
        c.damage(file);
        EXPECT_FALSE(DecodeBmp(file)) << c.name;
    }
    // Every truncation and many single-byte changes of a valid file stay safe.
    for (std::size_t n = 0; n < good.size(); n += 7) DecodeBmp(good.data(), n);
    for (std::size_t i = 0; i < 54; ++i)
        for (std::uint8_t v : {0x00, 0x7f, 0xff}) {
            Bytes file = good;
            file[i] = v;
            DecodeBmp(file);
        }
}

TEST(PngCodec, RoundTripAlphaAndForgedSize) {
    auto image = test::NoiseImage(9, 4, 5);
    Bytes png = EncodePng(*image);
    ASSERT_TRUE(LooksLikePng(png.data(), png.size()));
    auto picture = DecodePicture(png);
    ASSERT_TRUE(picture);
    EXPECT_EQ(*picture->image, *image);
    EXPECT_TRUE(picture->alpha.empty());

    // A half see-through picture: clear pixels keep the fill.
    png_image layout{};
    layout.version = PNG_IMAGE_VERSION;
    layout.width = 2;
    layout.height = 1;
    layout.format = PNG_FORMAT_RGBA;
    std::uint8_t rgba[8] = {255, 0, 0, 255, 0, 0, 255, 0};
    png_alloc_size_t size = 0;
    ASSERT_TRUE(png_image_write_to_memory(&layout, nullptr, &size, 0, rgba, 0, nullptr));
    Bytes withAlpha(size);
    ASSERT_TRUE(png_image_write_to_memory(&layout, withAlpha.data(), &size, 0, rgba, 0, nullptr));
    withAlpha.resize(size);
    auto clear = DecodePicture(withAlpha);
    ASSERT_TRUE(clear);
    auto filled = Bitmap24_FromGraphic(*clear, true);
    EXPECT_EQ(filled->Pixel(0, 0), R);
    EXPECT_EQ(filled->Pixel(1, 0), kEmptyFrameColor);

    // A header claiming 100000 x 100000 with a correct checksum.
    Bytes forged = png;
    forged[16] = 0;  // width, big-endian
    forged[17] = 0x01;
    forged[18] = 0x86;
    forged[19] = 0xa0;
    std::memcpy(&forged[20], &forged[16], 4);
    uLong crc = crc32(0, &forged[12], 17);
    for (int i = 0; i < 4; ++i) forged[29 + i] = (crc >> (24 - 8 * i)) & 0xff;
    EXPECT_FALSE(DecodePicture(forged));
    Bytes cut(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
    EXPECT_FALSE(DecodePicture(cut));
}

Bytes EncodeJpegForTest(const Bitmap24& image) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = image.Width();
    info.image_height = image.Height();
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(image.Width() * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < image.Width(); ++x) {
            ColorValue c = image.Pixel(x, info.next_scanline);
            row[3 * x] = RedOf(c);
            row[3 * x + 1] = GreenOf(c);
            row[3 * x + 2] = BlueOf(c);
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&info, &p, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + size);
    free(out);
    return bytes;
}

TEST(JpegCodec, DecodesAndSurvivesDamage) {
    Bitmap24 solid(16, 8, MakeColor(200, 40, 90));
    Bytes jpeg = EncodeJpegForTest(solid);
    auto picture = DecodePicture(jpeg);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->image->Width(), 16);
    ColorValue c = picture->image->Pixel(5, 5);
    EXPECT_NEAR(RedOf(c), 200, 3);
    EXPECT_NEAR(GreenOf(c), 40, 3);
    EXPECT_NEAR(BlueOf(c), 90, 3);
    // Cut and garbled files give no image or a partial one, never a crash.
    for (std::size_t n = 3; n < jpeg.size(); n += 11) DecodeJpeg(jpeg.data(), n);
    Bytes garbled = jpeg;
    for (std::size_t i = 20; i < garbled.size(); i += 5) garbled[i] ^= 0x5a;
    DecodeJpeg(garbled.data(), garbled.size());
    // A frame header claiming 60000 x 60000 in a file of a few hundred bytes.
    Bytes forged = jpeg;
    for (std::size_t i = 2; i + 8 < forged.size(); ++i)
        if (forged[i] == 0xff && forged[i + 1] == 0xc0) {
            forged[i + 5] = 0xea;
            forged[i + 6] = 0x60;
            forged[i + 7] = 0xea;
            forged[i + 8] = 0x60;
            break;
        }
    EXPECT_FALSE(DecodeJpeg(forged.data(), forged.size()));
}

// A file cut short decodes to its full size, so a header claiming far more
// pixels than its bytes could code is refused before any work; one the
// bytes could code is read.
TEST(JpegCodec, SizeIsBoundByTheFileSize) {
    Bytes jpeg = EncodeJpegForTest(Bitmap24(16, 8, MakeColor(200, 40, 90)));
    jpeg.resize(4000);  // the data after the header, cut and padded
    for (auto [side, readable] : {std::pair{2100, false}, std::pair{1500, true}}) {
        Bytes forged = jpeg;
        for (std::size_t i = 2; i + 8 < forged.size(); ++i)
            if (forged[i] == 0xff && forged[i + 1] == 0xc0) {
                forged[i + 5] = forged[i + 7] = static_cast<std::uint8_t>(side >> 8);
                forged[i + 6] = forged[i + 8] = static_cast<std::uint8_t>(side & 0xff);
                break;
            }
        EXPECT_EQ(DecodeJpeg(forged.data(), forged.size()) != nullptr, readable) << side;
    }
}

// A GIF written with giflib: images with positions, transparency and disposal.
struct TestGifImage {
    int left, top, width, height;
    std::vector<std::uint8_t> indices;
    int transparent;  // -1 none
    int disposal;     // -1 for no control extension
};

int WriteBytes(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

Bytes MakeGif(int screenW, int screenH, const std::vector<TestGifImage>& images) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteBytes, &error);
    GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, screenW, screenH, 2, 0, map);
    for (const TestGifImage& image : images) {
        if (image.disposal >= 0) {
            GraphicsControlBlock control{};
            control.DisposalMode = image.disposal;
            control.TransparentColor = image.transparent;
            GifByteType ext[4];
            EGifGCBToExtension(&control, ext);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
        }
        EGifPutImageDesc(gif, image.left, image.top, image.width, image.height, false, nullptr);
        Bytes row(image.width);
        for (int y = 0; y < image.height; ++y) {
            std::memcpy(row.data(), &image.indices[y * image.width], image.width);
            EGifPutLine(gif, row.data(), image.width);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

TEST(GifCodec, KeepsPositionTransparencyAndDisposal) {
    Bytes file = MakeGif(4, 3, {{1, 1, 2, 1, {1, 0}, 0, 1}, {0, 0, 1, 1, {2}, -1, 2}, {2, 2, 1, 1, {3}, -1, -1}});
    auto gif = DecodeGif(file.data(), file.size());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->screenWidth, 4);
    EXPECT_EQ(gif->screenHeight, 3);
    ASSERT_EQ(gif->images.size(), 3u);
    EXPECT_EQ(gif->images[0].left, 1);
    EXPECT_EQ(gif->images[0].top, 1);
    EXPECT_EQ(gif->images[0].transparentIndex, 0);
    EXPECT_EQ(gif->images[0].disposal, 1);
    EXPECT_EQ(gif->images[1].transparentIndex, -1);
    EXPECT_EQ(gif->images[1].disposal, 2);
    EXPECT_EQ(gif->images[2].disposal, 0);
    Bitmap24 canvas(4, 3, kEmptyFrameColor);
    DrawGifImage(canvas, gif->images[0]);
    EXPECT_EQ(canvas.Pixel(1, 1), R);
    EXPECT_EQ(canvas.Pixel(2, 1), kEmptyFrameColor);  // transparent index
    // The general reader gives the first image, uncovered pixels see-through.
    auto picture = DecodePicture(file);
    ASSERT_TRUE(picture);
    auto first = Bitmap24_FromGraphic(*picture, true);
    EXPECT_EQ(first->Pixel(1, 1), R);
    EXPECT_EQ(first->Pixel(0, 0), kEmptyFrameColor);
}

TEST(GifCodec, WriterRoundTripsFewColoursExactly) {
    auto a = test::MakeImage({{R, G, B}, {0, R, G}});
    auto b = test::MakeImage({{G, G, G}, {B, 0, R}});
    Bytes file = EncodeGif({a.get(), b.get()});
    auto gif = DecodeGif(file.data(), file.size());
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->images.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        Bitmap24 canvas(3, 2);
        DrawGifImage(canvas, gif->images[i]);
        EXPECT_EQ(canvas, i == 0 ? *a : *b);
    }
}

TEST(GifCodec, QuantiserMapsToTheNearestOf256) {
    auto gradient = std::make_unique<Bitmap24>(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) gradient->SetPixel(x, y, MakeColor(x * 4, y * 4, (x + y) * 2));
    ColorQuantizer quantizer({gradient.get()});
    const auto& palette = quantizer.Palette();
    ASSERT_EQ(palette.size(), 256u);
    auto distance = [](ColorValue p, ColorValue q) {
        int dr = RedOf(p) - RedOf(q), dg = GreenOf(p) - GreenOf(q), db = BlueOf(p) - BlueOf(q);
        return dr * dr + dg * dg + db * db;
    };
    int worst = 0;
    for (int y = 0; y < 64; y += 3)
        for (int x = 0; x < 64; x += 3) {
            ColorValue c = gradient->Pixel(x, y);
            int chosen = distance(c, palette[quantizer.IndexOf(c)]);
            for (ColorValue p : palette) EXPECT_LE(chosen, distance(c, p));
            worst = std::max(worst, chosen);
        }
    EXPECT_LT(worst, 3 * 16 * 16);  // 4096 colours into 256: every pixel within a few steps
}

TEST(GifCodec, HostileFilesFailCleanly) {
    Bytes file = MakeGif(4, 3, {{0, 0, 4, 3, Bytes(12, 1), -1, 0}});
    // The image descriptor (after the screen header, palette and control
    // extension) made to claim 65535 x 65535.
    Bytes forged = file;
    for (std::size_t i = 13; i + 9 < forged.size(); ++i)
        if (forged[i] == 0x2c) {
            forged[i + 5] = forged[i + 6] = forged[i + 7] = forged[i + 8] = 0xff;
            break;
        }
    EXPECT_FALSE(DecodeGif(forged.data(), forged.size()));
    for (std::size_t n = 0; n < file.size(); ++n) DecodeGif(file.data(), n);
    Bytes noise(200);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 131 + 7);
    std::memcpy(noise.data(), "GIF89a", 6);
    EXPECT_FALSE(DecodeGif(noise.data(), noise.size()));
}

// The screen size comes from the header alone; every frame is a canvas of
// it. A screen far larger than the file's bytes could cover is refused; one
// within a fixed allowance is read even around a single pixel.
TEST(GifCodec, ScreenIsBoundByTheFileSize) {
    const TestGifImage pixel{0, 0, 1, 1, {1}, -1, 0};
    for (auto [width, height, readable] : {std::tuple{16000, 2000, false}, std::tuple{1200, 1200, false},
                                           std::tuple{256, 256, true}, std::tuple{4, 3, true}}) {
        Bytes file = MakeGif(width, height, {pixel});
        EXPECT_EQ(DecodeGif(file.data(), file.size()).has_value(), readable) << width << " x " << height;
        Picture first;
        EXPECT_EQ(DecodeGifFirstImage(file.data(), file.size(), first), readable) << width << " x " << height;
    }
}

// Every image becomes a frame of the screen's size: a small file of many
// one-pixel images over a big screen would make hundreds of megabytes.
TEST(GifCodec, FramesTogetherAreBoundByTheFileSize) {
    const TestGifImage pixel{0, 0, 1, 1, {1}, -1, 1};
    for (auto [frames, readable] : {std::pair{20, true}, std::pair{200, false}}) {
        Bytes file = MakeGif(500, 500, std::vector<TestGifImage>(frames, pixel));
        EXPECT_EQ(DecodeGif(file.data(), file.size()).has_value(), readable) << frames << " frames";
    }
}

// Thousands of tiny images without colour tables of their own all read, and
// share the global table.
TEST(GifCodec, ManyImagesShareTheGlobalTable) {
    Bytes file = MakeGif(2, 2, std::vector<TestGifImage>(3000, {1, 1, 1, 1, {2}, -1, -1}));
    auto gif = DecodeGif(file.data(), file.size());
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->images.size(), 3000u);
    EXPECT_EQ(gif->images.front().palette, gif->images.back().palette);
    Bitmap24 canvas(2, 2, kEmptyFrameColor);
    DrawGifImage(canvas, gif->images.back());
    EXPECT_EQ(canvas.Pixel(1, 1), G);
}

TEST(PictureRegistry, RegisteredDecoderReadsOtherFormats) {
    Bytes custom = {'X', 'Y', 'Z', 7};
    EXPECT_FALSE(DecodePicture(custom));
    RegisterPictureDecoder([](const Bytes& bytes, Picture& picture) {
        if (bytes.size() < 4 || bytes[0] != 'X') return false;
        picture.image = std::make_unique<Bitmap24>(bytes[3], 1, G);
        return true;
    });
    auto picture = DecodePicture(custom);
    ClearPictureDecoders();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image->Width(), 7);
    EXPECT_FALSE(DecodePicture(custom));

    test::TempDir dir;
    EXPECT_FALSE(ReadPictureFile(dir.File("missing.bmp")));
    Bytes bmp = EncodeBmp(Bitmap24(2, 2, B));
    std::FILE* f = std::fopen(dir.File("a.bmp").c_str(), "wb");
    std::fwrite(bmp.data(), 1, bmp.size(), f);
    std::fclose(f);
    auto read = ReadPictureFile(dir.File("a.bmp"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read->image, Bitmap24(2, 2, B));
}

}  // namespace
}  // namespace kestrin
