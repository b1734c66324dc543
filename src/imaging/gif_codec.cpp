// GIF reading and writing through giflib's record-level calls, so every size
// is checked before its pixels are allocated.

#include "imaging/gif_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <gif_lib.h>

#include "imaging/color_quantizer.h"

namespace kestrin {

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    std::size_t n = std::min(static_cast<std::size_t>(count < 0 ? 0 : count), reader->size - reader->position);
    std::memcpy(out, reader->data + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

int WriteToMemory(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

std::shared_ptr<const std::vector<ColorValue>> ToPalette(const ColorMapObject* map) {
    auto palette = std::make_shared<std::vector<ColorValue>>(256, 0);
    if (!map) {
        // No table at all: a grey ramp keeps the picture recognisable.
        for (int i = 0; i < 256; ++i) (*palette)[i] = MakeColor(i, i, i);
        return palette;
    }
    for (int i = 0; i < map->ColorCount && i < 256; ++i)
        (*palette)[i] = MakeColor(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    return palette;
}

// giflib keeps a copy of every image descriptor it reads, growing its array
// by one entry each time; over thousands of tiny images that copying grows
// with the square of their number. Nothing here reads the copies, so they go
// as soon as they are made.
void DropSavedImages(GifFileType* gif) {
    GifFreeSavedImages(gif);
    gif->SavedImages = nullptr;
    gif->ImageCount = 0;
}

// Reads one image's pixel rows (interlaced images come in four passes).
bool ReadPixels(GifFileType* gif, GifImage& image) {
    image.indices.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    auto readRow = [&](int y) {
        return DGifGetLine(gif, image.indices.data() + static_cast<std::size_t>(y) * image.width, image.width) == GIF_OK;
    };
    if (gif->Image.Interlace) {
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < image.height; y += kStep[pass])
                if (!readRow(y)) return false;
    } else {
        for (int y = 0; y < image.height; ++y)
            if (!readRow(y)) return false;
    }
    return true;
}

}  // namespace

bool LooksLikeGif(const std::uint8_t* bytes, std::size_t size) {
    return size >= 6 && std::memcmp(bytes, "GIF8", 4) == 0;
}

namespace {

// Reads at most maxImages images.
std::optional<GifAnimation> ReadGif(const std::uint8_t* bytes, std::size_t size, std::size_t maxImages) {
    if (!LooksLikeGif(bytes, size)) return std::nullopt;
    MemoryReader reader{bytes, size};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif) return std::nullopt;
    GifAnimation animation;
    animation.screenWidth = gif->SWidth;
    animation.screenHeight = gif->SHeight;
    const std::shared_ptr<const std::vector<ColorValue>> globalPalette = ToPalette(gif->SColorMap);
    GraphicsControlBlock control{};
    bool hasControl = false;
    std::int64_t pixelsRead = 0;
    bool failed = false;
    for (bool done = false; !done && !failed;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) break;
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE: {
            if (DGifGetImageDesc(gif) == GIF_ERROR) {
                done = true;
                break;
            }
            DropSavedImages(gif);
            GifImage image;
            image.left = gif->Image.Left;
            image.top = gif->Image.Top;
            image.width = gif->Image.Width;
            image.height = gif->Image.Height;
            // LZW with 12-bit codes packs a few thousand pixels into a byte at most.
            if (!PictureSizeAllowed(image.width, image.height, size - reader.position, 3000) ||
                pixelsRead + std::int64_t{image.width} * image.height > kMaxImagePixels) {
                failed = true;
                break;
            }
            pixelsRead += std::int64_t{image.width} * image.height;
            // Without any table the grey ramp stands in, shared like a global one.
            image.palette = gif->Image.ColorMap ? ToPalette(gif->Image.ColorMap) : globalPalette;
            if (hasControl) {
                image.transparentIndex = control.TransparentColor;
                image.disposal = control.DisposalMode;
                image.delay = control.DelayTime;
            }
            hasControl = false;
            if (!ReadPixels(gif, image)) {
                done = true;  // a file cut short keeps the images before the cut
                break;
            }
            animation.images.push_back(std::move(image));
            done = animation.images.size() >= maxImages;
            break;
        }
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType* extension = nullptr;
            if (DGifGetExtension(gif, &code, &extension) == GIF_ERROR) {
                done = true;
                break;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && extension && extension[0] >= 4 &&
                DGifExtensionToGCB(extension[0], extension + 1, &control) == GIF_OK)
                hasControl = true;
            while (extension) {
                if (DGifGetExtensionNext(gif, &extension) == GIF_ERROR) {
                    done = true;
                    break;
                }
            }
            break;
        }
        case TERMINATE_RECORD_TYPE: done = true; break;
        default: break;
        }
    }
    DGifCloseFile(gif, &error);
    if (failed || animation.images.empty()) return std::nullopt;
    // A screen of size 0 takes the extent of the images.
    if (animation.screenWidth < 1 || animation.screenHeight < 1) {
        for (const GifImage& image : animation.images) {
            animation.screenWidth = std::max(animation.screenWidth, image.left + image.width);
            animation.screenHeight = std::max(animation.screenHeight, image.top + image.height);
        }
    }
    // Every frame is a canvas of the screen size, which the header alone
    // declares: a few bytes must not make canvases of the largest image.
    if (!PictureSizeAllowed(animation.screenWidth, animation.screenHeight, size, 3000)) return std::nullopt;
    // So are the frames together, with a larger allowance: the later frames
    // of a real animation often touch only a few pixels of a big screen.
    const std::int64_t framePixels = std::int64_t{animation.screenWidth} * animation.screenHeight;
    if (static_cast<std::int64_t>(animation.images.size()) * framePixels >
        static_cast<std::int64_t>(size) * 3000 + kAnimationPixelAllowance)
        return std::nullopt;
    return animation;
}

}  // namespace

std::optional<GifAnimation> DecodeGif(const std::uint8_t* bytes, std::size_t size) {
    return ReadGif(bytes, size, SIZE_MAX);
}

void DrawGifImage(Bitmap24& canvas, const GifImage& image) {
    for (int y = 0; y < image.height; ++y) {
        int cy = image.top + y;
        if (cy < 0 || cy >= canvas.Height()) continue;
        const std::uint8_t* index = image.indices.data() + static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            int cx = image.left + x;
            if (cx < 0 || cx >= canvas.Width() || index[x] == image.transparentIndex) continue;
            canvas.SetPixel(cx, cy, (*image.palette)[index[x]]);
        }
    }
}

bool DecodeGifFirstImage(const std::uint8_t* bytes, std::size_t size, Picture& picture) {
    // A still picture is wanted: the images after the first are not read.
    auto animation = ReadGif(bytes, size, 1);
    if (!animation) return false;
    const GifImage& first = animation->images.front();
    picture.image = std::make_unique<Bitmap24>(animation->screenWidth, animation->screenHeight);
    DrawGifImage(*picture.image, first);
    picture.alpha.assign(static_cast<std::size_t>(picture.image->Width()) * picture.image->Height(), 0);
    bool opaque = true;
    for (int y = 0; y < picture.image->Height(); ++y)
        for (int x = 0; x < picture.image->Width(); ++x) {
            int ix = x - first.left, iy = y - first.top;
            bool covered = ix >= 0 && iy >= 0 && ix < first.width && iy < first.height &&
                           first.indices[static_cast<std::size_t>(iy) * first.width + ix] != first.transparentIndex;
            picture.alpha[static_cast<std::size_t>(y) * picture.image->Width() + x] = covered ? 255 : 0;
            opaque = opaque && covered;
        }
    if (opaque) picture.alpha.clear();
    return true;
}

std::vector<std::uint8_t> EncodeGif(const std::vector<const Bitmap24*>& frames, int delay) {
    if (frames.empty() || !frames.front()) return {};
    int w = frames.front()->Width(), h = frames.front()->Height();
    ColorQuantizer quantizer(frames);
    const std::vector<ColorValue>& palette = quantizer.Palette();
    int bits = 1;
    while ((1 << bits) < static_cast<int>(palette.size())) ++bits;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (!map) return {};
    for (int i = 0; i < (1 << bits); ++i) {
        ColorValue c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        map->Colors[i] = {static_cast<GifByteType>(RedOf(c)), static_cast<GifByteType>(GreenOf(c)),
                          static_cast<GifByteType>(BlueOf(c))};
    }
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToMemory, &error);
    bool ok = gif != nullptr;
    if (ok) {
        EGifSetGifVersion(gif, true);
        ok = EGifPutScreenDesc(gif, w, h, bits, 0, map) == GIF_OK;
    }
    if (ok && frames.size() > 1) {
        // Loop for ever.
        static const GifByteType kLoop[3] = {1, 0, 0};
        ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK && EGifPutExtensionBlock(gif, 3, kLoop) == GIF_OK &&
             EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(w));
    for (const Bitmap24* frame : frames) {
        if (!ok) break;
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_BACKGROUND;
        control.DelayTime = delay;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x)
                line[x] = x < frame->Width() && y < frame->Height() ? quantizer.IndexOf(frame->Pixel(x, y)) : 0;
            ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
        }
    }
    if (gif && EGifCloseFile(gif, &error) == GIF_ERROR) ok = false;
    GifFreeMapObject(map);
    if (!ok) return {};
    return out;
}

}  // namespace kestrin
