// Collisions: boxes from the sprite (or the mask sprite) scaled as the
// instance draws it, precise tests on the masks when both sprites ask for
// them, and the collision events with solid instances put back where they
// were.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/world.h"
#include "resources/event_types.h"

namespace kestrin::engine {

namespace {

const SpriteFrames* ShapeOf(World& world, const Instance& instance) {
    const int index = instance.maskIndex >= 0 ? instance.maskIndex : instance.spriteIndex;
    const SpriteFrames* sprite = world.Sprite(index);
    return sprite && sprite->FrameCount() > 0 && sprite->boxRight >= sprite->boxLeft ? sprite : nullptr;
}

// The sprite's pixel under the centre of the room pixel (px, py) for the
// instance placed at (x, y), undoing its scale; mirrored sprites count from
// their other side.
bool SolidAt(const SpriteFrames& sprite, const Instance& instance, double x, double y, double px, double py) {
    const double sx = (px + 0.5 - std::floor(x)) / instance.imageXScale + sprite.xorigin;
    const double sy = (py + 0.5 - std::floor(y)) / instance.imageYScale + sprite.yorigin;
    if (!(sx >= 0 && sy >= 0 && sx < sprite.width && sy < sprite.height)) return false;
    return sprite.Solid(sprite.FrameOf(instance.imageIndex), static_cast<int>(sx), static_cast<int>(sy));
}

// The room pixels whose centres lie in [from, to) scaled about the origin:
// the same pixels drawing the scaled sprite fills.
bool ScaledSpan(double position, int from, int to, int origin, double scale, double& first, double& last) {
    double lo = (from - origin) * scale, hi = (to - origin) * scale;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
    if (lo > hi) std::swap(lo, hi);
    first = std::floor(position) + std::ceil(lo - 0.5);
    last = std::floor(position) + std::ceil(hi - 0.5) - 1;
    return last >= first;
}

}  // namespace

bool World::BoxOf(const Instance& instance, double x, double y, double& left, double& top, double& right,
                  double& bottom) const {
    const SpriteFrames* sprite = ShapeOf(const_cast<World&>(*this), instance);
    if (!sprite) return false;
    if (instance.imageXScale == 1 && instance.imageYScale == 1) {
        const double ox = std::floor(x) - sprite->xorigin, oy = std::floor(y) - sprite->yorigin;
        left = ox + sprite->boxLeft;
        top = oy + sprite->boxTop;
        right = ox + sprite->boxRight;
        bottom = oy + sprite->boxBottom;
        return true;
    }
    // A turned sprite keeps the box of the unturned one.
    return ScaledSpan(x, sprite->boxLeft, sprite->boxRight + 1, sprite->xorigin, instance.imageXScale, left, right) &&
           ScaledSpan(y, sprite->boxTop, sprite->boxBottom + 1, sprite->yorigin, instance.imageYScale, top, bottom);
}

bool World::Overlaps(const Instance& a, double ax, double ay, const Instance& b) const {
    World& self = const_cast<World&>(*this);
    const SpriteFrames* sa = ShapeOf(self, a);
    const SpriteFrames* sb = ShapeOf(self, b);
    if (!sa || !sb) return false;
    double al, at, ar, ab, bl, bt, br, bb;
    if (!BoxOf(a, ax, ay, al, at, ar, ab) || !BoxOf(b, b.x, b.y, bl, bt, br, bb)) return false;
    if (al > br || bl > ar || at > bb || bt > ab) return false;
    if (!sa->precise && !sb->precise) return true;
    // Pixel by pixel over the boxes' common part; a sprite without
    // precise collisions counts as solid over its whole box. Pixels are
    // counted in doubles, as positions may lie beyond what an int holds.
    const double l = std::max(al, bl), r = std::min(ar, br);
    const double t = std::max(at, bt), bo = std::min(ab, bb);
    // Sprites scaled up enormously share boxes of billions of pixels, each
    // of their mask pixels a block of many: a bounded grid of samples keeps
    // one test from stalling the game.
    constexpr double kMostSamples = 1 << 22;
    const double area = (r - l + 1) * (bo - t + 1);
    if (!std::isfinite(area)) return true;  // boxes beyond measure meet as boxes
    const double step = area > kMostSamples ? std::ceil(std::sqrt(area / kMostSamples)) : 1;
    // Counted steps: far from 0 adding one to a double may change nothing.
    const auto rows = static_cast<std::int64_t>((bo - t) / step) + 1;
    const auto columns = static_cast<std::int64_t>((r - l) / step) + 1;
    for (std::int64_t row = 0; row < rows; ++row) {
        const double py = t + static_cast<double>(row) * step;
        for (std::int64_t column = 0; column < columns; ++column) {
            const double px = l + static_cast<double>(column) * step;
            const bool hitA = !sa->precise || SolidAt(*sa, a, ax, ay, px, py);
            if (hitA && (!sb->precise || SolidAt(*sb, b, b.x, b.y, px, py))) return true;
        }
    }
    return false;
}

bool World::InstanceCovers(const Instance& instance, double x, double y) {
    const SpriteFrames* sprite = ShapeOf(*this, instance);
    if (!sprite) return false;
    double l, t, r, b;
    if (!BoxOf(instance, instance.x, instance.y, l, t, r, b)) return false;
    if (x < l || x >= r + 1 || y < t || y >= b + 1) return false;
    if (!sprite->precise) return true;
    return SolidAt(*sprite, instance, instance.x, instance.y, std::floor(x), std::floor(y));
}

bool World::MeetsRegion(const Instance& instance, double left, double top, double right, double bottom,
                        bool precise, const RegionTest& meets) {
    const SpriteFrames* sprite = ShapeOf(*this, instance);
    if (!sprite) return false;
    double l, t, r, b;
    if (!BoxOf(instance, instance.x, instance.y, l, t, r, b) || !meets(l, t, r + 1, b + 1)) return false;
    if (!precise || !sprite->precise) return true;
    // The box's pixels within the region's bounds, sampled on a bounded
    // grid as in Overlaps.
    const double pl = std::max(l, std::floor(left)), pr = std::min(r, std::floor(right));
    const double pt = std::max(t, std::floor(top)), pb = std::min(b, std::floor(bottom));
    if (!(pl <= pr && pt <= pb)) return false;
    constexpr double kMostSamples = 1 << 22;
    const double area = (pr - pl + 1) * (pb - pt + 1);
    if (!std::isfinite(area)) return true;
    const double step = area > kMostSamples ? std::ceil(std::sqrt(area / kMostSamples)) : 1;
    const auto rows = static_cast<std::int64_t>((pb - pt) / step) + 1;
    const auto columns = static_cast<std::int64_t>((pr - pl) / step) + 1;
    for (std::int64_t row = 0; row < rows; ++row) {
        const double py = pt + static_cast<double>(row) * step;
        for (std::int64_t column = 0; column < columns; ++column) {
            const double px = pl + static_cast<double>(column) * step;
            if (SolidAt(*sprite, instance, instance.x, instance.y, px, py) && meets(px, py, px + 1, py + 1))
                return true;
        }
    }
    return false;
}

Instance* World::MeetingAt(Instance& self, double x, double y, int object, bool solidOnly) {
    for (auto& other : mInstances) {
        if (!other->alive || other.get() == &self) continue;
        if (solidOnly && !other->solid) continue;
        if (object >= 0 && !mObjects.IsA(other->object, object)) continue;
        if (Overlaps(self, x, y, *other)) return other.get();
    }
    return nullptr;
}

Instance* World::InstanceAtPoint(double x, double y, int object) {
    for (auto& other : mInstances) {
        if (!other->alive) continue;
        if (object >= 0 && !mObjects.IsA(other->object, object)) continue;
        if (InstanceCovers(*other, x, y)) return other.get();
    }
    return nullptr;
}

namespace {

// An instance that can be hit, with its box as the phase began.
struct Candidate {
    Instance* instance;
    double left, top, right, bottom;
};

// The candidates of one object, by left edge, and the widest box, so that a
// query looks only at boxes that start close enough to reach it.
struct CandidateList {
    std::vector<Candidate> byLeft;
    double widest = 0;
};

}  // namespace

void World::StepCollisions() {
    // Who can be hit, by object, gathered once for the phase. Instances that
    // move during the phase are still tested where they are now; the boxes
    // only pick whom to test.
    std::vector<CandidateList> byObject(mObjects.Count());
    std::vector<bool> wanted(mObjects.Count(), false);
    for (auto& instance : mInstances) {
        const ObjectEntry* entry = instance->alive ? mObjects.Entry(instance->object) : nullptr;
        if (!entry) continue;
        for (int target : entry->collisionTargets)
            if (const ObjectEntry* targetEntry = mObjects.Entry(target))
                for (int member : targetEntry->family) wanted[member] = true;
    }
    for (auto& instance : mInstances) {
        if (!instance->alive || !mObjects.Exists(instance->object) || !wanted[instance->object]) continue;
        Candidate c{instance.get(), 0, 0, 0, 0};
        if (!BoxOf(*instance, instance->x, instance->y, c.left, c.top, c.right, c.bottom)) continue;
        CandidateList& list = byObject[instance->object];
        list.byLeft.push_back(c);
        list.widest = std::max(list.widest, c.right - c.left);
    }
    for (CandidateList& list : byObject)
        std::stable_sort(list.byLeft.begin(), list.byLeft.end(),
                         [](const Candidate& a, const Candidate& b) { return a.left < b.left; });

    ForEachLive([&](Instance& self) {
        const ObjectEntry* entry = mObjects.Entry(self.object);
        if (!entry || entry->collisionTargets.empty()) return;
        for (int target : entry->collisionTargets) {
            const ObjectEntry* targetEntry = mObjects.Entry(target);
            if (!targetEntry) continue;
            for (int member : targetEntry->family) {
                const CandidateList& list = byObject[member];
                if (list.byLeft.empty()) continue;
                double l, t, r, b;
                if (!BoxOf(self, self.x, self.y, l, t, r, b)) return;
                auto first = std::lower_bound(list.byLeft.begin(), list.byLeft.end(), l - list.widest,
                                              [](const Candidate& c, double edge) { return c.left < edge; });
                for (auto it = first; it != list.byLeft.end() && it->left <= r; ++it) {
                    Instance* other = it->instance;
                    if (!self.alive) return;
                    if (other == &self || !other->alive || it->right < l || it->top > b || it->bottom < t) continue;
                    if (!Overlaps(self, self.x, self.y, *other)) continue;
                    if (other->solid) {
                        self.x = self.xprevious;
                        self.y = self.yprevious;
                    }
                    RunEvent(entry->events[kEventCollision][target], self, other, kEventCollision, target);
                    // Against a solid the instance tries its (perhaps new)
                    // motion once more and stays put when that hits again.
                    if (other->solid && self.alive && other->alive) {
                        const double nx = self.x + self.Hspeed(), ny = self.y + self.Vspeed();
                        if (!Overlaps(self, nx, ny, *other)) {
                            self.x = nx;
                            self.y = ny;
                        }
                    }
                    if (!BoxOf(self, self.x, self.y, l, t, r, b)) return;
                }
            }
        }
    });
}

}  // namespace kestrin::engine
