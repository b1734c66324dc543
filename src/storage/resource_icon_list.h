#pragma once
// ResourceIconList: the thumbnails of sprites and backgrounds in the resource
// icon list. Icon numbers below kFirstThumbnailIcon are the predefined images
// the GUI owns; each thumbnail gets the next number after them, and drawing
// takes its bottom-left pixel's colour as transparent.

#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

class ResourceIconList {
public:
    // The predefined images are numbered 0 .. 18.
    static constexpr int kFirstThumbnailIcon = 19;

    // Appends a thumbnail and returns its icon number.
    int Add(Image icon);
    // Redraws the thumbnail of an icon number this list gave out.
    void Replace(int iconNumber, Image icon);
    // The thumbnail of an icon number, or null for a predefined or unknown one.
    const Bitmap24* Thumbnail(int iconNumber) const;
    int ThumbnailCount() const { return static_cast<int>(mThumbnails.size()); }
    // Back to the predefined images only.
    void Reset() { mThumbnails.clear(); }
    // Drops the thumbnails given out after the first count.
    void Truncate(int count) {
        if (count >= 0 && count < ThumbnailCount()) mThumbnails.resize(static_cast<std::size_t>(count));
    }

private:
    std::vector<Image> mThumbnails;
};

}  // namespace kestrin
