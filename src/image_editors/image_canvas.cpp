// Painting writes the exposed screen pixels into a buffer kept between
// paints and blits it: no scaling by the painter, and the only blending is
// the onion skin's, done on those same pixels.

#include "image_editors/image_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

namespace kestrin {

namespace {

// The checkerboard behind see-through pixels: squares of 8 screen pixels.
QRgb CheckerAt(int x, int y) { return ((x >> 3) ^ (y >> 3)) & 1 ? qRgb(255, 255, 255) : qRgb(204, 204, 204); }

// A neighbour frame's pixel weighs a quarter: enough to trace, faint enough
// not to be taken for the picture.
QRgb BlendQuarter(QRgb shown, const std::uint8_t* p) {
    return qRgb((3 * qRed(shown) + p[2]) / 4, (3 * qGreen(shown) + p[1]) / 4, (3 * qBlue(shown) + p[0]) / 4);
}

}  // namespace

TImageCanvas::TImageCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImageCanvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void TImageCanvas::SetImage(const Bitmap24* image) {
    mImage = image;
    ImageResized();
}

void TImageCanvas::ImageResized() {
    if (mImage) setFixedSize(mImage->Width() * mZoom, mImage->Height() * mZoom);
    update();
}

void TImageCanvas::SetZoom(int zoom) {
    mZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    ImageResized();
}

void TImageCanvas::SetGrid(bool on) {
    mGrid = on;
    update();
}

void TImageCanvas::SetSeeThrough(bool on) {
    mSeeThrough = on;
    update();
}

void TImageCanvas::SetOnionSkin(std::vector<Bitmap24> frames) {
    mOnionFrames = std::move(frames);
    mOnionKeys.clear();
    for (const Bitmap24& frame : mOnionFrames) mOnionKeys.push_back(frame.TransparentColor());
    update();
}

void TImageCanvas::SetOnionSkinShown(bool on) {
    mOnionShown = on;
    update();
}

// A neighbour's pixels in its transparent colour are left out: they are its
// background, and blending them would only wash out the picture.
QRgb TImageCanvas::WithOnionSkin(QRgb shown, int x, int y) const {
    for (std::size_t i = 0; i < mOnionFrames.size(); ++i) {
        const Bitmap24& frame = mOnionFrames[i];
        if (x >= frame.Width() || y >= frame.Height()) continue;
        const std::uint8_t* p = frame.Row(y) + 3 * x;
        if (PixelColor(p) != mOnionKeys[i]) shown = BlendQuarter(shown, p);
    }
    return shown;
}

void TImageCanvas::RepaintArea(const PixelArea& area) {
    if (area.Empty()) {
        update();
        return;
    }
    update(QRect(area.left * mZoom, area.top * mZoom, (area.right - area.left) * mZoom,
                 (area.bottom - area.top) * mZoom));
}

QPoint TImageCanvas::PixelAt(QPoint position) const {
    auto divide = [this](int v) { return v >= 0 ? v / mZoom : -((-v + mZoom - 1) / mZoom); };
    return {divide(position.x()), divide(position.y())};
}

void TImageCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!mImage) return;
    const QRect exposed = event->rect() & rect();
    if (exposed.isEmpty()) return;
    // The exposed screen pixels are written directly: each takes its image
    // pixel (or the checkerboard) with the onion skin over it, and grid
    // lines are inverted, where a row
    // and a column line cross twice, as exclusive-or drawing leaves them.
    if (mBuffer.width() < exposed.width() || mBuffer.height() < exposed.height())
        mBuffer = QImage(exposed.size().expandedTo(mBuffer.size()), QImage::Format_RGB32);
    const ColorValue key = mImage->TransparentColor();
    const bool grid = GridShown();
    const bool onion = OnionSkinShown();
    const int zoom = mZoom;
    for (int sy = exposed.top(); sy <= exposed.bottom(); ++sy) {
        auto* d = reinterpret_cast<QRgb*>(mBuffer.scanLine(sy - exposed.top()));
        const int y = sy / zoom;
        const std::uint8_t* row = mImage->Row(y);
        const QRgb rowLine = grid && sy % zoom == 0 ? 0xFFFFFF : 0;
        int sx = exposed.left();
        while (sx <= exposed.right()) {
            const int x = sx / zoom;
            const int end = std::min((x + 1) * zoom - 1, exposed.right());
            const std::uint8_t* p = row + 3 * x;
            if (mSeeThrough && PixelColor(p) == key) {
                if (onion) {
                    for (int i = sx; i <= end; ++i) *d++ = WithOnionSkin(CheckerAt(i, sy), x, y) ^ rowLine;
                } else {
                    for (int i = sx; i <= end; ++i) *d++ = CheckerAt(i, sy) ^ rowLine;
                }
            } else {
                QRgb color = qRgb(p[2], p[1], p[0]);
                if (onion) color = WithOnionSkin(color, x, y);
                color ^= rowLine;
                for (int i = sx; i <= end; ++i) *d++ = color;
            }
            if (grid && sx == x * zoom) d[sx - end - 1] ^= 0xFFFFFF;  // the column line
            sx = end + 1;
        }
    }
    painter.drawImage(exposed.topLeft(), mBuffer, QRect(QPoint(0, 0), exposed.size()));
}

void TImageCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    QPoint p = PixelAt(event->position().toPoint());
    emit PixelPressed(p.x(), p.y(), event->button() == Qt::RightButton);
}

void TImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    QPoint p = PixelAt(event->position().toPoint());
    emit PixelMoved(p.x(), p.y(), event->buttons(), event->modifiers());
}

void TImageCanvas::mouseReleaseEvent(QMouseEvent*) { emit PixelReleased(); }

void TImageCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    int steps = event->angleDelta().y() / 120;
    if (steps == 0) steps = event->angleDelta().y() > 0 ? 1 : event->angleDelta().y() < 0 ? -1 : 0;
    if (steps != 0) emit ZoomWheel(steps, event->position().toPoint());
    event->accept();
}

}  // namespace kestrin
