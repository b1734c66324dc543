#pragma once
// GIF files through giflib. Reading keeps every image with its position,
// colour table, transparent index and disposal method, so the caller can
// compose the animation; writing quantises frames to one optimal 256-colour
// palette with nearest-colour mapping and no dithering.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "imaging/picture.h"

namespace kestrin {

// Most pixels all composed frames of one animation may hold together.
inline constexpr std::int64_t kMaxAnimationPixels = std::int64_t{64} << 20;
// What the frames of a GIF may hold together beyond what its bytes could
// cover at the best compression.
inline constexpr std::int64_t kAnimationPixelAllowance = std::int64_t{16} << 20;

struct GifImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;  // width x height, rows top-down
    // The local table, else the global one, which every image without a
    // table of its own shares: an image costs its pixels, not a table each.
    std::shared_ptr<const std::vector<ColorValue>> palette;
    int transparentIndex = -1;          // -1 for none
    int disposal = 0;                   // 0 when there is no graphic control extension
    int delay = 0;                      // hundredths of a second
};

struct GifAnimation {
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<GifImage> images;
};

bool LooksLikeGif(const std::uint8_t* bytes, std::size_t size);
// None for an unreadable file or one with no image; a file cut short keeps
// the images read completely before the cut.
std::optional<GifAnimation> DecodeGif(const std::uint8_t* bytes, std::size_t size);
// The first image on a canvas of the screen size; uncovered and transparent
// pixels get alpha 0.
bool DecodeGifFirstImage(const std::uint8_t* bytes, std::size_t size, Picture& picture);
// Draws one GIF image at its own position, see-through on its transparent index.
void DrawGifImage(Bitmap24& canvas, const GifImage& image);

// All frames must share one size. Empty when there is nothing to write.
std::vector<std::uint8_t> EncodeGif(const std::vector<const Bitmap24*>& frames, int delay = 3);

}  // namespace kestrin
