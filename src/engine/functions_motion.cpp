// World functions: motion, contact with solids, bouncing, snapping, paths.

#include <cmath>

#include "engine/world.h"
#include "engine/world_functions.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;

double DirectionTo(double x1, double y1, double x2, double y2) {
    double d = std::atan2(-(y2 - y1), x2 - x1) * 180.0 / kPi;
    return d < 0 ? d + 360.0 : d;
}

Value MotionSet(FunctionCall& call) {
    if (call.self) call.self->SetMotion(call.Real(0), call.Real(1));
    return 0.0;
}

Value MotionAdd(FunctionCall& call) {
    if (call.self) call.self->AddMotion(call.Real(0), call.Real(1));
    return 0.0;
}

Value MoveTowardsPoint(FunctionCall& call) {
    if (call.self) call.self->SetMotion(DirectionTo(call.self->x, call.self->y, call.Real(0), call.Real(1)), call.Real(2));
    return 0.0;
}

Value MoveContact(FunctionCall& call, bool solidOnly) {
    Instance* self = call.self;
    if (!self) return 0.0;
    const double direction = call.Real(0);
    double max = call.Count() > 1 ? call.Real(1) : -1;
    if (max <= 0) max = 1000;
    const double dx = std::cos(direction * kPi / 180.0), dy = -std::sin(direction * kPi / 180.0);
    if (call.world.MeetingAt(*self, self->x, self->y, -1, solidOnly)) return 0.0;
    for (int i = 0; i < static_cast<int>(max); ++i) {
        if (call.world.MeetingAt(*self, self->x + dx, self->y + dy, -1, solidOnly)) break;
        self->x += dx;
        self->y += dy;
    }
    return 0.0;
}

Value MoveContactSolid(FunctionCall& call) { return MoveContact(call, true); }
Value MoveContactAll(FunctionCall& call) { return MoveContact(call, false); }
Value MoveContactDirection(FunctionCall& call) {
    // move_contact(direction): against solids, as far as it takes.
    return MoveContact(call, true);
}

Value MoveOutside(FunctionCall& call, bool solidOnly) {
    Instance* self = call.self;
    if (!self) return 0.0;
    const double direction = call.Real(0);
    double max = call.Real(1);
    if (max <= 0) max = 1000;
    const double dx = std::cos(direction * kPi / 180.0), dy = -std::sin(direction * kPi / 180.0);
    for (int i = 0; i < static_cast<int>(max) && call.world.MeetingAt(*self, self->x, self->y, -1, solidOnly); ++i) {
        self->x += dx;
        self->y += dy;
    }
    return 0.0;
}

Value MoveOutsideSolid(FunctionCall& call) { return MoveOutside(call, true); }
Value MoveOutsideAll(FunctionCall& call) { return MoveOutside(call, false); }

Value MoveBounceSolid(FunctionCall& call) {
    if (call.self) call.world.BounceOffSolids(*call.self, false);
    return 0.0;
}

Value MoveBounceAll(FunctionCall& call) {
    if (call.self) call.world.BounceOffSolids(*call.self, true);
    return 0.0;
}

Value MoveSnap(FunctionCall& call) {
    if (!call.self) return 0.0;
    const double h = call.Real(0), v = call.Real(1);
    if (h > 0) call.self->x = std::round(call.self->x / h) * h;
    if (v > 0) call.self->y = std::round(call.self->y / v) * v;
    return 0.0;
}

// A random free place in the room, on the grid when snapping is given.
Value MoveRandom(FunctionCall& call) {
    Instance* self = call.self;
    if (!self) return 0.0;
    const double h = std::max(1.0, call.Real(0)), v = std::max(1.0, call.Real(1));
    const int columns = std::max(1, static_cast<int>(call.world.Room().width / h));
    const int rows = std::max(1, static_cast<int>(call.world.Room().height / v));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const double x = call.world.Random().Next(columns) * h, y = call.world.Random().Next(rows) * v;
        if (!call.world.MeetingAt(*self, x, y, -1, true)) {
            self->x = x;
            self->y = y;
            return 0.0;
        }
    }
    return 0.0;
}

Value MoveWrap(FunctionCall& call) {
    Instance* self = call.self;
    if (!self) return 0.0;
    const double margin = call.Real(2), w = call.world.Room().width, h = call.world.Room().height;
    if (call.Bool(0)) {
        if (self->x < -margin) self->x += w + 2 * margin;
        else if (self->x >= w + margin) self->x -= w + 2 * margin;
    }
    if (call.Bool(1)) {
        if (self->y < -margin) self->y += h + 2 * margin;
        else if (self->y >= h + margin) self->y -= h + 2 * margin;
    }
    return 0.0;
}

Value PathStart(FunctionCall& call) {
    if (call.self) call.world.StartPath(*call.self, call.Int(0), call.Real(1), call.Int(2), call.Bool(3));
    return 0.0;
}

Value PathEnd(FunctionCall& call) {
    if (call.self) call.self->pathIndex = -1;
    return 0.0;
}

}  // namespace

void AddMotionFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"motion_set", MotionSet},                 {"motion_add", MotionAdd},
        {"move_towards_point", MoveTowardsPoint},  {"move_contact_solid", MoveContactSolid},
        {"move_contact_all", MoveContactAll},      {"move_contact", MoveContactDirection},
        {"move_outside_solid", MoveOutsideSolid},  {"move_outside_all", MoveOutsideAll},
        {"move_bounce_solid", MoveBounceSolid},    {"move_bounce_all", MoveBounceAll},
        {"move_bounce", MoveBounceSolid},          {"move_snap", MoveSnap},
        {"move_random", MoveRandom},               {"move_wrap", MoveWrap},
        {"path_start", PathStart},                 {"path_end", PathEnd},
    });
}

}  // namespace kestrin::engine
