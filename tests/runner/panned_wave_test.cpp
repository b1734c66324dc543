// Panning a wave file: each kind of sample scaled on the far side, one
// channel made two, and the files that cannot be panned refused.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runner/panned_wave.h"

namespace kestrin::runner {
namespace {

void Put(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string Chunk(const std::string& id, const std::string& body, std::uint32_t declared) {
    std::string chunk = id;
    Put(chunk, declared, 4);
    chunk += body;
    if (body.size() & 1) chunk += '\0';
    return chunk;
}

// A wave file of the given format whose data chunk holds `samples`, with
// `before` (whole chunks) between the format and the data.
std::string Wave(int kind, int channels, int bits, const std::string& samples, const std::string& before = {},
                 bool extensible = false) {
    std::string format;
    Put(format, extensible ? 0xFFFE : kind, 2);
    Put(format, channels, 2);
    Put(format, 8000, 4);
    Put(format, 8000 * channels * bits / 8, 4);
    Put(format, channels * bits / 8, 2);
    Put(format, bits, 2);
    if (extensible) {
        Put(format, 22, 2);
        Put(format, bits, 2);
        Put(format, 3, 4);  // the speakers
        Put(format, kind, 2);
        format += std::string(14, 'g');  // the rest of the kind's identifier
    }
    const std::string body = "WAVE" + Chunk("fmt ", format, format.size()) + before +
                             Chunk("data", samples, static_cast<std::uint32_t>(samples.size()));
    std::string wave = "RIFF";
    Put(wave, static_cast<std::uint32_t>(body.size()), 4);
    return wave + body;
}

std::string Samples16(const std::vector<std::int16_t>& values) {
    std::string bytes;
    for (std::int16_t v : values) Put(bytes, static_cast<std::uint16_t>(v), 2);
    return bytes;
}

std::string Floats(const std::vector<float>& values) {
    std::string bytes(values.size() * 4, '\0');
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

TEST(PannedWave, TheFarSideIsTurnedDownInEveryKindOfSample) {
    struct Case {
        const char* name;
        std::string wave;
        double pan;
        int kind, bits;
        std::string samples;  // as two channels
    };
    const std::string list = Chunk("LIST", "odd", 3);  // a chunk of odd size is padded
    const Case cases[] = {
        {"16 bits, one channel, half left", Wave(1, 1, 16, Samples16({1000, -1000, 32767})), -0.5, 1, 16,
         Samples16({1000, 500, -1000, -500, 32767, 16384})},
        {"16 bits, two channels, a quarter right", Wave(1, 2, 16, Samples16({800, 800, -32768, -32768})), 0.25, 1,
         16, Samples16({600, 800, -24576, -32768})},
        {"8 bits centre 128, right only", Wave(1, 2, 8, std::string("\x80\x80\x00\xFF", 4)), 1, 1, 8,
         std::string("\x80\x80\x80\xFF", 4)},
        {"24 bits, a negative sample, left only", Wave(1, 1, 24, std::string("\x00\x00\xF0", 3)), -1, 1, 24,
         std::string("\x00\x00\xF0\x00\x00\x00", 6)},
        {"32 bits, half right", Wave(1, 1, 32, std::string("\x00\x00\x00\x80", 4)), 0.5, 1, 32,
         std::string("\x00\x00\x00\xC0\x00\x00\x00\x80", 8)},
        {"floats, centred, past a padded chunk", Wave(3, 1, 32, Floats({0.5f, -1.0f}), list), 0, 3, 32,
         Floats({0.5f, 0.5f, -1.0f, -1.0f})},
        {"the extensible format names its kind inside", Wave(1, 1, 16, Samples16({-400}), {}, true), 0.75, 1, 16,
         Samples16({-100, -400})},
        {"a pan past the right is the right", Wave(1, 1, 16, Samples16({400})), 3, 1, 16, Samples16({0, 400})},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> panned = PannedWave(c.wave, c.pan);
        ASSERT_TRUE(panned) << c.name;
        EXPECT_EQ(*panned, Wave(c.kind, 2, c.bits, c.samples)) << c.name;
    }
}

TEST(PannedWave, ATruncatedDataChunkKeepsItsWholeFrames) {
    std::string wave = Wave(1, 2, 16, Samples16({100, 200, 300, 400}));
    wave.resize(wave.size() - 3);  // the last frame loses three of its four bytes
    const std::optional<std::string> panned = PannedWave(wave, -1);
    ASSERT_TRUE(panned);
    EXPECT_EQ(*panned, Wave(1, 2, 16, Samples16({100, 0})));
}

TEST(PannedWave, FilesThatCannotBePannedAreRefused) {
    const std::string samples = Samples16({1, 2, 3, 4, 5, 6});
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"not a wave file", "ID3 an mp3 file, as music often is"},
        {"too short to hold a header", "RIFF"},
        {"three channels", Wave(1, 3, 16, samples)},
        {"compressed samples", Wave(2, 1, 16, samples)},
        {"12-bit samples", Wave(1, 1, 12, samples)},
        {"64-bit floats", Wave(3, 1, 64, samples + samples)},
        {"no data chunk", Wave(1, 1, 16, samples).substr(0, 36)},
    };
    for (const Case& c : cases) EXPECT_FALSE(PannedWave(c.bytes, 0.5)) << c.name;
}

}  // namespace
}  // namespace kestrin::runner
