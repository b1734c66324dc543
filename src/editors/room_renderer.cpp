// Drawing a room as the room editor shows it: the paint list with cached
// pictures, the layers, the exclusive-or grid and the view outlines.

#include "editors/room_renderer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

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

RoomRenderer::RoomRenderer(CRoom& room, const ResourceLookup& game) : mRoom(room), mGame(game), mImages(game) {}

void RoomRenderer::Sort() { SortRoomForDrawing(mRoom, mGame); }

void RoomRenderer::Render(QImage& picture, const QRect& rect, std::int64_t scrollX, std::int64_t scrollY,
                          const RoomShowRules& rules, const QColor& outside) {
    QPainter painter(&picture);
    painter.setClipRect(rect);
    painter.fillRect(rect, outside);
    QRect inside = rect.intersected(QRect(QPoint(Clamped(-scrollX), Clamped(-scrollY)),
                                          QPoint(Clamped(std::int64_t{mRoom.Width} - 1 - scrollX),
                                                 Clamped(std::int64_t{mRoom.Height} - 1 - scrollY))));
    if (inside.isEmpty()) return;
    painter.setClipRect(inside);
    const RoomArea area{scrollX + inside.left(), scrollY + inside.top(), scrollX + inside.right() + 1,
                        scrollY + inside.bottom() + 1};
    const RoomPaintList list = BuildRoomPaintList(mRoom, mGame, rules, area);
    painter.fillRect(inside, ToQColor(list.fill));
    DrawLayers(painter, list.backgroundLayers, inside, scrollX, scrollY);
    for (const RoomPaintItem& item : list.items) {
        const QPoint at(Clamped(item.x - scrollX), Clamped(item.y - scrollY));
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
                painter.drawImage(QPoint(Clamped(x - scrollX), Clamped(y - scrollY)), image,
                                  QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                                        static_cast<int>(bottom - top)));
                break;
            }
        }
    }
    DrawLayers(painter, list.foregroundLayers, inside, scrollX, scrollY);
    painter.end();
    if (list.grid) XorGrid(picture, inside, scrollX, scrollY);
    if (list.views) {
        QPainter outlines(&picture);
        outlines.setClipRect(inside);
        DrawViewOutlines(outlines, scrollX, scrollY);
    }
}

void RoomRenderer::DrawLayers(QPainter& painter, const std::vector<int>& layers, const QRect& rect,
                              std::int64_t scrollX, std::int64_t scrollY) {
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
        std::int64_t x0 = std::int64_t{layer.X} - scrollX, y0 = std::int64_t{layer.Y} - scrollY;
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

void RoomRenderer::XorGrid(QImage& picture, const QRect& rect, std::int64_t scrollX, std::int64_t scrollY) {
    const std::int32_t snapX = mRoom.SnapX, snapY = mRoom.SnapY;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(rect.width()) * rect.height(), 0);
    bool any = false;
    if (!mRoom.Isometric) {
        if (snapX >= 4) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (Modulo(scrollX + x, snapX) != 0) continue;
                any = true;
                for (int y = 0; y < rect.height(); ++y) mask[static_cast<std::size_t>(y) * rect.width() + (x - rect.left())] = 1;
            }
        }
        if (snapY >= 4) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                if (Modulo(scrollY + y, snapY) != 0) continue;
                any = true;
                std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(y - rect.top()) * rect.width(), rect.width(), 1);
            }
        }
    } else if (snapX >= 4 && snapY >= 4) {
        // The diamond through the midpoints of the edges of every cell that
        // reaches into the rectangle.
        const std::int64_t firstX = scrollX + rect.left() - Modulo(scrollX + rect.left(), snapX) - snapX;
        const std::int64_t firstY = scrollY + rect.top() - Modulo(scrollY + rect.top(), snapY) - snapY;
        for (std::int64_t cy = firstY; cy <= scrollY + rect.bottom() + snapY; cy += snapY) {
            for (std::int64_t cx = firstX; cx <= scrollX + rect.right() + snapX; cx += snapX) {
                const std::int64_t midX = cx + snapX / 2 - scrollX, midY = cy + snapY / 2 - scrollY;
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
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(rect.top() + y)) + rect.left();
        const std::uint8_t* marks = mask.data() + static_cast<std::size_t>(y) * rect.width();
        for (int x = 0; x < rect.width(); ++x)
            if (marks[x]) row[x] ^= 0x00FFFFFF;
    }
}

void RoomRenderer::DrawViewOutlines(QPainter& painter, std::int64_t scrollX, std::int64_t scrollY) {
    for (int i = 0; i < kRoomViewCount; ++i) {
        const RoomView view = mRoom.GetView(i);
        if (!view.Visible) continue;
        const QRect outline(Clamped(std::int64_t{view.ViewX} - scrollX), Clamped(std::int64_t{view.ViewY} - scrollY),
                            view.ViewW, view.ViewH);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
    }
}

}  // namespace kestrin
