#pragma once
// Decoded pictures and the general image reader. A picture is a 24-bit image
// with an optional alpha plane; the reader knows BMP, PNG, JPEG and GIF (its
// first image) itself and asks the decoders registered by the app for any
// other format.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

struct Picture {
    Image image;
    std::vector<std::uint8_t> alpha;  // one byte per pixel, rows top-down; empty when opaque
};

// A picture drawn at 0,0 on an image of its size that is filled with the
// empty-frame colour when fill is set (black otherwise); see-through parts
// keep the fill, partly see-through parts are blended over it.
Image Bitmap24_FromGraphic(const Picture& picture, bool fill);

// Whether a picture of this size may be decoded from a file of fileSize
// bytes: within the image limits and no larger than the format could
// possibly pack into that many bytes (maxPixelsPerByte).
bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::size_t fileSize, std::int64_t maxPixelsPerByte);

// A decoder for further formats: fills the picture and returns true, or
// returns false when it cannot read the bytes.
using PictureDecoder = std::function<bool(const std::vector<std::uint8_t>& bytes, Picture& picture)>;
void RegisterPictureDecoder(PictureDecoder decoder);
void ClearPictureDecoders();

std::optional<Picture> DecodePicture(const std::vector<std::uint8_t>& bytes);
// Reads and decodes a whole file; none when it is missing, too large or unreadable.
std::optional<Picture> ReadPictureFile(const std::string& path);

// Largest picture file read at all.
inline constexpr std::uint64_t kMaxPictureFileSize = std::uint64_t{256} << 20;

// Reads a whole picture file, refusing missing and oversized files.
std::optional<std::vector<std::uint8_t>> ReadPictureBytes(const std::string& path);

}  // namespace kestrin
