// Painting 24-bit images with QPainter. Stretching is unsmoothed, so pixels
// stay sharp as in the room editor's zoom.

#include "image_editors/qt_draw_target.h"

#include <cstring>

namespace kestrin {

QImage ToQImage(const Bitmap24& image, bool seeThrough) {
    if (!seeThrough) {
        QImage out(image.Width(), image.Height(), QImage::Format_BGR888);
        for (int y = 0; y < image.Height(); ++y) std::memcpy(out.scanLine(y), image.Row(y), image.RowBytes());
        return out;
    }
    QImage out(image.Width(), image.Height(), QImage::Format_ARGB32);
    ColorValue key = image.TransparentColor();
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* s = image.Row(y);
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.Width(); ++x, s += 3)
            d[x] = PixelColor(s) == key ? qRgba(0, 0, 0, 0) : qRgb(s[2], s[1], s[0]);
    }
    return out;
}

DrawRect QtDrawTarget::ClipRect() const {
    return {mClip.left(), mClip.top(), mClip.left() + mClip.width(), mClip.top() + mClip.height()};
}

void QtDrawTarget::DrawImage(const Bitmap24& image, int x, int y, bool seeThrough) {
    mPainter.drawImage(QPoint(x, y), ToQImage(image, seeThrough));
}

void QtDrawTarget::DrawStretched(const Bitmap24& image, int x, int y, int width, int height, bool seeThrough) {
    if (width <= 0 || height <= 0) return;
    bool smooth = mPainter.testRenderHint(QPainter::SmoothPixmapTransform);
    mPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    mPainter.drawImage(QRect(x, y, width, height), ToQImage(image, seeThrough));
    mPainter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

}  // namespace kestrin
