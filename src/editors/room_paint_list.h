#pragma once
// What the room editor paints for an area of the room, in order: the fill,
// the background layers, the instances and tiles merged by depth and culled
// to the area, the foreground layers, and whether the grid and the view
// outlines go on top. Qt-free, so that the room view, the path editor and
// tests share it; PaintRoomList draws a list on any DrawTarget.

#include <cstdint>
#include <vector>

#include "imaging/bitmap24.h"
#include "resources/resource_kind.h"

namespace kestrin {

class CRoom;
class DrawTarget;

// The side-panel pages in their logical order (stored as the active tab).
enum class RoomTab : int { Objects = 0, Settings = 1, Tiles = 2, Backgrounds = 3, Views = 4 };

// Room coordinates, right and bottom exclusive, in 64 bits so that far-off
// items cannot wrap.
struct RoomArea {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool Intersects(const RoomArea& other) const {
        return !Empty() && !other.Empty() && left < other.right && other.left < right && top < other.bottom &&
               other.top < bottom;
    }
    RoomArea United(const RoomArea& other) const;
    RoomArea Intersected(const RoomArea& other) const;
    bool operator==(const RoomArea&) const = default;
};

struct RoomShowRules {
    bool grid = true, objects = true, tiles = true, backgrounds = true, foregrounds = true, views = false;
    RoomTab tab = RoomTab::Objects;
    std::int32_t currentLayer = 0;
    // The backgrounds tab's selected layer has its foreground box set.
    bool selectedLayerForeground = false;
    bool operator==(const RoomShowRules&) const = default;
};

struct RoomPaintItem {
    enum class Kind { Sprite, Placeholder, Tile };
    Kind kind = Kind::Sprite;
    int index = 0;                 // in the room's instance or tile list
    std::int32_t resource = -1;    // the sprite or the background
    std::int64_t x = 0, y = 0;     // top-left corner in the room
};

struct RoomPaintList {
    ColorValue fill = 0;
    std::vector<int> backgroundLayers;
    std::vector<RoomPaintItem> items;
    std::vector<int> foregroundLayers;
    bool grid = false;
    bool views = false;
};

// The area an instance covers as drawn (its sprite's frame at the origin, or
// the 16 x 16 placeholder); empty for a missing object.
RoomArea InstanceArea(const CRoom& room, int index, const ResourceLookup& game);
RoomArea TileArea(const CRoom& room, int index);

// Both lists in the order drawing walks them (descending depth).
void SortRoomForDrawing(CRoom& room, const ResourceLookup& game);

// The list for the area; the room's lists are taken in the order they have
// (sort them first).
RoomPaintList BuildRoomPaintList(const CRoom& room, const ResourceLookup& game, const RoomShowRules& rules,
                                 const RoomArea& area);

// Draws the list with the room's point (offsetX, offsetY) at the target's
// (0, 0); placeholder is the picture of instances without a sprite. Grid
// and outlines are left to the caller.
void PaintRoomList(const RoomPaintList& list, const CRoom& room, const ResourceLookup& game, DrawTarget& target,
                   std::int64_t offsetX, std::int64_t offsetY, const Bitmap24* placeholder);

}  // namespace kestrin
