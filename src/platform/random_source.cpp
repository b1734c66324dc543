// The process-wide random source.

#include "platform/random_source.h"

#include <chrono>
#include <sstream>

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

std::string RandomSource::State() const {
    std::ostringstream text;
    text << mEngine;
    return text.str();
}

bool RandomSource::SetState(const std::string& state) {
    std::istringstream text(state);
    std::mt19937_64 engine;
    text >> engine;
    if (!text) return false;
    mEngine = engine;
    return true;
}

RandomSource& Random() {
    static RandomSource source;
    return source;
}

}  // namespace kestrin
