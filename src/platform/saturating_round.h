#pragma once
// Doubles shown or stored as 32-bit integers (path points, room positions,
// image sizes): rounded to the nearest, halves to even, and kept inside the
// integer range, so a huge or infinite value after a scale never turns into
// an arbitrary number. NaN counts as 0.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kestrin {

inline std::int32_t RoundToInt32(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    double rounded = std::nearbyint(value);
    if (rounded <= kLowest) return std::numeric_limits<std::int32_t>::min();
    if (rounded >= kHighest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

}  // namespace kestrin
