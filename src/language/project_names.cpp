// ProjectNames: slots per kind with an index of names for the lookups.

#include "language/project_names.h"

namespace kestrin {

int ProjectNames::AddResource(ResourceKind kind, const std::string& name, const std::string& code) {
    auto& slots = mSlots[KindIndex(kind)];
    int index = static_cast<int>(slots.size());
    slots.push_back(Slot{name, code});
    mFirstIndex[KindIndex(kind)].Insert(name, index);
    mAnyKind.Insert(name, true);
    return index;
}

int ProjectNames::AddEmptySlot(ResourceKind kind) {
    auto& slots = mSlots[KindIndex(kind)];
    slots.emplace_back(std::nullopt);
    return static_cast<int>(slots.size()) - 1;
}

void ProjectNames::AddUserConstant(const std::string& name) {
    mUserConstants.push_back(name);
    mUserConstantSet.Insert(name, true);
}

int ProjectNames::FindResource(ResourceKind kind, std::string_view name) const {
    const int* found = mFirstIndex[KindIndex(kind)].Find(name);
    return found ? *found : -1;
}

bool ProjectNames::IsUserConstant(std::string_view name) const {
    return mUserConstantSet.Contains(name);
}

bool ProjectNames::IsResourceName(std::string_view name) const { return mAnyKind.Contains(name); }

int ProjectNames::ResourceCount(ResourceKind kind) const {
    return static_cast<int>(mSlots[KindIndex(kind)].size());
}

const ProjectNames::Slot* ProjectNames::SlotAt(ResourceKind kind, int index) const {
    const auto& slots = mSlots[KindIndex(kind)];
    if (index < 0 || index >= static_cast<int>(slots.size()) || !slots[index]) return nullptr;
    return &*slots[index];
}

bool ProjectNames::ResourceExists(ResourceKind kind, int index) const { return SlotAt(kind, index) != nullptr; }

std::string ProjectNames::ResourceName(ResourceKind kind, int index) const {
    const Slot* slot = SlotAt(kind, index);
    return slot ? slot->name : std::string();
}

std::string ProjectNames::ScriptCode(int index) const {
    const Slot* slot = SlotAt(ResourceKind::Script, index);
    return slot ? slot->code : std::string();
}

std::vector<std::string> ProjectNames::UserConstantNames() const { return mUserConstants; }

}  // namespace kestrin
