// The general image reader: built-in formats first, then the registered ones.

#include "imaging/picture.h"

#include <filesystem>

#include "imaging/bmp_codec.h"
#include "imaging/gif_codec.h"
#include "imaging/jpeg_codec.h"
#include "imaging/png_codec.h"
#include "platform/file_system.h"

namespace kestrin {

namespace {

std::vector<PictureDecoder>& Decoders() {
    static std::vector<PictureDecoder> decoders;
    return decoders;
}

}  // namespace

Image Bitmap24_FromGraphic(const Picture& picture, bool fill) {
    if (!picture.image) return nullptr;
    const Bitmap24& source = *picture.image;
    ColorValue background = fill ? kEmptyFrameColor : 0;
    auto result = std::make_unique<Bitmap24>(source.Width(), source.Height(), background);
    if (picture.alpha.size() != static_cast<std::size_t>(source.Width()) * source.Height()) {
        result->Draw(source, 0, 0);
        return result;
    }
    int back[3] = {BlueOf(background), GreenOf(background), RedOf(background)};
    const std::uint8_t* alpha = picture.alpha.data();
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* s = source.Row(y);
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < source.Width(); ++x, s += 3, d += 3, ++alpha) {
            int a = *alpha;
            if (a == 0) continue;
            for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * a + back[c] * (255 - a) + 127) / 255);
        }
    }
    return result;
}

bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::size_t fileSize, std::int64_t maxPixelsPerByte) {
    return WithinImageLimits(width, height) &&
           width * height <= static_cast<std::int64_t>(fileSize) * maxPixelsPerByte + 65536;
}

void RegisterPictureDecoder(PictureDecoder decoder) { Decoders().push_back(std::move(decoder)); }
void ClearPictureDecoders() { Decoders().clear(); }

std::optional<Picture> DecodePicture(const std::vector<std::uint8_t>& bytes) {
    Picture picture;
    const std::uint8_t* data = bytes.data();
    std::size_t size = bytes.size();
    if (LooksLikeBmp(data, size))
        picture.image = DecodeBmp(data, size);
    else if (LooksLikePng(data, size))
        DecodePng(data, size, picture);
    else if (LooksLikeJpeg(data, size))
        picture.image = DecodeJpeg(data, size);
    else if (LooksLikeGif(data, size))
        DecodeGifFirstImage(data, size, picture);
    if (picture.image) return picture;
    // Other formats, and variants the built-in readers leave out (run-length
    // BMPs, CMYK JPEGs), go to the registered decoders.
    for (const auto& decoder : Decoders()) {
        Picture candidate;
        if (decoder(bytes, candidate) && candidate.image) return candidate;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadPictureBytes(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxPictureFileSize) return std::nullopt;
    try {
        return ReadWholeFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::optional<Picture> ReadPictureFile(const std::string& path) {
    auto bytes = ReadPictureBytes(path);
    if (!bytes) return std::nullopt;
    return DecodePicture(*bytes);
}

}  // namespace kestrin
