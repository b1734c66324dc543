// Keeping the object editor's list of events sorted and current.

#include "editors/listed_events.h"

#include <algorithm>

#include "resources/object.h"

namespace kestrin {

ListedEvents ListedEvents::FromObject(const CObject& object) {
    ListedEvents listed;
    for (int type = 0; type < kEventTypeCount; ++type)
        for (int number : object.EventNumbers(type)) listed.mEvents.push_back({type, number});
    return listed;
}

int ListedEvents::IndexOf(const EventKey& key) const {
    auto it = std::lower_bound(mEvents.begin(), mEvents.end(), key);
    return it != mEvents.end() && *it == key ? static_cast<int>(it - mEvents.begin()) : -1;
}

int ListedEvents::Insert(const EventKey& key) {
    auto it = std::lower_bound(mEvents.begin(), mEvents.end(), key);
    if (it == mEvents.end() || *it != key) it = mEvents.insert(it, key);
    return static_cast<int>(it - mEvents.begin());
}

void ListedEvents::RemoveAt(int i) {
    if (i >= 0 && i < Count()) mEvents.erase(mEvents.begin() + i);
}

int ListedEvents::DropDanglingCollisions(const ResourceLookup& game, int selected) {
    const bool hadSelection = selected >= 0 && selected < Count();
    const EventKey selectedKey = hadSelection ? At(selected) : EventKey{};
    int before = -1;  // the last surviving line before the selected one
    std::vector<EventKey> kept;
    for (int i = 0; i < Count(); ++i) {
        const EventKey& key = At(i);
        const bool dangling = key.type == kCollisionEventType && !game.ResourceExists(ResourceKind::Object, key.number);
        if (dangling) continue;
        kept.push_back(key);
        if (i < selected) before = static_cast<int>(kept.size()) - 1;
    }
    mEvents = std::move(kept);
    if (!hadSelection || mEvents.empty()) return mEvents.empty() ? -1 : (hadSelection ? 0 : -1);
    const int same = IndexOf(selectedKey);
    if (same >= 0) return same;
    return before >= 0 ? before : 0;
}

}  // namespace kestrin
