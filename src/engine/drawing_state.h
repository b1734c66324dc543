#pragma once
// What the drawing functions keep between calls: the polygon being built and
// the saved pen, brush and font settings. Both are bounded, since game code
// may push or add in a loop that never ends.

#include <string>
#include <vector>

#include "engine/canvas.h"

namespace kestrin::engine {

inline constexpr std::size_t kMaxPolygonVertices = 10000;
inline constexpr std::size_t kMaxSavedGraphicsSettings = 64;

struct GraphicsSettings {
    double brushColor = 0, brushStyle = 0, penColor = 0, penSize = 1, fontColor = 0;
    std::string fontName;
    double fontSize = 12, fontStyle = 0, fontAngle = 0, fontAlign = 0;
};

struct DrawingState {
    std::vector<CanvasPoint> polygon;
    std::vector<GraphicsSettings> saved;
};

}  // namespace kestrin::engine
