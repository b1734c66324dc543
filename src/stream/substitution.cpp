// The seeded byte permutation that hides game data in stand-alone executables.

#include "stream/stream.h"

namespace kestrin {

SubstitutionTables BuildSubstitution(std::int32_t seed) {
    SubstitutionTables t;
    for (int i = 0; i < 256; ++i) t.forward[i] = t.reverse[i] = static_cast<std::uint8_t>(i);
    if (seed <= 0) return t;
    for (std::int64_t i = 1; i <= 10000; ++i) {
        // 32-bit signed arithmetic as stored files were made with it.
        auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(i * seed));
        int j = product % 254 + 1;
        if (j < 1) j += 254;  // a wrapped product; never for the seeds in use
        std::swap(t.forward[j], t.forward[j + 1]);
    }
    for (int i = 1; i < 256; ++i) t.reverse[t.forward[i]] = static_cast<std::uint8_t>(i);
    return t;
}

}  // namespace kestrin
