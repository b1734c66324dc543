// CObject: the event table, reference checks, merge remapping and the record.

#include "resources/object.h"

#include <algorithm>
#include <cstdint>

#include "stream/stream.h"

namespace kestrin {

namespace {
constexpr std::int32_t kObjectVersion = 430;
constexpr std::int32_t kHighestEventType = kEventTypeCount - 1;
constexpr std::int32_t kEndOfEvents = -1;
}  // namespace

void CObject::Clear() {
    Sprite = -1;
    Solid = false;
    Visible = true;
    Depth = 0;
    Persistent = false;
    Parent = kNoObject;
    Mask = -1;
    for (auto& list : mEvents) {
        list.length = 0;
        list.events.clear();
    }
}

void CObject::Assign(const CObject* other) {
    if (other == this) return;
    Clear();
    if (!other) return;
    Sprite = other->Sprite;
    Solid = other->Solid;
    Visible = other->Visible;
    Depth = other->Depth;
    Persistent = other->Persistent;
    Parent = other->Parent;
    Mask = other->Mask;
    for (int type = 0; type < kEventTypeCount; ++type) {
        mEvents[type].length = other->mEvents[type].length;
        for (const auto& [number, event] : other->mEvents[type].events) {
            auto copy = std::make_unique<CEvent>();
            copy->Assign(*event);
            mEvents[type].events.emplace(number, std::move(copy));
        }
    }
}

CEvent* CObject::GetEvent(int type, int number) {
    if (type < 0 || type >= kEventTypeCount || number < 0) return nullptr;
    EventList& list = mEvents[type];
    // A number of INT_MAX still gives a length that fits.
    list.length = std::max(list.length, static_cast<int>(std::min<std::int64_t>(std::int64_t(number) + 1, INT32_MAX)));
    auto& event = list.events[number];
    if (!event) event = std::make_unique<CEvent>();
    return event.get();
}

const CEvent* CObject::FindEvent(int type, int number) const {
    if (type < 0 || type >= kEventTypeCount) return nullptr;
    auto it = mEvents[type].events.find(number);
    return it == mEvents[type].events.end() ? nullptr : it->second.get();
}

bool CObject::HasEvent(int type, int number) const {
    if (type < 0 || type >= kEventTypeCount || number < 0 || number >= mEvents[type].length) return false;
    const CEvent* event = FindEvent(type, number);
    return event && !event->Empty();
}

int CObject::EventListLength(int type) const {
    return type >= 0 && type < kEventTypeCount ? mEvents[type].length : 0;
}

std::vector<int> CObject::EventNumbers(int type) const {
    std::vector<int> numbers;
    if (type < 0 || type >= kEventTypeCount) return numbers;
    for (const auto& [number, event] : mEvents[type].events)
        if (!event->Empty()) numbers.push_back(number);
    return numbers;
}

void CObject::Validate(const ResourceLookup& game) {
    if (game.TracksKind(ResourceKind::Sprite)) {
        if (!game.ResourceExists(ResourceKind::Sprite, Sprite)) Sprite = -1;
        if (!game.ResourceExists(ResourceKind::Sprite, Mask)) Mask = -1;
    }
    if (!game.ResourceExists(ResourceKind::Object, Parent)) Parent = kNoObject;
    for (auto& [number, event] : mEvents[kCollisionEventType].events)
        if (!game.ResourceExists(ResourceKind::Object, number)) event->Clear();
}

bool CObject::HasParentLoop(const ResourceLookup& game) const {
    int slots = game.ResourceCount(ResourceKind::Object);
    int steps = 0;
    for (int a = Parent; a >= 0;) {
        const CObject* object = game.ObjectAt(a);
        if (!object) return false;
        if (++steps > slots) return true;
        a = object->Parent;
    }
    return false;
}

void CObject::RemapAfterMerge(const MergeOffsets& offsets, int objectCount) {
    std::int32_t spriteOffset = offsets[ResourceKind::Sprite];
    std::int32_t objectOffset = offsets[ResourceKind::Object];
    if (Sprite >= 0) Sprite = MergedIndex(Sprite, spriteOffset);
    if (Mask >= 0) Mask = MergedIndex(Mask, spriteOffset);
    if (Parent != kNoObject) Parent = MergedIndex(Parent, objectOffset);

    // Entry k becomes entry k + offset within the grown list; an entry that
    // would move past its end named an object the merged game did not have.
    EventList& collisions = mEvents[kCollisionEventType];
    int length = std::max(collisions.length, objectCount);
    if (objectOffset > 0) {
        std::map<int, std::unique_ptr<CEvent>> moved;
        for (auto& [number, event] : collisions.events)
            if (static_cast<std::int64_t>(number) + objectOffset < length)
                moved.emplace(number + objectOffset, std::move(event));
        collisions.events = std::move(moved);
    }
    collisions.length = length;

    for (auto& list : mEvents)
        for (auto& [number, event] : list.events)
            if (!event->Empty()) event->RemapAfterMerge(offsets);
}

bool CObject::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kObjectVersion) return false;
    Sprite = stream.ReadInteger();
    Solid = stream.ReadBoolean();
    Visible = stream.ReadBoolean();
    Depth = stream.ReadInteger();
    Persistent = stream.ReadBoolean();
    Parent = stream.ReadInteger();
    Mask = stream.ReadInteger();
    std::int32_t highestType = stream.ReadInteger();
    if (highestType > kHighestEventType) {
        Clear();
        return false;
    }
    for (int type = 0; type <= highestType; ++type) {
        for (;;) {
            std::int32_t number = stream.ReadInteger();
            if (number < 0) break;
            if (!GetEvent(type, number)->LoadFromStream(stream)) {
                Clear();
                return false;
            }
        }
    }
    return true;
}

void CObject::SaveToStream(CStream& stream, const ResourceLookup& game) {
    Validate(game);
    SaveToStream(stream);
}

void CObject::SaveToStream(CStream& stream) {
    stream.WriteInteger(kObjectVersion);
    stream.WriteInteger(Sprite);
    stream.WriteBoolean(Solid);
    stream.WriteBoolean(Visible);
    stream.WriteInteger(Depth);
    stream.WriteBoolean(Persistent);
    stream.WriteInteger(Parent);
    stream.WriteInteger(Mask);
    stream.WriteInteger(kHighestEventType);
    for (auto& list : mEvents) {
        for (auto it = list.events.rbegin(); it != list.events.rend(); ++it) {
            if (it->second->Empty()) continue;
            stream.WriteInteger(it->first);
            it->second->SaveToStream(stream);
        }
        stream.WriteInteger(kEndOfEvents);
    }
}

}  // namespace kestrin
