// The default game icon: a blue disc with a light ring and a yellow "K",
// drawn into a 4-bit icon image with its transparency mask.

#include "resources/default_icon.h"

#include <array>
#include <cstdint>

namespace kestrin {

namespace {

constexpr int kSide = 32;
constexpr int kTransparent = -1;

// The standard 16-colour palette, as red, green, blue.
constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};
constexpr int kBlack = 0, kNavy = 4, kBlue = 12, kCyan = 14, kYellow = 11;

using Picture = std::array<std::array<int, kSide>, kSide>;  // [row][column], top row first

bool InsideK(int x, int y) {
    if (y < 7 || y > 24) return false;
    if (x >= 9 && x <= 12) return true;  // the stem
    // The two arms meet the stem at the middle row, four pixels thick.
    int fromMiddle = y < 16 ? 16 - y : y - 15;
    int armX = 12 + fromMiddle;
    return x >= armX - 1 && x <= armX + 2;
}

Picture Draw() {
    Picture picture{};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            // Distance from the centre between the middle four pixels, squared and doubled.
            int dx = 2 * x - 31, dy = 2 * y - 31;
            int d2 = dx * dx + dy * dy;
            int colour = kTransparent;
            if (d2 <= 30 * 30) colour = kBlue;
            if (d2 <= 30 * 30 && d2 > 26 * 26) colour = kCyan;
            if (d2 <= 31 * 31 && d2 > 30 * 30) colour = kNavy;
            if (d2 <= 26 * 26 && dx + dy > 24) colour = kNavy;  // shade towards the bottom right
            if (InsideK(x, y)) colour = kYellow;
            else if (colour != kTransparent && (InsideK(x - 1, y - 1))) colour = kBlack;  // drop shadow
            picture[y][x] = colour;
        }
    }
    return picture;
}

void PutU16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace

std::string DefaultGameIcon() {
    constexpr std::uint32_t kXorBytes = kSide * kSide / 2;   // 4 bits a pixel, rows of 16 bytes
    constexpr std::uint32_t kAndBytes = kSide * kSide / 8;   // 1 bit a pixel, rows of 4 bytes
    constexpr std::uint32_t kImageBytes = 40 + 16 * 4 + kXorBytes + kAndBytes;
    const Picture picture = Draw();

    std::string out;
    out.reserve(kDefaultIconFileSize);
    // File header and its one directory entry.
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    out += static_cast<char>(kSide);
    out += static_cast<char>(kSide);
    out += static_cast<char>(16);  // colours
    out += static_cast<char>(0);
    PutU16(out, 1);                // planes
    PutU16(out, 4);                // bits per pixel
    PutU32(out, kImageBytes);
    PutU32(out, 22);
    // The image's info header: twice the height, for the colour and mask halves.
    PutU32(out, 40);
    PutU32(out, kSide);
    PutU32(out, 2 * kSide);
    PutU16(out, 1);
    PutU16(out, 4);
    PutU32(out, 0);
    PutU32(out, kXorBytes + kAndBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    for (const auto& rgb : kPalette) {
        out += static_cast<char>(rgb[2]);
        out += static_cast<char>(rgb[1]);
        out += static_cast<char>(rgb[0]);
        out += static_cast<char>(0);
    }
    // Rows bottom-up; transparent pixels are black in the colour half and set in the mask.
    for (int y = kSide - 1; y >= 0; --y) {
        for (int x = 0; x < kSide; x += 2) {
            int high = picture[y][x] == kTransparent ? 0 : picture[y][x];
            int low = picture[y][x + 1] == kTransparent ? 0 : picture[y][x + 1];
            out += static_cast<char>((high << 4) | low);
        }
    }
    for (int y = kSide - 1; y >= 0; --y) {
        for (int byte = 0; byte < kSide / 8; ++byte) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (picture[y][byte * 8 + bit] == kTransparent) bits |= 0x80 >> bit;
            }
            out += static_cast<char>(bits);
        }
    }
    return out;
}

}  // namespace kestrin
