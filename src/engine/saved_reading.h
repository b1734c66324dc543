#pragma once
// Reading a save file trusts nothing: content that cannot belong to a game
// throws SaveDamaged, which the reader reports as a damaged file, like the
// stream's own read errors.

#include <cstddef>
#include <cstdint>

#include "stream/stream.h"

namespace kestrin::engine {

struct SaveDamaged {};

inline void CheckSaved(bool holds) {
    if (!holds) throw SaveDamaged{};
}

// A count of things that each take at least `smallest` bytes, so a damaged
// count never asks for more than the bytes that remain could hold.
inline std::size_t ReadSavedCount(CStream& in, std::size_t smallest) {
    const std::int32_t count = in.ReadInteger();
    CheckSaved(count >= 0 && static_cast<std::size_t>(count) <= in.Remaining() / smallest);
    return static_cast<std::size_t>(count);
}

}  // namespace kestrin::engine
