#pragma once
// What the motion planning functions keep between calls: how the potential
// step looks for a way, and the grids the code has made.

#include <memory>
#include <vector>

#include "engine/motion_grid.h"

namespace kestrin::engine {

struct PotentialSettings {
    double maxRotation = 30;  // degrees the heading may turn in one step
    double rotationStep = 10;  // degrees between the headings tried
    double ahead = 3;          // steps ahead that must be free
    bool onSpot = true;        // turn on the spot when no heading is free
};

struct MotionPlanning {
    // More grids at once than any game needs; a leak of them ends here.
    static constexpr std::size_t kMostGrids = 1000;
    PotentialSettings potential;
    // By id; a destroyed grid leaves an empty slot that a new one takes.
    std::vector<std::unique_ptr<MotionGrid>> grids;
};

}  // namespace kestrin::engine
