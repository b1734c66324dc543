#pragma once
// The objects of a game as the engine dispatches events to them: for each
// object, every event it answers (its own or inherited from a parent), the
// objects that count as it (itself and every descendant) and its defaults.

#include <cstdint>
#include <vector>

namespace kestrin {
class CEvent;
class Game;
}  // namespace kestrin

namespace kestrin::engine {

// An event and the object whose table holds it; the holder matters to
// event_inherited, which continues from the holder's parent.
struct ResolvedEvent {
    const CEvent* event = nullptr;
    int holder = -1;
};

struct ObjectEntry {
    bool exists = false;
    int parent = -1;
    // Per event type, indexed by event number; missing numbers have no event.
    std::vector<std::vector<ResolvedEvent>> events;
    // This object and every object whose parent chain reaches it.
    std::vector<int> family;
    // The numbers of the collision events it answers, ascending.
    std::vector<int> collisionTargets;
};

class ObjectTable {
public:
    explicit ObjectTable(Game& game);

    // Resolves every object again after the game changed its objects. The
    // entries before stay readable until ReleaseRetired, so a loop over an
    // entry's events that ran the code making the change can finish.
    void Rebuild();
    // A change of the objects: rebuilt at once, or, once a step has retired
    // many tables, when the step ends (a loop of changes must not keep a
    // table per change).
    void Changed();
    void ReleaseRetired();

    int Count() const { return static_cast<int>(mEntries.size()); }
    bool Exists(int object) const { return object >= 0 && object < Count() && mEntries[object].exists; }
    const ObjectEntry* Entry(int object) const { return Exists(object) ? &mEntries[object] : nullptr; }
    // The event an object answers, looking through its parents; null when none.
    ResolvedEvent Find(int object, int type, int number) const;
    // The event the holder's parents answer: what event_inherited runs.
    ResolvedEvent FindInherited(int holder, int type, int number) const;
    // Whether object is ancestor or the object itself.
    bool IsA(int object, int ancestor) const;

private:
    // The parent of an object, or -1; chains that loop are cut.
    int ParentOf(int object) const;

    Game& mGame;
    std::vector<ObjectEntry> mEntries;
    std::vector<std::vector<ObjectEntry>> mRetired;
    bool mStale = false;
};

}  // namespace kestrin::engine
