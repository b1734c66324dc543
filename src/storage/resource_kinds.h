#pragma once
// The per-kind table of the resource lists: tree type code, default name
// prefix, list section version and fixed tree icon of each of the nine kinds,
// and the twelve changed flags of a game.

#include <array>
#include <cstdint>

#include "resources/resource_kind.h"

namespace kestrin {

// The tree icon is worked out from the resource (sprite thumbnails, sound
// kinds, an object's sprite).
inline constexpr int kComputedIcon = -1;

struct ResourceKindInfo {
    ResourceKind kind;
    int typeCode;                 // resource type of the tree and resource menus
    const char* prefix;           // new resources are named prefix + index
    std::int32_t sectionVersion;  // the only list section version accepted
    int icon;                     // tree icon, or kComputedIcon
};

// One row per kind, in ResourceKind order.
inline constexpr std::array<ResourceKindInfo, kResourceKindCount> kResourceKinds = {{
    {ResourceKind::Sprite, 2, "sprite", 400, kComputedIcon},
    {ResourceKind::Sound, 3, "sound", 400, kComputedIcon},
    {ResourceKind::Background, 6, "background", 400, kComputedIcon},
    {ResourceKind::Path, 8, "path", 420, 17},
    {ResourceKind::Script, 7, "script", 400, 11},
    {ResourceKind::DataFile, 9, "data", 440, 9},
    {ResourceKind::TimeLine, 12, "timeline", 500, 18},
    {ResourceKind::Object, 1, "object", 400, kComputedIcon},
    {ResourceKind::Room, 4, "room", 420, 8},
}};

inline constexpr const ResourceKindInfo& KindInfo(ResourceKind kind) { return kResourceKinds[KindIndex(kind)]; }

// The nine list flags (in ResourceKind order), then these three.
enum class ChangedFlag : int {
    Options = kResourceKindCount,
    Information,
    Tree,
};

inline constexpr int kChangedFlagCount = kResourceKindCount + 3;

inline constexpr int FlagIndex(ResourceKind kind) { return KindIndex(kind); }
inline constexpr int FlagIndex(ChangedFlag flag) { return static_cast<int>(flag); }

// The rooms' id counters after a clear.
inline constexpr std::int32_t kFirstLastInstanceId = 100000;
inline constexpr std::int32_t kFirstLastTileId = 10000000;

}  // namespace kestrin
