// The stored image: int 10 and a zblock holding a 24-bit BMP file, or int -1.

#include <string>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "platform/user_interface.h"
#include "stream/stream.h"
#include "stream/zlib_codec.h"

namespace kestrin {

void Bitmap24_SaveToStream(const Bitmap24* image, CStream& stream) {
    if (!image) {
        stream.WriteInteger(-1);
        return;
    }
    std::vector<std::uint8_t> bmp = EncodeBmp(*image);
    WriteStoredBmp(stream, bmp.data(), bmp.size());
}

void WriteStoredBmp(CStream& stream, const std::uint8_t* bmp, std::size_t size) {
    stream.WriteInteger(10);
    // The zblock count is filled in once the compressed length is known.
    std::size_t countAt = stream.Position();
    stream.WriteInteger(0);
    std::size_t start = stream.Position();
    DeflateBytes(bmp, size, stream, kCompressionLevelDefault);
    std::size_t end = stream.Position();
    stream.SetPosition(countAt);
    stream.WriteInteger(static_cast<std::int32_t>(end - start));
    stream.SetPosition(end);
}

std::optional<std::vector<std::uint8_t>> ReadStoredBmp(CStream& stream) {
    if (stream.ReadInteger() == -1) return std::nullopt;
    CStream bmp = stream.ReadCompressedBlock();
    if (IsCanonicalBmp(bmp.Data(), bmp.Size())) return std::vector<std::uint8_t>(bmp.Data(), bmp.Data() + bmp.Size());
    Image image = DecodeBmp(bmp.Data(), bmp.Size());
    if (!image) return std::nullopt;
    return EncodeBmp(*image);
}

Image Bitmap24_LoadFromStream(CStream& stream) {
    if (stream.ReadInteger() == -1) return nullptr;
    CStream bmp = stream.ReadCompressedBlock();
    return DecodeBmp(bmp.Data(), bmp.Size());
}

}  // namespace kestrin
