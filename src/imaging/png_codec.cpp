// PNG through libpng's simplified interface, which keeps libpng's error
// handling inside the library. The size in the header is checked before the
// pixel buffer is made.

#include "imaging/png_codec.h"

#include <cstring>
#include <png.h>

namespace kestrin {

bool LooksLikePng(const std::uint8_t* bytes, std::size_t size) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
    return size >= 8 && std::memcmp(bytes, kSignature, 8) == 0;
}

namespace {

// libpng allocates a chunk's declared length before it reads the chunk, so a
// few bytes could ask for gigabytes: every chunk up to IEND must lie within
// the file, which a file libpng can read completely does anyway.
bool ChunksWithinFile(const std::uint8_t* bytes, std::size_t size) {
    std::size_t at = 8;
    while (size - at >= 8) {
        const std::uint32_t length = std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
                                     std::uint32_t(bytes[at + 2]) << 8 | std::uint32_t(bytes[at + 3]);
        const std::size_t room = size - at - 8;  // for the data and the checksum
        if (length > room || room - length < 4) return false;
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return true;
        at += 12 + std::size_t{length};
    }
    return true;
}

}  // namespace

bool DecodePng(const std::uint8_t* bytes, std::size_t size, Picture& picture) {
    if (!LooksLikePng(bytes, size) || !ChunksWithinFile(bytes, size)) return false;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes, size)) return false;
    // Deflate packs at most about 1032 bytes into one, and a pixel takes at
    // least one bit.
    if (!PictureSizeAllowed(png.width, png.height, size, 8300)) {
        png_image_free(&png);
        return false;
    }
    const int w = static_cast<int>(png.width), h = static_cast<int>(png.height);
    picture.image = std::make_unique<Bitmap24>(w, h);
    // A picture without transparency is read straight into the image: no
    // second buffer, no pass over its pixels.
    if (!(png.format & PNG_FORMAT_FLAG_ALPHA)) {
        png.format = PNG_FORMAT_BGR;
        if (!png_image_finish_read(&png, nullptr, picture.image->Bits(), 0, nullptr)) {
            png_image_free(&png);
            picture.image.reset();
            return false;
        }
        picture.alpha.clear();
        return true;
    }
    png.format = PNG_FORMAT_BGRA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        picture.image.reset();
        return false;
    }
    picture.alpha.assign(static_cast<std::size_t>(w) * h, 255);
    bool opaque = true;
    const std::uint8_t* s = pixels.data();
    std::uint8_t* alpha = picture.alpha.data();
    for (int y = 0; y < h; ++y) {
        std::uint8_t* d = picture.image->Row(y);
        for (int x = 0; x < w; ++x, s += 4, d += 3, ++alpha) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            *alpha = s[3];
            opaque = opaque && s[3] == 255;
        }
    }
    if (opaque) picture.alpha.clear();
    return true;
}

std::vector<std::uint8_t> EncodePng(const Bitmap24& image) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width());
    png.height = static_cast<png_uint_32>(image.Height());
    png.format = PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.Bits(), 0, nullptr)) return {};
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, image.Bits(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

}  // namespace kestrin
