// CEvent: the action list and its record.

#include "resources/event.h"

#include "stream/stream.h"

namespace kestrin {

namespace {
constexpr std::int32_t kEventVersion = 400;
// The version of every action record takes at least one int.
constexpr std::size_t kMinActionRecordSize = 4;

// Library 0 names no action: such an action keeps its defaults.
std::unique_ptr<CAction> NewAction(std::int32_t libraryId, std::int32_t actionId) {
    return libraryId != 0 ? std::make_unique<CAction>(libraryId, actionId) : std::make_unique<CAction>();
}
}  // namespace

CAction* CEvent::GetAction(int i) {
    return i >= 0 && i < ActionCount() ? mActions[i].get() : nullptr;
}

const CAction* CEvent::GetAction(int i) const {
    return i >= 0 && i < ActionCount() ? mActions[i].get() : nullptr;
}

CAction& CEvent::AddAction(std::int32_t libraryId, std::int32_t actionId) {
    mActions.push_back(NewAction(libraryId, actionId));
    return *mActions.back();
}

CAction* CEvent::InsertAction(int i, std::int32_t libraryId, std::int32_t actionId) {
    if (i < 0 || i > ActionCount()) return nullptr;
    return mActions.insert(mActions.begin() + i, NewAction(libraryId, actionId))->get();
}

void CEvent::DeleteAction(int i) {
    if (i < 0 || i >= ActionCount()) return;
    mActions.erase(mActions.begin() + i);
}

void CEvent::Assign(const CEvent& other) {
    if (&other == this) return;
    Clear();
    Append(other);
}

void CEvent::Append(const CEvent& other) {
    // Counted first, so appending an event to itself copies each action once.
    std::size_t count = other.mActions.size();
    for (std::size_t i = 0; i < count; ++i) {
        auto copy = std::make_unique<CAction>();
        copy->Assign(*other.mActions[i]);
        mActions.push_back(std::move(copy));
    }
}

void CEvent::RemapAfterMerge(const MergeOffsets& offsets) {
    for (auto& action : mActions) action->RemapAfterMerge(offsets);
}

bool CEvent::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kEventVersion) return false;
    std::int32_t count = stream.ReadInteger();
    if (count > 0 && static_cast<std::size_t>(count) > stream.Remaining() / kMinActionRecordSize)
        throw StreamReadError();
    for (std::int32_t i = 0; i < count; ++i) {
        auto action = std::make_unique<CAction>();
        if (!action->LoadFromStream(stream)) {
            Clear();
            return false;
        }
        mActions.push_back(std::move(action));
    }
    return true;
}

void CEvent::SaveToStream(CStream& stream) {
    stream.WriteInteger(kEventVersion);
    stream.WriteInteger(ActionCount());
    for (auto& action : mActions) action->SaveToStream(stream);
}

}  // namespace kestrin
