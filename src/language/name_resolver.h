#pragma once
// What the language tools need to know about a game: which resource names
// exist (by kind) and which names are user-defined constants, and, for the
// project-wide checks, the resources themselves and the scripts' code. The
// tools never touch the game classes; the game supplies an adapter.

#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_kind.h"

namespace kestrin {

// The nine resource kinds, in the order the listings walk them.
inline constexpr ResourceKind kAllResourceKinds[kResourceKindCount] = {
    ResourceKind::Sprite, ResourceKind::Sound,    ResourceKind::Background,
    ResourceKind::Path,   ResourceKind::Script,   ResourceKind::DataFile,
    ResourceKind::TimeLine, ResourceKind::Object, ResourceKind::Room};

class NameResolver {
public:
    virtual ~NameResolver() = default;
    // Index of the resource of that kind with exactly this name; negative
    // when there is none.
    virtual int FindResource(ResourceKind kind, std::string_view name) const = 0;
    virtual bool IsUserConstant(std::string_view name) const = 0;
    // Whether a resource of any kind has this name; the default asks every
    // kind, adapters with a combined index answer faster.
    virtual bool IsResourceName(std::string_view name) const;
};

// A game as the project checks and listings see it.
class ProjectSource : public NameResolver {
public:
    // Slots per kind, used or empty.
    virtual int ResourceCount(ResourceKind kind) const = 0;
    virtual bool ResourceExists(ResourceKind kind, int index) const = 0;
    virtual std::string ResourceName(ResourceKind kind, int index) const = 0;
    // The code of the script in that slot.
    virtual std::string ScriptCode(int index) const = 0;
    virtual std::vector<std::string> UserConstantNames() const = 0;
};

// No game: no resources, no user constants.
const NameResolver& NoGameNames();

}  // namespace kestrin
