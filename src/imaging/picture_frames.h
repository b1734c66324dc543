#pragma once
// Importing a picture file as frames: a GIF gives one frame per image,
// composed on a canvas of its screen size the way the animation shows it;
// any other picture gives one frame drawn on the empty-frame colour.

#include <optional>
#include <string>
#include <vector>

#include "imaging/gif_codec.h"

namespace kestrin {

// Each image drawn at its own position, see-through on its transparent
// index, onto a canvas filled with the empty-frame colour; after every image
// the canvas starts afresh unless the image says not to dispose (method 1).
// None when the frames would exceed the animation limit.
std::optional<std::vector<Image>> ComposeGifFrames(const GifAnimation& animation);

// None when the file is missing, too large or cannot be decoded. The ".gif"
// extension (in any case) selects the animated reading.
std::optional<std::vector<Image>> ImportPictureFrames(const std::string& fileName);

}  // namespace kestrin
