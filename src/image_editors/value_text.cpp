// The value field's reading of its text.

#include "image_editors/value_text.h"

#include <limits>

namespace kestrin {

ParsedValue ParseValueText(std::string_view text, std::int32_t minValue, std::int32_t maxValue) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    ParsedValue result;
    std::int64_t sign = 1;
    std::int64_t n = 0;
    bool overflow = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (i == 0 && c == '-') {
            sign = -1;
        } else if (c >= '0' && c <= '9') {
            n = n * 10 + (c - '0');
            // Past the range of either sign: stop growing, the value saturates.
            if (n > kHighest + 1) {
                n = kHighest + 1;
                overflow = true;
            }
        } else {
            result.error = true;
        }
    }
    std::int64_t value = n * sign;
    if (value > kHighest) {
        value = kHighest;
        overflow = true;
    }
    if (value < kLowest) value = kLowest;
    if (overflow) result.error = true;
    result.value = static_cast<std::int32_t>(value);
    if (minValue < maxValue) {
        if (result.value < minValue) {
            result.value = minValue;
            result.error = true;
        }
        if (result.value > maxValue) {
            result.value = maxValue;
            result.error = true;
        }
    }
    return result;
}

}  // namespace kestrin
