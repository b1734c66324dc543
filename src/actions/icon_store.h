#pragma once
// The icon store: palette pictures cut to 24 x 24 cells and masked by their
// transparent colour (the colour of the bottom-left pixel). Icons live in
// image lists of up to 1000 cells; an icon number is list * 1000 + position,
// and at most 33 lists exist, so numbers stay below 33000.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

inline constexpr int kIconSize = 24;
inline constexpr int kIconListCapacity = 1000;
inline constexpr int kIconListCount = 33;

// One 24 x 24 cell, rows top-down; each pixel is 0xAARRGGBB with alpha 0
// where the picture is see-through and 255 elsewhere.
struct ActionIcon {
    std::array<std::uint32_t, kIconSize * kIconSize> pixels{};
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * kIconSize + x)]; }
};

class CIconStore {
public:
    // Lists hold up to 1000 cells; tests may make them smaller, the numbering
    // stays list * 1000 + position.
    explicit CIconStore(int listCapacity = kIconListCapacity)
        : mListCapacity(std::clamp(listCapacity, 1, kIconListCapacity)) {}

    // Adds one picture given as the bytes of a BMP file: the top-left 24 x 24
    // part, padded with the transparent colour when the picture is smaller.
    // -1 for an empty or unreadable picture or when every list is full.
    int Add(const std::string& bmpBytes);
    // The same for a picture already decoded.
    int Add(const Bitmap24& image);
    // The icon of that number, or null (nothing to draw) for -1 or a number
    // the store never gave.
    const ActionIcon* IconAt(int iconNumber) const;
    int Count() const;
    void Clear();

private:
    int mListCapacity;
    std::vector<std::vector<ActionIcon>> mLists;
};

}  // namespace kestrin
