#pragma once
// The drawing target of the windows: sprites, backgrounds and tiles painted
// through a QPainter, and the conversion of a 24-bit image to a QImage (with
// its transparent colour masked for see-through drawing).

#include <QImage>
#include <QPainter>
#include <QRect>

#include "imaging/draw_target.h"

namespace kestrin {

// An opaque copy, or with seeThrough the pixels of the image's transparent
// colour (its bottom-left pixel) fully clear.
QImage ToQImage(const Bitmap24& image, bool seeThrough);

class QtDrawTarget : public DrawTarget {
public:
    // clip: the area being painted (the paint event's rectangle).
    QtDrawTarget(QPainter& painter, const QRect& clip) : mPainter(painter), mClip(clip) {}
    DrawRect ClipRect() const override;
    void DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) override;
    void DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) override;

private:
    QPainter& mPainter;
    QRect mClip;
};

}  // namespace kestrin
