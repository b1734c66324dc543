// Making and unpacking the runner data file.

#include "build/runner_data.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <zlib.h>

#include "build/stand_alone_layout.h"

namespace kestrin {

namespace {

constexpr std::int32_t kChecksumModulus = 1000000;

void PutLE32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutLE16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

// The image header of a 32 x 32 icon in 32-bit colour: 40 bytes of header,
// 4096 of colour and 128 of mask fill the icon area exactly.
void WriteIconImageHeader(std::uint8_t* at) {
    std::memset(at, 0, kRunnerIconHeaderSize);
    PutLE32(at, 40);                          // header size
    PutLE32(at + 4, 32);                      // width
    PutLE32(at + 8, 64);                      // height of colour and mask together
    PutLE16(at + 12, 1);                      // planes
    PutLE16(at + 14, 32);                     // bits per pixel
    PutLE32(at + 20, kRunnerIconPlaceholderSize);  // image bytes
}

struct DeflateParameters {
    int level, memLevel, strategy;
};
// Each set gives another stream; the tightest come first.
constexpr DeflateParameters kDeflateTries[] = {
    {9, 9, Z_DEFAULT_STRATEGY}, {9, 8, Z_DEFAULT_STRATEGY}, {9, 7, Z_DEFAULT_STRATEGY},
    {9, 9, Z_FILTERED},         {9, 8, Z_FILTERED},         {9, 7, Z_FILTERED},
    {6, 8, Z_DEFAULT_STRATEGY}, {1, 9, Z_DEFAULT_STRATEGY},
};

// One zlib stream of the bytes; false on a zlib failure.
bool Deflate(const std::uint8_t* bytes, std::size_t count, const DeflateParameters& p, std::string& out) {
    z_stream z{};
    if (deflateInit2(&z, p.level, Z_DEFLATED, 15, p.memLevel, p.strategy) != Z_OK) return false;
    out.resize(deflateBound(&z, count));
    z.next_in = const_cast<Bytef*>(bytes);
    z.avail_in = static_cast<uInt>(count);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END;
}

}  // namespace

bool AdjustChecksum(CStream& stream, std::size_t start, std::size_t count, std::int32_t target) {
    if (start > stream.Size() || count > stream.Size() - start) return false;
    std::uint8_t* at = stream.Data() + start;
    std::memset(at, 0, count);
    std::int32_t now = stream.Checksum();
    std::int64_t missing = ((target - now) % kChecksumModulus + kChecksumModulus) % kChecksumModulus;
    if (missing > static_cast<std::int64_t>(count) * 255) return false;
    std::size_t full = static_cast<std::size_t>(missing / 255);
    std::memset(at, 0xFF, full);
    if (missing % 255) at[full] = static_cast<std::uint8_t>(missing % 255);
    return true;
}

bool MakeRunnerContent(std::string_view program, CStream& content, std::string& error) {
    if (program.empty()) {
        error = "the runner program is empty";
        return false;
    }
    if (program.size() > kRunnerProgramLimit) {
        error = "the runner program has " + std::to_string(program.size()) + " bytes; at most " +
                std::to_string(kRunnerProgramLimit) + " fit before the icon area";
        return false;
    }
    content.Clear();
    content.SetSize(kRunnerSize);
    std::memcpy(content.Data(), program.data(), program.size());
    WriteIconImageHeader(content.Data() + kRunnerIconOffset);
    std::memset(content.Data() + kRunnerIconPlaceholderOffset, kRunnerIconPlaceholderByte,
                kRunnerIconPlaceholderSize);
    // The filler region is far larger than the 3922 bytes any checksum needs.
    if (!AdjustChecksum(content, kRunnerFillerOffset, kRunnerSize - kRunnerFillerOffset, kRunnerChecksum)) {
        error = "the runner checksum cannot be reached";
        return false;
    }
    content.SetPosition(0);
    return true;
}

bool WrapRunnerContent(const CStream& content, CStream& data, std::string& error) {
    const std::size_t room = kRunnerDataSize - 4;
    // Every set of deflate parameters gives another stream with another size
    // and byte sum; the first that leaves enough bytes after it to reach the
    // file's checksum wins. 3922 bytes always do; with fewer it depends on
    // the stream's own sum.
    std::string stream;
    std::size_t smallest = SIZE_MAX;
    for (const DeflateParameters& p : kDeflateTries) {
        if (!Deflate(content.Data(), content.Size(), p, stream)) {
            error = "zlib failed to compress the runner";
            return false;
        }
        smallest = std::min(smallest, stream.size());
        if (stream.size() > room) continue;
        data.Clear();
        data.SetSize(kRunnerDataSize);
        PutLE32(data.Data(), static_cast<std::uint32_t>(room));
        std::memcpy(data.Data() + 4, stream.data(), stream.size());
        std::size_t after = 4 + stream.size();
        if (AdjustChecksum(data, after, kRunnerDataSize - after, kRunnerDataChecksum)) {
            data.SetPosition(0);
            return true;
        }
    }
    data.Clear();
    if (smallest > room)
        error = "the runner compresses to " + std::to_string(smallest) + " bytes; at most " +
                std::to_string(room) + " fit in the runner data";
    else
        error = "the runner compresses to " + std::to_string(smallest) +
                " bytes, too close to the limit to reach the runner data checksum";
    return false;
}

bool MakeRunnerData(std::string_view program, CStream& data, std::string& error) {
    CStream content;
    return MakeRunnerContent(program, content, error) && WrapRunnerContent(content, data, error);
}

bool UnpackRunnerData(const CStream& data, CStream& runner) {
    if (data.Size() != kRunnerDataSize || data.Checksum() != kRunnerDataChecksum) return false;
    // The zblock's count, then at most that many bytes of zlib stream; bytes
    // after the end of the stream are ignored.
    const std::uint8_t* bytes = data.Data();
    std::int64_t count = std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                      std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
    if (count <= 0 || count > static_cast<std::int64_t>(data.Size() - 4)) return false;
    // Inflate into a buffer one byte larger than the runner: a stream that
    // fills it is too long, whatever it would have grown to.
    runner.Clear();
    runner.SetSize(kRunnerSize + 1);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(bytes + 4);
    z.avail_in = static_cast<uInt>(count);
    z.next_out = runner.Data();
    z.avail_out = static_cast<uInt>(runner.Size());
    int result = inflate(&z, Z_FINISH);
    std::size_t produced = z.total_out;
    inflateEnd(&z);
    if (result != Z_STREAM_END) {
        runner.Clear();
        return false;
    }
    runner.SetSize(produced);
    runner.SetPosition(0);
    return runner.Size() == kRunnerSize && runner.Checksum() == kRunnerChecksum;
}

}  // namespace kestrin
