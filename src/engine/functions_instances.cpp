// World functions: making, finding, changing and destroying instances;
// collision and position tests.

#include <cmath>
#include <limits>

#include "engine/world.h"
#include "engine/world_functions.h"

namespace kestrin::engine {

namespace {

// Whether an instance is what a target value names: an object (with its
// children), an instance id, all, self or other.
bool Names(FunctionCall& call, const Instance& candidate, double target) {
    if (!candidate.alive) return false;
    if (target == kAll) return true;
    if (target == kSelf) return &candidate == call.self;
    if (target == kOther) return &candidate == call.other;
    if (target >= kFirstInstanceId) return candidate.id == static_cast<std::int32_t>(target);
    return target >= 0 && call.world.Objects().IsA(candidate.object, static_cast<int>(target));
}

template <typename Test>
Instance* FirstNamed(FunctionCall& call, double target, Test test) {
    for (const auto& instance : call.world.Instances())
        if (Names(call, *instance, target) && test(*instance)) return instance.get();
    return nullptr;
}

double IdOrNoone(const Instance* instance) { return instance ? static_cast<double>(instance->id) : kNoone; }

Instance* Meeting(FunctionCall& call, double x, double y, double target, bool solidOnly) {
    if (!call.self) return nullptr;
    return FirstNamed(call, target, [&](const Instance& other) {
        return &other != call.self && (!solidOnly || other.solid) && call.world.Overlaps(*call.self, x, y, other);
    });
}

Value InstanceCreate(FunctionCall& call) {
    Instance* made = call.world.CreateInstance(call.Int(2), call.Real(0), call.Real(1));
    if (!made) return call.Fail("Creating instance for non-existing object: " + call.Text(2));
    return static_cast<double>(made->id);
}

Value InstanceDestroy(FunctionCall& call) {
    if (call.self) call.world.DestroyInstance(*call.self);
    return 0.0;
}

Value InstanceExists(FunctionCall& call) {
    return FirstNamed(call, call.Real(0), [](const Instance&) { return true; }) ? 1.0 : 0.0;
}

Value InstanceNumber(FunctionCall& call) {
    double count = 0;
    for (const auto& instance : call.world.Instances()) count += Names(call, *instance, call.Real(0));
    return count;
}

Value InstanceFind(FunctionCall& call) {
    int n = call.Int(1);
    return IdOrNoone(FirstNamed(call, call.Real(0), [&](const Instance&) { return n-- == 0; }));
}

Value Nearest(FunctionCall& call, bool furthest) {
    const double x = call.Real(0), y = call.Real(1);
    Instance* best = nullptr;
    double bestDistance = furthest ? -1 : std::numeric_limits<double>::infinity();
    FirstNamed(call, call.Real(2), [&](const Instance& i) {
        const double d = std::hypot(i.x - x, i.y - y);
        if (furthest ? d > bestDistance : d < bestDistance) {
            bestDistance = d;
            best = const_cast<Instance*>(&i);
        }
        return false;
    });
    return IdOrNoone(best);
}

// The sprite_index of the instance the argument names (an id, or an object
// meaning its first instance), or -1 when it names none.
Value InstanceSprite(FunctionCall& call) {
    const Instance* named = FirstNamed(call, call.Real(0), [](const Instance&) { return true; });
    return named ? static_cast<double>(named->spriteIndex) : -1.0;
}

Value InstanceNearest(FunctionCall& call) { return Nearest(call, false); }
Value InstanceFurthest(FunctionCall& call) { return Nearest(call, true); }

Value InstancePlace(FunctionCall& call) {
    return IdOrNoone(Meeting(call, call.Real(0), call.Real(1), call.Real(2), false));
}

Value InstancePosition(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1);
    return IdOrNoone(FirstNamed(call, call.Real(2), [&](const Instance& i) { return call.world.InstanceCovers(i, x, y); }));
}

Value InstanceChange(FunctionCall& call) {
    if (call.self) call.world.ChangeInstance(*call.self, call.Int(0), call.Bool(1));
    return 0.0;
}

Value InstanceCopy(FunctionCall& call) {
    if (!call.self) return kNoone;
    Instance* copy = call.world.CreateInstance(call.self->object, call.self->x, call.self->y);
    if (!copy) return kNoone;
    const std::int32_t id = copy->id;
    *copy = *call.self;
    copy->id = id;
    copy->alive = true;
    return static_cast<double>(id);
}

Value PositionDestroy(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1);
    for (const auto& instance : call.world.Instances())
        if (instance->alive && call.world.InstanceCovers(*instance, x, y)) call.world.DestroyInstance(*instance);
    return 0.0;
}

Value PositionEmpty(FunctionCall& call) {
    return call.world.InstanceAtPoint(call.Real(0), call.Real(1), -1) ? 0.0 : 1.0;
}

Value PositionMeeting(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1);
    return FirstNamed(call, call.Real(2), [&](const Instance& i) { return call.world.InstanceCovers(i, x, y); }) ? 1.0
                                                                                                               : 0.0;
}

Value PlaceFree(FunctionCall& call) { return Meeting(call, call.Real(0), call.Real(1), kAll, true) ? 0.0 : 1.0; }
Value PlaceEmpty(FunctionCall& call) { return Meeting(call, call.Real(0), call.Real(1), kAll, false) ? 0.0 : 1.0; }
Value PlaceMeeting(FunctionCall& call) {
    return Meeting(call, call.Real(0), call.Real(1), call.Real(2), false) ? 1.0 : 0.0;
}

Value PlaceSnapped(FunctionCall& call) {
    if (!call.self) return 0.0;
    const double h = call.Real(0), v = call.Real(1);
    const bool hx = h <= 0 || std::fmod(call.self->x, h) == 0;
    const bool vy = v <= 0 || std::fmod(call.self->y, v) == 0;
    return hx && vy ? 1.0 : 0.0;
}

// The box of a collision query, inclusive, in either corner order.
Value CollisionRectangle(FunctionCall& call) {
    const double x1 = std::min(call.Real(0), call.Real(2)), x2 = std::max(call.Real(0), call.Real(2));
    const double y1 = std::min(call.Real(1), call.Real(3)), y2 = std::max(call.Real(1), call.Real(3));
    const bool notMe = call.Bool(6);
    return IdOrNoone(FirstNamed(call, call.Real(4), [&](const Instance& i) {
        if (notMe && &i == call.self) return false;
        double l, t, r, b;
        if (!call.world.BoxOf(i, i.x, i.y, l, t, r, b)) return false;
        return !(l > x2 || r < x1 || t > y2 || b < y1);
    }));
}

Value CollisionPoint(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1);
    const bool notMe = call.Bool(4);
    return IdOrNoone(FirstNamed(call, call.Real(2), [&](const Instance& i) {
        return !(notMe && &i == call.self) && call.world.InstanceCovers(i, x, y);
    }));
}

Value CollisionCircle(FunctionCall& call) {
    const double cx = call.Real(0), cy = call.Real(1), radius = call.Real(2);
    const bool notMe = call.Bool(5);
    return IdOrNoone(FirstNamed(call, call.Real(3), [&](const Instance& i) {
        if (notMe && &i == call.self) return false;
        double l, t, r, b;
        if (!call.world.BoxOf(i, i.x, i.y, l, t, r, b)) return false;
        const double nx = std::clamp(cx, l, r + 1), ny = std::clamp(cy, t, b + 1);
        return std::hypot(nx - cx, ny - cy) <= radius;
    }));
}

// Distance between the boxes (0 when they touch).
Value DistanceToObject(FunctionCall& call) {
    if (!call.self) return 0.0;
    double sl, st, sr, sb;
    if (!call.world.BoxOf(*call.self, call.self->x, call.self->y, sl, st, sr, sb)) {
        sl = sr = call.self->x;
        st = sb = call.self->y;
    }
    double best = 1000000;
    FirstNamed(call, call.Real(0), [&](const Instance& i) {
        if (&i == call.self) return false;
        double l, t, r, b;
        if (!call.world.BoxOf(i, i.x, i.y, l, t, r, b)) {
            l = r = i.x;
            t = b = i.y;
        }
        const double dx = std::max({0.0, l - sr, sl - r}), dy = std::max({0.0, t - sb, st - b});
        best = std::min(best, std::hypot(dx, dy));
        return false;
    });
    return best;
}

Value DistanceToPoint(FunctionCall& call) {
    if (!call.self) return 0.0;
    double l, t, r, b;
    if (!call.world.BoxOf(*call.self, call.self->x, call.self->y, l, t, r, b)) {
        l = r = call.self->x;
        t = b = call.self->y;
    }
    const double x = call.Real(0), y = call.Real(1);
    return std::hypot(std::max({0.0, l - x, x - r}), std::max({0.0, t - y, y - b}));
}

Value EventInherited(FunctionCall& call) {
    if (const EventContext* context = call.world.CurrentContext()) call.world.PerformInherited(*context);
    return 0.0;
}

Value EventPerform(FunctionCall& call) {
    if (call.self) call.world.PerformEvent(*call.self, call.other, call.Int(0), call.Int(1));
    return 0.0;
}

// Another object's event, run for this instance as if its own.
Value EventPerformObject(FunctionCall& call) {
    if (!call.world.Objects().Exists(call.Int(0)))
        return call.Fail("Object " + call.Text(0) + " does not exist.");
    if (call.self) call.world.PerformEventOf(*call.self, call.other, call.Int(0), call.Int(1), call.Int(2));
    return 0.0;
}

Value EventUser(FunctionCall& call) {
    const int n = call.Int(0);
    if (call.self && n >= 0 && n <= 7) call.world.PerformEvent(*call.self, call.other, 7, 10 + n);
    return 0.0;
}

}  // namespace

void AddInstanceFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"instance_create", InstanceCreate},       {"instance_destroy", InstanceDestroy},
        {"instance_exists", InstanceExists},       {"instance_number", InstanceNumber},
        {"instance_find", InstanceFind},           {"instance_nearest", InstanceNearest},
        {"instance_furthest", InstanceFurthest},   {"instance_place", InstancePlace},
        {"instance_position", InstancePosition},   {"instance_change", InstanceChange},
        {"instance_copy", InstanceCopy},           {"position_destroy", PositionDestroy},
        {"position_empty", PositionEmpty},         {"position_meeting", PositionMeeting},
        {"place_free", PlaceFree},                 {"place_empty", PlaceEmpty},
        {"place_meeting", PlaceMeeting},           {"place_snapped", PlaceSnapped},
        {"collision_rectangle", CollisionRectangle}, {"collision_point", CollisionPoint},
        {"collision_circle", CollisionCircle},     {"distance_to_object", DistanceToObject},
        {"distance_to_point", DistanceToPoint},    {"event_inherited", EventInherited},
        {"event_perform", EventPerform},           {"event_user", EventUser},
        {"event_perform_object", EventPerformObject}, {"instance_sprite", InstanceSprite},
    });
}

}  // namespace kestrin::engine
