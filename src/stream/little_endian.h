#pragma once
// Whole numbers of 1 to 4 bytes, least significant byte first, in and out of
// byte strings: the order of wave files and of the players' messages.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrin {

// The caller makes sure the bytes are there.
inline std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace kestrin
