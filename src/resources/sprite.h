#pragma once
// CSprite: the picture resource. Equally sized frames kept as 24-bit BMP
// files in memory (each access decodes a fresh image), the origin, the
// transparency and bounding box, and the flags the runner reads.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"
#include "imaging/draw_target.h"

namespace kestrin {

class CStream;

inline constexpr std::int32_t kBoxAutomatic = 0;
inline constexpr std::int32_t kBoxFullImage = 1;
inline constexpr std::int32_t kBoxManual = 2;

inline constexpr std::int32_t kSpriteVersion = 400;

class CSprite {
public:
    CSprite() { Clear(); }
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    void Clear();
    // Frames and display cache gone, size 32 x 32; the box 0,0,0,0 unless manual.
    void ClearImages();
    // Deep copy; a null other leaves the sprite cleared.
    void Assign(const CSprite* other);

    // Appends a frame; the first frame of an empty sprite sets the size.
    void AddImage(const Bitmap24* image);
    int FrameCount() const { return static_cast<int>(mFrames.size()); }
    // A fresh image of frame i, or none out of range.
    Image GetImage(int i) const;
    // Frame i drawn on an image of the sprite's size filled with
    // TransparentColor, see-through on its own transparent colour when
    // Transparent is set; none out of range.
    Image GetDisplayImage(int i) const;
    // Frame 0 drawn with its origin at (x, y).
    void DrawAt(DrawTarget& target, int x, int y) const;
    Image MakeIcon() const;

    void SetTransparent(bool transparent);
    void UpdateTransparentColor();
    void UpdateBoundingBox();

    // Imports a picture file as the frames (a GIF as its animation); false,
    // with the sprite unchanged, when it is missing or cannot be decoded.
    bool LoadFromFile(const std::string& name);

    // False (the sprite cleared) for another version or a broken frame;
    // stream errors are raised.
    bool LoadFromStream(CStream& stream);
    bool SaveToStream(CStream& stream) const;

    std::int32_t BoxMode = kBoxAutomatic;
    std::int32_t BoxLeft = 0;
    std::int32_t BoxTop = 0;
    std::int32_t BoxRight = 0;
    std::int32_t BoxBottom = 0;
    std::int32_t Width = 32;
    std::int32_t Height = 32;
    std::int32_t XOrigin = 0;
    std::int32_t YOrigin = 0;
    bool PreciseCollision = true;
    bool VideoMemory = true;
    bool LoadOnUse = false;
    // Change it through SetTransparent so the box follows.
    bool Transparent = true;
    ColorValue TransparentColor = kWhite;

private:
    void DropDisplayCache() const { mDisplayCache.reset(); }

    std::vector<std::vector<std::uint8_t>> mFrames;  // BMP files
    mutable Image mDisplayCache;
};

}  // namespace kestrin
