// World functions: drawing in the draw event with the pen, brush and font
// of the game's drawing variables. Outside a draw event they draw nothing.

#include <cmath>

#include "engine/canvas.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHollow = 1;

ColorValue ColorOf(double value) { return static_cast<ColorValue>(static_cast<std::int64_t>(value) & 0xFFFFFF); }
int Pixel(double v) { return static_cast<int>(std::floor(v)); }

// The shape's fill with the brush unless hollow, then its outline with the pen.
void Shape(FunctionCall& call, bool ellipse) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return;
    const GameValues& v = call.world.Values();
    const int x1 = Pixel(call.Real(0)), y1 = Pixel(call.Real(1)), x2 = Pixel(call.Real(2)), y2 = Pixel(call.Real(3));
    if (v.brushStyle != kHollow) {
        if (ellipse) canvas->Ellipse(x1, y1, x2, y2, ColorOf(v.brushColor), false);
        else canvas->Rectangle(x1, y1, x2, y2, ColorOf(v.brushColor), false);
    }
    if (ellipse) canvas->Ellipse(x1, y1, x2, y2, ColorOf(v.penColor), true);
    else canvas->Rectangle(x1, y1, x2, y2, ColorOf(v.penColor), true);
}

Value DrawRectangle(FunctionCall& call) {
    Shape(call, false);
    return 0.0;
}

Value DrawEllipse(FunctionCall& call) {
    Shape(call, true);
    return 0.0;
}

Value DrawCircle(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1), r = call.Real(2);
    const Value box[] = {x - r, y - r, x + r, y + r};
    FunctionCall inner{call.world, call.self, call.other, box, {}};
    Shape(inner, true);
    return 0.0;
}

Value DrawLine(FunctionCall& call) {
    if (Canvas* canvas = call.world.DrawingCanvas())
        canvas->Line(Pixel(call.Real(0)), Pixel(call.Real(1)), Pixel(call.Real(2)), Pixel(call.Real(3)),
                     ColorOf(call.world.Values().penColor));
    return 0.0;
}

Value DrawPoint(FunctionCall& call) {
    if (Canvas* canvas = call.world.DrawingCanvas()) {
        const int x = Pixel(call.Real(0)), y = Pixel(call.Real(1));
        canvas->Rectangle(x, y, x, y, ColorOf(call.world.Values().penColor), false);
    }
    return 0.0;
}

Value DrawArrow(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return 0.0;
    const double x1 = call.Real(0), y1 = call.Real(1), x2 = call.Real(2), y2 = call.Real(3), size = call.Real(4);
    const ColorValue color = ColorOf(call.world.Values().penColor);
    canvas->Line(Pixel(x1), Pixel(y1), Pixel(x2), Pixel(y2), color);
    const double angle = std::atan2(y2 - y1, x2 - x1);
    for (double side : {-1.0, 1.0}) {
        const double a = angle + kPi + side * kPi / 6;
        canvas->Line(Pixel(x2), Pixel(y2), Pixel(x2 + size * std::cos(a)), Pixel(y2 + size * std::sin(a)), color);
    }
    return 0.0;
}

Value DrawText(FunctionCall& call) {
    if (Canvas* canvas = call.world.DrawingCanvas())
        canvas->Text(Pixel(call.Real(0)), Pixel(call.Real(1)), call.Text(2), ColorOf(call.world.Values().fontColor));
    return 0.0;
}

Value DrawSprite(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const SpriteFrames* sprite = call.world.Sprite(call.Int(0));
    if (!canvas || !sprite || sprite->FrameCount() == 0) return 0.0;
    // Subimage -1 is the instance's current image.
    const double index = call.Real(1) < 0 && call.self ? call.self->imageIndex : call.Real(1);
    canvas->DrawImage(*sprite->images[sprite->FrameOf(index)], Pixel(call.Real(2)) - sprite->xorigin,
                      Pixel(call.Real(3)) - sprite->yorigin, sprite->transparent);
    return 0.0;
}

Value DrawSpriteStretched(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const SpriteFrames* sprite = call.world.Sprite(call.Int(0));
    if (!canvas || !sprite || sprite->FrameCount() == 0) return 0.0;
    const double index = call.Real(1) < 0 && call.self ? call.self->imageIndex : call.Real(1);
    canvas->DrawStretched(*sprite->images[sprite->FrameOf(index)], Pixel(call.Real(2)), Pixel(call.Real(3)),
                          Pixel(call.Real(4)), Pixel(call.Real(5)), sprite->transparent);
    return 0.0;
}

Value DrawBackground(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const CBackground* background = call.world.GameData().Backgrounds().ResourceAt(call.Int(0));
    if (canvas && background) background->DrawAt(*canvas, Pixel(call.Real(1)), Pixel(call.Real(2)));
    return 0.0;
}

Value DrawBackgroundTiled(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const CBackground* background = call.world.GameData().Backgrounds().ResourceAt(call.Int(0));
    if (canvas && background) background->DrawTiled(*canvas, Pixel(call.Real(1)), Pixel(call.Real(2)), true, true, 1, 1);
    return 0.0;
}

Value DrawBackgroundStretched(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    const CBackground* background = call.world.GameData().Backgrounds().ResourceAt(call.Int(0));
    if (canvas && background)
        background->DrawStretched(*canvas, Pixel(call.Real(1)), Pixel(call.Real(2)), Pixel(call.Real(3)),
                                  Pixel(call.Real(4)));
    return 0.0;
}

// A bar filled by amount (0..100) in a colour between the minimum and maximum
// colours; direction 0 grows from the left, 1 right, 2 top, 3 bottom.
Value DrawHealthbar(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return 0.0;
    const int x1 = Pixel(call.Real(0)), y1 = Pixel(call.Real(1)), x2 = Pixel(call.Real(2)), y2 = Pixel(call.Real(3));
    const double amount = std::clamp(call.Real(4), 0.0, 100.0) / 100.0;
    const ColorValue back = ColorOf(call.Real(5)), low = ColorOf(call.Real(6)), high = ColorOf(call.Real(7));
    const int direction = call.Int(8);
    if (call.Bool(9)) canvas->Rectangle(x1, y1, x2, y2, back, false);
    const ColorValue fill = BlendColor(low, high, amount);
    const int w = x2 - x1, h = y2 - y1;
    if (amount > 0) {
        switch (direction) {
            case 1: canvas->Rectangle(x2 - static_cast<int>(w * amount), y1, x2, y2, fill, false); break;
            case 2: canvas->Rectangle(x1, y1, x2, y1 + static_cast<int>(h * amount), fill, false); break;
            case 3: canvas->Rectangle(x1, y2 - static_cast<int>(h * amount), x2, y2, fill, false); break;
            default: canvas->Rectangle(x1, y1, x1 + static_cast<int>(w * amount), y2, fill, false); break;
        }
    }
    if (call.Bool(10)) canvas->Rectangle(x1, y1, x2, y2, 0, true);
    return 0.0;
}

// Every frame is drawn whole at the end of each step.
Value ScreenRedraw(FunctionCall&) { return 0.0; }

}  // namespace

void AddDrawingFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"draw_rectangle", DrawRectangle},     {"draw_ellipse", DrawEllipse},
        {"draw_circle", DrawCircle},           {"draw_line", DrawLine},
        {"draw_pixel", DrawPoint},             {"draw_arrow", DrawArrow},
        {"draw_text", DrawText},               {"draw_sprite", DrawSprite},
        {"draw_sprite_stretched", DrawSpriteStretched}, {"draw_background", DrawBackground},
        {"draw_background_tiled", DrawBackgroundTiled}, {"draw_background_stretched", DrawBackgroundStretched},
        {"draw_healthbar", DrawHealthbar},     {"screen_redraw", ScreenRedraw},
        {"screen_refresh", ScreenRedraw},
    });
}

}  // namespace kestrin::engine
