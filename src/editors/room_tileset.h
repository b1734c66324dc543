#pragma once
// The cell grid laid over a tileset picture and the selection cut from it.
// Qt-free.

#include <cstdint>

namespace kestrin {

struct TileSettings {
    std::int32_t width = 16, height = 16;
    std::int32_t xOffset = 0, yOffset = 0;
    std::int32_t hSep = 1, vSep = 1;
    bool operator==(const TileSettings&) const = default;
};

struct TileSelection {
    std::int32_t x = 0, y = 0, width = 16, height = 16;
    bool operator==(const TileSelection&) const = default;
};

// The cell under the point. A cell step (size plus separation) of 0 or less,
// which a room file can hold, counts as 1.
TileSelection TileCellAt(std::int32_t x, std::int32_t y, const TileSettings& settings);

// The free selection: pressing puts the corner at the point, moving sizes
// the selection up to the point, at least 1 each way.
TileSelection FreeSelectionCorner(const TileSelection& selection, std::int32_t x, std::int32_t y);
TileSelection FreeSelectionSize(const TileSelection& selection, std::int32_t x, std::int32_t y);

}  // namespace kestrin
