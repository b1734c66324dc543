#pragma once
// Shared pieces of the build tests: a runner data file made from a small fake
// runner program, and a fake game body writer.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "build/runner_data.h"
#include "build/stand_alone.h"
#include "platform/random_source.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin::test {

// Bytes that look like a program: a marker and every byte value.
inline std::string FakeRunnerProgram(std::size_t size = 3000, std::uint64_t seed = 7) {
    RandomSource random(seed);
    std::string program = "FAKE RUNNER";
    while (program.size() < size) program += static_cast<char>(random.NextByte());
    program.resize(size);
    return program;
}

inline CStream MakeRunnerDataOrFail(const std::string& program) {
    CStream data;
    std::string error;
    EXPECT_TRUE(MakeRunnerData(program, data, error)) << error;
    return data;
}

// The game file header of the fake body: magic, version, debug flag, game id,
// GUID; then bytes of every value, so the substitution touches all of them.
inline constexpr std::int32_t kFakeGameId = 424242;
inline CStream FakeBody(bool debug) {
    CStream body;
    body.WriteInteger(1234321);
    body.WriteInteger(530);
    body.WriteInteger(debug ? 1 : 0);
    body.WriteInteger(kFakeGameId);
    for (int i = 0; i < 16; ++i) body.Write("\x11", 1);
    for (int i = 0; i < 5000; ++i) {
        std::uint8_t b = static_cast<std::uint8_t>(i * 7);
        body.Write(&b, 1);
    }
    return body;
}

inline bool WriteFakeBody(CStream& stream, bool debug) {
    CStream body = FakeBody(debug);
    stream.Write(body.Data(), body.Size());
    return true;
}

inline std::int32_t IntAt(const CStream& stream, std::size_t at) {
    const std::uint8_t* b = stream.Data() + at;
    return static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                                     std::uint32_t(b[3]) << 24);
}

inline void PutIntAt(CStream& stream, std::size_t at, std::int32_t value) {
    std::size_t keep = stream.Position();
    stream.SetPosition(at);
    stream.WriteInteger(value);
    stream.SetPosition(keep);
}

}  // namespace kestrin::test
