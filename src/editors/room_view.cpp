// The room view: back buffer, dirty rectangles drawn by the room renderer,
// the ghost, zoom, wheel and panning.

#include "editors/room_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace kestrin {

TRoomView::TRoomView(CRoom& room, const ResourceLookup& game, QWidget* parent)
    : QWidget(parent), mRenderer(room, game) {
    setObjectName(QStringLiteral("RoomImg"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void TRoomView::SetRules(const RoomShowRules& rules) {
    if (rules == mRules) return;
    mRules = rules;
    RepaintAll();
}

void TRoomView::SetScroll(std::int64_t x, std::int64_t y) {
    if (x == mScrollX && y == mScrollY) return;
    mScrollX = x;
    mScrollY = y;
    RepaintAll();
}

void TRoomView::SetZoom(int percent) {
    percent = std::clamp(percent, kMinRoomZoom, kMaxRoomZoom);
    if (percent == mZoom) return;
    mZoom = percent;
    ResizeBuffer();
}

std::int64_t TRoomView::VisibleWidth() const { return (std::int64_t{width()} * 100 + mZoom - 1) / mZoom; }
std::int64_t TRoomView::VisibleHeight() const { return (std::int64_t{height()} * 100 + mZoom - 1) / mZoom; }

std::int64_t TRoomView::RoomX(int x) const { return mScrollX + static_cast<std::int64_t>(std::floor(x * 100.0 / mZoom)); }
std::int64_t TRoomView::RoomY(int y) const { return mScrollY + static_cast<std::int64_t>(std::floor(y * 100.0 / mZoom)); }

void TRoomView::ResizeBuffer() {
    const int w = static_cast<int>(std::max<std::int64_t>(VisibleWidth(), 1));
    const int h = static_cast<int>(std::max<std::int64_t>(VisibleHeight(), 1));
    if (mBuffer.width() != w || mBuffer.height() != h) mBuffer = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    RepaintAll();
}

void TRoomView::RepaintAll() {
    mDirty = QRegion(mBuffer.rect());
    update();
}

void TRoomView::RepaintArea(const RoomArea& area) {
    if (area.Empty()) {
        RepaintAll();
        return;
    }
    const RoomArea visible{mScrollX, mScrollY, mScrollX + mBuffer.width(), mScrollY + mBuffer.height()};
    const RoomArea part = area.Intersected(visible);
    if (part.Empty()) return;
    const QRect rect(static_cast<int>(part.left - mScrollX), static_cast<int>(part.top - mScrollY),
                     static_cast<int>(part.right - part.left), static_cast<int>(part.bottom - part.top));
    mDirty += rect;
    update(WidgetRectOf(rect));
}

QRect TRoomView::WidgetRectOf(const QRect& bufferRect) const {
    // Whole widget pixels covering the buffer pixels, rounded outward.
    const int left = bufferRect.left() * mZoom / 100;
    const int top = bufferRect.top() * mZoom / 100;
    const int right = ((bufferRect.right() + 1) * mZoom + 99) / 100;
    const int bottom = ((bufferRect.bottom() + 1) * mZoom + 99) / 100;
    return QRect(left, top, right - left, bottom - top);
}

void TRoomView::Render() {
    if (mBuffer.isNull()) ResizeBuffer();
    if (mDirty.isEmpty()) return;
    // The lists stay in drawing order after every repaint.
    mRenderer.Sort();
    const QRegion dirty = mDirty;
    mDirty = QRegion();
    // Beyond the room's end: the panel's colour.
    const QColor outside = palette().color(QPalette::Dark);
    for (const QRect& rect : dirty) mRenderer.Render(mBuffer, rect, mScrollX, mScrollY, mRules, outside);
}

void TRoomView::SetGhost(const QImage& image, std::int64_t x, std::int64_t y) {
    if (mGhost.isNull() && image.isNull()) return;
    mGhost = image;
    mGhostX = x;
    mGhostY = y;
    update();
}

void TRoomView::paintEvent(QPaintEvent* event) {
    Render();
    QPainter painter(this);
    if (mZoom == 100) {
        painter.drawImage(event->rect(), mBuffer, event->rect());
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRectF(0, 0, mBuffer.width() * mZoom / 100.0, mBuffer.height() * mZoom / 100.0), mBuffer);
    }
    if (!mGhost.isNull()) {
        painter.setOpacity(0.5);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QRectF at((mGhostX - mScrollX) * mZoom / 100.0, (mGhostY - mScrollY) * mZoom / 100.0,
                        mGhost.width() * mZoom / 100.0, mGhost.height() * mZoom / 100.0);
        painter.drawImage(at, mGhost);
    }
}

void TRoomView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeBuffer();
    emit Resized();
}

void TRoomView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::MiddleButton) {
        mPanning = true;
        mPanFrom = at;
        return;
    }
    emit MousePressed(event->button(), RoomX(at.x()), RoomY(at.y()), event->modifiers());
}

void TRoomView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (mPanning) {
        const QPoint moved = at - mPanFrom;
        mPanFrom = at;
        emit ScrollRequested(-moved.x() * 100 / mZoom, -moved.y() * 100 / mZoom);
        return;
    }
    emit MouseMoved(event->buttons() & ~Qt::MiddleButton, RoomX(at.x()), RoomY(at.y()), event->modifiers());
}

void TRoomView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        mPanning = false;
        return;
    }
    const QPoint at = event->position().toPoint();
    emit MouseReleased(event->button(), RoomX(at.x()), RoomY(at.y()), event->modifiers());
}

void TRoomView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (steps == 0) return;
    if (event->modifiers() & Qt::ControlModifier) {
        emit ZoomRequested(steps > 0 ? mZoom * 2 : mZoom / 2);
    } else {
        const qint64 by = -steps / 120.0 * 48 * 100 / mZoom;
        if (event->modifiers() & Qt::ShiftModifier)
            emit ScrollRequested(by, 0);
        else
            emit ScrollRequested(0, by);
    }
    event->accept();
}

}  // namespace kestrin
