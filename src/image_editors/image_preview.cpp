// Reducing once when a dialog opens keeps the live preview cheap.

#include "image_editors/image_preview.h"

#include <algorithm>
#include <cmath>

#include "image_editors/qt_draw_target.h"
#include "imaging/bitmap24_ops.h"

namespace kestrin {

Bitmap24 ReducedForPreview(const Bitmap24& image, bool t) {
    double scale = std::min({1.0, double{kPreviewSize} / image.Width(), double{kPreviewSize} / image.Height()});
    if (scale >= 1.0) return image;
    int w = std::max(1, static_cast<int>(std::lround(image.Width() * scale)));
    int h = std::max(1, static_cast<int>(std::lround(image.Height() * scale)));
    return *Bitmap24_Stretch(&image, w, h, t, 1);
}

QPixmap PreviewPixmap(const Bitmap24& picture) {
    Bitmap24 square(kPreviewSize, kPreviewSize, MakeColor(128, 128, 128));
    square.Draw(picture, (kPreviewSize - picture.Width()) / 2, (kPreviewSize - picture.Height()) / 2);
    return QPixmap::fromImage(ToQImage(square, false));
}

}  // namespace kestrin
