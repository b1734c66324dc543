#pragma once
// The room editor's grid: snapping a room point to it, plain or isometric.
// Qt-free, shared by placing, moving, the snap commands and the status bar.

#include <cstdint>

namespace kestrin {

struct RoomPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const RoomPoint&) const = default;
};

// Plain: down to the cell's corner (integer division truncating toward
// zero). Isometric: a point inside the diamond inscribed in its cell snaps
// to the cell's corner, one in a corner triangle half a cell further toward
// that corner. A cell size of 0 or less counts as 1, so a room from a file
// cannot divide by zero.
RoomPoint SnapRoomPoint(std::int64_t x, std::int64_t y, std::int32_t snapX, std::int32_t snapY, bool isometric);

}  // namespace kestrin
