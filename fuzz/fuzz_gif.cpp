// The GIF reader, and composing its images into frames as importing does.

#include "imaging/gif_codec.h"
#include "imaging/picture_frames.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzGif(const std::uint8_t* data, std::size_t size) {
    Picture first;
    DecodeGifFirstImage(data, size, first);
    const std::optional<GifAnimation> animation = DecodeGif(data, size);
    if (!animation) return 0;
    const auto frames = ComposeGifFrames(*animation);
    if (frames) FuzzExpect(frames->size() == animation->images.size(), "not one frame per image");
    return 0;
}

}  // namespace kestrin::fuzz
