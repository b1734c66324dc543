// The BMP reader and writer. Every header field is read explicitly little-
// endian, and the pixel rows are checked against the file's length before
// the image is made.

#include "imaging/bmp_codec.h"

#include <cstring>

namespace kestrin {

namespace {

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// One channel described by a bit mask, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    std::uint8_t Get(std::uint32_t pixel) const {
        if (!max) return 0;
        // In 64 bits: a mask of more than 24 bits would overflow the product.
        return static_cast<std::uint8_t>(std::uint64_t{(pixel & mask) >> shift} * 255 / max);
    }
};

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr std::size_t kHeaderSize = 54;

std::uint32_t PixelDataSize(std::uint32_t width, std::uint32_t height) { return ((width * 3 + 3) & ~3u) * height; }

// The file and info headers the writer puts before the rows.
void PutHeader(std::uint8_t* p, std::uint32_t width, std::uint32_t height) {
    std::uint32_t dataSize = PixelDataSize(width, height);
    std::memset(p, 0, kHeaderSize);
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, kHeaderSize + dataSize);
    Put32(p + 10, kHeaderSize);
    Put32(p + 14, 40);
    Put32(p + 18, width);
    Put32(p + 22, height);
    Put16(p + 26, 1);
    Put16(p + 28, 24);
    Put32(p + 34, dataSize);
}

}  // namespace

bool LooksLikeBmp(const std::uint8_t* bytes, std::size_t size) {
    return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::vector<std::uint8_t> EncodeBmp(const Bitmap24& image) {
    std::uint32_t w = static_cast<std::uint32_t>(image.Width()), h = static_cast<std::uint32_t>(image.Height());
    std::vector<std::uint8_t> out(kHeaderSize + PixelDataSize(w, h), 0);
    PutHeader(out.data(), w, h);
    std::size_t stride = PixelDataSize(w, 1);
    std::uint8_t* row = out.data() + kHeaderSize;
    for (int y = image.Height() - 1; y >= 0; --y, row += stride) std::memcpy(row, image.Row(y), image.RowBytes());
    return out;
}

bool IsCanonicalBmp(const std::uint8_t* bytes, std::size_t size) {
    if (size < kHeaderSize) return false;
    std::int64_t w = static_cast<std::int32_t>(U32(bytes + 18)), h = static_cast<std::int32_t>(U32(bytes + 22));
    if (!WithinImageLimits(w, h)) return false;
    std::uint32_t width = static_cast<std::uint32_t>(w), height = static_cast<std::uint32_t>(h);
    if (size != kHeaderSize + PixelDataSize(width, height)) return false;
    std::uint8_t header[kHeaderSize];
    PutHeader(header, width, height);
    return std::memcmp(header, bytes, kHeaderSize) == 0;
}

Image DecodeBmp(const std::uint8_t* bytes, std::size_t size) {
    if (size < 14 + 12 || !LooksLikeBmp(bytes, size)) return nullptr;
    std::uint32_t dataOffset = U32(bytes + 10);
    std::uint32_t infoSize = U32(bytes + 14);
    if (infoSize < 12 || infoSize > size - 14) return nullptr;
    const std::uint8_t* info = bytes + 14;
    std::int64_t width, height;
    std::uint32_t bpp, compression = kBiRgb, colorsUsed = 0;
    bool core = infoSize < 40;
    if (core) {
        width = U16(info + 4);
        height = static_cast<std::int16_t>(U16(info + 6));
        bpp = U16(info + 10);
    } else {
        width = static_cast<std::int32_t>(U32(info + 4));
        height = static_cast<std::int32_t>(U32(info + 8));
        bpp = U16(info + 14);
        compression = U32(info + 16);
        colorsUsed = U32(info + 32);
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (!WithinImageLimits(width, height)) return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;

    // Channel masks: the fixed layouts for plain files, the stored masks for
    // bit-field files (inside a long header, or just after a 40-byte one).
    Channel red, green, blue;
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (bpp != 16 && bpp != 32) return nullptr;
        const std::uint8_t* masks = info + 40;
        if (infoSize < 52 && static_cast<std::size_t>(14 + 40 + 12) > size) return nullptr;
        red = Channel(U32(masks));
        green = Channel(U32(masks + 4));
        blue = Channel(U32(masks + 8));
    } else if (compression == kBiRgb) {
        if (bpp == 16) {
            red = Channel(0x7c00);
            green = Channel(0x03e0);
            blue = Channel(0x001f);
        }
    } else {
        return nullptr;  // run-length and embedded formats are not read
    }

    // Palette for 1, 4 and 8 bits; entries past the end of the file are black.
    std::vector<ColorValue> palette;
    if (bpp <= 8) {
        std::size_t entries = colorsUsed && colorsUsed < (1u << bpp) ? colorsUsed : (1u << bpp);
        std::size_t entrySize = core ? 3 : 4;
        std::size_t at = 14 + infoSize;
        palette.assign(1u << bpp, 0);
        for (std::size_t i = 0; i < entries && at + i * entrySize + 3 <= size; ++i) {
            const std::uint8_t* e = bytes + at + i * entrySize;
            palette[i] = MakeColor(e[2], e[1], e[0]);
        }
    }

    std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bpp + 31) / 32) * 4;
    std::uint64_t lastRow = (static_cast<std::uint64_t>(width) * bpp + 7) / 8;
    if (dataOffset > size || stride * static_cast<std::uint64_t>(height - 1) + lastRow > size - dataOffset)
        return nullptr;

    auto image = std::make_unique<Bitmap24>(static_cast<int>(width), static_cast<int>(height));
    int w = image->Width(), h = image->Height();
    for (int fileRow = 0; fileRow < h; ++fileRow) {
        const std::uint8_t* s = bytes + dataOffset + stride * static_cast<std::uint64_t>(fileRow);
        std::uint8_t* d = image->Row(topDown ? fileRow : h - 1 - fileRow);
        switch (bpp) {
        case 24: std::memcpy(d, s, image->RowBytes()); break;
        case 32:
            if (compression == kBiRgb) {
                for (int x = 0; x < w; ++x, s += 4, d += 3) std::memcpy(d, s, 3);
            } else {
                for (int x = 0; x < w; ++x, s += 4, d += 3) {
                    std::uint32_t v = U32(s);
                    d[0] = blue.Get(v);
                    d[1] = green.Get(v);
                    d[2] = red.Get(v);
                }
            }
            break;
        case 16:
            for (int x = 0; x < w; ++x, s += 2, d += 3) {
                std::uint32_t v = U16(s);
                d[0] = blue.Get(v);
                d[1] = green.Get(v);
                d[2] = red.Get(v);
            }
            break;
        default: {
            int perByte = 8 / static_cast<int>(bpp);
            std::uint32_t mask = (1u << bpp) - 1;
            for (int x = 0; x < w; ++x, d += 3) {
                int shift = 8 - static_cast<int>(bpp) * (x % perByte + 1);
                PutPixel(d, palette[(s[x / perByte] >> shift) & mask]);
            }
            break;
        }
        }
    }
    return image;
}

}  // namespace kestrin
