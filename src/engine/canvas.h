#pragma once
// Where the game draws: the core's drawing target (images, stretched images)
// plus the shapes and text of the drawing functions. ImageCanvas draws into
// a 24-bit image and is what tests look at; it has no font, so text is left
// to canvases that have one.

#include <string>

#include "imaging/color.h"
#include "imaging/draw_target.h"

namespace kestrin::engine {

class Canvas : public DrawTarget {
public:
    // Corners inclusive, in either order.
    virtual void Rectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2, ColorValue color, bool outline) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, ColorValue color) = 0;
    virtual void Text(int x, int y, const std::string& text, ColorValue color) = 0;
    // Moves what is drawn next: the room position shown at the canvas's (0, 0).
    virtual void SetOrigin(int x, int y) = 0;
};

class ImageCanvas : public Canvas {
public:
    explicit ImageCanvas(Bitmap24& image) : mImage(image) {}
    DrawRect ClipRect() const override;
    void DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) override;
    void DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) override;
    void Rectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) override;
    void Ellipse(int x1, int y1, int x2, int y2, ColorValue color, bool outline) override;
    void Line(int x1, int y1, int x2, int y2, ColorValue color) override;
    void Text(int, int, const std::string&, ColorValue) override {}
    void SetOrigin(int x, int y) override {
        mOriginX = x;
        mOriginY = y;
    }

private:
    Bitmap24& mImage;
    int mOriginX = 0, mOriginY = 0;
};

}  // namespace kestrin::engine
