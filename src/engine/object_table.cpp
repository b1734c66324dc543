// Resolving each object's events through its parents once, at game start.

#include "engine/object_table.h"

#include "resources/event.h"
#include "resources/event_types.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr std::size_t kMaxRetiredTables = 32;

}  // namespace

ObjectTable::ObjectTable(Game& game) : mGame(game) { Rebuild(); }

void ObjectTable::Changed() {
    if (mRetired.size() < kMaxRetiredTables) Rebuild();
    else mStale = true;
}

void ObjectTable::ReleaseRetired() {
    if (mStale) Rebuild();
    mStale = false;
    mRetired.clear();
}

void ObjectTable::Rebuild() {
    if (!mEntries.empty()) mRetired.push_back(std::move(mEntries));
    mEntries.clear();
    Game& game = mGame;
    const int count = game.Objects().ResourceCount();
    mEntries.resize(count);
    for (int i = 0; i < count; ++i) {
        const CObject* object = game.Objects().ResourceAt(i);
        if (!object) continue;
        mEntries[i].exists = true;
        mEntries[i].parent = object->Parent;
    }
    for (int i = 0; i < count; ++i) {
        if (!mEntries[i].exists) continue;
        // A parent chain longer than the object count has a loop; cut it here.
        int parent = ParentOf(i);
        for (int guard = 0; parent >= 0 && guard < count; ++guard) parent = ParentOf(parent);
        if (parent >= 0) mEntries[i].parent = -1;
    }
    for (int i = 0; i < count; ++i) {
        ObjectEntry& entry = mEntries[i];
        if (!entry.exists) continue;
        entry.events.resize(kEventTypeCount);
        // From the furthest ancestor down, so the nearest holder wins.
        std::vector<int> chain;
        for (int o = i; o >= 0; o = ParentOf(o)) chain.insert(chain.begin(), o);
        for (int holder : chain) {
            const CObject* object = game.Objects().ResourceAt(holder);
            for (int type = 0; type < kEventTypeCount; ++type) {
                for (int number : object->EventNumbers(type)) {
                    auto& list = entry.events[type];
                    if (static_cast<int>(list.size()) <= number) list.resize(number + 1);
                    list[number] = {object->FindEvent(type, number), holder};
                }
            }
        }
        const auto& collisions = entry.events[kEventCollision];
        for (int n = 0; n < static_cast<int>(collisions.size()); ++n)
            if (collisions[n].event) entry.collisionTargets.push_back(n);
    }
    for (int i = 0; i < count; ++i) {
        if (!mEntries[i].exists) continue;
        for (int o = i; o >= 0; o = ParentOf(o)) mEntries[o].family.push_back(i);
    }
}

int ObjectTable::ParentOf(int object) const {
    if (!Exists(object)) return -1;
    const int parent = mEntries[object].parent;
    return Exists(parent) ? parent : -1;
}

ResolvedEvent ObjectTable::Find(int object, int type, int number) const {
    const ObjectEntry* entry = Entry(object);
    if (!entry || type < 0 || type >= kEventTypeCount || number < 0) return {};
    const auto& list = entry->events[type];
    return number < static_cast<int>(list.size()) ? list[number] : ResolvedEvent{};
}

ResolvedEvent ObjectTable::FindInherited(int holder, int type, int number) const {
    const int parent = ParentOf(holder);
    return parent < 0 ? ResolvedEvent{} : Find(parent, type, number);
}

bool ObjectTable::IsA(int object, int ancestor) const {
    for (int o = object; o >= 0; o = ParentOf(o))
        if (o == ancestor) return true;
    return false;
}

}  // namespace kestrin::engine
