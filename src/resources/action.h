#pragma once
// CAction: one action in an event or a moment. It names its definition by
// (library id, action id), carries copies of the definition's properties for
// the runner, and holds the user's argument values and flags. An action whose
// library is not loaded keeps the copies it was read with.

#include <array>
#include <cstdint>
#include <string>

#include "resources/resource_kind.h"

namespace kestrin {

class CActionDefinition;
class CStream;

inline constexpr int kActionSlots = 8;

class CAction {
public:
    // A blank action: ids 0, definition copies at zero, then reset.
    CAction();
    // Takes the definition's properties and argument defaults when it is loaded.
    CAction(std::int32_t libraryId, std::int32_t actionId);

    // FindActionDefinition(LibraryId, ActionId), or null.
    const CActionDefinition* GetDefinition() const;

    // Copies the definition's properties, when it is loaded.
    void Refresh();
    // AppliesTo self, flags clear, argument values from the definition (or "0").
    void Reset();

    // Empty text outside 0..7; the setter ignores such slots.
    std::string GetArgValue(int i) const;
    void SetArgValue(int i, const std::string& text);

    void Assign(const CAction& other);

    // Shifts object and resource references by the merge offsets.
    void RemapAfterMerge(const MergeOffsets& offsets);

    // False (the action reset) for a record version other than 440.
    bool LoadFromStream(CStream& stream);
    // Refreshes from the definition first, so a saved game carries the
    // current definition's properties.
    void SaveToStream(CStream& stream);

    std::int32_t LibraryId = 0;
    std::int32_t ActionId = 0;
    std::int32_t Kind = 0;
    bool CanBeRelative = false;
    bool IsQuestion = false;
    bool CanApplyTo = false;
    std::int32_t ExecKind = 0;
    std::string ExecText1;
    std::string ExecText2;
    std::int32_t ArgCount = 0;
    std::array<std::int32_t, kActionSlots> ArgKind{};
    std::int32_t AppliesTo = kObjectSelf;
    bool Relative = false;
    std::array<std::string, kActionSlots> ArgValue;
    bool Not = false;
};

// The resource kind an argument kind names, or false for other argument kinds.
bool ArgumentResourceKind(std::int32_t argKind, ResourceKind& kind);

}  // namespace kestrin
