#pragma once
// One instance of an object in the running game: where it is, how it moves,
// what it looks like, its alarms, time line and path, and its own variables.
// Speed and direction are kept together with the horizontal and vertical
// speed; the setters keep both forms in step.

#include <array>
#include <cstdint>

#include "engine/script/variable_store.h"
#include "engine/value.h"

namespace kestrin::engine {

inline constexpr int kAlarmCount = 12;

struct Instance {
    std::int32_t id = 0;
    int object = -1;
    // Whether the instance takes part in the world: false once destroyed,
    // and while deactivated (then `active` is false too, and the instance
    // keeps its state until it is activated).
    bool alive = true;
    bool active = true;

    double x = 0, y = 0;
    double xprevious = 0, yprevious = 0;
    double xstart = 0, ystart = 0;

    double friction = 0;
    double gravity = 0;
    double gravityDirection = 270;

    int spriteIndex = -1;
    int maskIndex = -1;
    double imageIndex = 0;
    double imageSpeed = 1;
    // The sprite drawn scaled (negative: mirrored about its origin) and
    // partly see-through; the box follows the scale.
    double imageXScale = 1, imageYScale = 1;
    double imageAlpha = 1;
    double depth = 0;
    bool visible = true;
    bool solid = false;
    bool persistent = false;

    std::array<double, kAlarmCount> alarm{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    int timelineIndex = -1;
    double timelinePosition = 0;
    double timelineSpeed = 1;

    int pathIndex = -1;
    double pathPosition = 0;
    double pathPositionPrevious = 0;
    double pathSpeed = 0;
    double pathScale = 1;
    double pathOrientation = 0;
    int pathEndAction = 0;  // 0 stop, 1 restart, 2 continue from the end, 3 reverse
    double pathXOffset = 0, pathYOffset = 0;

    bool mouseOver = false;

    VariableStore variables;

    double Hspeed() const { return mHspeed; }
    double Vspeed() const { return mVspeed; }
    double Speed() const { return mSpeed; }
    double Direction() const { return mDirection; }
    void SetHspeed(double h);
    void SetVspeed(double v);
    void SetSpeed(double s);
    // Degrees counter-clockwise from the right, kept within [0, 360).
    void SetDirection(double d);
    void SetMotion(double direction, double speed);
    void AddMotion(double direction, double speed);
    // Both forms as they were saved, without working one out from the other.
    void RestoreMotion(double h, double v, double speed, double direction) {
        mHspeed = h;
        mVspeed = v;
        mSpeed = speed;
        mDirection = direction;
    }

private:
    void SpeedFromComponents();
    void ComponentsFromSpeed();

    double mHspeed = 0, mVspeed = 0;
    double mSpeed = 0, mDirection = 0;
};

}  // namespace kestrin::engine
