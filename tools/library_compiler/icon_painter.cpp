// Shape drawing for action icons and the BMP writer.

#include "icon_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace kestrin::tools {

namespace {

// 5 x 7 glyphs, one row per byte, the leftmost pixel in bit 4.
const std::map<char, std::array<std::uint8_t, 7>>& Font() {
    static const std::map<char, std::array<std::uint8_t, 7>> font = {
        {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
        {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
        {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
        {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
        {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
        {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
        {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
        {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
        {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
        {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
        {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
        {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
        {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
        {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
        {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
        {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
        {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
        {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
        {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}}, {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
        {'*', {0x00, 0x15, 0x0E, 0x1F, 0x0E, 0x15, 0x00}}, {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
        {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}}, {'<', {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02}},
        {'>', {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08}}, {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
        {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
        {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
        {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}}, {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
        {'{', {0x06, 0x04, 0x04, 0x08, 0x04, 0x04, 0x06}}, {'}', {0x0C, 0x04, 0x04, 0x02, 0x04, 0x04, 0x0C}},
        {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}}, {'"', {0x0A, 0x0A, 0x0A, 0x00, 0x00, 0x00, 0x00}},
        {'\'', {0x04, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}}, {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}},
        {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}}, {'[', {0x0E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x0E}},
        {']', {0x0E, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0E}}, {'|', {0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
        {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    return font;
}

void PutLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

void IconPainter::Plot(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= kCanvasSize || y >= kCanvasSize) return;
    mPixels[static_cast<std::size_t>(y * kCanvasSize + x)] = rgb & 0xFFFFFFu;
}

void IconPainter::Rect(int x, int y, int w, int h, std::uint32_t rgb) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Plot(i, j, rgb);
}

void IconPainter::Frame(int x, int y, int w, int h, std::uint32_t rgb) {
    for (int i = x; i < x + w; ++i) {
        Plot(i, y, rgb);
        Plot(i, y + h - 1, rgb);
    }
    for (int j = y; j < y + h; ++j) {
        Plot(x, j, rgb);
        Plot(x + w - 1, j, rgb);
    }
}

void IconPainter::Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int thickness) {
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    const int lo = -(thickness - 1) / 2;
    const int hi = thickness / 2;
    for (int s = 0; s <= steps; ++s) {
        const double t = steps ? static_cast<double>(s) / steps : 0.0;
        const int x = static_cast<int>(std::lround(x1 + (x2 - x1) * t));
        const int y = static_cast<int>(std::lround(y1 + (y2 - y1) * t));
        for (int dy = lo; dy <= hi; ++dy)
            for (int dx = lo; dx <= hi; ++dx) Plot(x + dx, y + dy, rgb);
    }
}

void IconPainter::Arrow(int x1, int y1, int x2, int y2, std::uint32_t rgb, int thickness) {
    Line(x1, y1, x2, y2, rgb, thickness);
    const double angle = std::atan2(static_cast<double>(y2 - y1), static_cast<double>(x2 - x1));
    const double head = 5.0 + thickness;
    for (double side : {-0.6, 0.6}) {
        const int hx = static_cast<int>(std::lround(x2 - head * std::cos(angle + side)));
        const int hy = static_cast<int>(std::lround(y2 - head * std::sin(angle + side)));
        Line(x2, y2, hx, hy, rgb, thickness);
    }
}

void IconPainter::Disc(int cx, int cy, int r, std::uint32_t rgb) {
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r + r) Plot(x, y, rgb);
}

void IconPainter::Ring(int cx, int cy, int r, std::uint32_t rgb, int thickness) {
    const int inner = r - thickness;
    for (int y = cy - r; y <= cy + r; ++y) {
        for (int x = cx - r; x <= cx + r; ++x) {
            const int d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d <= r * r + r && d > inner * inner + inner) Plot(x, y, rgb);
        }
    }
}

void IconPainter::Triangle(int x1, int y1, int x2, int y2, int x3, int y3, std::uint32_t rgb) {
    // A pixel is inside when its centre lies on one side of all three edges.
    auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    const int minX = std::min({x1, x2, x3}), maxX = std::max({x1, x2, x3});
    const int minY = std::min({y1, y2, y3}), maxY = std::max({y1, y2, y3});
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            const double e1 = edge(x1, y1, x2, y2, x, y);
            const double e2 = edge(x2, y2, x3, y3, x, y);
            const double e3 = edge(x3, y3, x1, y1, x, y);
            if ((e1 >= 0 && e2 >= 0 && e3 >= 0) || (e1 <= 0 && e2 <= 0 && e3 <= 0)) Plot(x, y, rgb);
        }
    }
}

bool IconPainter::Text(int x, int y, const std::string& text, std::uint32_t rgb) {
    const auto& font = Font();
    for (char c : text) {
        const auto glyph = font.find(c);
        if (glyph == font.end()) return false;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (glyph->second[static_cast<std::size_t>(row)] & (0x10 >> col)) Plot(x + col, y + row, rgb);
        x += 6;
    }
    return true;
}

bool IconPainter::Blank() const {
    return std::all_of(mPixels.begin(), mPixels.end(), [](std::uint32_t p) { return p == kKeyColor; });
}

std::string IconPainter::ToBmp() const {
    const std::uint32_t rowBytes = kCanvasSize * 3;  // 72, already a multiple of 4
    const std::uint32_t dataSize = rowBytes * kCanvasSize;
    std::string out;
    out += "BM";
    PutLE(out, 54 + dataSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, kCanvasSize, 4);
    PutLE(out, kCanvasSize, 4);
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, dataSize, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = kCanvasSize - 1; y >= 0; --y) {
        for (int x = 0; x < kCanvasSize; ++x) {
            const std::uint32_t p = At(x, y);
            out.push_back(static_cast<char>(p & 0xFF));
            out.push_back(static_cast<char>((p >> 8) & 0xFF));
            out.push_back(static_cast<char>((p >> 16) & 0xFF));
        }
    }
    return out;
}

}  // namespace kestrin::tools
