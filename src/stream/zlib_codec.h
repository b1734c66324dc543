#pragma once
// The zlib loops behind zblock, Compress and Decompress: 32 KiB input chunks,
// output written straight into the destination stream.

#include <cstddef>
#include <cstdint>

#include "stream/stream.h"

namespace kestrin {

// Appends one zlib stream of the bytes at the destination's position.
void DeflateBytes(const std::uint8_t* source, std::size_t count, CStream& destination, int levelIndex);

// No stored block inflates to more than this: a forged stream of a few
// megabytes could otherwise ask for gigabytes.
inline constexpr std::size_t kMaxInflatedSize = std::size_t(1) << 30;

// Inflates one zlib stream from the bytes into the destination's position;
// returns how many source bytes the stream took. A stream that does not end
// within count bytes fails with "buffer error" or "data error"; one that
// inflates beyond the limit with "insufficient memory".
std::size_t InflateBytes(const std::uint8_t* source, std::size_t count, CStream& destination,
                         std::size_t limit = kMaxInflatedSize);

}  // namespace kestrin
