#pragma once
// TAnimation: the frame set, a working copy of a sprite's frames as live
// 24-bit images on which the sprite editor and strip import work. Single
// frame operations keep every frame at the set's size (a new frame is an
// empty frame with the picture drawn at 0,0); whole-set operations replace
// each frame by one image operation's result.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/gif_codec.h"

namespace kestrin {

class CSprite;

// Whether a set of count frames of this size may be made: a typed size or a
// generated length must not exhaust memory.
inline constexpr bool FrameSetWithinLimits(std::int64_t count, std::int64_t width, std::int64_t height) {
    return WithinImageLimits(width, height) && count >= 0 && count * width * height <= kMaxAnimationPixels;
}

class TAnimation {
public:
    TAnimation(int width, int height);
    // One frame: the image drawn on an empty frame of its size.
    explicit TAnimation(const Bitmap24& image);
    TAnimation(const TAnimation&) = delete;
    TAnimation& operator=(const TAnimation&) = delete;

    // None when the file cannot be decoded; a missing file shows
    // "Cannot find the image file " and the name and gives an empty set.
    static std::unique_ptr<TAnimation> FromFile(const std::string& name);
    // The editor's working copy of a sprite, and the way back.
    static std::unique_ptr<TAnimation> FromSprite(const CSprite& sprite);
    // Replaces the sprite's frames with these (size, transparency and box follow).
    void StoreInSprite(CSprite& sprite) const;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    int FrameCount() const { return static_cast<int>(mFrames.size()); }
    bool Transparent() const { return mTransparent; }
    void SetTransparent(bool transparent) { mTransparent = transparent; }

    void Clear() { mFrames.clear(); }
    void Assign(const TAnimation& other);
    // The frame itself, or none out of range.
    Bitmap24* GetImage(int i) const;

    void AddEmpty();
    void AddImage(const Bitmap24& image);
    // i is clamped to 0..count.
    void InsertEmpty(int i);
    void InsertImage(int i, const Bitmap24& image);
    void Delete(int i);
    void Replace(int i, const Bitmap24& image);
    // Takes frame from out and puts it at to; nothing unless both are in range and differ.
    void Move(int from, int to);
    // False when nothing was written (no frames, or the file could not be written).
    bool SaveAsStrip(const std::string& name) const;
    bool SaveAsGif(const std::string& name) const;

    // Whole-set operations.
    void ResizeCanvas(int width, int height, int placement);
    void Stretch(int width, int height, int quality);
    void Shift(int dx, int dy);
    void Mirror();
    void Flip();
    void Rotate(int quality, double degrees);
    void Scale(int width, int height, int placement, int quality);
    void BlackAndWhite();
    void Colorize(int hue);
    void ColorizePartially(int fromHue, int toHue, int hue);
    void ShiftHue(int amount);
    void ChangeValue(int amount);
    void ChangeSaturation(int amount);
    void Fade(ColorValue color, int amount);
    void Transparency(int amount);
    void Blur(int amount);
    // Cuts every frame to the combined box of the content plus a border;
    // nothing when the result would exceed the limits (CropFits false).
    void Crop(int border);
    bool CropFits(int border) const;

private:
    // The combined box of every frame's content; none when all are empty.
    std::optional<ImageBox> ContentBox() const;
    Image EmptyFrame() const;
    Image FrameOf(const Bitmap24& image) const;
    template <typename Operation>
    void ApplyToEach(Operation operation);

    int mWidth;
    int mHeight;
    bool mTransparent = true;
    std::vector<Image> mFrames;
};

}  // namespace kestrin
