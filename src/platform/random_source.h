#pragma once
// The one source of random numbers: game ids, scratch names, padding and
// seeds all draw from it, so tests can fix them.

#include <cstdint>
#include <random>
#include <string>

namespace kestrin {

class RandomSource {
public:
    RandomSource();                               // seeded from the clock
    explicit RandomSource(std::uint64_t seed);    // repeatable
    // A whole number in 0 .. range-1 (0 when range <= 0).
    std::int32_t Next(std::int32_t range);
    std::uint8_t NextByte();
    void Reseed(std::uint64_t seed) { mEngine.seed(seed); }
    // The whole state as text, so a saved game goes on with the same numbers.
    std::string State() const;
    // False (nothing changed) for a text that is no state.
    bool SetState(const std::string& state);

private:
    std::mt19937_64 mEngine;
};

// The process-wide source; tests may reseed it.
RandomSource& Random();

}  // namespace kestrin
