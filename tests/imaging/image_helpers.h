#pragma once
// Small images for the imaging tests, built from rows of colour values.

#include <initializer_list>
#include <memory>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin::test {

inline Image MakeImage(std::initializer_list<std::initializer_list<ColorValue>> rows) {
    int h = static_cast<int>(rows.size());
    int w = static_cast<int>(rows.begin()->size());
    auto image = std::make_unique<Bitmap24>(w, h);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (ColorValue c : row) image->SetPixel(x++, y, c);
        ++y;
    }
    return image;
}

// A picture with distinct, varied colours in every pixel.
inline Image NoiseImage(int w, int h, unsigned seed) {
    auto image = std::make_unique<Bitmap24>(w, h);
    unsigned state = seed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1103515245u + 12345u;
            image->SetPixel(x, y, (state >> 8) & 0xffffff);
        }
    return image;
}

inline std::vector<ColorValue> Pixels(const Bitmap24& image) {
    std::vector<ColorValue> out;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) out.push_back(image.Pixel(x, y));
    return out;
}

}  // namespace kestrin::test
