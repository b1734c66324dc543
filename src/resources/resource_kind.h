#pragma once
// The nine kinds of resource, the per-kind offsets of a merge, and the small
// view of the game that resource classes use to check their references
// without depending on the lists that hold them.

#include <array>
#include <cstdint>
#include <string>

namespace kestrin {

class CObject;
class CSprite;
class CBackground;

// In the order the game keeps its lists, changed flags and merge offsets.
enum class ResourceKind : int {
    Sprite = 0,
    Sound,
    Background,
    Path,
    Script,
    DataFile,
    TimeLine,
    Object,
    Room,
};

inline constexpr int kResourceKindCount = 9;

inline constexpr int KindIndex(ResourceKind kind) { return static_cast<int>(kind); }

// When another game is appended, every index it holds of a kind grows by the
// number of resources of that kind that were there before.
struct MergeOffsets {
    std::array<std::int32_t, kResourceKindCount> offsets{};

    std::int32_t& operator[](ResourceKind kind) { return offsets[KindIndex(kind)]; }
    std::int32_t operator[](ResourceKind kind) const { return offsets[KindIndex(kind)]; }
};

// An index moved by a merge offset, kept in the stored int's range: indices
// read from a file may be anything, and a moved one wraps as that int would.
inline std::int32_t MergedIndex(std::int32_t index, std::int32_t offset) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(index) + static_cast<std::uint32_t>(offset));
}

// Object references use these instead of -1 alone.
inline constexpr std::int32_t kObjectSelf = -1;
inline constexpr std::int32_t kObjectOther = -2;
inline constexpr std::int32_t kNoObject = -100;

// What a resource needs to know about the other resources of the game.
class ResourceLookup {
public:
    virtual ~ResourceLookup() = default;
    // Number of slots of the kind, empty ones included.
    virtual int ResourceCount(ResourceKind kind) const = 0;
    // The index is in range and its slot holds a resource.
    virtual bool ResourceExists(ResourceKind kind, int index) const = 0;
    // The name; "<undefined>" for an empty or invalid index, and for objects
    // "self" and "other" at -1 and -2.
    virtual std::string ResourceName(ResourceKind kind, int index) const = 0;
    // The object in that slot, or null.
    virtual const CObject* ObjectAt(int index) const = 0;
    // The sprite or background in that slot, or null (also while the game
    // keeps no list of that kind).
    virtual const CSprite* SpriteAt(int) const { return nullptr; }
    virtual const CBackground* BackgroundAt(int) const { return nullptr; }
    // False while the game keeps no list of that kind: references to it can
    // be neither checked nor dropped then, and are left as they are.
    virtual bool TracksKind(ResourceKind kind) const = 0;
};

}  // namespace kestrin
