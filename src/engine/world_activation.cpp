// Deactivating and activating instances. A deactivated instance counts as
// gone for every loop of the step, so the step pays nothing for them; it
// keeps its place in the id table, which stops a room from placing its
// instance a second time.

#include <algorithm>
#include <functional>

#include "engine/world.h"

namespace kestrin::engine {

void World::Deactivate(Instance& instance) {
    if (!instance.alive) return;
    // Moved out of the instance list when the step purges, since loops over
    // the list may be running now.
    instance.alive = false;
    instance.active = false;
}

void World::ActivateWhere(const std::function<bool(const Instance&)>& picks) {
    // Deactivated during this step: still in the list.
    for (auto& instance : mInstances)
        if (!instance->active && picks(*instance)) {
            instance->active = true;
            instance->alive = true;
        }
    auto firstPicked = std::stable_partition(mInactive.begin(), mInactive.end(),
                                             [&](const std::unique_ptr<Instance>& i) { return !picks(*i); });
    for (auto it = firstPicked; it != mInactive.end(); ++it) {
        (*it)->active = true;
        (*it)->alive = true;
        mInstances.push_back(std::move(*it));
    }
    mInactive.erase(firstPicked, mInactive.end());
}

}  // namespace kestrin::engine
