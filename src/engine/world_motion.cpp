// Motion: friction, gravity and speed each step, paths, and the motion
// helpers of the built-in functions (contact with solids, bouncing).

#include <cmath>

#include "engine/world.h"
#include "resources/event_types.h"
#include "resources/path.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kOtherEndOfPath = 8;

}  // namespace

void World::StepMotion() {
    ForEachLive([&](Instance& instance) {
        instance.xprevious = instance.x;
        instance.yprevious = instance.y;
        if (instance.pathIndex >= 0) {
            StepPath(instance);
            return;
        }
        if (instance.friction != 0 && instance.Speed() != 0) {
            const double speed = instance.Speed();
            const double slowed = std::fabs(speed) <= instance.friction ? 0.0
                                  : speed > 0                           ? speed - instance.friction
                                                                        : speed + instance.friction;
            instance.SetSpeed(slowed);
        }
        if (instance.gravity != 0) instance.AddMotion(instance.gravityDirection, instance.gravity);
        instance.x += instance.Hspeed();
        instance.y += instance.Vspeed();
    });
}

void World::StartPath(Instance& self, int pathIndex, double speed, int endAction, bool absolute) {
    const CPath* path = mGame.Paths().ResourceAt(pathIndex);
    if (!path || path->PointCount() == 0) {
        self.pathIndex = -1;
        return;
    }
    self.pathIndex = pathIndex;
    self.pathSpeed = speed;
    self.pathEndAction = endAction;
    self.pathPosition = speed < 0 ? 1.0 : 0.0;
    self.pathPositionPrevious = self.pathPosition;
    const PathPoint start = path->GetPosition(self.pathPosition);
    if (absolute) {
        self.pathXOffset = 0;
        self.pathYOffset = 0;
        self.x = start.x;
        self.y = start.y;
    } else {
        // Relative: the path starts where the instance is.
        self.pathXOffset = self.x - start.x * self.pathScale;
        self.pathYOffset = self.y - start.y * self.pathScale;
    }
}

void World::StepPath(Instance& self) {
    const CPath* path = mGame.Paths().ResourceAt(self.pathIndex);
    if (!path || path->Length() <= 0) {
        self.pathIndex = -1;
        return;
    }
    const double length = path->Length() * (self.pathScale != 0 ? std::fabs(self.pathScale) : 1.0);
    const PathPoint here = path->GetPosition(self.pathPosition);
    // The point speeds are percentages of the path speed.
    const double delta = self.pathSpeed * (here.speed / 100.0) / length;
    self.pathPositionPrevious = self.pathPosition;
    self.pathPosition += delta;
    bool ended = false;
    if (self.pathPosition >= 1.0 || self.pathPosition <= 0.0) {
        ended = (delta > 0 && self.pathPosition >= 1.0) || (delta < 0 && self.pathPosition <= 0.0);
    }
    if (ended) {
        const double overshoot = delta > 0 ? self.pathPosition - 1.0 : -self.pathPosition;
        switch (self.pathEndAction) {
            case 1: {  // again from its start
                self.pathPosition = delta > 0 ? overshoot : 1.0 - overshoot;
                break;
            }
            case 2: {  // again from where it ended
                const PathPoint first = path->GetPosition(0.0), last = path->GetPosition(1.0);
                const double sign = delta > 0 ? 1.0 : -1.0;
                self.pathXOffset += sign * (last.x - first.x) * self.pathScale;
                self.pathYOffset += sign * (last.y - first.y) * self.pathScale;
                self.pathPosition = delta > 0 ? overshoot : 1.0 - overshoot;
                break;
            }
            case 3:  // back the other way
                self.pathSpeed = -self.pathSpeed;
                self.pathPosition = delta > 0 ? 1.0 - overshoot : overshoot;
                break;
            default:
                self.pathPosition = delta > 0 ? 1.0 : 0.0;
                break;
        }
    }
    const PathPoint at = path->GetPosition(self.pathPosition);
    self.x = at.x * self.pathScale + self.pathXOffset;
    self.y = at.y * self.pathScale + self.pathYOffset;
    if (ended) {
        if (self.pathEndAction == 0) self.pathIndex = -1;
        PerformEvent(self, nullptr, kEventOther, kOtherEndOfPath);
    }
}

void World::SetTimeline(Instance& self, int timeline, double position) {
    self.timelineIndex = mGame.TimeLines().ResourceAt(timeline) ? timeline : -1;
    self.timelinePosition = position;
}

void World::BounceOffSolids(Instance& self, bool all) {
    auto blocked = [&](double x, double y) { return MeetingAt(self, x, y, -1, !all) != nullptr; };
    const double h = self.Hspeed(), v = self.Vspeed();
    if (!blocked(self.x + h, self.y + v)) return;
    const bool hBlocked = blocked(self.x + h, self.y);
    const bool vBlocked = blocked(self.x, self.y + v);
    if (hBlocked) self.SetHspeed(-h);
    if (vBlocked) self.SetVspeed(-v);
    if (!hBlocked && !vBlocked) {
        self.SetHspeed(-h);
        self.SetVspeed(-v);
    }
}

}  // namespace kestrin::engine
