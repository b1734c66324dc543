// Painting converts only the image pixels under the exposed rectangle and
// lets the painter enlarge them without smoothing.

#include "image_editors/image_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace kestrin {

namespace {

// Light and dark squares of 8 screen pixels.
const QBrush& Checkerboard() {
    static const QBrush brush = [] {
        QImage tile(16, 16, QImage::Format_RGB32);
        tile.fill(QColor(204, 204, 204));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if ((x < 8) != (y < 8)) tile.setPixel(x, y, qRgb(255, 255, 255));
        return QBrush(tile);
    }();
    return brush;
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
    const QRect exposed = event->rect();
    const int left = std::max(exposed.left() / mZoom, 0);
    const int top = std::max(exposed.top() / mZoom, 0);
    const int right = std::min(exposed.right() / mZoom + 1, mImage->Width());
    const int bottom = std::min(exposed.bottom() / mZoom + 1, mImage->Height());
    if (left >= right || top >= bottom) return;

    QImage part(right - left, bottom - top, mSeeThrough ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const ColorValue key = mImage->TransparentColor();
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* s = mImage->Row(y) + 3 * left;
        auto* d = reinterpret_cast<QRgb*>(part.scanLine(y - top));
        for (int x = left; x < right; ++x, s += 3)
            *d++ = mSeeThrough && PixelColor(s) == key ? qRgba(0, 0, 0, 0) : qRgb(s[2], s[1], s[0]);
    }
    const QRect target(left * mZoom, top * mZoom, (right - left) * mZoom, (bottom - top) * mZoom);
    if (mSeeThrough) painter.fillRect(target, Checkerboard());
    painter.drawImage(target, part);

    if (GridShown()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 0));
        for (int x = left; x < right; ++x)
            painter.drawLine(x * mZoom, target.top(), x * mZoom, target.bottom());
        for (int y = top; y < bottom; ++y)
            painter.drawLine(target.left(), y * mZoom, target.right(), y * mZoom);
    }
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
