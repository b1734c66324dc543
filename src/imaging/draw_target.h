#pragma once
// The drawing surface that sprites, backgrounds and rooms paint on: the room
// editor and the game runner give it a window, tests and icon making give it
// an image. See-through drawing skips the pixels of the image's own
// transparent colour (its bottom-left pixel).

#include "imaging/bitmap24.h"

namespace kestrin {

// Right and bottom exclusive.
struct DrawRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const DrawRect&) const = default;
};

class DrawTarget {
public:
    virtual ~DrawTarget() = default;
    // The area drawing can reach; tiling stops at its right and bottom edges.
    virtual DrawRect ClipRect() const = 0;
    virtual void DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) = 0;
    // The image stretched into the rectangle from (x, y) to (x + width, y + height).
    virtual void DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) = 0;
};

// Draws into a 24-bit image; stretching takes the nearest source pixel.
class ImageDrawTarget : public DrawTarget {
public:
    explicit ImageDrawTarget(Bitmap24& canvas) : mCanvas(canvas) {}
    DrawRect ClipRect() const override { return {0, 0, mCanvas.Width(), mCanvas.Height()}; }
    void DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) override;
    void DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) override;

private:
    Bitmap24& mCanvas;
};

}  // namespace kestrin
