// The icon store: image lists of 24 x 24 cells, each cell masked by the
// transparent colour of the picture it came from.

#include "actions/icon_store.h"

#include "imaging/bmp_codec.h"

namespace kestrin {

int CIconStore::Add(const std::string& bmpBytes) {
    const Image image = DecodeBmp(reinterpret_cast<const std::uint8_t*>(bmpBytes.data()), bmpBytes.size());
    return image ? Add(*image) : -1;
}

int CIconStore::Add(const Bitmap24& image) {
    if (mLists.empty() || static_cast<int>(mLists.back().size()) >= mListCapacity) {
        if (static_cast<int>(mLists.size()) >= kIconListCount) return -1;
        mLists.emplace_back();
    }
    const ColorValue transparent = image.TransparentColor();
    ActionIcon icon;
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const ColorValue c = image.Contains(x, y) ? image.Pixel(x, y) : transparent;
            icon.pixels[static_cast<std::size_t>(y * kIconSize + x)] =
                c == transparent ? 0u
                                 : 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
                                       (static_cast<std::uint32_t>(GreenOf(c)) << 8) |
                                       static_cast<std::uint32_t>(BlueOf(c));
        }
    }
    auto& list = mLists.back();
    list.push_back(icon);
    return static_cast<int>(mLists.size() - 1) * kIconListCapacity + static_cast<int>(list.size() - 1);
}

const ActionIcon* CIconStore::IconAt(int iconNumber) const {
    if (iconNumber < 0) return nullptr;
    const std::size_t list = static_cast<std::size_t>(iconNumber / kIconListCapacity);
    const std::size_t position = static_cast<std::size_t>(iconNumber % kIconListCapacity);
    if (list >= mLists.size() || position >= mLists[list].size()) return nullptr;
    return &mLists[list][position];
}

int CIconStore::Count() const {
    int count = 0;
    for (const auto& list : mLists) count += static_cast<int>(list.size());
    return count;
}

void CIconStore::Clear() { mLists.clear(); }

}  // namespace kestrin
