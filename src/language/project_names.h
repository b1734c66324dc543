#pragma once
// ProjectNames: a game's names and scripts held in memory, for the command
// line before a game file is loaded, for tests and for benchmarks.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "language/name_resolver.h"
#include "language/string_map.h"

namespace kestrin {

class ProjectNames : public ProjectSource {
public:
    // Appends a used slot and returns its index; code is kept for scripts.
    int AddResource(ResourceKind kind, const std::string& name, const std::string& code = std::string());
    // Appends an empty slot (a deleted resource) and returns its index.
    int AddEmptySlot(ResourceKind kind);
    void AddUserConstant(const std::string& name);

    int FindResource(ResourceKind kind, std::string_view name) const override;
    bool IsUserConstant(std::string_view name) const override;
    bool IsResourceName(std::string_view name) const override;

    int ResourceCount(ResourceKind kind) const override;
    bool ResourceExists(ResourceKind kind, int index) const override;
    std::string ResourceName(ResourceKind kind, int index) const override;
    std::string ScriptCode(int index) const override;
    std::vector<std::string> UserConstantNames() const override;

private:
    struct Slot {
        std::string name;
        std::string code;
    };
    const Slot* SlotAt(ResourceKind kind, int index) const;

    std::array<std::vector<std::optional<Slot>>, kResourceKindCount> mSlots;
    std::array<NameIndex<int>, kResourceKindCount> mFirstIndex;  // the first slot of each name
    NameSet mAnyKind;
    std::vector<std::string> mUserConstants;
    NameSet mUserConstantSet;
};

}  // namespace kestrin
