#pragma once
// CStream: a growable in-memory byte buffer with a position, and the typed
// field encodings (int, double, str, bool, block, zblock) that every stored
// format of Kestrin is a flat sequence of. Files are read whole into a stream
// before parsing and written whole after building.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kestrin {

// A read that needs more bytes than remain.
class StreamReadError : public std::runtime_error {
public:
    StreamReadError() : std::runtime_error("Stream read error") {}
};

// A count too large for the 32-bit field that stores it, or a block too large
// to be read back: the writer refuses rather than write what cannot load.
class StreamWriteError : public std::runtime_error {
public:
    StreamWriteError() : std::runtime_error("Stream write error") {}
};

class EZLibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised for every zlib failure, compressing and inflating alike; the message
// is zlib's own text for the code ("data error", "buffer error", ...).
class EZCompressionError : public EZLibError {
public:
    explicit EZCompressionError(int zlibCode);
    int Code() const { return mCode; }

private:
    int mCode;
};

enum class SeekOrigin { Begin, Current, End };

class CStream {
public:
    CStream() = default;
    explicit CStream(std::string_view bytes);
    CStream(const CStream& other);
    CStream(CStream&& other) noexcept;
    CStream& operator=(const CStream& other);
    CStream& operator=(CStream&& other) noexcept;
    ~CStream();

    // Plain stream operations.
    void Read(void* destination, std::size_t count);
    void Write(const void* source, std::size_t count);
    std::size_t Seek(std::int64_t offset, SeekOrigin origin);
    std::size_t Position() const { return mPosition; }
    void SetPosition(std::size_t position);
    std::size_t Size() const { return mSize; }
    std::size_t Remaining() const { return mPosition < mSize ? mSize - mPosition : 0; }
    void SetSize(std::size_t size);  // new bytes are zero
    void Reserve(std::size_t capacity);
    std::size_t Capacity() const { return mCapacity; }
    // Room for count bytes at the position, not zeroed, for a codec to write
    // into; Advance then moves past the bytes it wrote, and the size with it.
    std::uint8_t* Room(std::size_t count);
    void Advance(std::size_t count);
    void Clear();
    // Copies count bytes from the source's position (advancing it) to this position.
    void CopyFrom(CStream& source, std::size_t count);
    const std::uint8_t* Data() const { return mData; }
    std::uint8_t* Data() { return mData; }
    std::string_view View() const { return {reinterpret_cast<const char*>(mData), mSize}; }

    // Whole files. Loading replaces the content and leaves the position at 0.
    // Saving writes a temporary file beside the target and renames it over,
    // so a failed save never leaves a half-written file in its place.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

    // Typed fields.
    std::int32_t ReadInteger();
    double ReadReal();
    std::string ReadString();
    bool ReadBoolean();
    void WriteInteger(std::int32_t value);
    void WriteReal(double value);
    void WriteString(std::string_view value);
    void WriteBoolean(bool value);

    // block / zblock: the whole source from offset 0 is written; the source's
    // position is not touched. Reading gives a new stream positioned at 0.
    // Writing raises StreamWriteError for a block that could not be read back.
    CStream ReadBlock();
    void WriteBlock(const CStream& source);
    CStream ReadCompressedBlock();
    void WriteCompressedBlock(const CStream& source);

    // Reads an int count for a following run of bytes: a count of 0 or less is
    // 0, a count beyond the bytes that remain fails before anything is made.
    std::size_t ReadByteCount();

    // Additive checksum of the whole buffer, in 0..999999.
    std::int32_t Checksum() const;

    // Replaces the bytes from start on with the forward table of the seed;
    // a count of 0 or less runs to the end of the buffer.
    void Substitute(std::int32_t seed, std::size_t start, std::int64_t count);

private:
    void Grow(std::size_t needed);

    std::uint8_t* mData = nullptr;
    std::size_t mSize = 0;
    std::size_t mCapacity = 0;
    std::size_t mPosition = 0;
};

// The most bytes a block or zblock may hold and still be read back.
bool FitsInBlock(std::uint64_t byteCount);

// Level table of Compress: no compression, fastest, zlib's default, best.
inline constexpr int kCompressionLevelNone = 0;
inline constexpr int kCompressionLevelFastest = 1;
inline constexpr int kCompressionLevelDefault = 2;
inline constexpr int kCompressionLevelBest = 3;

// Compresses the source from its position to its end and appends one zlib
// stream at the destination's position.
void Compress(CStream& source, CStream& destination, int levelIndex);
// Inflates one zlib stream from the source's position; bytes after the end of
// the stream are left unread.
void Decompress(CStream& source, CStream& destination);

// The byte substitution of stand-alone executables: a permutation of 0..255
// built from a seed, with its inverse.
struct SubstitutionTables {
    std::array<std::uint8_t, 256> forward;
    std::array<std::uint8_t, 256> reverse;
};
SubstitutionTables BuildSubstitution(std::int32_t seed);

}  // namespace kestrin
