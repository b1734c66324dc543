#pragma once
// What the engine needs of a sprite while the game runs, decoded once: the
// frames ready to draw, the origin, the bounding box and, for sprites with
// precise collisions, one bit per pixel of each frame telling whether it is
// solid (not the transparent colour).

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {
class CSprite;
}

namespace kestrin::engine {

struct SpriteFrames {
    int width = 0, height = 0;
    int xorigin = 0, yorigin = 0;
    // The box relative to the sprite's top-left corner, all four inclusive.
    int boxLeft = 0, boxTop = 0, boxRight = -1, boxBottom = -1;
    bool precise = false;
    bool transparent = false;
    std::vector<Image> images;
    std::vector<std::vector<std::uint8_t>> masks;  // width * height per frame

    int FrameCount() const { return static_cast<int>(images.size()); }
    // Frame index of an image_index: wrapped into the frames.
    int FrameOf(double imageIndex) const;
    bool Solid(int frame, int px, int py) const;
};

// Reads the sprite's frames and masks; an empty sprite gives no frames and an
// empty box.
std::unique_ptr<SpriteFrames> DecodeSprite(const CSprite& sprite);

}  // namespace kestrin::engine
