// Tileset cell maths, in 64 bits so that offsets and sizes from files cannot
// overflow.

#include "editors/room_tileset.h"

#include <algorithm>

namespace kestrin {

namespace {

std::int32_t ToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

TileSelection TileCellAt(std::int32_t x, std::int32_t y, const TileSettings& settings) {
    const std::int64_t stepX = std::max<std::int64_t>(std::int64_t{settings.width} + settings.hSep, 1);
    const std::int64_t stepY = std::max<std::int64_t>(std::int64_t{settings.height} + settings.vSep, 1);
    const std::int64_t column = (std::int64_t{x} - settings.xOffset) / stepX;
    const std::int64_t row = (std::int64_t{y} - settings.yOffset) / stepY;
    return {ToInt32(settings.xOffset + column * stepX), ToInt32(settings.yOffset + row * stepY), settings.width,
            settings.height};
}

TileSelection FreeSelectionCorner(const TileSelection& selection, std::int32_t x, std::int32_t y) {
    TileSelection result = selection;
    result.x = x;
    result.y = y;
    return result;
}

TileSelection FreeSelectionSize(const TileSelection& selection, std::int32_t x, std::int32_t y) {
    TileSelection result = selection;
    result.width = ToInt32(std::max<std::int64_t>(std::int64_t{x} - selection.x, 1));
    result.height = ToInt32(std::max<std::int64_t>(std::int64_t{y} - selection.y, 1));
    return result;
}

}  // namespace kestrin
