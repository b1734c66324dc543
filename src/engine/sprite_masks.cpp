// Decoding a sprite for play.

#include "engine/sprite_masks.h"

#include <cmath>

#include "resources/sprite.h"

namespace kestrin::engine {

int SpriteFrames::FrameOf(double imageIndex) const {
    const int count = FrameCount();
    if (count == 0) return 0;
    long long i = static_cast<long long>(std::floor(imageIndex));
    i %= count;
    if (i < 0) i += count;
    return static_cast<int>(i);
}

bool SpriteFrames::Solid(int frame, int px, int py) const {
    if (px < 0 || py < 0 || px >= width || py >= height) return false;
    if (frame < 0 || frame >= static_cast<int>(masks.size())) return true;
    return masks[frame][static_cast<std::size_t>(py) * width + px] != 0;
}

std::unique_ptr<SpriteFrames> DecodeSprite(const CSprite& sprite) {
    auto frames = std::make_unique<SpriteFrames>();
    frames->width = sprite.Width;
    frames->height = sprite.Height;
    frames->xorigin = sprite.XOrigin;
    frames->yorigin = sprite.YOrigin;
    frames->precise = sprite.PreciseCollision;
    frames->transparent = sprite.Transparent;
    for (int i = 0; i < sprite.FrameCount(); ++i) {
        Image image = sprite.GetDisplayImage(i);
        if (!image) continue;
        if (frames->precise) {
            std::vector<std::uint8_t> mask(static_cast<std::size_t>(image->Width()) * image->Height());
            const ColorValue key = image->TransparentColor();
            for (int y = 0; y < image->Height(); ++y)
                for (int x = 0; x < image->Width(); ++x)
                    mask[static_cast<std::size_t>(y) * image->Width() + x] =
                        !sprite.Transparent || image->Pixel(x, y) != key;
            frames->masks.push_back(std::move(mask));
        }
        frames->images.push_back(std::move(image));
    }
    if (!frames->images.empty()) {
        frames->width = frames->images.front()->Width();
        frames->height = frames->images.front()->Height();
        frames->boxLeft = sprite.BoxLeft;
        frames->boxTop = sprite.BoxTop;
        frames->boxRight = sprite.BoxRight;
        frames->boxBottom = sprite.BoxBottom;
    }
    return frames;
}

}  // namespace kestrin::engine
