// The motion pair of an instance: speed and direction, horizontal and
// vertical speed.

#include "engine/instance.h"

#include <cmath>

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;

double NormalDegrees(double d) {
    d = std::fmod(d, 360.0);
    if (d < 0) d += 360.0;
    return d;
}

// Removes the rounding dust of cos and sin so that a speed of 4 to the left
// is exactly -4 and 0, not -4 and 4.9e-16.
double Tidy(double v) { return std::fabs(v) < 1e-9 ? 0.0 : v; }

}  // namespace

void Instance::SetHspeed(double h) {
    mHspeed = h;
    SpeedFromComponents();
}

void Instance::SetVspeed(double v) {
    mVspeed = v;
    SpeedFromComponents();
}

void Instance::SetSpeed(double s) {
    mSpeed = s;
    ComponentsFromSpeed();
}

void Instance::SetDirection(double d) {
    mDirection = NormalDegrees(d);
    ComponentsFromSpeed();
}

void Instance::SetMotion(double direction, double speed) {
    mDirection = NormalDegrees(direction);
    mSpeed = speed;
    ComponentsFromSpeed();
}

void Instance::AddMotion(double direction, double speed) {
    const double r = direction * kPi / 180.0;
    mHspeed = Tidy(mHspeed + speed * std::cos(r));
    mVspeed = Tidy(mVspeed - speed * std::sin(r));
    SpeedFromComponents();
}

void Instance::SpeedFromComponents() {
    mSpeed = std::hypot(mHspeed, mVspeed);
    // A stopped instance keeps the direction it had.
    if (mSpeed > 0) mDirection = NormalDegrees(std::atan2(-mVspeed, mHspeed) * 180.0 / kPi);
}

void Instance::ComponentsFromSpeed() {
    const double r = mDirection * kPi / 180.0;
    mHspeed = Tidy(mSpeed * std::cos(r));
    mVspeed = Tidy(-mSpeed * std::sin(r));
}

}  // namespace kestrin::engine
