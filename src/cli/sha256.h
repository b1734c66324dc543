#pragma once
// SHA-256 of a run of bytes, as 64 lowercase hex digits: the dump names
// pictures and data by their digest instead of printing them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrin::cli {

class Sha256 {
public:
    Sha256();
    void Add(const void* data, std::size_t size);
    // The digest of everything added; the object is spent afterwards.
    std::string FinishHex();

private:
    void Block(const std::uint8_t* block);

    std::array<std::uint32_t, 8> mState;
    std::array<std::uint8_t, 64> mBuffer{};
    std::size_t mBuffered = 0;
    std::uint64_t mLength = 0;
};

std::string Sha256Hex(const void* data, std::size_t size);

}  // namespace kestrin::cli
