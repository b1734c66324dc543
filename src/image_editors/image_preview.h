#pragma once
// The live preview of the hue and value dialogs: the image reduced to fit
// 128 x 128 with its proportions kept, shown on grey.

#include <QPixmap>

#include "imaging/bitmap24.h"

namespace kestrin {

inline constexpr int kPreviewSize = 128;

// The image reduced (never enlarged) to fit the preview square.
Bitmap24 ReducedForPreview(const Bitmap24& image, bool t);
// The picture centred on a grey 128 square.
QPixmap PreviewPixmap(const Bitmap24& picture);

}  // namespace kestrin
