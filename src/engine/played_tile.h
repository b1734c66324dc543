#pragma once
// A tile of the room being played: the room's record of it and how the code
// has made it look. The look travels with the tile, so tiles added, deleted
// or kept in a saved game take theirs along; a room's tiles start plain.

#include <algorithm>

#include "resources/room.h"

namespace kestrin::engine {

struct TileLook {
    bool visible = true;
    // A negative scale mirrors the tile about its position, as with sprites.
    double xscale = 1, yscale = 1;
    double alpha = 1;  // 0 invisible .. 1 opaque
    bool operator==(const TileLook&) const = default;
};

struct PlayedTile : RoomTile {
    PlayedTile() = default;
    explicit PlayedTile(const RoomTile& tile) : RoomTile(tile) {}
    TileLook look;

    // Whether the point lies in the area the tile covers in the room (its
    // scaled extent); an extent of no size, from a zero or NaN scale, holds none.
    bool Covers(double x, double y) const {
        const double w = Width * look.xscale, h = Height * look.yscale;
        return x >= X + std::min(0.0, w) && x < X + std::max(0.0, w) && y >= Y + std::min(0.0, h) &&
               y < Y + std::max(0.0, h);
    }
};

}  // namespace kestrin::engine
