#pragma once
// The fixed sizes, checksums and offsets of the runner data file and of
// stand-alone executables, shared by the builder, the runner data maker and
// the runner itself (which reads them from its own file). Header only, so the
// runner can use it without linking the core.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrin {

// "rundata": one zblock filling the whole file.
inline constexpr const char* kRunnerDataFileName = "rundata";
inline constexpr std::size_t kRunnerDataSize = 668208;
inline constexpr std::int32_t kRunnerDataChecksum = 347474;

// The inflated runner.
inline constexpr std::size_t kRunnerSize = 1484288;
inline constexpr std::int32_t kRunnerChecksum = 673396;

// The runner's icon area: a 40-byte image header, then the rest of a single
// 32 x 32 icon image, every byte 0xFF while the runner carries its placeholder.
inline constexpr std::size_t kRunnerIconOffset = 1270376;
inline constexpr std::size_t kRunnerIconHeaderSize = 40;
inline constexpr std::size_t kRunnerIconPlaceholderOffset = kRunnerIconOffset + kRunnerIconHeaderSize;
inline constexpr std::size_t kRunnerIconPlaceholderSize = 4224;
inline constexpr std::size_t kRunnerIconAreaSize = kRunnerIconHeaderSize + kRunnerIconPlaceholderSize;
inline constexpr std::uint8_t kRunnerIconPlaceholderByte = 0xFF;
// An icon file's header with one directory entry, dropped before the image
// goes into the icon area.
inline constexpr std::size_t kIconFileHeaderSize = 22;

// The game data after the runner and its padding.
inline constexpr std::size_t kGameDataOffset = 1500000;
inline constexpr std::int32_t kGameDataMagic = 1230500;
inline constexpr std::int32_t kSeedBase = 331;
inline constexpr std::int32_t kSeedRange = 1000;  // seeds 331..1330
// Everything from here to the end of the file is substituted with the seed.
inline constexpr std::size_t kSubstitutionStart = kGameDataOffset + 9;
// The int after the seed holds the byte count of the game body; the str after
// it names what the body is.
inline constexpr std::string_view kGameDataTag = "Kestrin game data";
inline constexpr std::size_t kGameBodyOffset = kGameDataOffset + 16 + kGameDataTag.size();
// Padding and trailing bytes are random bytes from 0 to 254.
inline constexpr std::int32_t kFillerByteRange = 255;
inline constexpr std::int32_t kTrailingMaxCount = 10000;

}  // namespace kestrin
