#pragma once
// CEvent: an ordered list of actions. Objects hold one per event, time lines
// one per moment; both store it the same way.

#include <cstdint>
#include <memory>
#include <vector>

#include "resources/action.h"

namespace kestrin {

class CStream;

class CEvent {
public:
    CEvent() = default;

    void Clear() { mActions.clear(); }
    int ActionCount() const { return static_cast<int>(mActions.size()); }
    bool Empty() const { return mActions.empty(); }

    // Null outside 0..count-1.
    CAction* GetAction(int i);
    const CAction* GetAction(int i) const;
    // A new action from the definition (blank for library id 0), at the end.
    CAction& AddAction(std::int32_t libraryId, std::int32_t actionId);
    // As AddAction, placed at i (0..count); null, adding nothing, for another i.
    CAction* InsertAction(int i, std::int32_t libraryId, std::int32_t actionId);
    void DeleteAction(int i);

    void Assign(const CEvent& other);
    // Appends copies of every action of other.
    void Append(const CEvent& other);

    void RemapAfterMerge(const MergeOffsets& offsets);

    // False (the list left empty) for a record version other than 400 or an
    // action record this system cannot read.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream);

private:
    std::vector<std::unique_ptr<CAction>> mActions;
};

}  // namespace kestrin
