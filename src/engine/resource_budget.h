#pragma once
// How much a game may add to its resources while it runs. Game code is not
// trusted: a loop calling sprite_duplicate or room_tile_add must meet a limit
// long before the memory of the machine does.

#include <cstddef>
#include <cstdint>

namespace kestrin::engine {

// Resources of every kind together: sprites, sounds, backgrounds, paths,
// time lines, objects and rooms made by the game.
inline constexpr int kMaxAddedResources = 1000;
// Points, moments, events, placed instances and tiles added to records.
inline constexpr int kMaxAddedItems = 200000;
// Code text added to objects and time lines, all together.
inline constexpr std::size_t kMaxAddedCodeBytes = std::size_t{16} << 20;
// Pixels of one sprite, all its frames together, and of one background.
inline constexpr std::int64_t kMaxResourcePixels = std::int64_t{16} << 20;
// A sound file read into the game.
inline constexpr std::uintmax_t kMaxSoundFileBytes = std::uintmax_t{64} << 20;

class ResourceBudget {
public:
    // Each takes its share when there is room and answers whether there was.
    bool TakeResource() { return Take(mResources, 1, kMaxAddedResources); }
    bool TakeItems(int count) { return count >= 0 && Take(mItems, count, kMaxAddedItems); }
    bool TakeCode(std::size_t bytes) {
        if (bytes > kMaxAddedCodeBytes - mCodeBytes) return false;
        mCodeBytes += bytes;
        return true;
    }

private:
    static bool Take(int& used, int count, int limit) {
        if (count > limit - used) return false;
        used += count;
        return true;
    }

    int mResources = 0;
    int mItems = 0;
    std::size_t mCodeBytes = 0;
};

}  // namespace kestrin::engine
