// CStream buffer handling and the typed field encodings.

#include "stream/stream.h"

#include <algorithm>
#include <climits>

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "stream/zlib_codec.h"

namespace kestrin {

CStream::CStream(std::string_view bytes) {
    Write(bytes.data(), bytes.size());
    mPosition = 0;
}

CStream::CStream(const CStream& other) {
    Reserve(other.mSize);
    if (other.mSize) std::memcpy(mData, other.mData, other.mSize);
    mSize = other.mSize;
    mPosition = other.mPosition;
}

CStream::CStream(CStream&& other) noexcept
    : mData(std::exchange(other.mData, nullptr)),
      mSize(std::exchange(other.mSize, 0)),
      mCapacity(std::exchange(other.mCapacity, 0)),
      mPosition(std::exchange(other.mPosition, 0)) {}

CStream& CStream::operator=(const CStream& other) {
    if (this != &other) {
        CStream copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CStream& CStream::operator=(CStream&& other) noexcept {
    if (this != &other) {
        std::free(mData);
        mData = std::exchange(other.mData, nullptr);
        mSize = std::exchange(other.mSize, 0);
        mCapacity = std::exchange(other.mCapacity, 0);
        mPosition = std::exchange(other.mPosition, 0);
    }
    return *this;
}

CStream::~CStream() { std::free(mData); }

// malloc'ed memory, so growing is a realloc that extends in place when the
// heap allows. When it cannot, realloc copies the whole buffer (only buffers
// above malloc's mmap threshold, which rises up to 32 MiB, move by remapping),
// so writers that can foresee their size reserve it up front.
void CStream::Reserve(std::size_t capacity) {
    if (capacity <= mCapacity) return;
    void* grown = std::realloc(mData, capacity);
    if (!grown) throw std::bad_alloc();
    mData = static_cast<std::uint8_t*>(grown);
    mCapacity = capacity;
}

void CStream::Grow(std::size_t needed) {
    if (needed <= mCapacity) return;
    std::size_t capacity = mCapacity < 256 ? 256 : mCapacity;
    while (capacity < needed) capacity *= 2;
    Reserve(capacity);
}

std::uint8_t* CStream::Room(std::size_t count) {
    Grow(mPosition + count);
    if (mPosition > mSize) {
        std::memset(mData + mSize, 0, mPosition - mSize);
        mSize = mPosition;
    }
    return mData + mPosition;
}

void CStream::Advance(std::size_t count) {
    mPosition += count;
    if (mPosition > mSize) mSize = mPosition;
}

void CStream::Read(void* destination, std::size_t count) {
    if (count > Remaining()) throw StreamReadError();
    if (count) std::memcpy(destination, mData + mPosition, count);
    mPosition += count;
}

void CStream::Write(const void* source, std::size_t count) {
    if (!count) return;
    std::size_t end = mPosition + count;
    Grow(end);
    if (mPosition > mSize) std::memset(mData + mSize, 0, mPosition - mSize);
    std::memcpy(mData + mPosition, source, count);
    mPosition = end;
    if (end > mSize) mSize = end;
}

std::size_t CStream::Seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = origin == SeekOrigin::Begin     ? 0
                        : origin == SeekOrigin::Current ? static_cast<std::int64_t>(mPosition)
                                                        : static_cast<std::int64_t>(mSize);
    std::int64_t target = base + offset;
    mPosition = target < 0 ? 0 : static_cast<std::size_t>(target);
    return mPosition;
}

void CStream::SetPosition(std::size_t position) { mPosition = position; }

void CStream::SetSize(std::size_t size) {
    Grow(size);
    if (size > mSize) std::memset(mData + mSize, 0, size - mSize);
    mSize = size;
    if (mPosition > mSize) mPosition = mSize;
}

void CStream::Clear() {
    std::free(mData);
    mData = nullptr;
    mSize = mCapacity = mPosition = 0;
}

void CStream::CopyFrom(CStream& source, std::size_t count) {
    if (count > source.Remaining()) throw StreamReadError();
    Write(source.mData + source.mPosition, count);
    source.mPosition += count;
}

void CStream::LoadFromFile(const std::string& path) {
    // Read straight into a buffer of the file's size; the content is replaced
    // only once the read has succeeded.
    CStream loaded;
    loaded.mSize = ReadWholeFileInto(path, [&](std::size_t size) {
        loaded.Reserve(size);
        return loaded.mData;
    });
    *this = std::move(loaded);
}

void CStream::SaveToFile(const std::string& path) const { WriteFileAtomically(path, mData, mSize); }

std::int32_t CStream::ReadInteger() {
    std::uint8_t b[4];
    Read(b, 4);
    return static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                                     std::uint32_t(b[3]) << 24);
}

void CStream::WriteInteger(std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    Write(b, 4);
}

double CStream::ReadReal() {
    std::uint8_t b[8];
    Read(b, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | b[i];
    double value;
    std::memcpy(&value, &bits, 8);
    return value;
}

void CStream::WriteReal(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    std::uint8_t b[8];
    for (int i = 0; i < 8; ++i) b[i] = std::uint8_t(bits >> (8 * i));
    Write(b, 8);
}

std::size_t CStream::ReadByteCount() {
    std::int32_t count = ReadInteger();
    if (count <= 0) return 0;
    if (static_cast<std::size_t>(count) > Remaining()) throw StreamReadError();
    return static_cast<std::size_t>(count);
}

std::string CStream::ReadString() {
    std::size_t count = ReadByteCount();
    std::string text(reinterpret_cast<const char*>(mData + mPosition), count);
    mPosition += count;
    return text;
}

void CStream::WriteString(std::string_view value) {
    if (value.size() > std::size_t(INT32_MAX)) throw StreamWriteError();
    WriteInteger(static_cast<std::int32_t>(value.size()));
    Write(value.data(), value.size());
}

bool CStream::ReadBoolean() { return ReadInteger() > 0; }

void CStream::WriteBoolean(bool value) { WriteInteger(value ? 1 : 0); }

CStream CStream::ReadBlock() {
    std::size_t count = ReadByteCount();
    CStream block;
    block.Write(mData + mPosition, count);
    block.mPosition = 0;
    mPosition += count;
    return block;
}

bool FitsInBlock(std::uint64_t byteCount) { return byteCount <= kMaxInflatedSize; }

void CStream::WriteBlock(const CStream& source) {
    if (source.mSize > std::size_t(INT32_MAX)) throw StreamWriteError();
    WriteInteger(static_cast<std::int32_t>(source.mSize));
    Write(source.mData, source.mSize);
}

CStream CStream::ReadCompressedBlock() {
    std::size_t count = ReadByteCount();
    // The count bounds what the zlib stream may use; bytes after its end are
    // skipped with the count.
    CStream block;
    InflateBytes(mData + mPosition, count, block);
    mPosition += count;
    block.mPosition = 0;
    return block;
}

void CStream::WriteCompressedBlock(const CStream& source) {
    if (!FitsInBlock(source.mSize)) throw StreamWriteError();
    // Reserve the count, compress straight after it, then fill the count in.
    std::size_t countAt = mPosition;
    WriteInteger(0);
    std::size_t start = mPosition;
    DeflateBytes(source.mData, source.mSize, *this, kCompressionLevelDefault);
    std::size_t end = mPosition;
    if (end - start > std::size_t(INT32_MAX)) throw StreamWriteError();
    mPosition = countAt;
    WriteInteger(static_cast<std::int32_t>(end - start));
    mPosition = end;
}

std::int32_t CStream::Checksum() const {
    // Sums of up to 2^24 bytes cannot overflow 32 bits; the modulo of the
    // running sum equals the modulo of the parts.
    std::uint64_t sum = 0;
    std::size_t i = 0;
    while (i < mSize) {
        std::size_t end = std::min(mSize, i + (std::size_t(1) << 24));
        std::uint32_t part = 0;
        for (; i < end; ++i) part += mData[i];
        sum = (sum + part) % 1000000;
    }
    return static_cast<std::int32_t>(sum);
}

void CStream::Substitute(std::int32_t seed, std::size_t start, std::int64_t count) {
    SubstitutionTables tables = BuildSubstitution(seed);
    if (start >= mSize) return;
    std::size_t end = count <= 0 ? mSize : std::min(mSize, start + static_cast<std::size_t>(count));
    for (std::size_t p = start; p < end; ++p) mData[p] = tables.forward[mData[p]];
}

}  // namespace kestrin
