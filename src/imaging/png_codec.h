#pragma once
// PNG files through libpng: reading (with the alpha plane) and writing.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/picture.h"

namespace kestrin {

bool LooksLikePng(const std::uint8_t* bytes, std::size_t size);
bool DecodePng(const std::uint8_t* bytes, std::size_t size, Picture& picture);
std::vector<std::uint8_t> EncodePng(const Bitmap24& image);

}  // namespace kestrin
