// Writing and reading the fields of the players' messages.

#include "engine/multiplayer_wire.h"

#include <cstring>

#include "stream/little_endian.h"

namespace kestrin::engine {

namespace {

constexpr char kRealTag = 0;
constexpr char kTextTag = 1;

void PutInt(std::string& bytes, std::uint32_t value) { AppendLittleEndian(bytes, value, 4); }

}  // namespace

WireWriter& WireWriter::Int(std::int32_t value) {
    PutInt(mBody, static_cast<std::uint32_t>(value));
    return *this;
}

WireWriter& WireWriter::Real(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutInt(mBody, static_cast<std::uint32_t>(bits));
    PutInt(mBody, static_cast<std::uint32_t>(bits >> 32));
    return *this;
}

WireWriter& WireWriter::Text(const std::string& text) {
    PutInt(mBody, static_cast<std::uint32_t>(text.size()));
    mBody += text;
    return *this;
}

WireWriter& WireWriter::Val(const Value& value) {
    if (value.IsString()) {
        mBody += kTextTag;
        return Text(value.Text());
    }
    mBody += kRealTag;
    return Real(value.Real());
}

std::string WireWriter::Frame() const {
    std::string frame;
    PutInt(frame, static_cast<std::uint32_t>(mBody.size()));
    return frame + mBody;
}

WireReader::WireReader(std::string_view body) : mBody(body) {
    if (!body.empty()) mKind = static_cast<WireKind>(body[0]);
}

bool WireReader::Take(void* bytes, std::size_t size) {
    if (mBody.size() < mAt || mBody.size() - mAt < size) return false;
    std::memcpy(bytes, mBody.data() + mAt, size);
    mAt += size;
    return true;
}

bool WireReader::Int(std::int32_t& value) {
    char bytes[4];
    if (!Take(bytes, 4)) return false;
    value = static_cast<std::int32_t>(ReadLittleEndian(std::string_view(bytes, 4), 0, 4));
    return true;
}

bool WireReader::Real(double& value) {
    std::int32_t low, high;
    if (!Int(low) || !Int(high)) return false;
    const std::uint64_t bits = static_cast<std::uint32_t>(low) | std::uint64_t(static_cast<std::uint32_t>(high)) << 32;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool WireReader::Text(std::string& text) {
    std::int32_t size;
    if (!Int(size) || size < 0 || mBody.size() - mAt < static_cast<std::size_t>(size)) return false;
    text.assign(mBody.data() + mAt, static_cast<std::size_t>(size));
    mAt += static_cast<std::size_t>(size);
    return true;
}

bool WireReader::Val(Value& value) {
    char tag;
    if (!Take(&tag, 1)) return false;
    if (tag == kTextTag) {
        std::string text;
        if (!Text(text)) return false;
        value = Value(std::move(text));
        return true;
    }
    double real;
    if (tag != kRealTag || !Real(real)) return false;
    value = Value(real);
    return true;
}

bool TakeFrames(std::string& buffer, std::vector<std::string>& bodies) {
    std::size_t at = 0;
    while (buffer.size() - at >= 4) {
        const std::size_t size = ReadLittleEndian(buffer, at, 4);
        if (size > kMaxFrame) return false;
        if (buffer.size() - at - 4 < size) break;
        bodies.emplace_back(buffer, at + 4, size);
        at += 4 + size;
    }
    buffer.erase(0, at);
    return true;
}

}  // namespace kestrin::engine
