// Points in particle regions. Gaussian spread puts the middle at the box's
// centre with a third of the half-size as deviation and keeps the point in
// the box, so nothing lands outside the region.

#include "engine/particle_region.h"

#include <algorithm>
#include <cmath>

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Points made on the edge stay inside despite rounding.
constexpr double kSlack = 1e-9;

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

// A number in [-1, 1]: even, or bell-shaped about 0.
double Spread(RandomSource& random, int distribution) {
    if (distribution != kDistributionGaussian) return RandomUnit(random) * 2 - 1;
    // Box-Muller; 1 - u keeps the logarithm away from 0.
    const double u = 1.0 - RandomUnit(random), v = RandomUnit(random);
    const double g = std::sqrt(-2.0 * std::log(u)) * std::cos(2 * kPi * v) / 3.0;
    return std::clamp(g, -1.0, 1.0);
}

}  // namespace

double RandomUnit(RandomSource& random) {
    constexpr std::int32_t kSteps = 1 << 30;
    return static_cast<double>(random.Next(kSteps)) / kSteps;
}

double RandomBetween(RandomSource& random, double min, double max) {
    return min + RandomUnit(random) * (max - min);
}

ParticleRegion ParticleRegion::Make(double xmin, double xmax, double ymin, double ymax, int shape) {
    ParticleRegion region{Finite(xmin), Finite(xmax), Finite(ymin), Finite(ymax), shape};
    if (shape < kRegionRectangle || shape > kRegionLine) region.shape = kRegionRectangle;
    if (region.shape != kRegionLine) {
        if (region.xmin > region.xmax) std::swap(region.xmin, region.xmax);
        if (region.ymin > region.ymax) std::swap(region.ymin, region.ymax);
    }
    return region;
}

bool ParticleRegion::Contains(double x, double y) const {
    const double cx = (xmin + xmax) / 2, cy = (ymin + ymax) / 2;
    const double hw = (xmax - xmin) / 2, hh = (ymax - ymin) / 2;
    switch (shape) {
        case kRegionEllipse: {
            if (hw <= 0 || hh <= 0) return x == cx && y == cy;
            const double dx = (x - cx) / hw, dy = (y - cy) / hh;
            return dx * dx + dy * dy <= 1.0 + kSlack;
        }
        case kRegionDiamond:
            if (hw <= 0 || hh <= 0) return x == cx && y == cy;
            return std::fabs(x - cx) / hw + std::fabs(y - cy) / hh <= 1.0 + kSlack;
        case kRegionLine: {
            const double lx = xmax - xmin, ly = ymax - ymin, length2 = lx * lx + ly * ly;
            double t = length2 > 0 ? ((x - xmin) * lx + (y - ymin) * ly) / length2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            return std::hypot(x - (xmin + t * lx), y - (ymin + t * ly)) <= 1.0;
        }
        default: return x >= xmin && x <= xmax && y >= ymin && y <= ymax;
    }
}

void ParticleRegion::RandomPoint(RandomSource& random, int distribution, double& x, double& y) const {
    const double cx = (xmin + xmax) / 2, cy = (ymin + ymax) / 2;
    const double hw = (xmax - xmin) / 2, hh = (ymax - ymin) / 2;
    switch (shape) {
        case kRegionEllipse: {
            // Even spread needs the root of the radius; the bell shape is
            // along the radius itself.
            const double angle = RandomUnit(random) * 2 * kPi;
            const double r = distribution == kDistributionGaussian ? std::fabs(Spread(random, distribution))
                                                                   : std::sqrt(RandomUnit(random));
            x = cx + r * std::cos(angle) * hw;
            y = cy + r * std::sin(angle) * hh;
            return;
        }
        case kRegionDiamond: {
            // A square turned by 45 degrees and squeezed into the box.
            const double u = Spread(random, distribution), v = Spread(random, distribution);
            x = cx + (u + v) / 2 * hw;
            y = cy + (u - v) / 2 * hh;
            return;
        }
        case kRegionLine: {
            const double t = (Spread(random, distribution) + 1) / 2;
            x = xmin + t * (xmax - xmin);
            y = ymin + t * (ymax - ymin);
            return;
        }
        default:
            x = cx + Spread(random, distribution) * hw;
            y = cy + Spread(random, distribution) * hh;
    }
}

}  // namespace kestrin::engine
