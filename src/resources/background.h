#pragma once
// CBackground: a single picture drawn behind rooms and cut into tiles, kept
// as a 24-bit BMP file in memory, with the drawing operations the room
// drawing, the room editor and the runner share.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"
#include "imaging/draw_target.h"

namespace kestrin {

class CStream;

inline constexpr std::int32_t kBackgroundVersion = 400;

class CBackground {
public:
    CBackground() { Clear(); }
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    void Clear();
    // A null other leaves the background cleared.
    void Assign(const CBackground* other);

    bool HasImage() const { return mImage.has_value(); }
    // A fresh decoded image, or none.
    Image GetImage() const;
    // The image on one of the background's size filled with TransparentColor,
    // see-through on its own transparent colour when Transparent is set.
    Image GetDisplayImage() const;
    // The same image made once and kept until the background changes; null without an image.
    const Bitmap24* DisplayImage() const { return Cache(); }
    // Drops the current image; a null image leaves the background without one.
    void SetImage(const Bitmap24* image);
    // False, with the background unchanged, when the file is missing or
    // cannot be decoded.
    bool LoadFromFile(const std::string& name);

    void DrawAt(DrawTarget& target, int x, int y) const;
    void DrawStretched(DrawTarget& target, int x, int y, int width, int height) const;
    // The part rect (right and bottom exclusive) with its top-left at (x, y).
    void DrawPart(DrawTarget& target, int x, int y, DrawRect rect) const;
    // Repeats over the target's clip area in the directions asked for.
    void DrawTiled(DrawTarget& target, int x, int y, bool tileH, bool tileV, double xScale, double yScale) const;
    Image MakeIcon() const;

    // False (the background cleared) for another version or a broken image;
    // stream errors are raised.
    bool LoadFromStream(CStream& stream);
    bool SaveToStream(CStream& stream) const;

    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool Transparent = false;
    ColorValue TransparentColor = kWhite;
    bool VideoMemory = true;
    bool LoadOnUse = true;

private:
    void UpdateTransparentColor();
    const Bitmap24* Cache() const;

    std::optional<std::vector<std::uint8_t>> mImage;  // BMP file
    mutable Image mDisplayCache;
};

}  // namespace kestrin
