#pragma once
// RoomRenderer: the picture of a room as the room editor shows it, drawn
// into a part of a QImage at 1:1. Outside the room the picture gets the
// caller's colour; inside, the fill, the background layers, the instances
// and tiles by depth, the foreground layers, then the grid and the view
// outlines as the show rules ask. Pictures come converted once from its
// RoomImageCache. The room editor's view and the path editor's room behind
// the path both draw through it.

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

#include "editors/room_image_cache.h"
#include "editors/room_paint_list.h"

class QPainter;

namespace kestrin {

class CRoom;

class RoomRenderer {
public:
    RoomRenderer(CRoom& room, const ResourceLookup& game);

    RoomImageCache& Images() { return mImages; }
    // Puts the room's lists in the order drawing walks them; Render takes
    // them as they are, so sort after they change.
    void Sort();
    // Draws the rectangle of the picture, whose pixel (0, 0) shows the
    // room's point (scrollX, scrollY). The picture has 32 bits per pixel.
    void Render(QImage& picture, const QRect& rect, std::int64_t scrollX, std::int64_t scrollY,
                const RoomShowRules& rules, const QColor& outside);

private:
    void DrawLayers(QPainter& painter, const std::vector<int>& layers, const QRect& rect, std::int64_t scrollX,
                    std::int64_t scrollY);
    void XorGrid(QImage& picture, const QRect& rect, std::int64_t scrollX, std::int64_t scrollY);
    void DrawViewOutlines(QPainter& painter, std::int64_t scrollX, std::int64_t scrollY);

    CRoom& mRoom;
    const ResourceLookup& mGame;
    RoomImageCache mImages;
};

}  // namespace kestrin
