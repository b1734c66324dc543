// The BMP reader; whatever it reads, the writer writes as a canonical file.

#include "imaging/bmp_codec.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzBmp(const std::uint8_t* data, std::size_t size) {
    IsCanonicalBmp(data, size);
    Image image = DecodeBmp(data, size);
    if (!image) return 0;
    const std::vector<std::uint8_t> written = EncodeBmp(*image);
    FuzzExpect(IsCanonicalBmp(written.data(), written.size()), "a decoded BMP does not write back canonically");
    return 0;
}

}  // namespace kestrin::fuzz
