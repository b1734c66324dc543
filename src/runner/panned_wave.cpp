// Reading the samples of a wave file, scaling each side and writing them
// back as two channels of the same kind.

#include "runner/panned_wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "stream/little_endian.h"

namespace kestrin::runner {

namespace {

constexpr int kWholeSamples = 1;
constexpr int kFloatSamples = 3;
constexpr int kExtensible = 0xFFFE;

struct Format {
    int kind = 0;  // whole samples or floats
    int channels = 0;
    std::uint32_t rate = 0;
    int bits = 0;
};

bool Usable(const Format& f) {
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.kind == kFloatSamples) return f.bits == 32;
    return f.kind == kWholeSamples && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
}

// One sample scaled by `gain` (at most 1, so it cannot overflow), in place.
void Scale(char* sample, const Format& f, double gain) {
    if (gain == 1) return;
    if (f.kind == kFloatSamples) {
        float value;
        std::memcpy(&value, sample, 4);
        value = static_cast<float>(value * gain);
        std::memcpy(sample, &value, 4);
        return;
    }
    const int size = f.bits / 8;
    if (size == 1) {  // 8-bit samples are unsigned around 128
        const int value = static_cast<unsigned char>(*sample) - 128;
        *sample = static_cast<char>(std::lround(value * gain) + 128);
        return;
    }
    std::uint32_t raw = 0;
    for (int i = size - 1; i >= 0; --i) raw = raw << 8 | static_cast<unsigned char>(sample[i]);
    const int shift = 32 - f.bits;  // sign-extends the sample's top bit
    const auto value = static_cast<std::int32_t>(raw << shift) >> shift;
    const auto scaled = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * gain)));
    for (int i = 0; i < size; ++i) sample[i] = static_cast<char>(scaled >> (8 * i) & 0xFF);
}

}  // namespace

std::optional<std::string> PannedWave(const std::string& wave, double pan) {
    if (wave.size() < 12 || wave.compare(0, 4, "RIFF") != 0 || wave.compare(8, 4, "WAVE") != 0) return std::nullopt;
    Format format;
    std::size_t dataAt = 0;
    std::size_t dataSize = 0;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= wave.size() && !haveData;) {
        const std::string id = wave.substr(at, 4);
        const std::size_t size = ReadLittleEndian(wave, at + 4, 4);
        const std::size_t body = at + 8;
        // A truncated last chunk is common in wave files found in the wild.
        const std::size_t present = std::min(size, wave.size() - body);
        if (id == "fmt " && present >= 16) {
            format.kind = static_cast<int>(ReadLittleEndian(wave, body, 2));
            format.channels = static_cast<int>(ReadLittleEndian(wave, body + 2, 2));
            format.rate = ReadLittleEndian(wave, body + 4, 4);
            format.bits = static_cast<int>(ReadLittleEndian(wave, body + 14, 2));
            if (format.kind == kExtensible && present >= 26) format.kind = static_cast<int>(ReadLittleEndian(wave, body + 24, 2));
        } else if (id == "data") {
            dataAt = body;
            dataSize = present;
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveData || !Usable(format)) return std::nullopt;

    const int sampleSize = format.bits / 8;
    const std::size_t frames = dataSize / (sampleSize * format.channels);
    const double amount = std::isfinite(pan) ? std::clamp(pan, -1.0, 1.0) : 0.0;
    const double gains[2] = {std::min(1.0, 1 - amount), std::min(1.0, 1 + amount)};

    std::string samples(frames * 2 * sampleSize, '\0');
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const char* source = wave.data() + dataAt + frame * sampleSize * format.channels;
        char* target = samples.data() + frame * 2 * sampleSize;
        for (int side = 0; side < 2; ++side) {
            char* sample = target + side * sampleSize;
            std::memcpy(sample, source + (format.channels == 2 ? side * sampleSize : 0), sampleSize);
            Scale(sample, format, gains[side]);
        }
    }

    std::string out = "RIFF";
    AppendLittleEndian(out, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + samples.size()), 4);
    out += "WAVEfmt ";
    AppendLittleEndian(out, 16, 4);
    AppendLittleEndian(out, static_cast<std::uint32_t>(format.kind), 2);
    AppendLittleEndian(out, 2, 2);
    AppendLittleEndian(out, format.rate, 4);
    AppendLittleEndian(out, format.rate * 2 * sampleSize, 4);
    AppendLittleEndian(out, static_cast<std::uint32_t>(2 * sampleSize), 2);
    AppendLittleEndian(out, static_cast<std::uint32_t>(format.bits), 2);
    out += "data";
    AppendLittleEndian(out, static_cast<std::uint32_t>(samples.size()), 4);
    return out + samples;
}

}  // namespace kestrin::runner
