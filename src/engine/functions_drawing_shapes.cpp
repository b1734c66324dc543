// World functions: the further shapes (triangles, arcs, chords, pies,
// polygons, 3-D buttons, a path's line), text written with a sprite's frames
// as its letters, the saved pen, brush and font settings, and the screen's
// gamma and mode.
//
// As the other drawing functions: filled shapes are filled with the brush
// unless it is hollow, then outlined with the pen; colours are r + g*256 +
// b*65536; angles run counter-clockwise with y down. Polygons are filled by
// the even-odd rule and hold at most 10000 vertices. Outside a draw event
// nothing is drawn, but the polygon and the settings are still kept.

#include <algorithm>
#include <cmath>

#include "engine/canvas.h"
#include "engine/game_shell.h"
#include "engine/sprite_masks.h"
#include "engine/text_layout.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "resources/path.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHollow = 1;

ColorValue ColorOf(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<ColorValue>(static_cast<std::int64_t>(std::clamp(value, -1e18, 1e18)) & 0xFFFFFF);
}

// Far beyond any frame, yet still an int for absurd values.
int Pixel(double v) { return std::isnan(v) ? 0 : static_cast<int>(std::clamp(std::floor(v), -1e9, 1e9)); }

// The brush's fill (unless hollow) and the pen's outline of the polygon.
void FillAndOutline(FunctionCall& call, const std::vector<CanvasPoint>& points) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return;
    const GameValues& v = call.world.Values();
    if (v.brushStyle != kHollow) canvas->Polygon(points, ColorOf(v.brushColor), false);
    canvas->Polygon(points, ColorOf(v.penColor), true);
}

Value DrawTriangle(FunctionCall& call) {
    FillAndOutline(call, {{call.Real(0), call.Real(1)}, {call.Real(2), call.Real(3)}, {call.Real(4), call.Real(5)}});
    return 0.0;
}

// The points of the ellipse in the box of arguments 0..3 from the direction
// of the point in arguments 4, 5 counter-clockwise to that of the point in
// arguments 6, 7 (seen from the centre); the same two directions go round
// the whole ellipse.
std::vector<CanvasPoint> ArcPoints(FunctionCall& call, CanvasPoint& centre) {
    const double x1 = call.Real(0), y1 = call.Real(1), x2 = call.Real(2), y2 = call.Real(3);
    centre = {(x1 + x2) / 2, (y1 + y2) / 2};
    const double rx = std::fabs(x2 - x1) / 2, ry = std::fabs(y2 - y1) / 2;
    if (!std::isfinite(rx) || !std::isfinite(ry) || !std::isfinite(centre.x) || !std::isfinite(centre.y)) return {};
    // The point of the ellipse in the direction of (x, y), as an angle of its parameter.
    auto along = [&](double x, double y) { return std::atan2((centre.y - y) * rx, (x - centre.x) * ry); };
    const double from = along(call.Real(4), call.Real(5));
    double sweep = std::fmod(along(call.Real(6), call.Real(7)) - from, 2 * kPi);
    if (sweep <= 0) sweep += 2 * kPi;
    if (!std::isfinite(sweep)) return {};
    // About four pixels a piece, within bounds however large the ellipse.
    const double length = sweep * std::max(rx, ry);
    const int pieces = static_cast<int>(std::clamp(std::ceil(length / 4), 8.0, 720.0));
    std::vector<CanvasPoint> points;
    points.reserve(pieces + 2);
    for (int i = 0; i <= pieces; ++i) {
        const double t = from + sweep * i / pieces;
        points.push_back({centre.x + rx * std::cos(t), centre.y - ry * std::sin(t)});
    }
    return points;
}

Value DrawArc(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return 0.0;
    CanvasPoint centre;
    const std::vector<CanvasPoint> points = ArcPoints(call, centre);
    const ColorValue pen = ColorOf(call.world.Values().penColor);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) canvas->Polygon({points[i], points[i + 1]}, pen, true);
    return 0.0;
}

Value DrawChord(FunctionCall& call) {
    CanvasPoint centre;
    const std::vector<CanvasPoint> points = ArcPoints(call, centre);
    if (!points.empty()) FillAndOutline(call, points);
    return 0.0;
}

Value DrawPie(FunctionCall& call) {
    CanvasPoint centre;
    std::vector<CanvasPoint> points = ArcPoints(call, centre);
    if (points.empty()) return 0.0;
    points.push_back(centre);
    FillAndOutline(call, points);
    return 0.0;
}

Value DrawPolygonBegin(FunctionCall& call) {
    call.world.Shell().Drawing().polygon.clear();
    return 0.0;
}

Value DrawPolygonVertex(FunctionCall& call) {
    std::vector<CanvasPoint>& polygon = call.world.Shell().Drawing().polygon;
    if (polygon.size() >= kMaxPolygonVertices)
        return call.Fail("A polygon can have at most " + std::to_string(kMaxPolygonVertices) + " vertices");
    polygon.push_back({call.Real(0), call.Real(1)});
    return 0.0;
}

Value DrawPolygonEnd(FunctionCall& call) {
    std::vector<CanvasPoint> polygon = std::move(call.world.Shell().Drawing().polygon);
    call.world.Shell().Drawing().polygon.clear();
    if (!polygon.empty()) FillAndOutline(call, polygon);
    return 0.0;
}

// A raised box (or a pressed one when argument 4 is false): the brush's
// colour with lighter top and left edges and darker bottom and right ones,
// swapped when pressed.
Value DrawButton(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return 0.0;
    const int x1 = Pixel(call.Real(0)), y1 = Pixel(call.Real(1)), x2 = Pixel(call.Real(2)), y2 = Pixel(call.Real(3));
    const int left = std::min(x1, x2), right = std::max(x1, x2), top = std::min(y1, y2), bottom = std::max(y1, y2);
    const ColorValue face = ColorOf(call.world.Values().brushColor);
    const ColorValue light = BlendColor(face, MakeColor(255, 255, 255), 0.5);
    const ColorValue dark = BlendColor(face, MakeColor(0, 0, 0), 0.5);
    const bool up = call.Bool(4);
    const ColorValue topLeft = up ? light : dark, bottomRight = up ? dark : light;
    canvas->Rectangle(left, top, right, bottom, face, false);
    canvas->Line(left, top, right, top, topLeft);
    canvas->Line(left, top, left, bottom, topLeft);
    canvas->Line(left, bottom, right, bottom, bottomRight);
    canvas->Line(right, top, right, bottom, bottomRight);
    return 0.0;
}

// The path's line with the pen: where the path lies when argument 3 is
// true, else moved so that it starts at (x, y).
Value DrawPath(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const CPath* path = call.world.GameData().Paths().ResourceAt(call.Int(0));
    if (!path) return call.Fail("Drawing a path that does not exist");
    if (!canvas || path->Computed().empty()) return 0.0;
    const std::vector<ComputedPathPoint>& points = path->Computed();
    double dx = 0, dy = 0;
    if (!call.Bool(3)) {
        const PathPoint start = path->GetPosition(0);
        dx = call.Real(1) - start.x;
        dy = call.Real(2) - start.y;
    }
    const ColorValue pen = ColorOf(call.world.Values().penColor);
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        canvas->Polygon({{points[i].x + dx, points[i].y + dy}, {points[i + 1].x + dx, points[i + 1].y + dy}}, pen,
                        true);
    return 0.0;
}

// Letters as cells of a sprite's size (scaled), for laying out the text.
class SpriteLetterMetrics : public TextMetrics {
public:
    SpriteLetterMetrics(double width, double height) : mWidth(width), mHeight(height) {}
    int Width(const std::string& line, const TextFont&) const override {
        return static_cast<int>(std::min(1e9, std::ceil(mWidth * static_cast<double>(line.size()))));
    }
    int LineHeight(const TextFont&) const override { return static_cast<int>(std::ceil(mHeight)); }

private:
    double mWidth, mHeight;
};

// draw_text_sprite(x, y, text, sprite, first, separation, width, scale):
// each character is the sprite's frame numbered from the first character (a
// character code, or the first letter of a string); characters without a
// frame leave a gap. Lines break, wrap and align as with draw_text_ext, the
// line separation and wrapping width counted in scaled pixels.
Value DrawTextSprite(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const SpriteFrames* sprite = call.world.Sprite(call.Int(3));
    if (!sprite) return call.Fail("Drawing text with a sprite that does not exist");
    const double scale = call.Real(7);
    if (!canvas || sprite->FrameCount() == 0 || !(scale > 0) || !std::isfinite(scale)) return 0.0;
    const int first = call.Count() > 4 && call.args[4].IsString()
                          ? (call.Text(4).empty() ? 0 : static_cast<unsigned char>(call.Text(4)[0]))
                          : call.Int(4);
    const double cellWidth = sprite->width * scale, cellHeight = sprite->height * scale;
    if (cellWidth < 1 || cellHeight < 1 || cellWidth > 1e6 || cellHeight > 1e6) return 0.0;
    const SpriteLetterMetrics metrics(cellWidth, cellHeight);
    const GameValues& v = call.world.Values();
    const TextBlock block = LayOutText(call.Text(2), Pixel(call.Real(0)), Pixel(call.Real(1)),
                                       static_cast<int>(v.fontAlign), call.Int(5), call.Int(6), metrics, TextFont{});
    const DrawRect clip = canvas->ClipRect();
    ImageTransform transform;
    transform.xscale = transform.yscale = scale;
    for (const TextLine& line : block.lines) {
        if (line.y + cellHeight < clip.top || line.y > clip.bottom) continue;
        for (std::size_t i = 0; i < line.text.size(); ++i) {
            const double x = line.x + cellWidth * static_cast<double>(i);
            if (x > clip.right) break;
            const int frame = static_cast<unsigned char>(line.text[i]) - first;
            if (frame < 0 || frame >= sprite->FrameCount() || x + cellWidth < clip.left) continue;
            const Bitmap24& image = *sprite->images[frame];
            canvas->DrawTransformed(image, {0, 0, image.Width(), image.Height()}, static_cast<int>(std::lround(x)),
                                    line.y, transform, sprite->transparent);
        }
    }
    return 0.0;
}

Value PushGraphicsSettings(FunctionCall& call) {
    std::vector<GraphicsSettings>& saved = call.world.Shell().Drawing().saved;
    if (saved.size() >= kMaxSavedGraphicsSettings)
        return call.Fail("At most " + std::to_string(kMaxSavedGraphicsSettings) +
                         " graphics settings can be saved at once");
    const GameValues& v = call.world.Values();
    saved.push_back({v.brushColor, v.brushStyle, v.penColor, v.penSize, v.fontColor, v.fontName, v.fontSize,
                     v.fontStyle, v.fontAngle, v.fontAlign});
    return 0.0;
}

Value PopGraphicsSettings(FunctionCall& call) {
    std::vector<GraphicsSettings>& saved = call.world.Shell().Drawing().saved;
    if (saved.empty()) return call.Fail("There are no saved graphics settings to restore");
    const GraphicsSettings& s = saved.back();
    GameValues& v = call.world.Values();
    v.brushColor = s.brushColor;
    v.brushStyle = s.brushStyle;
    v.penColor = s.penColor;
    v.penSize = s.penSize;
    v.fontColor = s.fontColor;
    v.fontName = s.fontName;
    v.fontSize = s.fontSize;
    v.fontStyle = s.fontStyle;
    v.fontAngle = s.fontAngle;
    v.fontAlign = s.fontAlign;
    saved.pop_back();
    return 0.0;
}

// set_graphics_mode(full screen, width, height, colour depth, frequency,
// and two more): the window goes full screen or back, at the current
// resolution (width and height 0); the display's own mode, depth and
// frequency are not changed. True when the mode was had.
Value SetGraphicsMode(FunctionCall& call) {
    const int width = std::max(0, call.Int(1)), height = std::max(0, call.Int(2));
    return call.world.Shell().Screen().SetGraphicsMode(call.Bool(0), width, height) ? 1.0 : 0.0;
}

// Each channel's gamma, kept within 0.1 .. 10 (1 leaves it unchanged).
Value ScreenGamma(FunctionCall& call) {
    auto gamma = [&](int i) { return std::isfinite(call.Real(i)) ? std::clamp(call.Real(i), 0.1, 10.0) : 1.0; };
    call.world.Shell().Screen().SetGamma(gamma(0), gamma(1), gamma(2));
    return 0.0;
}

}  // namespace

void AddDrawingShapeFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"draw_triangle", DrawTriangle},           {"draw_arc", DrawArc},
        {"draw_chord", DrawChord},                 {"draw_pie", DrawPie},
        {"draw_polygon_begin", DrawPolygonBegin},  {"draw_polygon_vertex", DrawPolygonVertex},
        {"draw_polygon_end", DrawPolygonEnd},      {"draw_button", DrawButton},
        {"draw_path", DrawPath},                   {"draw_text_sprite", DrawTextSprite},
        {"push_graphics_settings", PushGraphicsSettings}, {"pop_graphics_settings", PopGraphicsSettings},
        {"set_graphics_mode", SetGraphicsMode},    {"screen_gamma", ScreenGamma},
    });
}

}  // namespace kestrin::engine
