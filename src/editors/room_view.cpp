// The room view: back buffer, dirty rectangles, the paint list drawn with
// cached pictures, the XOR grid, view outlines, zoom, wheel and panning.

#include "editors/room_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "editors/no_sprite_picture.h"
#include "resources/background.h"
#include "resources/room.h"

namespace kestrin {

namespace {

int Clamped(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN / 2, INT32_MAX / 2)); }

QColor ToQColor(ColorValue color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// Remainder that is never negative.
std::int64_t Modulo(std::int64_t value, std::int64_t by) {
    const std::int64_t r = value % by;
    return r < 0 ? r + by : r;
}

// Marks the pixels of a line in a mask of the rectangle.
void MaskLine(std::vector<std::uint8_t>& mask, const QRect& rect, std::int64_t x0, std::int64_t y0, std::int64_t x1,
              std::int64_t y1) {
    const std::int64_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    std::int64_t error = dx + dy;
    for (;;) {
        if (x0 >= rect.left() && x0 <= rect.right() && y0 >= rect.top() && y0 <= rect.bottom())
            mask[static_cast<std::size_t>((y0 - rect.top()) * rect.width() + (x0 - rect.left()))] = 1;
        if (x0 == x1 && y0 == y1) return;
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

}  // namespace

TRoomView::TRoomView(CRoom& room, const ResourceLookup& game, QWidget* parent)
    : QWidget(parent), mRoom(room), mGame(game), mImages(game) {
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
    SortRoomForDrawing(mRoom, mGame);
    const QRegion dirty = mDirty;
    mDirty = QRegion();
    for (const QRect& rect : dirty) RenderRect(rect);
}

void TRoomView::RenderRect(const QRect& rect) {
    QPainter painter(&mBuffer);
    painter.setClipRect(rect);
    // Beyond the room's end: the panel's colour.
    painter.fillRect(rect, palette().color(QPalette::Dark));
    QRect inside = rect.intersected(QRect(QPoint(Clamped(-mScrollX), Clamped(-mScrollY)),
                                          QPoint(Clamped(std::int64_t{mRoom.Width} - 1 - mScrollX),
                                                 Clamped(std::int64_t{mRoom.Height} - 1 - mScrollY))));
    if (inside.isEmpty()) return;
    painter.setClipRect(inside);
    const RoomArea area{mScrollX + inside.left(), mScrollY + inside.top(), mScrollX + inside.right() + 1,
                        mScrollY + inside.bottom() + 1};
    const RoomPaintList list = BuildRoomPaintList(mRoom, mGame, mRules, area);
    painter.fillRect(inside, ToQColor(list.fill));
    DrawLayers(painter, list.backgroundLayers, inside);
    for (const RoomPaintItem& item : list.items) {
        const QPoint at(Clamped(item.x - mScrollX), Clamped(item.y - mScrollY));
        switch (item.kind) {
            case RoomPaintItem::Kind::Sprite: {
                const QImage& image = mImages.Sprite(item.resource);
                if (!image.isNull()) painter.drawImage(at, image);
                break;
            }
            case RoomPaintItem::Kind::Placeholder: painter.drawImage(at, NoSpritePicture()); break;
            case RoomPaintItem::Kind::Tile: {
                const RoomTile& tile = mRoom.Tiles()[item.index];
                const QImage& image = mImages.Background(tile.Background);
                if (image.isNull()) break;
                // Only the part inside the picture shows, as tile rectangles
                // from files may reach outside it.
                std::int64_t left = tile.Left, top = tile.Top;
                std::int64_t right = std::min<std::int64_t>(left + tile.Width, image.width());
                std::int64_t bottom = std::min<std::int64_t>(top + tile.Height, image.height());
                std::int64_t x = item.x, y = item.y;
                if (left < 0) { x -= left; left = 0; }
                if (top < 0) { y -= top; top = 0; }
                if (right <= left || bottom <= top) break;
                painter.drawImage(QPoint(Clamped(x - mScrollX), Clamped(y - mScrollY)), image,
                                  QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                                        static_cast<int>(bottom - top)));
                break;
            }
        }
    }
    DrawLayers(painter, list.foregroundLayers, inside);
    painter.end();
    if (list.grid) XorGrid(inside);
    if (list.views) {
        QPainter outlines(&mBuffer);
        outlines.setClipRect(inside);
        DrawViewOutlines(outlines);
    }
}

void TRoomView::DrawLayers(QPainter& painter, const std::vector<int>& layers, const QRect& rect) {
    for (int i : layers) {
        const RoomBackground layer = mRoom.GetLayer(i);
        const CBackground* background = mGame.BackgroundAt(layer.Background);
        const QImage& image = mImages.Background(layer.Background);
        if (!background || image.isNull()) continue;
        double xScale = 1.0, yScale = 1.0;
        if (layer.Stretch) {
            xScale = static_cast<double>(mRoom.Width) / background->Width;
            yScale = static_cast<double>(mRoom.Height) / background->Height;
        }
        const std::int64_t w = static_cast<std::int64_t>(std::nearbyint(xScale * background->Width));
        const std::int64_t h = static_cast<std::int64_t>(std::nearbyint(yScale * background->Height));
        if (w < 1 || h < 1) continue;
        const bool stretched = xScale != 1 || yScale != 1;
        // The first copy that reaches into the rectangle, on the layer's grid.
        std::int64_t x0 = std::int64_t{layer.X} - mScrollX, y0 = std::int64_t{layer.Y} - mScrollY;
        if (layer.TileH) x0 = rect.left() - Modulo(rect.left() - x0, w);
        if (layer.TileV) y0 = rect.top() - Modulo(rect.top() - y0, h);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (std::int64_t x = x0; x <= rect.right(); x += w) {
            for (std::int64_t y = y0; y <= rect.bottom(); y += h) {
                if (stretched)
                    painter.drawImage(QRect(Clamped(x), Clamped(y), static_cast<int>(w), static_cast<int>(h)), image);
                else
                    painter.drawImage(QPoint(Clamped(x), Clamped(y)), image);
                if (!layer.TileV) break;
            }
            if (!layer.TileH) break;
        }
    }
}

void TRoomView::XorGrid(const QRect& rect) {
    const std::int32_t snapX = mRoom.SnapX, snapY = mRoom.SnapY;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(rect.width()) * rect.height(), 0);
    bool any = false;
    if (!mRoom.Isometric) {
        if (snapX >= 4) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (Modulo(mScrollX + x, snapX) != 0) continue;
                any = true;
                for (int y = 0; y < rect.height(); ++y) mask[static_cast<std::size_t>(y) * rect.width() + (x - rect.left())] = 1;
            }
        }
        if (snapY >= 4) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                if (Modulo(mScrollY + y, snapY) != 0) continue;
                any = true;
                std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(y - rect.top()) * rect.width(), rect.width(), 1);
            }
        }
    } else if (snapX >= 4 && snapY >= 4) {
        // The diamond through the midpoints of the edges of every cell that
        // reaches into the rectangle.
        const std::int64_t firstX = mScrollX + rect.left() - Modulo(mScrollX + rect.left(), snapX) - snapX;
        const std::int64_t firstY = mScrollY + rect.top() - Modulo(mScrollY + rect.top(), snapY) - snapY;
        for (std::int64_t cy = firstY; cy <= mScrollY + rect.bottom() + snapY; cy += snapY) {
            for (std::int64_t cx = firstX; cx <= mScrollX + rect.right() + snapX; cx += snapX) {
                const std::int64_t midX = cx + snapX / 2 - mScrollX, midY = cy + snapY / 2 - mScrollY;
                const std::int64_t topY = midY - snapY / 2, bottomY = midY + snapY / 2;
                const std::int64_t leftX = midX - snapX / 2, rightX = midX + snapX / 2;
                MaskLine(mask, rect, midX, topY, rightX, midY);
                MaskLine(mask, rect, rightX, midY, midX, bottomY);
                MaskLine(mask, rect, midX, bottomY, leftX, midY);
                MaskLine(mask, rect, leftX, midY, midX, topY);
            }
        }
        any = true;
    }
    if (!any) return;
    for (int y = 0; y < rect.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(mBuffer.scanLine(rect.top() + y)) + rect.left();
        const std::uint8_t* marks = mask.data() + static_cast<std::size_t>(y) * rect.width();
        for (int x = 0; x < rect.width(); ++x)
            if (marks[x]) row[x] ^= 0x00FFFFFF;
    }
}

void TRoomView::DrawViewOutlines(QPainter& painter) {
    for (int i = 0; i < kRoomViewCount; ++i) {
        const RoomView view = mRoom.GetView(i);
        if (!view.Visible) continue;
        const QRect outline(Clamped(std::int64_t{view.ViewX} - mScrollX), Clamped(std::int64_t{view.ViewY} - mScrollY),
                            view.ViewW, view.ViewH);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
    }
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
