#pragma once
// JPEG files through the IJG library: reading only.

#include <cstddef>
#include <cstdint>

#include "imaging/bitmap24.h"

namespace kestrin {

bool LooksLikeJpeg(const std::uint8_t* bytes, std::size_t size);
Image DecodeJpeg(const std::uint8_t* bytes, std::size_t size);

}  // namespace kestrin
