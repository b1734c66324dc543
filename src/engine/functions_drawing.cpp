// World functions: drawing in the draw event with the pen, brush and font
// of the game's drawing variables; sprites and backgrounds whole, in parts,
// scaled, turned, see-through or tiled; text and its measures; saving the
// screen; colours. Outside a draw event they draw nothing.

#include <algorithm>
#include <cmath>

#include "engine/canvas.h"
#include "engine/text_layout.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "imaging/bmp_codec.h"
#include "imaging/png_codec.h"
#include "platform/file_system.h"
#include "storage/game.h"

namespace kestrin::engine {

TextFont GameFont(const GameValues& values) {
    TextFont font;
    font.name = values.fontName;
    font.size = values.fontSize;
    font.style = static_cast<int>(values.fontStyle);
    font.angle = std::isfinite(values.fontAngle) ? std::fmod(values.fontAngle, 360.0) : 0.0;
    return font;
}

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHollow = 1;

ColorValue ColorOf(double value) { return static_cast<ColorValue>(static_cast<std::int64_t>(value) & 0xFFFFFF); }
// Far beyond any frame, yet still an int (and never undefined) for absurd values.
int Pixel(double v) { return std::isnan(v) ? 0 : static_cast<int>(std::clamp(std::floor(v), -1e9, 1e9)); }

// The shape's fill with the brush unless hollow, then its outline with the pen.
enum class Outline { Rectangle, Ellipse, RoundRect };

void Shape(FunctionCall& call, Outline kind) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return;
    const GameValues& v = call.world.Values();
    const int x1 = Pixel(call.Real(0)), y1 = Pixel(call.Real(1)), x2 = Pixel(call.Real(2)), y2 = Pixel(call.Real(3));
    auto draw = [&](ColorValue color, bool outline) {
        switch (kind) {
            case Outline::Rectangle: canvas->Rectangle(x1, y1, x2, y2, color, outline); break;
            case Outline::Ellipse: canvas->Ellipse(x1, y1, x2, y2, color, outline); break;
            case Outline::RoundRect: canvas->RoundRectangle(x1, y1, x2, y2, color, outline); break;
        }
    };
    if (v.brushStyle != kHollow) draw(ColorOf(v.brushColor), false);
    draw(ColorOf(v.penColor), true);
}

Value DrawRectangle(FunctionCall& call) {
    Shape(call, Outline::Rectangle);
    return 0.0;
}

Value DrawRoundRect(FunctionCall& call) {
    Shape(call, Outline::RoundRect);
    return 0.0;
}

Value DrawEllipse(FunctionCall& call) {
    Shape(call, Outline::Ellipse);
    return 0.0;
}

Value DrawCircle(FunctionCall& call) {
    const double x = call.Real(0), y = call.Real(1), r = call.Real(2);
    const Value box[] = {x - r, y - r, x + r, y + r};
    FunctionCall inner{call.world, call.self, call.other, box, {}};
    Shape(inner, Outline::Ellipse);
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

Value DrawGetPixel(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    return canvas ? static_cast<double>(canvas->PixelAt(Pixel(call.Real(0)), Pixel(call.Real(1)))) : 0.0;
}

Value DrawFill(FunctionCall& call) {
    if (Canvas* canvas = call.world.DrawingCanvas())
        canvas->FloodFill(Pixel(call.Real(0)), Pixel(call.Real(1)), ColorOf(call.world.Values().brushColor));
    return 0.0;
}

// Colours: red in the low byte, then green and blue; hue, saturation and
// value each 0..255.
std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(std::floor(v), 0.0, 255.0)); }

Value MakeColorRgb(FunctionCall& call) {
    return static_cast<double>(MakeColor(Channel(call.Real(0)), Channel(call.Real(1)), Channel(call.Real(2))));
}

Value MakeColorHsv(FunctionCall& call) {
    std::uint8_t r, g, b;
    HsvToRgb(HsvTriple{Channel(call.Real(0)), Channel(call.Real(1)), Channel(call.Real(2))}, r, g, b);
    return static_cast<double>(MakeColor(r, g, b));
}

Value MergeColor(FunctionCall& call) {
    return static_cast<double>(BlendColor(ColorOf(call.Real(0)), ColorOf(call.Real(1)), std::clamp(call.Real(2), 0.0, 1.0)));
}

Value ColorGetRed(FunctionCall& call) { return static_cast<double>(RedOf(ColorOf(call.Real(0)))); }
Value ColorGetGreen(FunctionCall& call) { return static_cast<double>(GreenOf(ColorOf(call.Real(0)))); }
Value ColorGetBlue(FunctionCall& call) { return static_cast<double>(BlueOf(ColorOf(call.Real(0)))); }

HsvTriple HsvOf(FunctionCall& call) {
    const ColorValue c = ColorOf(call.Real(0));
    return RgbToHsv(static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                    static_cast<std::uint8_t>(BlueOf(c)));
}

Value ColorGetHue(FunctionCall& call) { return static_cast<double>(HsvOf(call).hue); }
Value ColorGetSaturation(FunctionCall& call) { return static_cast<double>(HsvOf(call).saturation); }
Value ColorGetValue(FunctionCall& call) { return static_cast<double>(HsvOf(call).value); }

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

TextBlock Layout(FunctionCall& call, int x, int y, const std::string& text, int separation, int width) {
    const GameValues& v = call.world.Values();
    return LayOutText(text, x, y, static_cast<int>(v.fontAlign), separation, width, call.world.Metrics(), GameFont(v));
}

void DrawLines(FunctionCall& call, int separation, int width) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return;
    const GameValues& v = call.world.Values();
    const TextFont font = GameFont(v);
    const int x = Pixel(call.Real(0)), y = Pixel(call.Real(1));
    // Turned text is laid out as if level, then each line's corner is turned about the point.
    const double turn = font.angle * kPi / 180, c = std::cos(turn), s = std::sin(turn);
    for (const TextLine& line : Layout(call, x, y, call.Text(2), separation, width).lines) {
        const double dx = line.x - x, dy = line.y - y;
        canvas->Text(Pixel(x + dx * c + dy * s + 0.5), Pixel(y - dx * s + dy * c + 0.5), line.text, font,
                     ColorOf(v.fontColor));
    }
}

Value DrawText(FunctionCall& call) {
    DrawLines(call, -1, -1);
    return 0.0;
}

Value DrawTextExt(FunctionCall& call) {
    DrawLines(call, Pixel(call.Real(3)), Pixel(call.Real(4)));
    return 0.0;
}

Value StringWidth(FunctionCall& call) { return static_cast<double>(Layout(call, 0, 0, call.Text(0), -1, -1).width); }
Value StringHeight(FunctionCall& call) { return static_cast<double>(Layout(call, 0, 0, call.Text(0), -1, -1).height); }

Value StringWidthExt(FunctionCall& call) {
    return static_cast<double>(Layout(call, 0, 0, call.Text(0), Pixel(call.Real(1)), Pixel(call.Real(2))).width);
}

Value StringHeightExt(FunctionCall& call) {
    return static_cast<double>(Layout(call, 0, 0, call.Text(0), Pixel(call.Real(1)), Pixel(call.Real(2))).height);
}

// What a sprite or background call draws: the image, the part of it, where
// the part's origin goes and how.
struct Placing {
    const Bitmap24* image = nullptr;
    DrawRect part;
    bool seeThrough = false;
    ImageTransform transform;
};

// The frame of the sprite in argument 0 with the subimage in argument 1
// (-1: the instance's current image), placed by the sprite's origin.
bool SpriteFrame(FunctionCall& call, Placing& placing) {
    const SpriteFrames* sprite = call.world.Sprite(call.Int(0));
    if (!call.world.DrawingCanvas() || !sprite || sprite->FrameCount() == 0) return false;
    const double index = call.Real(1) < 0 && call.self ? call.self->imageIndex : call.Real(1);
    placing.image = sprite->images[sprite->FrameOf(index)].get();
    placing.part = {0, 0, placing.image->Width(), placing.image->Height()};
    placing.seeThrough = sprite->transparent;
    placing.transform.xorigin = sprite->xorigin;
    placing.transform.yorigin = sprite->yorigin;
    return true;
}

// The background in argument 0, placed by its top-left corner.
bool BackgroundImage(FunctionCall& call, Placing& placing) {
    const CBackground* background = call.world.GameData().Backgrounds().ResourceAt(call.Int(0));
    if (!call.world.DrawingCanvas() || !background) return false;
    placing.image = background->DisplayImage();
    if (!placing.image) return false;
    placing.part = {0, 0, placing.image->Width(), placing.image->Height()};
    placing.seeThrough = background->Transparent;
    return true;
}

// Arguments from `first` on: left, top, width, height of the part, which
// is then placed by its own top-left corner.
void TakePart(FunctionCall& call, Placing& placing, int first) {
    // In 64 bits: a far corner plus a large size must not wrap around.
    auto end = [](int start, int size) {
        return static_cast<int>(std::min<std::int64_t>(std::int64_t{start} + std::max(0, size), INT32_MAX));
    };
    const int left = call.Int(first), top = call.Int(first + 1);
    placing.part = {left, top, end(left, call.Int(first + 2)), end(top, call.Int(first + 3))};
    placing.transform.xorigin = placing.transform.yorigin = 0;
}

void Place(FunctionCall& call, const Placing& placing, int xArg) {
    call.world.DrawingCanvas()->DrawTransformed(*placing.image, placing.part, Pixel(call.Real(xArg)),
                                                Pixel(call.Real(xArg + 1)), placing.transform, placing.seeThrough);
}

// The part scaled to the size in arguments wArg and wArg + 1.
void Stretch(FunctionCall& call, Placing& placing, int wArg) {
    placing.transform.xorigin = placing.transform.yorigin = 0;
    placing.transform.xscale = call.Real(wArg) / std::max(1, placing.part.right - placing.part.left);
    placing.transform.yscale = call.Real(wArg + 1) / std::max(1, placing.part.bottom - placing.part.top);
}

// Copies of the placed part side by side over the whole drawing area, one
// of them at (x, y).
void Tile(FunctionCall& call, const Placing& placing, int xArg) {
    Canvas& canvas = *call.world.DrawingCanvas();
    const ImageTransform& t = placing.transform;
    const double w = std::fabs(t.xscale) * (placing.part.right - placing.part.left);
    const double h = std::fabs(t.yscale) * (placing.part.bottom - placing.part.top);
    // Copies smaller than a pixel would never cover anything.
    if (!(w >= 1 && h >= 1)) return;
    const DrawRect clip = canvas.ClipRect();
    const double x = Pixel(call.Real(xArg)), y = Pixel(call.Real(xArg + 1));
    const double firstX = std::floor((clip.left - x) / w) - 1, lastX = std::ceil((clip.right - x) / w) + 1;
    const double firstY = std::floor((clip.top - y) / h) - 1, lastY = std::ceil((clip.bottom - y) / h) + 1;
    for (double j = firstY; j <= lastY; ++j)
        for (double i = firstX; i <= lastX; ++i)
            canvas.DrawTransformed(*placing.image, placing.part, static_cast<int>(std::lround(x + i * w)),
                                   static_cast<int>(std::lround(y + j * h)), t, placing.seeThrough);
}

// The scales and opacity in the arguments from `first` on, as many as asked.
void Scale(FunctionCall& call, Placing& placing, int first, bool separate, bool turn, bool alpha) {
    int at = first;
    placing.transform.xscale = call.Real(at++);
    placing.transform.yscale = separate ? call.Real(at++) : placing.transform.xscale;
    if (turn) placing.transform.angle = call.Real(at++);
    if (alpha) placing.transform.alpha = call.Real(at);
}

// The sprite (index, frame, x, y) with scales and opacity from the fifth
// argument on, as Scale reads them.
template <bool separate, bool turn, bool alpha>
Value DrawSpriteScaledAs(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    Scale(call, p, 4, separate, turn, alpha);
    Place(call, p, 2);
    return 0.0;
}

Value DrawSprite(FunctionCall& call) {
    Placing p;
    if (SpriteFrame(call, p)) Place(call, p, 2);
    return 0.0;
}

Value DrawSpriteStretched(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    Stretch(call, p, 4);
    Place(call, p, 2);
    return 0.0;
}

Value DrawSpriteStretchedExt(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    Stretch(call, p, 4);
    p.transform.alpha = call.Real(6);
    Place(call, p, 2);
    return 0.0;
}

Value DrawSpriteTiled(FunctionCall& call) {
    Placing p;
    if (SpriteFrame(call, p)) Tile(call, p, 2);
    return 0.0;
}

Value DrawSpriteTiledExt(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    Scale(call, p, 4, true, false, true);
    Tile(call, p, 2);
    return 0.0;
}

Value DrawSpritePart(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    TakePart(call, p, 2);
    Place(call, p, 6);
    return 0.0;
}

Value DrawSpritePartExt(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    TakePart(call, p, 2);
    Scale(call, p, 8, true, false, true);
    Place(call, p, 6);
    return 0.0;
}

Value DrawSpritePartAlpha(FunctionCall& call) {
    Placing p;
    if (!SpriteFrame(call, p)) return 0.0;
    TakePart(call, p, 2);
    Scale(call, p, 8, true, true, true);
    Place(call, p, 6);
    return 0.0;
}

// The background (index, x, y) with scales and opacity from the fourth
// argument on.
template <bool separate, bool turn, bool alpha>
Value DrawBackgroundScaledAs(FunctionCall& call) {
    Placing p;
    if (!BackgroundImage(call, p)) return 0.0;
    Scale(call, p, 3, separate, turn, alpha);
    Place(call, p, 1);
    return 0.0;
}

Value DrawBackground(FunctionCall& call) {
    Placing p;
    if (BackgroundImage(call, p)) Place(call, p, 1);
    return 0.0;
}

Value DrawBackgroundStretched(FunctionCall& call) {
    Placing p;
    if (!BackgroundImage(call, p)) return 0.0;
    Stretch(call, p, 3);
    Place(call, p, 1);
    return 0.0;
}

Value DrawBackgroundStretchedExt(FunctionCall& call) {
    Placing p;
    if (!BackgroundImage(call, p)) return 0.0;
    Stretch(call, p, 3);
    p.transform.alpha = call.Real(5);
    Place(call, p, 1);
    return 0.0;
}

Value DrawBackgroundTiled(FunctionCall& call) {
    Placing p;
    if (BackgroundImage(call, p)) Tile(call, p, 1);
    return 0.0;
}

Value DrawBackgroundTiledExt(FunctionCall& call) {
    Placing p;
    if (!BackgroundImage(call, p)) return 0.0;
    Scale(call, p, 3, true, false, true);
    Tile(call, p, 1);
    return 0.0;
}

Value DrawBackgroundPart(FunctionCall& call) {
    Placing p;
    if (!BackgroundImage(call, p)) return 0.0;
    TakePart(call, p, 1);
    Place(call, p, 5);
    return 0.0;
}

Value DrawBackgroundPartExt(FunctionCall& call) {
    Placing p;
    if (!BackgroundImage(call, p)) return 0.0;
    TakePart(call, p, 1);
    Scale(call, p, 7, true, false, true);
    Place(call, p, 5);
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

// The frame as it is now (the one last drawn, or the one being drawn), or a
// part of it, as a picture file: PNG for a name ending in .png, else BMP.
// Headless play draws no frames and saves nothing.
void SaveScreen(FunctionCall& call, const std::string& path, int x, int y, int width, int height) {
    const Bitmap24* frame = call.world.LastFrame();
    if (!frame) return;
    const int left = std::clamp(x, 0, frame->Width()), top = std::clamp(y, 0, frame->Height());
    const auto right = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{x} + std::max(width, 0), left, frame->Width()));
    const auto bottom = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{y} + std::max(height, 0), top, frame->Height()));
    if (right <= left || bottom <= top) return;
    Bitmap24 part(right - left, bottom - top);
    part.Draw(*frame, -left, -top);
    const std::vector<std::uint8_t> bytes = LowerFileExt(path) == ".png" ? EncodePng(part) : EncodeBmp(part);
    try {
        WriteFileAtomically(path, bytes.data(), bytes.size());
    } catch (const FileError&) {
        call.Fail("Cannot save the screen to " + path);
    }
}

Value ScreenSave(FunctionCall& call) {
    SaveScreen(call, call.Text(0), 0, 0, kMaxImageSide, kMaxImageSide);
    return 0.0;
}

Value ScreenSavePart(FunctionCall& call) {
    SaveScreen(call, call.Text(0), call.Int(1), call.Int(2), call.Int(3), call.Int(4));
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
        {"screen_refresh", ScreenRedraw},      {"draw_text_ext", DrawTextExt},
        {"string_width", StringWidth},         {"string_height", StringHeight},
        {"string_width_ext", StringWidthExt},  {"string_height_ext", StringHeightExt},
        {"draw_sprite_ext", DrawSpriteScaledAs<true, false, true>},
        {"draw_sprite_scaled", DrawSpriteScaledAs<false, false, false>},
        {"draw_sprite_transparent", DrawSpriteScaledAs<false, false, true>},
        {"draw_sprite_alpha", DrawSpriteScaledAs<true, true, true>},
        {"draw_sprite_stretched_ext", DrawSpriteStretchedExt}, {"draw_sprite_tiled", DrawSpriteTiled},
        {"draw_sprite_tiled_ext", DrawSpriteTiledExt}, {"draw_sprite_part", DrawSpritePart},
        {"draw_sprite_part_ext", DrawSpritePartExt}, {"draw_sprite_part_alpha", DrawSpritePartAlpha},
        {"draw_background_scaled", DrawBackgroundScaledAs<false, false, false>},
        {"draw_background_transparent", DrawBackgroundScaledAs<false, false, true>},
        {"draw_background_ext", DrawBackgroundScaledAs<true, false, true>},
        {"draw_background_alpha", DrawBackgroundScaledAs<true, false, true>},
        {"draw_background_stretched_ext", DrawBackgroundStretchedExt},
        {"draw_background_tiled_ext", DrawBackgroundTiledExt}, {"draw_background_part", DrawBackgroundPart},
        {"draw_background_part_ext", DrawBackgroundPartExt}, {"draw_background_part_alpha", DrawBackgroundPartExt},
        {"screen_save", ScreenSave},           {"screen_save_part", ScreenSavePart},
        {"draw_roundrect", DrawRoundRect},     {"draw_getpixel", DrawGetPixel},
        {"draw_fill", DrawFill},               {"make_color", MakeColorRgb},
        {"make_color_rgb", MakeColorRgb},      {"make_color_hsv", MakeColorHsv},
        {"merge_color", MergeColor},           {"color_get_red", ColorGetRed},
        {"color_get_green", ColorGetGreen},    {"color_get_blue", ColorGetBlue},
        {"color_get_hue", ColorGetHue},        {"color_get_saturation", ColorGetSaturation},
        {"color_get_value", ColorGetValue},
    });
}

}  // namespace kestrin::engine
