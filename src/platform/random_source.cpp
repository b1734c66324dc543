// The process-wide random source.

#include "platform/random_source.h"

#include <chrono>

namespace kestrin {

RandomSource::RandomSource()
    : mEngine(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
              std::random_device{}()) {}

RandomSource::RandomSource(std::uint64_t seed) : mEngine(seed) {}

std::int32_t RandomSource::Next(std::int32_t range) {
    if (range <= 0) return 0;
    return static_cast<std::int32_t>(mEngine() % static_cast<std::uint64_t>(range));
}

std::uint8_t RandomSource::NextByte() { return static_cast<std::uint8_t>(mEngine() >> 56); }

RandomSource& Random() {
    static RandomSource source;
    return source;
}

}  // namespace kestrin
