// The ds_ functions over the interpreter's data structures. An id that
// names no structure of the kind is an error; reading from an empty one
// gives 0.

#include <algorithm>
#include <cmath>

#include "engine/script/builtin_functions.h"
#include "engine/script/run_messages.h"

namespace kestrin::engine {

namespace {

using Args = const Value*;
using Map = std::multimap<Value, Value, ValueOrder>;

template <typename T>
T* Get(BuiltinContext& c, DataStructures::Kind<T>& kind, const Value& id) {
    if (id.IsString()) {
        c.Fail(messages::WrongTypes(c.function));
        return nullptr;
    }
    T* found = kind.Find(std::nearbyint(id.Real()));
    if (!found) c.Fail(messages::NoDataStructure(id.Real()));
    return found;
}

bool Room(BuiltinContext& c, std::size_t size) {
    return size < DataStructures::kMaxElements || c.Fail(messages::kStructureTooLarge);
}

bool Real(Value& r, double value) {
    r = Value(value);
    return true;
}

// The id of a new structure, or the error when there are too many.
bool Created(BuiltinContext& c, Value& r, double id) {
    return id < 0 ? c.Fail(messages::kTooManyStructures) : Real(r, id);
}

// The position argument of a list, or -1 when it is outside 0 .. size - 1 (or size when allowed).
long long ListPosition(const Value& position, std::size_t size, bool allowEnd) {
    if (position.IsString()) return -1;
    const double at = std::nearbyint(position.Real());
    const double last = static_cast<double>(size) - (allowEnd ? 0 : 1);
    return at >= 0 && at <= last ? static_cast<long long>(at) : -1;
}

// The first entry whose key is the same as the given one, within the precision for reals.
Map::iterator FindKey(DataStructures& ds, Map& map, const Value& key) {
    if (key.IsString()) return map.find(key);
    auto it = map.lower_bound(Value(key.Real() - ds.precision));
    return it != map.end() && ds.Same(it->first, key) ? it : map.end();
}

// The entry of the lowest (or highest) priority, the first one on ties.
std::vector<std::pair<Value, Value>>::iterator Extreme(DataStructures::Priority& p, bool highest) {
    ValueOrder less;
    auto best = p.entries.begin();
    for (auto it = p.entries.begin(); it != p.entries.end(); ++it)
        if (highest ? less(best->second, it->second) : less(it->second, best->second)) best = it;
    return best;
}

}  // namespace

void AddDataStructureFunctions(BuiltinTable& t) {
#define KIND(member) c.Structures().member
    t["ds_set_precision"] = [](BuiltinContext& c, Args a, int, Value& r) {
        if (a[0].IsString()) return c.Fail(messages::WrongTypes(c.function));
        c.Structures().precision = std::fabs(a[0].Real());
        return Real(r, 0);
    };
    // Stacks and queues share their form: a deque, taken from the back or the front.
    t["ds_stack_create"] = [](BuiltinContext& c, Args, int, Value& r) { return Created(c, r, KIND(stacks).Create()); };
    t["ds_queue_create"] = [](BuiltinContext& c, Args, int, Value& r) { return Created(c, r, KIND(queues).Create()); };
    t["ds_list_create"] = [](BuiltinContext& c, Args, int, Value& r) { return Created(c, r, KIND(lists).Create()); };
    t["ds_map_create"] = [](BuiltinContext& c, Args, int, Value& r) { return Created(c, r, KIND(maps).Create()); };
    t["ds_priority_create"] = [](BuiltinContext& c, Args, int, Value& r) {
        return Created(c, r, KIND(priorities).Create());
    };
#define COMMON(prefix, member, sizeOf)                                                  \
    t["ds_" prefix "_destroy"] = [](BuiltinContext& c, Args a, int, Value& r) {          \
        if (!Get(c, KIND(member), a[0])) return false;                                  \
        KIND(member).Destroy(std::nearbyint(a[0].Real()));                               \
        return Real(r, 0);                                                               \
    };                                                                                   \
    t["ds_" prefix "_clear"] = [](BuiltinContext& c, Args a, int, Value& r) {            \
        auto* s = Get(c, KIND(member), a[0]);                                            \
        if (!s) return false;                                                            \
        *s = {};                                                                         \
        return Real(r, 0);                                                               \
    };                                                                                   \
    t["ds_" prefix "_size"] = [](BuiltinContext& c, Args a, int, Value& r) {             \
        auto* s = Get(c, KIND(member), a[0]);                                            \
        return s && Real(r, static_cast<double>(sizeOf));                                \
    };                                                                                   \
    t["ds_" prefix "_empty"] = [](BuiltinContext& c, Args a, int, Value& r) {            \
        auto* s = Get(c, KIND(member), a[0]);                                            \
        return s && Real(r, (sizeOf) == 0 ? 1.0 : 0.0);                                  \
    };
    COMMON("stack", stacks, s->size())
    COMMON("queue", queues, s->size())
    COMMON("list", lists, s->size())
    COMMON("map", maps, s->size())
    COMMON("priority", priorities, s->entries.size())
#undef COMMON

    t["ds_stack_push"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(stacks), a[0]);
        if (!s || !Room(c, s->size())) return false;
        s->push_back(a[1]);
        return Real(r, 0);
    };
    t["ds_stack_pop"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(stacks), a[0]);
        if (!s) return false;
        if (s->empty()) return Real(r, 0);
        r = s->back();
        s->pop_back();
        return true;
    };
    t["ds_stack_top"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(stacks), a[0]);
        if (!s) return false;
        r = s->empty() ? Value(0.0) : s->back();
        return true;
    };
    t["ds_queue_enqueue"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(queues), a[0]);
        if (!s || !Room(c, s->size())) return false;
        s->push_back(a[1]);
        return Real(r, 0);
    };
    t["ds_queue_dequeue"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(queues), a[0]);
        if (!s) return false;
        if (s->empty()) return Real(r, 0);
        r = s->front();
        s->pop_front();
        return true;
    };
    t["ds_queue_head"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(queues), a[0]);
        if (!s) return false;
        r = s->empty() ? Value(0.0) : s->front();
        return true;
    };
    t["ds_queue_tail"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(queues), a[0]);
        if (!s) return false;
        r = s->empty() ? Value(0.0) : s->back();
        return true;
    };

    t["ds_list_add"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s || !Room(c, s->size())) return false;
        s->push_back(a[1]);
        return Real(r, 0);
    };
    t["ds_list_insert"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s || !Room(c, s->size())) return false;
        const long long at = ListPosition(a[1], s->size(), true);
        if (at >= 0) s->insert(s->begin() + at, a[2]);
        return Real(r, 0);
    };
    t["ds_list_replace"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s) return false;
        const long long at = ListPosition(a[1], s->size(), false);
        if (at >= 0) (*s)[at] = a[2];
        return Real(r, 0);
    };
    t["ds_list_delete"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s) return false;
        const long long at = ListPosition(a[1], s->size(), false);
        if (at >= 0) s->erase(s->begin() + at);
        return Real(r, 0);
    };
    t["ds_list_find_index"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s) return false;
        for (std::size_t i = 0; i < s->size(); ++i)
            if (c.Structures().Same((*s)[i], a[1])) return Real(r, static_cast<double>(i));
        return Real(r, -1);
    };
    t["ds_list_find_value"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s) return false;
        const long long at = ListPosition(a[1], s->size(), false);
        r = at >= 0 ? (*s)[at] : Value(0.0);
        return true;
    };
    t["ds_list_sort"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(lists), a[0]);
        if (!s) return false;
        if (a[1].IsTrue())
            std::stable_sort(s->begin(), s->end(), ValueOrder());
        else
            std::stable_sort(s->begin(), s->end(), [](const Value& x, const Value& y) { return ValueOrder()(y, x); });
        return Real(r, 0);
    };

    t["ds_map_add"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s || !Room(c, s->size())) return false;
        s->emplace(a[1], a[2]);
        return Real(r, 0);
    };
    t["ds_map_replace"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        auto it = FindKey(c.Structures(), *s, a[1]);
        if (it != s->end()) it->second = a[2];
        return Real(r, 0);
    };
    t["ds_map_delete"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        auto it = FindKey(c.Structures(), *s, a[1]);
        if (it != s->end()) s->erase(it);
        return Real(r, 0);
    };
    t["ds_map_exists"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        return s && Real(r, FindKey(c.Structures(), *s, a[1]) != s->end() ? 1.0 : 0.0);
    };
    t["ds_map_find_value"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        auto it = FindKey(c.Structures(), *s, a[1]);
        r = it != s->end() ? it->second : Value(0.0);
        return true;
    };
    t["ds_map_find_first"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        r = s->empty() ? Value(0.0) : s->begin()->first;
        return true;
    };
    t["ds_map_find_last"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        r = s->empty() ? Value(0.0) : s->rbegin()->first;
        return true;
    };
    t["ds_map_find_next"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        auto it = s->upper_bound(a[1]);
        r = it != s->end() ? it->first : Value(0.0);
        return true;
    };
    t["ds_map_find_previous"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(maps), a[0]);
        if (!s) return false;
        auto it = s->lower_bound(a[1]);
        r = it != s->begin() ? std::prev(it)->first : Value(0.0);
        return true;
    };

    t["ds_priority_add"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(priorities), a[0]);
        if (!s || !Room(c, s->entries.size())) return false;
        s->entries.emplace_back(a[1], a[2]);
        return Real(r, 0);
    };
    t["ds_priority_change_priority"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(priorities), a[0]);
        if (!s) return false;
        for (auto& entry : s->entries)
            if (c.Structures().Same(entry.first, a[1])) {
                entry.second = a[2];
                break;
            }
        return Real(r, 0);
    };
    t["ds_priority_find_priority"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(priorities), a[0]);
        if (!s) return false;
        r = Value(0.0);
        for (auto& entry : s->entries)
            if (c.Structures().Same(entry.first, a[1])) {
                r = entry.second;
                break;
            }
        return true;
    };
    t["ds_priority_delete_value"] = [](BuiltinContext& c, Args a, int, Value& r) {
        auto* s = Get(c, KIND(priorities), a[0]);
        if (!s) return false;
        for (auto it = s->entries.begin(); it != s->entries.end(); ++it)
            if (c.Structures().Same(it->first, a[1])) {
                s->entries.erase(it);
                break;
            }
        return Real(r, 0);
    };
#define EXTREME(name, highest, remove)                                          \
    t[name] = [](BuiltinContext& c, Args a, int, Value& r) {                    \
        auto* s = Get(c, KIND(priorities), a[0]);                               \
        if (!s) return false;                                                   \
        if (s->entries.empty()) return Real(r, 0);                              \
        auto it = Extreme(*s, highest);                                         \
        r = it->first;                                                          \
        if (remove) s->entries.erase(it);                                       \
        return true;                                                            \
    };
    EXTREME("ds_priority_find_min", false, false)
    EXTREME("ds_priority_delete_min", false, true)
    EXTREME("ds_priority_find_max", true, false)
    EXTREME("ds_priority_delete_max", true, true)
#undef EXTREME
#undef KIND
}

}  // namespace kestrin::engine
