// World functions: collisions with a line and an ellipse, and turning the
// instances at a position into another object. Like the other collision
// functions they answer the first instance met (noone, -4, for none), take
// the precise flag (compare with the sprite's mask when it has precise
// collisions, else with its box) and notme (leave the calling instance
// out). Coordinates that are not finite meet nothing.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/instance_target.h"

namespace kestrin::engine {

namespace {

// Pixel boxes are half open; a shape that only touches the right or bottom
// edge does not meet them.
constexpr double kEdge = 1e-9;

bool Finite(FunctionCall& call, int first, int count) {
    for (int i = first; i < first + count; ++i)
        if (!std::isfinite(call.Real(i))) return false;
    return true;
}

// Liang-Barsky clipping of the segment against the rectangle.
bool SegmentMeetsRectangle(double x1, double y1, double x2, double y2, double left, double top, double right,
                           double bottom) {
    double from = 0, to = 1;
    const auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double u = q / p;
        if (p < 0) {
            if (u > to) return false;
            from = std::max(from, u);
        } else {
            if (u < from) return false;
            to = std::min(to, u);
        }
        return true;
    };
    const double dx = x2 - x1, dy = y2 - y1;
    return clip(-dx, x1 - left) && clip(dx, right - kEdge - x1) && clip(-dy, y1 - top) &&
           clip(dy, bottom - kEdge - y1);
}

// (d / radius) squared, for a radius that may be 0: the ellipse then is a
// segment, met only where d is 0.
double Share(double d, double radius) {
    if (d == 0) return 0;
    return radius == 0 ? std::numeric_limits<double>::infinity() : (d / radius) * (d / radius);
}

double FirstMet(FunctionCall& call, double target, bool precise, bool notMe, double left, double top, double right,
                double bottom, const World::RegionTest& meets) {
    for (const auto& instance : call.world.Instances()) {
        if (!instance->alive || (notMe && instance.get() == call.self)) continue;
        if (!IsTarget(call, *instance, target)) continue;
        if (call.world.MeetsRegion(*instance, left, top, right, bottom, precise, meets))
            return static_cast<double>(instance->id);
    }
    return kNoone;
}

Value CollisionLine(FunctionCall& call) {
    if (!Finite(call, 0, 4)) return static_cast<double>(kNoone);
    const double x1 = call.Real(0), y1 = call.Real(1), x2 = call.Real(2), y2 = call.Real(3);
    return FirstMet(call, call.Real(4), call.Bool(5), call.Bool(6), std::min(x1, x2), std::min(y1, y2),
                    std::max(x1, x2), std::max(y1, y2), [&](double l, double t, double r, double b) {
                        return SegmentMeetsRectangle(x1, y1, x2, y2, l, t, r, b);
                    });
}

// The ellipse inside the rectangle (x1, y1)-(x2, y2), in either corner order.
Value CollisionEllipse(FunctionCall& call) {
    if (!Finite(call, 0, 4)) return static_cast<double>(kNoone);
    const double left = std::min(call.Real(0), call.Real(2)), right = std::max(call.Real(0), call.Real(2));
    const double top = std::min(call.Real(1), call.Real(3)), bottom = std::max(call.Real(1), call.Real(3));
    const double cx = (left + right) / 2, cy = (top + bottom) / 2, rx = (right - left) / 2, ry = (bottom - top) / 2;
    return FirstMet(call, call.Real(4), call.Bool(5), call.Bool(6), left, top, right, bottom,
                    [&](double l, double t, double r, double b) {
                        // The rectangle's point nearest the centre, measured in
                        // the ellipse's own scale.
                        const double nx = std::clamp(cx, l, r - kEdge), ny = std::clamp(cy, t, b - kEdge);
                        return Share(nx - cx, rx) + Share(ny - cy, ry) <= 1;
                    });
}

// Every instance whose shape covers the point becomes the object, with its
// destroy and create events when asked.
Value PositionChange(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1);
    const int object = call.Int(2);
    if (!call.world.Objects().Exists(object)) return call.Fail("Changing instance to non-existing object: " + call.Text(2));
    std::vector<Instance*> covering;
    for (const auto& instance : call.world.Instances())
        if (instance->alive && call.world.InstanceCovers(*instance, x, y)) covering.push_back(instance.get());
    for (Instance* instance : covering) call.world.ChangeInstance(*instance, object, call.Bool(3));
    return 0.0;
}

}  // namespace

void AddCollisionShapeFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"collision_line", CollisionLine},
        {"collision_ellipse", CollisionEllipse},
        {"position_change", PositionChange},
    });
}

}  // namespace kestrin::engine
