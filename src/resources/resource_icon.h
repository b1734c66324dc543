#pragma once
// The 16 x 16 tree icon of a picture resource: the picture shrunk to fit,
// centred on the icon background colour, whose bottom-left pixel always
// carries that colour so icon lists treat it as transparent.

#include "imaging/bitmap24.h"

namespace kestrin {

// An empty icon when there is no picture.
Image MakeResourceIcon(const Bitmap24* display, bool transparent);

}  // namespace kestrin
