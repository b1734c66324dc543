// World functions: deactivating and activating instances. A deactivated
// instance keeps its state but takes no part in events, collisions, `with`,
// counts or drawing, and code cannot find it by id, until it is activated.
// It stays deactivated across room changes: a persistent one comes along,
// the others stay with a persistent room or are gone with the room left.
// Regions are a rectangle (left, top, width, height); an instance is inside
// when its box meets the region (its position, without a sprite) and
// outside when it lies wholly beyond it.

#include <cmath>

#include "engine/instance_target.h"

namespace kestrin::engine {

namespace {

struct Region {
    double left, top, right, bottom;  // right and bottom exclusive
};

Region RegionOf(FunctionCall& call) {
    const double left = call.Real(0), top = call.Real(1);
    return {left, top, left + call.Real(2), top + call.Real(3)};
}

// Whether [low, high) meets [from, to); a span of no size is a point.
bool SpanMeets(double low, double high, double from, double to) {
    return low == high ? low >= from && low < to : low < to && high > from;
}

// Nothing is inside a region of no size or one that is not a number.
bool InRegion(World& world, const Instance& instance, const Region& region) {
    double l, t, r, b;
    if (world.BoxOf(instance, instance.x, instance.y, l, t, r, b)) {
        r += 1;
        b += 1;
    } else {
        l = r = instance.x;
        t = b = instance.y;
    }
    return SpanMeets(l, r, region.left, region.right) && SpanMeets(t, b, region.top, region.bottom);
}

// Deactivates the live instances `picks` chooses.
template <typename Picks>
void DeactivateWhere(FunctionCall& call, Picks picks) {
    for (const auto& instance : call.world.Instances())
        if (instance->alive && picks(*instance)) call.world.Deactivate(*instance);
}

Value DeactivateAll(FunctionCall& call) {
    const bool notMe = call.Bool(0);
    DeactivateWhere(call, [&](const Instance& i) { return !(notMe && &i == call.self); });
    return 0.0;
}

Value DeactivateObject(FunctionCall& call) {
    const double target = call.Real(0);
    DeactivateWhere(call, [&](const Instance& i) { return IsTarget(call, i, target); });
    return 0.0;
}

Value DeactivateRegion(FunctionCall& call) {
    const Region region = RegionOf(call);
    const bool inside = call.Bool(4), notMe = call.Bool(5);
    DeactivateWhere(call, [&](const Instance& i) {
        return !(notMe && &i == call.self) && InRegion(call.world, i, region) == inside;
    });
    return 0.0;
}

Value ActivateAll(FunctionCall& call) {
    call.world.ActivateWhere([](const Instance&) { return true; });
    return 0.0;
}

Value ActivateObject(FunctionCall& call) {
    const double target = call.Real(0);
    call.world.ActivateWhere([&](const Instance& i) { return IsTarget(call, i, target); });
    return 0.0;
}

Value ActivateRegion(FunctionCall& call) {
    const Region region = RegionOf(call);
    const bool inside = call.Bool(4);
    call.world.ActivateWhere([&](const Instance& i) { return InRegion(call.world, i, region) == inside; });
    return 0.0;
}

}  // namespace

void AddActivationFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"instance_deactivate_all", DeactivateAll},       {"instance_deactivate_object", DeactivateObject},
        {"instance_deactivate_region", DeactivateRegion}, {"instance_activate_all", ActivateAll},
        {"instance_activate_object", ActivateObject},     {"instance_activate_region", ActivateRegion},
    });
}

}  // namespace kestrin::engine
