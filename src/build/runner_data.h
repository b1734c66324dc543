#pragma once
// The runner data file "rundata": making it from a runner program (the
// build-time maker) and unpacking it with every size and checksum test (the
// stand-alone builder). The layout is described in docs/runner_data.md.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "stream/stream.h"

namespace kestrin {

// The largest runner program: it has to end where the icon area begins.
inline constexpr std::size_t kRunnerProgramLimit = 1270376;

// Where the bytes that bring the inflated runner to its checksum start: right
// after the icon area, in space the runner program never reaches.
inline constexpr std::size_t kRunnerFillerOffset = 1274640;

// A zlib stream of the runner at most this long leaves the 3922 filler bytes
// that reach any checksum.
inline constexpr std::size_t kRunnerStreamAlwaysFits = 668204 - 3922;

// Fills [start, start + count) of the stream with zeros and a run of 0xFF and
// one more byte at its start, so that the stream's Checksum becomes target.
// False when that many bytes cannot make up the difference.
bool AdjustChecksum(CStream& stream, std::size_t start, std::size_t count, std::int32_t target);

// The inflated runner: the program at offset 0, zeros, the icon area (a
// 32 x 32 image header and the 0xFF placeholder), then zeros and the bytes
// that give the checksum. False with a reason when the program does not fit.
bool MakeRunnerContent(std::string_view program, CStream& content, std::string& error);

// Compresses an inflated runner into the runner data file layout: one zblock
// spanning the file, the bytes after the zlib stream chosen to give the file
// its size and checksum. A runner that compresses to at most
// kRunnerStreamAlwaysFits bytes always fits; up to 668204 bytes it fits when
// one of the deflate settings tried gives a stream with a suitable byte sum.
// False with a reason when nothing fits.
bool WrapRunnerContent(const CStream& content, CStream& data, std::string& error);

// Both steps: the runner data file for a program.
bool MakeRunnerData(std::string_view program, CStream& data, std::string& error);

// Tests the runner data file's size and checksum, inflates its zblock (never
// beyond the runner's size, so a hostile file cannot blow up in memory) and
// tests the inflated size and checksum. False on any failure.
bool UnpackRunnerData(const CStream& data, CStream& runner);

}  // namespace kestrin
