// Snapping to the plain and the isometric grid.

#include "editors/room_snap.h"

#include <algorithm>
#include <cmath>

namespace kestrin {

namespace {

std::int32_t ToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

RoomPoint SnapRoomPoint(std::int64_t x, std::int64_t y, std::int32_t snapX, std::int32_t snapY, bool isometric) {
    const std::int64_t cellW = std::max<std::int32_t>(snapX, 1);
    const std::int64_t cellH = std::max<std::int32_t>(snapY, 1);
    std::int64_t gx = cellW * (x / cellW);
    std::int64_t gy = cellH * (y / cellH);
    if (isometric) {
        const double fx = static_cast<double>(x - gx) / static_cast<double>(cellW) - 0.5;
        const double fy = static_cast<double>(y - gy) / static_cast<double>(cellH) - 0.5;
        if (std::abs(fx) + std::abs(fy) > 0.5) {
            if (fx < 0) gx -= cellW / 2;
            if (fx > 0) gx += cellW / 2;
            if (fy < 0) gy -= cellH / 2;
            if (fy > 0) gy += cellH / 2;
        }
    }
    return {ToInt32(gx), ToInt32(gy)};
}

}  // namespace kestrin
