#pragma once
// Reading a number that the user or a library typed as text: the whole text
// must be one decimal 32-bit integer, otherwise the caller's fallback holds.

#include <charconv>
#include <cstdint>
#include <string>

namespace kestrin {

inline std::int32_t IntegerOr(const std::string& text, std::int32_t fallback) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [next, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && next == end && !text.empty() ? value : fallback;
}

}  // namespace kestrin
