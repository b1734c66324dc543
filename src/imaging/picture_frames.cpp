// Picture files as frames, with the GIF disposal rule.

#include "imaging/picture_frames.h"

#include "imaging/picture.h"
#include "platform/file_system.h"

namespace kestrin {

std::optional<std::vector<Image>> ComposeGifFrames(const GifAnimation& animation) {
    int w = animation.screenWidth, h = animation.screenHeight;
    if (static_cast<std::int64_t>(animation.images.size()) * w * h > kMaxAnimationPixels) return std::nullopt;
    std::vector<Image> frames;
    auto canvas = std::make_unique<Bitmap24>(w, h, kEmptyFrameColor);
    for (const GifImage& image : animation.images) {
        DrawGifImage(*canvas, image);
        frames.push_back(std::make_unique<Bitmap24>(*canvas));
        if (image.disposal != 1) canvas->Fill(kEmptyFrameColor);
    }
    return frames;
}

std::optional<std::vector<Image>> ImportPictureFrames(const std::string& fileName) {
    const std::string extension = LowerFileExt(fileName);
    if (extension == ".gif") {
        auto bytes = ReadPictureBytes(fileName);
        if (!bytes) return std::nullopt;
        auto animation = DecodeGif(bytes->data(), bytes->size());
        if (!animation) return std::nullopt;
        return ComposeGifFrames(*animation);
    }
    auto picture = ReadPictureFile(fileName);
    if (!picture) return std::nullopt;
    std::vector<Image> frames;
    frames.push_back(Bitmap24_FromGraphic(*picture, true));
    return frames;
}

}  // namespace kestrin
