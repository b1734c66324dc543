// The JPEG reader.

#include "imaging/jpeg_codec.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzJpeg(const std::uint8_t* data, std::size_t size) {
    DecodeJpeg(data, size);
    return 0;
}

}  // namespace kestrin::fuzz
