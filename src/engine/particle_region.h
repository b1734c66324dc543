#pragma once
// The regions of emitters, destroyers, deflectors and changers: a box with a
// shape inside it, random points in it (evenly spread or crowding towards
// the middle) and whether a point lies in it.

#include "platform/random_source.h"

namespace kestrin::engine {

enum ParticleRegionShape { kRegionRectangle = 0, kRegionEllipse = 1, kRegionDiamond = 2, kRegionLine = 3 };
enum ParticleDistribution { kDistributionLinear = 0, kDistributionGaussian = 1 };

struct ParticleRegion {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    int shape = kRegionRectangle;

    // The box is kept with xmin <= xmax and ymin <= ymax; numbers that are
    // not finite become 0. A line runs from (xmin, ymin) to (xmax, ymax) as
    // given, so it is kept as it came.
    static ParticleRegion Make(double xmin, double xmax, double ymin, double ymax, int shape);
    // A line counts as holding the points within a pixel of it.
    bool Contains(double x, double y) const;
    void RandomPoint(RandomSource& random, int distribution, double& x, double& y) const;
};

// A number in [0, 1).
double RandomUnit(RandomSource& random);
// A number in [min, max] (either order).
double RandomBetween(RandomSource& random, double min, double max);

}  // namespace kestrin::engine
