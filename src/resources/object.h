#pragma once
// CObject: the object resource, its properties and its event table of
// eleven event types. Each type's list is sparse: asking for event number n
// makes the list n + 1 long, but only the events actually asked for are
// held, so a large number (a collision with object 5000, or a hostile file)
// costs one event, not thousands.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "resources/event.h"
#include "resources/event_types.h"
#include "resources/resource_kind.h"

namespace kestrin {

class CStream;

inline constexpr int kCollisionEventType = kEventCollision;

class CObject {
public:
    CObject() { Clear(); }

    void Clear();
    void Assign(const CObject* other);

    // Null for a type outside 0..10 or a negative number; otherwise the event,
    // made (empty) when it was not there yet.
    CEvent* GetEvent(int type, int number);
    // The event when it is held; null otherwise. Never makes one.
    const CEvent* FindEvent(int type, int number) const;
    // The type is valid, the number below the list's length, and the event
    // has at least one action.
    bool HasEvent(int type, int number) const;
    // Length of a type's list: one more than the highest number asked for.
    int EventListLength(int type) const;
    // The numbers of a type's events that have actions, ascending: the events
    // the object's record holds. Empty for a type outside 0..10.
    std::vector<int> EventNumbers(int type) const;

    // Drops references that do not resolve: the sprite and mask become -1,
    // the parent -100, and collision events with missing objects lose their
    // actions.
    void Validate(const ResourceLookup& game);
    // Following the parent chain through the game's objects takes more steps
    // than there are object slots.
    bool HasParentLoop(const ResourceLookup& game) const;
    // Shifts references after another game's objects were appended; the
    // collision list moves up by the object offset and grows to objectCount.
    void RemapAfterMerge(const MergeOffsets& offsets, int objectCount);

    // False (the object cleared) for a record version other than 430, more
    // than eleven event types, or an event record that fails.
    bool LoadFromStream(CStream& stream);
    // Validates against the game first, then writes the record.
    void SaveToStream(CStream& stream, const ResourceLookup& game);
    // Writes the record as the object stands.
    void SaveToStream(CStream& stream);

    std::int32_t Sprite = -1;
    bool Solid = false;
    bool Visible = true;
    std::int32_t Depth = 0;
    bool Persistent = false;
    std::int32_t Parent = kNoObject;
    std::int32_t Mask = -1;

private:
    struct EventList {
        int length = 0;
        std::map<int, std::unique_ptr<CEvent>> events;
    };

    std::array<EventList, kEventTypeCount> mEvents;
};

}  // namespace kestrin
