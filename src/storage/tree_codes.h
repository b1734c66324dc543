#pragma once
// The numbers the resource tree, the resource menus and several editors share:
// node kinds, resource type codes, the texts of the top-level sections and the
// resource list that stands behind each type.

#include <cstdint>
#include <optional>

#include "resources/resource_kind.h"
#include "storage/resource_kinds.h"

namespace kestrin {

// Node kinds.
inline constexpr std::int32_t kNodeSection = 1;   // top-level node of one resource type
inline constexpr std::int32_t kNodeGroup = 2;     // made by the user inside a section
inline constexpr std::int32_t kNodeResource = 3;  // one resource, or a single top-level node

// Resource type codes. 5 is not used.
inline constexpr std::int32_t kTypeObjects = 1;
inline constexpr std::int32_t kTypeSprites = 2;
inline constexpr std::int32_t kTypeSounds = 3;
inline constexpr std::int32_t kTypeRooms = 4;
inline constexpr std::int32_t kTypeBackgrounds = 6;
inline constexpr std::int32_t kTypeScripts = 7;
inline constexpr std::int32_t kTypePaths = 8;
inline constexpr std::int32_t kTypeDataFiles = 9;
inline constexpr std::int32_t kTypeGameInformation = 10;
inline constexpr std::int32_t kTypeGameOptions = 11;
inline constexpr std::int32_t kTypeTimeLines = 12;

// Icon numbers the tree fixes itself.
inline constexpr int kIconFolderClosed = 1;
inline constexpr int kIconFolderOpen = 2;
inline constexpr int kIconGameInformation = 12;
inline constexpr int kIconGameOptions = 13;

// The eleven top-level nodes, in the order they are shown and stored.
inline constexpr int kTopLevelCount = 11;
// The first nine are sections of a resource list; they are the ones a merge reads.
inline constexpr int kSectionCount = 9;

struct TopLevelEntry {
    std::int32_t kind;
    std::int32_t type;
    const char* text;
    bool advancedOnly;  // lives in the hidden tree in simple mode
};

inline constexpr TopLevelEntry kTopLevel[kTopLevelCount] = {
    {kNodeSection, kTypeSprites, "Sprites", false},
    {kNodeSection, kTypeSounds, "Sounds", false},
    {kNodeSection, kTypeBackgrounds, "Backgrounds", false},
    {kNodeSection, kTypePaths, "Paths", true},
    {kNodeSection, kTypeScripts, "Scripts", true},
    {kNodeSection, kTypeDataFiles, "Data Files", true},
    {kNodeSection, kTypeTimeLines, "Time Lines", true},
    {kNodeSection, kTypeObjects, "Objects", false},
    {kNodeSection, kTypeRooms, "Rooms", false},
    {kNodeResource, kTypeGameInformation, "Game Information", false},
    {kNodeResource, kTypeGameOptions, "Game Options", false},
};

// The list behind a resource type; none for 10, 11 and codes that name no type.
constexpr std::optional<ResourceKind> KindOfType(std::int32_t type) {
    for (const ResourceKindInfo& info : kResourceKinds)
        if (info.typeCode == type) return info.kind;
    return std::nullopt;
}

// The position among the top-level nodes of the section of a type, -1 for none.
constexpr int TopLevelPosition(std::int32_t type) {
    for (int i = 0; i < kTopLevelCount; ++i)
        if (kTopLevel[i].type == type) return i;
    return -1;
}

}  // namespace kestrin
