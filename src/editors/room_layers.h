#pragma once
// The tile layers the room editor lists: the distinct depths of the room's
// tiles, deepest first, and the current one. Qt-free.

#include <cstdint>
#include <vector>

namespace kestrin {

class CRoom;

inline constexpr std::int32_t kDefaultTileLayer = 1000000;
inline constexpr int kMaxTileLayers = 1001;
inline constexpr const char* kTooManyLayers = "A room can have at most 1001 tile layers.";

class RoomLayers {
public:
    RoomLayers() : mDepths{kDefaultTileLayer} {}

    // The depths of the room's tiles, descending; [1000000] for a room
    // without tiles. The first becomes current.
    void Derive(const CRoom& room);

    const std::vector<std::int32_t>& Depths() const { return mDepths; }
    int CurrentIndex() const { return mCurrent; }
    std::int32_t CurrentDepth() const { return mDepths[mCurrent]; }
    void Choose(int index);

    // Inserts the depth at its place unless listed and makes it current.
    // False, with a message, when the list is full.
    bool Add(std::int32_t depth);
    // Drops the current layer from the list (its tiles are the caller's);
    // the layer now at that place, or the last one, becomes current.
    void RemoveCurrent();
    // The current layer takes the new depth, merging with a listed one.
    void ChangeCurrent(std::int32_t depth);

private:
    int Insert(std::int32_t depth);

    std::vector<std::int32_t> mDepths;
    int mCurrent = 0;
};

}  // namespace kestrin
