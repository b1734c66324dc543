// Picture loading with its format detection, and the picture drawn on the
// empty-frame colour as a sprite frame.

#include <vector>

#include "imaging/picture.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzPicture(const std::uint8_t* data, std::size_t size) {
    const std::optional<Picture> picture = DecodePicture(std::vector<std::uint8_t>(data, data + size));
    if (!picture) return 0;
    FuzzExpect(picture->image != nullptr, "a picture without an image");
    Bitmap24_FromGraphic(*picture, true);
    return 0;
}

}  // namespace kestrin::fuzz
