#pragma once
// Reduction of the colours of a set of images to at most 256: the exact
// colours when there are few enough, otherwise a median cut of the colour
// histogram (weighted by pixel count) with each box standing for the mean of
// its pixels. Pixels map to the nearest palette colour, without dithering.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

class ColorQuantizer {
public:
    explicit ColorQuantizer(const std::vector<const Bitmap24*>& images, int maxColors = 256);
    const std::vector<ColorValue>& Palette() const { return mPalette; }
    // Index of the nearest palette colour (squared distance over the channels).
    std::uint8_t IndexOf(ColorValue color);

private:
    std::vector<ColorValue> mPalette;
    std::unordered_map<ColorValue, std::uint8_t> mNearest;
};

}  // namespace kestrin
