#pragma once
// The pictures the room view paints, converted once: each sprite's first
// frame and each background as a premultiplied QImage with its transparent
// colour cleared when drawn see-through. An entry is made again when the
// resource's size, transparency or frames changed; Clear drops everything
// (the window calls it when resources of a kind change or it becomes active).

#include <QImage>
#include <cstdint>
#include <unordered_map>

#include "resources/resource_kind.h"

namespace kestrin {

class RoomImageCache {
public:
    explicit RoomImageCache(const ResourceLookup& game) : mGame(game) {}

    // Null images for missing resources or ones without a picture.
    const QImage& Sprite(std::int32_t index);
    const QImage& Background(std::int32_t index);
    void Clear();

private:
    // What tells a changed resource from the one that was converted.
    struct Signature {
        const void* resource = nullptr;
        std::int32_t width = 0, height = 0, frames = 0;
        bool transparent = false;
        std::uint32_t transparentColor = 0;
        bool operator==(const Signature&) const = default;
    };
    struct Entry {
        Signature signature;
        QImage image;
    };

    const ResourceLookup& mGame;
    std::unordered_map<std::int32_t, Entry> mSprites, mBackgrounds;
    QImage mNone;
};

}  // namespace kestrin
