#pragma once
// Windows BMP files: the 24-bit writer every stored image uses, and a reader
// for the 1, 4, 8, 16, 24 and 32-bit files users import (bottom-up and
// top-down, uncompressed or with bit fields).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

// 14-byte file header, 40-byte info header, rows bottom-up padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Bitmap24& image);

// No image for anything that is not a readable BMP, or one larger than the
// image limits, or one whose pixel rows do not fit in the bytes given.
Image DecodeBmp(const std::uint8_t* bytes, std::size_t size);
inline Image DecodeBmp(const std::vector<std::uint8_t>& bytes) { return DecodeBmp(bytes.data(), bytes.size()); }

bool LooksLikeBmp(const std::uint8_t* bytes, std::size_t size);
// True when the bytes are exactly what EncodeBmp writes for some image within
// the image limits (its header, nothing more or less than its rows).
bool IsCanonicalBmp(const std::uint8_t* bytes, std::size_t size);

}  // namespace kestrin
