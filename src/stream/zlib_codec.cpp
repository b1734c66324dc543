// zlib compression and inflation in 32 KiB steps, raising EZCompressionError
// with zlib's text for every negative result.

#include "stream/zlib_codec.h"

#include <algorithm>
#include <zlib.h>

namespace kestrin {

namespace {

constexpr std::size_t kChunk = 0x8000;
constexpr int kLevels[4] = {0, 1, -1, 9};

const char* ZlibText(int code) {
    switch (code) {
    case Z_ERRNO: return "file error";
    case Z_STREAM_ERROR: return "stream error";
    case Z_DATA_ERROR: return "data error";
    case Z_MEM_ERROR: return "insufficient memory";
    case Z_BUF_ERROR: return "buffer error";
    case Z_VERSION_ERROR: return "incompatible version";
    default: return "unknown error";
    }
}

int Check(int code) {
    if (code < 0) throw EZCompressionError(code);
    return code;
}

// Makes room at the destination for what the rest of a zlib stream will
// likely give: the output so far scaled by the input still to come, with an
// eighth to spare, or four times the input before any output. A large block
// is then moved once or twice instead of at every doubling, and the room
// never runs ahead of the limit by more than a chunk.
void ReserveForeseen(CStream& destination, std::size_t start, std::size_t produced, std::size_t taken,
                     std::size_t count, std::size_t limit) {
    if (destination.Position() + kChunk <= destination.Capacity()) return;
    double ratio = taken && produced ? static_cast<double>(produced) / static_cast<double>(taken) : 4.0;
    double rest = ratio * static_cast<double>(count - taken);
    double foreseen = (static_cast<double>(produced) + rest) * 1.125;
    double atLeast = static_cast<double>(produced) * 1.5;
    double room = std::min(std::max(foreseen, atLeast), static_cast<double>(limit)) + kChunk;
    destination.Reserve(start + static_cast<std::size_t>(room));
}

}  // namespace

EZCompressionError::EZCompressionError(int zlibCode) : EZLibError(ZlibText(zlibCode)), mCode(zlibCode) {}

void DeflateBytes(const std::uint8_t* source, std::size_t count, CStream& destination, int levelIndex) {
    z_stream z{};
    int level = kLevels[std::clamp(levelIndex, 0, 3)];
    Check(deflateInit2(&z, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
    std::size_t done = 0;
    auto pump = [&](int flush) {
        int result;
        do {
            z.next_out = destination.Room(kChunk);
            z.avail_out = kChunk;
            result = deflate(&z, flush);
            if (result < 0 && result != Z_BUF_ERROR) {
                deflateEnd(&z);
                throw EZCompressionError(result);
            }
            destination.Advance(kChunk - z.avail_out);
        } while (z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    };
    while (done < count) {
        std::size_t take = std::min(kChunk, count - done);
        z.next_in = const_cast<Bytef*>(source + done);
        z.avail_in = static_cast<uInt>(take);
        pump(Z_NO_FLUSH);
        done += take;
    }
    z.next_in = nullptr;
    z.avail_in = 0;
    pump(Z_FINISH);
    deflateEnd(&z);
}

std::size_t InflateBytes(const std::uint8_t* source, std::size_t count, CStream& destination, std::size_t limit) {
    z_stream z{};
    Check(inflateInit(&z));
    const std::size_t start = destination.Position();
    std::size_t done = 0;
    int result = Z_OK;
    auto fail = [&](int code) {
        inflateEnd(&z);
        throw EZCompressionError(code);
    };
    // Input in 32 KiB chunks without flushing, then finish; stop at the end
    // of the zlib stream and leave anything after it alone.
    while (result != Z_STREAM_END) {
        if (z.avail_in == 0) {
            std::size_t take = std::min(kChunk, count - done);
            z.next_in = const_cast<Bytef*>(source + done);
            z.avail_in = static_cast<uInt>(take);
            done += take;
        }
        bool last = done == count;
        std::size_t produced = destination.Position() - start;
        if (produced > limit) fail(Z_MEM_ERROR);
        ReserveForeseen(destination, start, produced, done - z.avail_in, count, limit);
        z.next_out = destination.Room(kChunk);
        z.avail_out = kChunk;
        result = inflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        destination.Advance(kChunk - z.avail_out);
        if (result == Z_NEED_DICT) fail(Z_DATA_ERROR);
        if (result == Z_STREAM_END) break;
        if (result < 0 && result != Z_BUF_ERROR) fail(result);
        // A full output chunk only asks for more room; with every input byte
        // given and room left over, the stream is cut short.
        if (last && z.avail_in == 0 && z.avail_out != 0) fail(Z_BUF_ERROR);
    }
    std::size_t used = done - z.avail_in;
    inflateEnd(&z);
    return used;
}

void Compress(CStream& source, CStream& destination, int levelIndex) {
    std::size_t at = source.Position();
    std::size_t count = source.Remaining();
    DeflateBytes(source.Data() + at, count, destination, levelIndex);
    source.SetPosition(at + count);
}

void Decompress(CStream& source, CStream& destination) {
    std::size_t at = source.Position();
    std::size_t used = InflateBytes(source.Data() + at, source.Remaining(), destination);
    source.SetPosition(at + used);
}

}  // namespace kestrin
