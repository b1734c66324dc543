// The PNG reader.

#include "imaging/png_codec.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzPng(const std::uint8_t* data, std::size_t size) {
    Picture picture;
    if (!DecodePng(data, size, picture)) return 0;
    FuzzExpect(picture.image != nullptr, "a PNG read without an image");
    const std::size_t pixels = std::size_t(picture.image->Width()) * std::size_t(picture.image->Height());
    FuzzExpect(picture.alpha.empty() || picture.alpha.size() == pixels, "the alpha plane does not fit the image");
    return 0;
}

}  // namespace kestrin::fuzz
