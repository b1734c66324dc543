#pragma once
// The events an object editor lists: (type, number) pairs sorted by type,
// then number. It starts with every event of the object that holds actions,
// whatever its number, so nothing saved is out of the user's reach.

#include <vector>

namespace kestrin {

class CObject;
class ResourceLookup;

struct EventKey {
    int type = 0;
    int number = 0;
    auto operator<=>(const EventKey&) const = default;
};

class ListedEvents {
public:
    static ListedEvents FromObject(const CObject& object);

    int Count() const { return static_cast<int>(mEvents.size()); }
    const EventKey& At(int i) const { return mEvents[static_cast<std::size_t>(i)]; }
    // -1 when not listed.
    int IndexOf(const EventKey& key) const;
    // Inserts at the sorted place and returns the index; an already listed
    // key is not added again (its index is returned).
    int Insert(const EventKey& key);
    void RemoveAt(int i);
    // Drops collision events whose other object no longer exists. Returns
    // where the selection goes: the same event when it stays, else the line
    // before it, else the first line; -1 for an empty list or no selection.
    int DropDanglingCollisions(const ResourceLookup& game, int selected);

private:
    std::vector<EventKey> mEvents;
};

}  // namespace kestrin
