// Thumbnails of the resource icon list.

#include "storage/resource_icon_list.h"

namespace kestrin {

int ResourceIconList::Add(Image icon) {
    mThumbnails.push_back(std::move(icon));
    return kFirstThumbnailIcon + ThumbnailCount() - 1;
}

void ResourceIconList::Replace(int iconNumber, Image icon) {
    int i = iconNumber - kFirstThumbnailIcon;
    if (i >= 0 && i < ThumbnailCount()) mThumbnails[static_cast<std::size_t>(i)] = std::move(icon);
}

const Bitmap24* ResourceIconList::Thumbnail(int iconNumber) const {
    int i = iconNumber - kFirstThumbnailIcon;
    return i >= 0 && i < ThumbnailCount() ? mThumbnails[static_cast<std::size_t>(i)].get() : nullptr;
}

}  // namespace kestrin
