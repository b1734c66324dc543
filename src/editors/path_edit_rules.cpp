// Snapping, picking and the point list's text.

#include "editors/path_edit_rules.h"

#include <algorithm>
#include <cmath>

#include "platform/saturating_round.h"
#include "resources/path.h"

namespace kestrin {

double SnapCoordinate(double value, int step) {
    double grid = std::max(step, 1);
    return std::nearbyint(value / grid) * grid;
}

int PickPathPoint(const CPath& path, double x, double y) {
    int found = -1;
    double best = kPickDistance * kPickDistance;
    for (int i = 0; i < path.PointCount(); ++i) {
        PathPoint p = path.GetPoint(i);
        double dx = p.x - x, dy = p.y - y;
        double squared = dx * dx + dy * dy;
        // Strictly smaller keeps the earlier of two equally near points.
        if (squared < best) {
            best = squared;
            found = i;
        }
    }
    return found;
}

std::int64_t PathSampleCount(double length, int viewWidth, int viewHeight) {
    if (!std::isfinite(length) || length <= 0) return 0;
    std::int64_t pixels = std::int64_t(std::max(viewWidth, 1)) * std::max(viewHeight, 1);
    std::int64_t bound = kPathSamplesPerViewPixel * pixels;
    double wanted = std::nearbyint(length / kPathSampleStep);
    return wanted >= double(bound) ? bound : std::int64_t(wanted);
}

std::string PathListLine(const PathPoint& point) {
    std::string line = "(" + std::to_string(RoundToInt32(point.x)) + "," + std::to_string(RoundToInt32(point.y)) + ") ";
    if (line.size() < 12) line.resize(12, ' ');
    return line + "sp: " + std::to_string(RoundToInt32(point.speed));
}

}  // namespace kestrin
