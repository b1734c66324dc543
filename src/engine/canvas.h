#pragma once
// Where the game draws: the core's drawing target (images, stretched images)
// plus transformed images, the shapes and the text lines of the drawing
// functions, and the ports that views draw into. ImageCanvas draws into a
// 24-bit image and is what tests look at; it has no font, so text is left to
// canvases that have one.

#include <memory>
#include <string>
#include <vector>

#include "imaging/color.h"
#include "imaging/draw_target.h"

namespace kestrin::engine {

// How an image is placed: its origin point goes to the position, then it is
// scaled (a negative scale mirrors it about the origin), turned about the
// origin, tinted and laid over what is there with the given opacity.
struct ImageTransform {
    double xorigin = 0, yorigin = 0;  // in the image (or its part)
    double xscale = 1, yscale = 1;
    double angle = 0;  // degrees, counter-clockwise
    double alpha = 1;  // 0 invisible .. 1 opaque
    // Each colour part of a pixel is multiplied by this colour's, so white
    // leaves the image as it is. The see-through colour is the untinted one.
    ColorValue blend = kWhite;
};

// The font of the text functions.
struct TextFont {
    std::string name = "Arial";
    double size = 12;  // points
    int style = 0;     // 1 bold, 2 italic, 4 underline, 8 strike-out
    double angle = 0;  // degrees counter-clockwise, turned about the line's top-left corner
};

struct CanvasPoint {
    double x = 0, y = 0;
};

class Canvas : public DrawTarget {
public:
    // Corners inclusive, in either order.
    virtual void Rectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2, ColorValue color, bool outline) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, ColorValue color) = 0;
    virtual void RoundRectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) = 0;
    // The area of the point's colour connected to it, in the colour.
    virtual void FloodFill(int x, int y, ColorValue color) = 0;
    // A closed polygon through the points: the pixels whose centres lie
    // inside it by the even-odd rule, or its edges drawn as lines.
    virtual void Polygon(const std::vector<CanvasPoint>& points, ColorValue color, bool outline) = 0;
    // The colour drawn at the point so far; black outside the port.
    virtual ColorValue PixelAt(int x, int y) const = 0;
    // One line of text, its top-left corner at (x, y).
    virtual void Text(int x, int y, const std::string& line, const TextFont& font, ColorValue color) = 0;
    // The part of the image (right and bottom exclusive) placed at (x, y) as
    // the transform says. See-through drawing skips the image's transparent
    // colour (that of the whole image, not of the part).
    virtual void DrawTransformed(const Bitmap24& image, const DrawRect& part, int x, int y,
                                 const ImageTransform& transform, bool seeThrough) = 0;
    // Drawing goes into the port (a rectangle of the frame, right and bottom
    // exclusive) until EndPort; nothing drawn reaches outside it. Without a
    // port drawing covers the whole frame.
    virtual void BeginPort(const DrawRect& port) = 0;
    virtual void EndPort() = 0;
    // Moves what is drawn next: the room position shown at the port's top-left corner.
    virtual void SetOrigin(int x, int y) = 0;
    // The frame as drawn so far (a port being drawn is not in it yet).
    virtual const Bitmap24& Picture() const = 0;
};

class ImageCanvas : public Canvas {
public:
    explicit ImageCanvas(Bitmap24& image) : mImage(image), mTarget(&image) {}
    DrawRect ClipRect() const override;
    void DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) override;
    void DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) override;
    void Rectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) override;
    void Ellipse(int x1, int y1, int x2, int y2, ColorValue color, bool outline) override;
    void Line(int x1, int y1, int x2, int y2, ColorValue color) override;
    void RoundRectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) override;
    void FloodFill(int x, int y, ColorValue color) override;
    void Polygon(const std::vector<CanvasPoint>& points, ColorValue color, bool outline) override;
    ColorValue PixelAt(int x, int y) const override;
    void Text(int, int, const std::string&, const TextFont&, ColorValue) override {}
    void DrawTransformed(const Bitmap24& image, const DrawRect& part, int x, int y, const ImageTransform& transform,
                         bool seeThrough) override;
    void BeginPort(const DrawRect& port) override;
    void EndPort() override;
    void SetOrigin(int x, int y) override {
        mOriginX = x;
        mOriginY = y;
    }
    const Bitmap24& Picture() const override { return mImage; }

protected:
    // The image drawing goes into now (the frame or the port's own picture)
    // and the room position at its top-left corner.
    Bitmap24& Target() { return *mTarget; }
    int OriginX() const { return mOriginX; }
    int OriginY() const { return mOriginY; }

private:
    Bitmap24& mImage;
    Bitmap24* mTarget;
    // A port smaller than the frame is drawn on its own picture, which
    // clips every kind of drawing alike, and copied in at its end.
    std::unique_ptr<Bitmap24> mPortImage;
    int mPortX = 0, mPortY = 0;
    bool mPortEmpty = false;
    int mOriginX = 0, mOriginY = 0;
};

}  // namespace kestrin::engine
