// Drawing the game into a 24-bit image.

#include "engine/canvas.h"

#include "imaging/image_drawing.h"

namespace kestrin::engine {

DrawRect ImageCanvas::ClipRect() const {
    return {mOriginX, mOriginY, mOriginX + mImage.Width(), mOriginY + mImage.Height()};
}

void ImageCanvas::DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) {
    ImageDrawTarget target(mImage);
    target.DrawImage(image, x - mOriginX, y - mOriginY, seeThrough);
}

void ImageCanvas::DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) {
    ImageDrawTarget target(mImage);
    target.DrawStretched(image, x - mOriginX, y - mOriginY, width, height, seeThrough);
}

void ImageCanvas::Rectangle(int x1, int y1, int x2, int y2, ColorValue color, bool outline) {
    DrawShape(mImage, ShapeKind::Rectangle, x1 - mOriginX, y1 - mOriginY, x2 - mOriginX, y2 - mOriginY, 1,
              outline ? FillStyle::Outline : FillStyle::Filled, color, color);
}

void ImageCanvas::Ellipse(int x1, int y1, int x2, int y2, ColorValue color, bool outline) {
    DrawShape(mImage, ShapeKind::Ellipse, x1 - mOriginX, y1 - mOriginY, x2 - mOriginX, y2 - mOriginY, 1,
              outline ? FillStyle::Outline : FillStyle::Filled, color, color);
}

void ImageCanvas::Line(int x1, int y1, int x2, int y2, ColorValue color) {
    DrawPenLine(mImage, x1 - mOriginX, y1 - mOriginY, x2 - mOriginX, y2 - mOriginY, 1, color);
}

}  // namespace kestrin::engine
