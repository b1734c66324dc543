#pragma once
// The small rules of the path editor: snapping a room position to the grid,
// picking the control point under the mouse, and the text of a point's line
// in the point list.

#include <cstdint>
#include <string>

namespace kestrin {

class CPath;
struct PathPoint;

// The nearest multiple of the grid step (halves to the even multiple). A step
// below 1, as a damaged file can hold, counts as 1.
double SnapCoordinate(double value, int step);

// Picking reaches points closer than this many pixels.
inline constexpr double kPickDistance = 10;

// The control point nearest to (x, y) if it lies closer than kPickDistance;
// on equal distance the earlier point; -1 for none.
int PickPathPoint(const CPath& path, double x, double y);

// The drawing samples the path every 4 pixels of its length, but never more
// than a few times per pixel of the view: a path scaled to a huge size would
// otherwise take forever, and one whose length is not finite draws nothing.
inline constexpr double kPathSampleStep = 4;
inline constexpr std::int64_t kPathSamplesPerViewPixel = 4;
// The number of segments drawn (0: none) for a length in a view of that size.
std::int64_t PathSampleCount(double length, int viewWidth, int viewHeight);

// "(x,y) " padded to 12 characters, then "sp: " and the speed, all rounded.
std::string PathListLine(const PathPoint& point);

}  // namespace kestrin
