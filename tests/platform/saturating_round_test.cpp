// Doubles become 32-bit integers halves to even, saturating, NaN as 0.

#include <gtest/gtest.h>

#include <limits>

#include "platform/saturating_round.h"

namespace kestrin {
namespace {

TEST(SaturatingRound, RoundsHalvesToEvenAndStaysInRange) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double in;
        std::int32_t out;
    } cases[] = {
        {0.5, 0},           {1.5, 2},          {2.5, 2},          {-0.5, 0},           {-1.5, -2},
        {2.4999, 2},        {1e10, INT32_MAX}, {-1e10, INT32_MIN}, {kInf, INT32_MAX}, {-kInf, INT32_MIN},
        {std::nan(""), 0},  {2147483646.6, INT32_MAX},            {-2147483648.4, INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundToInt32(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace kestrin
