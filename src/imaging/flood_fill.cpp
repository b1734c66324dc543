// The scanline fill: each run of the old colour is filled whole, then the
// rows above and below it are searched for runs still to fill.

#include "imaging/flood_fill.h"

#include <cstring>
#include <vector>

namespace kestrin {

namespace {

struct Seed {
    int x, y;
};

}  // namespace

void FloodFill(Bitmap24& image, int x, int y, ColorValue color) {
    if (!image.Contains(x, y)) return;
    const ColorValue old = image.Pixel(x, y);
    if (old == color) return;
    std::uint8_t oldBytes[3], newBytes[3];
    PutPixel(oldBytes, old);
    PutPixel(newBytes, color);
    auto isOld = [&](const std::uint8_t* p) { return std::memcmp(p, oldBytes, 3) == 0; };
    const int w = image.Width(), h = image.Height();

    std::vector<Seed> seeds{{x, y}};
    while (!seeds.empty()) {
        Seed seed = seeds.back();
        seeds.pop_back();
        std::uint8_t* row = image.Row(seed.y);
        if (!isOld(row + 3 * seed.x)) continue;
        int left = seed.x, right = seed.x;
        while (left > 0 && isOld(row + 3 * (left - 1))) --left;
        while (right < w - 1 && isOld(row + 3 * (right + 1))) ++right;
        for (int i = left; i <= right; ++i) std::memcpy(row + 3 * i, newBytes, 3);
        // One seed per run of the old colour next to this run.
        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= h) continue;
            const std::uint8_t* next = image.Row(ny);
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                bool old = isOld(next + 3 * i);
                if (old && !inRun) seeds.push_back({i, ny});
                inRun = old;
            }
        }
    }
}

}  // namespace kestrin
