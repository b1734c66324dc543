#pragma once
// What the players of a session send each other, as bytes. Every message is
// a frame: its length (4 bytes) and its body. A body is a kind (1 byte) and
// the kind's fields: whole numbers of 4 bytes, texts as their length and
// bytes, values as a tag (0 a real of 8 bytes, 1 a text). Little-endian
// throughout. The bytes come from the network, so the reader refuses
// anything that does not parse instead of trusting a length.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/value.h"

namespace kestrin::engine {

enum class WireKind : std::uint8_t {
    Hello = 1,     // joiner to host: game id, player name
    Welcome,       // host to joiner: its id, session name, players (count, then id and name each), data
    Refused,       // host to joiner: the reason
    PlayerJoined,  // host to all: id, name
    PlayerLeft,    // host to all: id
    Data,          // either way: index, value
    Message,       // to the host: addressee (0 for all), id, value; from the host: sender, id, value
    Query,         // finding sessions (a datagram without length): game id
    Answer,        // the host's datagram: game id, its port, players, most players, session name
};

// No frame may be larger: a peer announcing more is dropped.
inline constexpr std::size_t kMaxFrame = 1 << 20;

class WireWriter {
public:
    explicit WireWriter(WireKind kind) { mBody += static_cast<char>(kind); }
    WireWriter& Int(std::int32_t value);
    WireWriter& Real(double value);
    WireWriter& Text(const std::string& text);
    WireWriter& Val(const Value& value);
    const std::string& Body() const { return mBody; }
    // The body behind its length.
    std::string Frame() const;

private:
    std::string mBody;
};

class WireReader {
public:
    explicit WireReader(std::string_view body);
    WireKind Kind() const { return mKind; }
    bool Int(std::int32_t& value);
    bool Real(double& value);
    bool Text(std::string& text);
    bool Val(Value& value);

private:
    bool Take(void* bytes, std::size_t size);
    std::string_view mBody;
    std::size_t mAt = 1;
    WireKind mKind{};
};

// Moves the whole frames at the front of `buffer` into `bodies`; false when
// a frame announces more than kMaxFrame bytes.
bool TakeFrames(std::string& buffer, std::vector<std::string>& bodies);

}  // namespace kestrin::engine
