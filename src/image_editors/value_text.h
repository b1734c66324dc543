#pragma once
// How the text of a value field becomes a number: an optional leading minus,
// digits, and anything else skipped with the error flag set; the result is
// clamped into [minValue, maxValue] when minValue < maxValue. The digits are
// summed in 64 bits and saturate at the 32-bit range, so a long text shows
// an error instead of wrapping into some other number.

#include <cstdint>
#include <string_view>

namespace kestrin {

struct ParsedValue {
    std::int32_t value = 0;
    bool error = false;
    bool operator==(const ParsedValue&) const = default;
};

ParsedValue ParseValueText(std::string_view text, std::int32_t minValue, std::int32_t maxValue);

}  // namespace kestrin
