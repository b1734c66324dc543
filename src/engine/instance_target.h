#pragma once
// Whether an instance is what a target value of a function names: an object
// (with its children), an instance id, all, self or other. Whether it is
// live or deactivated is the caller's to ask.

#include "engine/world.h"
#include "engine/world_functions.h"

namespace kestrin::engine {

inline bool IsTarget(FunctionCall& call, const Instance& candidate, double target) {
    if (target == kAll) return true;
    if (target == kSelf) return &candidate == call.self;
    if (target == kOther) return &candidate == call.other;
    if (target >= kFirstInstanceId) return candidate.id == target;
    return target >= 0 && target < 2e9 && call.world.Objects().IsA(candidate.object, static_cast<int>(target));
}

}  // namespace kestrin::engine
