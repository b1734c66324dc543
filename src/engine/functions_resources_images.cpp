// World functions that change sprites and backgrounds while the game runs:
// loading them from picture files (BMP, PNG, JPEG, GIF with its frames),
// taking them from the last frame drawn, making plain and gradient
// backgrounds, copying, merging and deleting them, and the picture changes
// the image editors make, done by the same image operations.
//
// Colours are integers red + green*256 + blue*65536; hues, values and
// amounts count 0 to 255 as the editors' do; a corner or placement is a
// keypad code (7 8 9 / 4 5 6 / 1 2 3, anything else the top left). Changes
// apply to every frame of a sprite; the frames and masks the world decoded
// are made again on their next use. There is no video memory to manage
// here: discard, restore, videomem and loadonuse only keep their flags on
// the record. Without a window (headless play) there is no last frame, so
// the functions that take one fail.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <type_traits>

#include "engine/canvas.h"
#include "engine/functions_resources.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/gradient_fill.h"
#include "imaging/picture.h"
#include "imaging/picture_frames.h"
#include "imaging/strip.h"
#include "platform/file_system.h"
#include "resources/background.h"
#include "resources/sprite.h"

namespace kestrin::engine {

namespace {

// More samples than this per pixel cost time without showing.
constexpr int kMaxQuality = 4;
// Every change decodes and encodes each frame, so frames are bounded by count
// as well as by pixels.
constexpr std::size_t kMaxSpriteFrames = 1000;

using ImageChange = std::function<Image(const Bitmap24*, bool transparent)>;

int Quality(FunctionCall& call, int arg) { return std::clamp(call.Int(arg), 1, kMaxQuality); }

bool SizeAllowed(std::int64_t width, std::int64_t height, std::int64_t frames) {
    return WithinImageLimits(width, height) && frames >= 0 && width * height * frames <= kMaxResourcePixels;
}

// The sprite's frames become the given ones; the box follows them unless it is manual.
bool SetSpriteFrames(FunctionCall& call, int index, std::vector<Image>& frames) {
    CSprite& sprite = *call.world.GameData().Sprites().ResourceAt(index);
    if (frames.size() > kMaxSpriteFrames ||
        (!frames.empty() &&
         !SizeAllowed(frames.front()->Width(), frames.front()->Height(), static_cast<std::int64_t>(frames.size())))) {
        call.Fail("The sprite would be too large.");
        return false;
    }
    // The box is worked out once at the end, not again for every frame added.
    const std::int32_t mode = sprite.BoxMode;
    sprite.BoxMode = kBoxManual;
    sprite.ClearImages();
    for (const Image& frame : frames)
        if (frame) sprite.AddImage(frame.get());
    sprite.BoxMode = mode;
    sprite.UpdateBoundingBox();
    call.world.SpriteChanged(index);
    return true;
}

std::vector<Image> SpriteFramesOf(const CSprite& sprite) {
    std::vector<Image> frames;
    for (int i = 0; i < sprite.FrameCount(); ++i) frames.push_back(sprite.GetImage(i));
    return frames;
}

// Every frame of the sprite in argument 0 changed the same way.
Value ChangeSprite(FunctionCall& call, const ImageChange& change) {
    const CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    std::vector<Image> frames = SpriteFramesOf(*sprite);
    for (Image& frame : frames) frame = change(frame.get(), sprite->Transparent);
    SetSpriteFrames(call, call.Int(0), frames);
    return 0.0;
}

Value ChangeBackground(FunctionCall& call, const ImageChange& change) {
    CBackground* background = RecordOf(call, call.world.GameData().Backgrounds(), "Background");
    if (!background || !background->HasImage()) return 0.0;
    Image image = background->GetImage();
    Image changed = change(image.get(), background->Transparent);
    if (!changed) return 0.0;
    if (!SizeAllowed(changed->Width(), changed->Height(), 1)) return call.Fail("The background would be too large.");
    background->SetImage(changed.get());
    return 0.0;
}

// Checks a new size given by the call before any image of it is made.
bool NewSizeAllowed(FunctionCall& call, double width, double height, std::int64_t frames) {
    if (!(width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide) ||
        !SizeAllowed(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height), frames)) {
        char text[96];
        std::snprintf(text, sizeof text, "Image size not allowed: %g by %g.", width, height);
        call.Fail(text);
        return false;
    }
    return true;
}

// The picture changes, each one operation on one image; sprites and
// backgrounds take the same ones.
using ChangeFactory = ImageChange (*)(FunctionCall& call);

ImageChange MirrorChange(FunctionCall&) {
    return [](const Bitmap24* i, bool) { return Bitmap24_Mirror(i); };
}
ImageChange FlipChange(FunctionCall&) {
    return [](const Bitmap24* i, bool) { return Bitmap24_Flip(i); };
}
ImageChange Rotate180Change(FunctionCall&) {
    return [](const Bitmap24* i, bool) { return Bitmap24_Rotate180(i); };
}
ImageChange BlackWhiteChange(FunctionCall&) {
    return [](const Bitmap24* i, bool t) { return Bitmap24_BW(i, t); };
}
ImageChange SetHueChange(FunctionCall& call) {
    const int hue = call.Int(1);
    return [hue](const Bitmap24* i, bool t) { return Bitmap24_SetHue(i, hue, t); };
}
ImageChange ShiftHueChange(FunctionCall& call) {
    const int amount = call.Int(1);
    return [amount](const Bitmap24* i, bool t) { return Bitmap24_ShiftHue(i, amount, t); };
}
ImageChange ChangeValueChange(FunctionCall& call) {
    const int amount = std::clamp(call.Int(1), -255, 255);
    return [amount](const Bitmap24* i, bool t) { return Bitmap24_ChangeValue(i, amount, t); };
}
ImageChange ChangeSaturationChange(FunctionCall& call) {
    const int amount = std::clamp(call.Int(1), -255, 255);
    return [amount](const Bitmap24* i, bool t) { return Bitmap24_ChangeSaturation(i, amount, t); };
}
ImageChange ScreendoorChange(FunctionCall& call) {
    const int amount = std::clamp(call.Int(1), 0, 256);
    return [amount](const Bitmap24* i, bool) { return Bitmap24_Transparency(i, amount); };
}
ImageChange BlurChange(FunctionCall& call) {
    const int amount = std::clamp(call.Int(1), 0, 64);
    return [amount](const Bitmap24* i, bool t) { return Bitmap24_Blur(i, amount, t); };
}
ImageChange ShiftChange(FunctionCall& call) {
    const int dx = call.Int(1), dy = call.Int(2);
    return [dx, dy](const Bitmap24* i, bool) { return Bitmap24_Shift(i, dx, dy); };
}
ImageChange Rotate90Change(FunctionCall& call) {
    const bool clockwise = call.Bool(1), resize = call.Bool(2);
    return [clockwise, resize](const Bitmap24* i, bool) { return Bitmap24_Rotate90(i, clockwise, resize); };
}
ImageChange RotateChange(FunctionCall& call) {
    const double degrees = call.Real(1);
    const int quality = Quality(call, 2);
    return [degrees, quality](const Bitmap24* i, bool t) { return Bitmap24_Rotate(i, quality, t, degrees); };
}
ImageChange FadeChange(FunctionCall& call) {
    const ColorValue color = static_cast<ColorValue>(call.Int(1)) & 0xffffff;
    const int amount = std::clamp(call.Int(2), 0, 255);
    return [color, amount](const Bitmap24* i, bool t) { return Bitmap24_Fade(i, color, amount, t); };
}
ImageChange HuePartialChange(FunctionCall& call) {
    const int from = call.Int(1), to = call.Int(2), hue = call.Int(3);
    return [from, to, hue](const Bitmap24* i, bool t) { return Bitmap24_SetHueRange(i, from, to, t, hue); };
}

template <ChangeFactory Factory>
Value SpriteChange(FunctionCall& call) {
    return ChangeSprite(call, Factory(call));
}

template <ChangeFactory Factory>
Value BackgroundChange(FunctionCall& call) {
    return ChangeBackground(call, Factory(call));
}

// The size changes: (index, width, height, corner or quality) and the scale.
template <bool Stretch>
Value SpriteSize(FunctionCall& call) {
    const CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite || !NewSizeAllowed(call, call.Real(1), call.Real(2), std::max(1, sprite->FrameCount()))) return 0.0;
    const int width = call.Int(1), height = call.Int(2), extra = call.Int(3);
    const int quality = Quality(call, 3);
    return ChangeSprite(call, [=](const Bitmap24* i, bool t) {
        return Stretch ? Bitmap24_Stretch(i, width, height, t, quality) : Bitmap24_Resize(i, width, height, extra);
    });
}

template <bool Stretch>
Value BackgroundSize(FunctionCall& call) {
    if (!RecordOf(call, call.world.GameData().Backgrounds(), "Background") ||
        !NewSizeAllowed(call, call.Real(1), call.Real(2), 1))
        return 0.0;
    const int width = call.Int(1), height = call.Int(2), extra = call.Int(3);
    const int quality = Quality(call, 3);
    return ChangeBackground(call, [=](const Bitmap24* i, bool t) {
        return Stretch ? Bitmap24_Stretch(i, width, height, t, quality) : Bitmap24_Resize(i, width, height, extra);
    });
}

// (index, xscale, yscale, quality, corner, resize): with resize the picture
// takes its scaled size, otherwise it keeps its size with the scaled picture
// placed at the corner.
Value ScaleWith(FunctionCall& call, int width, int height, std::int64_t frames,
                const std::function<Value(const ImageChange&)>& apply) {
    const double fx = call.Real(1), fy = call.Real(2);
    const bool resize = call.Bool(5);
    if (!(fx > 0) || !(fy > 0)) return call.Fail("Scale factors must be above 0.");
    // The scaled picture is made whole even when it is placed into the old size.
    if (!NewSizeAllowed(call, std::round(width * fx), std::round(height * fy), resize ? frames : 1)) return 0.0;
    const int quality = Quality(call, 3), corner = call.Int(4);
    return apply([=](const Bitmap24* i, bool t) { return Bitmap24_Scale(i, quality, corner, t, resize, fx, fy); });
}

Value SpriteScale(FunctionCall& call) {
    const CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    return ScaleWith(call, sprite->Width, sprite->Height, std::max(1, sprite->FrameCount()),
                     [&](const ImageChange& change) { return ChangeSprite(call, change); });
}

Value BackgroundScale(FunctionCall& call) {
    const CBackground* background = RecordOf(call, call.world.GameData().Backgrounds(), "Background");
    if (!background) return 0.0;
    return ScaleWith(call, std::max(1, background->Width), std::max(1, background->Height), 1,
                     [&](const ImageChange& change) { return ChangeBackground(call, change); });
}

// ---- sprites from files and from the screen ----

// The frames of a picture file: a GIF's own frames, or one picture cut
// into `count` frames side by side.
std::optional<std::vector<Image>> FramesFromFile(FunctionCall& call, const std::string& file, int count) {
    if (!FileExists(file)) {
        call.Fail("Cannot find the file " + file + ".");
        return std::nullopt;
    }
    auto frames = ImportPictureFrames(file);
    if (!frames || frames->empty()) {
        call.Fail("Cannot read the picture " + file + ".");
        return std::nullopt;
    }
    if (count > 1 && frames->size() == 1) {
        const Bitmap24& picture = *frames->front();
        StripSettings strip;
        strip.number = strip.perRow = std::min(count, std::max(1, picture.Width()));
        strip.width = picture.Width() / strip.number;
        strip.height = picture.Height();
        auto cut = CutStrip(picture, strip);
        if (!cut) {
            call.Fail("Cannot cut " + std::to_string(count) + " frames from " + file + ".");
            return std::nullopt;
        }
        frames = std::move(cut);
    }
    return frames;
}

// Sets the flags that sprite_add and its kin take after the frames.
void SetSpriteFlags(CSprite& sprite, bool precise, bool transparent, bool videomem, bool loadonuse, int xorigin,
                    int yorigin) {
    sprite.PreciseCollision = precise;
    sprite.VideoMemory = videomem;
    sprite.LoadOnUse = loadonuse;
    sprite.XOrigin = xorigin;
    sprite.YOrigin = yorigin;
    sprite.SetTransparent(transparent);
}

// The frames read, then (precise, transparent, videomem, loadonuse, xorig,
// yorig) from argument `flags`, into the sprite `index`.
bool LoadSprite(FunctionCall& call, int index, std::vector<Image>& frames, int flags) {
    if (!SetSpriteFrames(call, index, frames)) return false;
    CSprite& sprite = *call.world.GameData().Sprites().ResourceAt(index);
    SetSpriteFlags(sprite, call.Bool(flags), call.Bool(flags + 1), call.Bool(flags + 2), call.Bool(flags + 3),
                   call.Int(flags + 4), call.Int(flags + 5));
    call.world.SpriteChanged(index);
    return true;
}

// (file, frames, precise, transparent, videomem, loadonuse, xorig, yorig)
Value SpriteAdd(FunctionCall& call) {
    // The file is read before a resource is taken, so a bad file adds nothing.
    auto frames = FramesFromFile(call, call.Text(0), call.Int(1));
    if (!frames) return -1.0;
    if (frames->size() > kMaxSpriteFrames ||
        !SizeAllowed(frames->front()->Width(), frames->front()->Height(), static_cast<std::int64_t>(frames->size())))
        return call.Fail("The sprite would be too large.");
    const int index = AddResourceRecord(call, ResourceKind::Sprite);
    if (index < 0) return -1.0;
    return LoadSprite(call, index, *frames, 2) ? static_cast<double>(index) : -1.0;
}

Value SpriteReplace(FunctionCall& call) {
    if (!RecordOf(call, call.world.GameData().Sprites(), "Sprite")) return 0.0;
    auto frames = FramesFromFile(call, call.Text(1), call.Int(2));
    if (frames) LoadSprite(call, call.Int(0), *frames, 3);
    return 0.0;
}

// The part (x, y, w, h) of the last frame drawn.
Image ScreenPart(FunctionCall& call, int first) {
    const Bitmap24* frame = call.world.LastFrame();
    if (!frame) {
        call.Fail("There is no screen to copy from.");
        return nullptr;
    }
    const double x = call.Real(first), y = call.Real(first + 1), w = call.Real(first + 2), h = call.Real(first + 3);
    const double left = std::max(0.0, x), top = std::max(0.0, y);
    const double right = std::min<double>(frame->Width(), x + w), bottom = std::min<double>(frame->Height(), y + h);
    if (!(right - left >= 1 && bottom - top >= 1)) {
        call.Fail("The part of the screen to copy is empty.");
        return nullptr;
    }
    const int l = static_cast<int>(left), t = static_cast<int>(top);
    const int width = static_cast<int>(right) - l, height = static_cast<int>(bottom) - t;
    auto part = std::make_unique<Bitmap24>(width, height);
    part->CopyRect(*frame, l, t, l + width, t + height, 0, 0);
    return part;
}

Value SpriteCreateFromScreen(FunctionCall& call) {
    Image part = ScreenPart(call, 0);
    if (!part) return -1.0;
    const int index = AddResourceRecord(call, ResourceKind::Sprite);
    if (index < 0) return -1.0;
    CSprite& sprite = *call.world.GameData().Sprites().ResourceAt(index);
    sprite.AddImage(part.get());
    SetSpriteFlags(sprite, call.Bool(4), call.Bool(5), call.Bool(6), call.Bool(7), call.Int(8), call.Int(9));
    return static_cast<double>(index);
}

// A frame from the screen added to the sprite; it takes the sprite's size.
Value SpriteAddFromScreen(FunctionCall& call) {
    const CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    Image part = ScreenPart(call, 1);
    if (!part) return 0.0;
    std::vector<Image> frames = SpriteFramesOf(*sprite);
    if (!frames.empty()) part = Bitmap24_Resize(part.get(), sprite->Width, sprite->Height, 7);
    frames.push_back(std::move(part));
    SetSpriteFrames(call, call.Int(0), frames);
    return 0.0;
}

// ---- copies and deletion ----

template <class Record>
CResourceList<Record>& ListOf(Game& game);
template <>
CResourceList<CSprite>& ListOf<CSprite>(Game& game) {
    return game.Sprites();
}
template <>
CResourceList<CBackground>& ListOf<CBackground>(Game& game) {
    return game.Backgrounds();
}

template <class Record, ResourceKind Kind>
Value Duplicate(FunctionCall& call) {
    if (!RecordOf(call, ListOf<Record>(call.world.GameData()), Kind == ResourceKind::Sprite ? "Sprite" : "Background"))
        return -1.0;
    return static_cast<double>(DuplicateResourceRecord(call, Kind, call.Int(0)));
}

template <class Record>
Value Assign(FunctionCall& call) {
    const char* word = std::is_same_v<Record, CSprite> ? "Sprite" : "Background";
    auto& list = ListOf<Record>(call.world.GameData());
    Record* to = RecordOf(call, list, word, 0);
    const Record* from = to ? RecordOf(call, list, word, 1) : nullptr;
    if (!from) return 0.0;
    to->Assign(from);
    if constexpr (std::is_same_v<Record, CSprite>) call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

template <class Record>
Value Delete(FunctionCall& call) {
    const char* word = std::is_same_v<Record, CSprite> ? "Sprite" : "Background";
    auto& list = ListOf<Record>(call.world.GameData());
    if (!RecordOf(call, list, word)) return 0.0;
    list.DeleteResource(call.Int(0));
    if constexpr (std::is_same_v<Record, CSprite>) call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

// The frames of the second sprite added after the first's, in its size.
Value SpriteMerge(FunctionCall& call) {
    auto& sprites = call.world.GameData().Sprites();
    const CSprite* to = RecordOf(call, sprites, "Sprite", 0);
    const CSprite* from = to ? RecordOf(call, sprites, "Sprite", 1) : nullptr;
    if (!from) return 0.0;
    std::vector<Image> frames = SpriteFramesOf(*to);
    for (Image& frame : SpriteFramesOf(*from))
        frames.push_back(frames.empty() ? std::move(frame) : Bitmap24_Resize(frame.get(), to->Width, to->Height, 7));
    SetSpriteFrames(call, call.Int(0), frames);
    return 0.0;
}

// ---- flags ----

template <auto Field>
Value SetSpriteFlag(FunctionCall& call) {
    CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    sprite->*Field = call.Bool(1);
    call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

Value SpriteSetTransparent(FunctionCall& call) {
    CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    sprite->SetTransparent(call.Bool(1));
    call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

Value SpriteSetOffset(FunctionCall& call) {
    CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    sprite->XOrigin = call.Int(1);
    sprite->YOrigin = call.Int(2);
    call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

// (index, left, top, right, bottom): the box becomes manual.
Value SpriteSetBbox(FunctionCall& call) {
    CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    sprite->BoxMode = kBoxManual;
    sprite->BoxLeft = call.Int(1);
    sprite->BoxTop = call.Int(2);
    sprite->BoxRight = call.Int(3);
    sprite->BoxBottom = call.Int(4);
    call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

// 0 automatic, 1 the full image, 2 manual (the box kept as it is).
Value SpriteSetBboxMode(FunctionCall& call) {
    CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    if (!sprite) return 0.0;
    const int mode = call.Int(1);
    if (mode < kBoxAutomatic || mode > kBoxManual) return call.Fail("Bounding box mode must be 0, 1 or 2.");
    sprite->BoxMode = mode;
    sprite->UpdateBoundingBox();
    call.world.SpriteChanged(call.Int(0));
    return 0.0;
}

template <auto Field>
Value SetBackgroundFlag(FunctionCall& call) {
    CBackground* background = RecordOf(call, call.world.GameData().Backgrounds(), "Background");
    if (background) background->*Field = call.Bool(1);
    return 0.0;
}

// Transparency changes what the background shows: its picture is set again.
Value BackgroundSetTransparent(FunctionCall& call) {
    CBackground* background = RecordOf(call, call.world.GameData().Backgrounds(), "Background");
    if (!background) return 0.0;
    background->Transparent = call.Bool(1);
    if (background->HasImage()) {
        Image image = background->GetImage();
        background->SetImage(image.get());
    }
    return 0.0;
}

// Discard and restore: the pictures always stay in memory here.
template <class Record>
Value KeepInMemory(FunctionCall& call) {
    RecordOf(call, ListOf<Record>(call.world.GameData()), std::is_same_v<Record, CSprite> ? "Sprite" : "Background");
    return 0.0;
}

// ---- backgrounds from files, colours and the screen ----

void SetBackgroundFlags(CBackground& background, bool transparent, bool videomem, bool loadonuse) {
    background.VideoMemory = videomem;
    background.LoadOnUse = loadonuse;
    background.Transparent = transparent;
    if (background.HasImage()) {
        Image image = background.GetImage();
        background.SetImage(image.get());
    }
}

// (file, transparent, videomem, loadonuse) into the background, from argument `first`.
bool LoadBackground(FunctionCall& call, CBackground& background, int first) {
    const std::string file = call.Text(first);
    auto picture = FileExists(file) ? ReadPictureFile(file) : std::nullopt;
    if (!picture || !picture->image) {
        call.Fail("Cannot read the picture " + file + ".");
        return false;
    }
    if (!SizeAllowed(picture->image->Width(), picture->image->Height(), 1)) {
        call.Fail("The background would be too large.");
        return false;
    }
    Image image = Bitmap24_FromGraphic(*picture, true);
    background.SetImage(image.get());
    SetBackgroundFlags(background, call.Bool(first + 1), call.Bool(first + 2), call.Bool(first + 3));
    return true;
}

Value BackgroundAdd(FunctionCall& call) {
    const std::string file = call.Text(0);
    if (!FileExists(file)) return call.Fail("Cannot find the file " + file + ".");
    const int index = AddResourceRecord(call, ResourceKind::Background);
    if (index < 0) return -1.0;
    auto& backgrounds = call.world.GameData().Backgrounds();
    if (!LoadBackground(call, *backgrounds.ResourceAt(index), 0)) {
        backgrounds.DeleteResource(index);
        return -1.0;
    }
    return static_cast<double>(index);
}

Value BackgroundReplace(FunctionCall& call) {
    CBackground* background = RecordOf(call, call.world.GameData().Backgrounds(), "Background");
    if (background) LoadBackground(call, *background, 1);
    return 0.0;
}

// A new background of the picture made from argument `flags` on.
Value NewBackground(FunctionCall& call, const Bitmap24& picture, int flags) {
    const int index = AddResourceRecord(call, ResourceKind::Background);
    if (index < 0) return -1.0;
    CBackground& background = *call.world.GameData().Backgrounds().ResourceAt(index);
    background.SetImage(&picture);
    SetBackgroundFlags(background, call.Bool(flags), call.Bool(flags + 1), call.Bool(flags + 2));
    return static_cast<double>(index);
}

// (w, h, colour, transparent, videomem, loadonuse)
Value BackgroundCreateColor(FunctionCall& call) {
    if (!NewSizeAllowed(call, call.Real(0), call.Real(1), 1)) return -1.0;
    Bitmap24 picture(call.Int(0), call.Int(1), static_cast<ColorValue>(call.Int(2)) & 0xffffff);
    return NewBackground(call, picture, 3);
}

// (w, h, colour1, colour2, kind, transparent, videomem, loadonuse); kind 0
// left to right, 1 top to bottom, 2 rectangle, 3 ellipse, 4 double
// horizontal, 5 double vertical.
Value BackgroundCreateGradient(FunctionCall& call) {
    if (!NewSizeAllowed(call, call.Real(0), call.Real(1), 1)) return -1.0;
    const int kind = call.Int(4);
    if (kind < 0 || kind >= kGradientKinds) return call.Fail("Unknown gradient kind: " + call.Text(4));
    Bitmap24 picture(call.Int(0), call.Int(1));
    GradientFill(picture, kind, static_cast<ColorValue>(call.Int(2)) & 0xffffff,
                 static_cast<ColorValue>(call.Int(3)) & 0xffffff);
    return NewBackground(call, picture, 5);
}

// (x, y, w, h, transparent, videomem, loadonuse)
Value BackgroundCreateFromScreen(FunctionCall& call) {
    Image part = ScreenPart(call, 0);
    return part ? NewBackground(call, *part, 4) : Value(-1.0);
}

}  // namespace

void AddResourceImageFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"sprite_set_offset", SpriteSetOffset},
        {"sprite_set_bbox", SpriteSetBbox},
        {"sprite_set_bbox_mode", SpriteSetBboxMode},
        {"sprite_set_precise", SetSpriteFlag<&CSprite::PreciseCollision>},
        {"sprite_set_transparent", SpriteSetTransparent},
        {"sprite_set_videomem", SetSpriteFlag<&CSprite::VideoMemory>},
        {"sprite_set_loadonuse", SetSpriteFlag<&CSprite::LoadOnUse>},
        {"sprite_discard", KeepInMemory<CSprite>},
        {"sprite_restore", KeepInMemory<CSprite>},
        {"sprite_add", SpriteAdd},
        {"sprite_replace", SpriteReplace},
        {"sprite_add_from_screen", SpriteAddFromScreen},
        {"sprite_create_from_screen", SpriteCreateFromScreen},
        {"sprite_duplicate", Duplicate<CSprite, ResourceKind::Sprite>},
        {"sprite_assign", Assign<CSprite>},
        {"sprite_merge", SpriteMerge},
        {"sprite_delete", Delete<CSprite>},
        {"sprite_mirror", SpriteChange<MirrorChange>},
        {"sprite_flip", SpriteChange<FlipChange>},
        {"sprite_rotate180", SpriteChange<Rotate180Change>},
        {"sprite_rotate90", SpriteChange<Rotate90Change>},
        {"sprite_rotate", SpriteChange<RotateChange>},
        {"sprite_shift", SpriteChange<ShiftChange>},
        {"sprite_black_white", SpriteChange<BlackWhiteChange>},
        {"sprite_set_hue", SpriteChange<SetHueChange>},
        {"sprite_shift_hue", SpriteChange<ShiftHueChange>},
        {"sprite_change_value", SpriteChange<ChangeValueChange>},
        {"sprite_change_saturation", SpriteChange<ChangeSaturationChange>},
        {"sprite_fade", SpriteChange<FadeChange>},
        {"sprite_screendoor", SpriteChange<ScreendoorChange>},
        {"sprite_blur", SpriteChange<BlurChange>},
        {"sprite_set_hue_partial", SpriteChange<HuePartialChange>},
        {"sprite_resize", SpriteSize<false>},
        {"sprite_stretch", SpriteSize<true>},
        {"sprite_scale", SpriteScale},
        {"background_set_transparent", BackgroundSetTransparent},
        {"background_set_videomem", SetBackgroundFlag<&CBackground::VideoMemory>},
        {"background_set_loadonuse", SetBackgroundFlag<&CBackground::LoadOnUse>},
        {"background_discard", KeepInMemory<CBackground>},
        {"background_restore", KeepInMemory<CBackground>},
        {"background_add", BackgroundAdd},
        {"background_replace", BackgroundReplace},
        {"background_create_color", BackgroundCreateColor},
        {"background_create_gradient", BackgroundCreateGradient},
        {"background_create_from_screen", BackgroundCreateFromScreen},
        {"background_duplicate", Duplicate<CBackground, ResourceKind::Background>},
        {"background_assign", Assign<CBackground>},
        {"background_delete", Delete<CBackground>},
        {"background_mirror", BackgroundChange<MirrorChange>},
        {"background_flip", BackgroundChange<FlipChange>},
        {"background_rotate180", BackgroundChange<Rotate180Change>},
        {"background_rotate90", BackgroundChange<Rotate90Change>},
        {"background_rotate", BackgroundChange<RotateChange>},
        {"background_shift", BackgroundChange<ShiftChange>},
        {"background_black_white", BackgroundChange<BlackWhiteChange>},
        {"background_set_hue", BackgroundChange<SetHueChange>},
        {"background_shift_hue", BackgroundChange<ShiftHueChange>},
        {"background_change_value", BackgroundChange<ChangeValueChange>},
        {"background_change_saturation", BackgroundChange<ChangeSaturationChange>},
        {"background_fade", BackgroundChange<FadeChange>},
        {"background_screendoor", BackgroundChange<ScreendoorChange>},
        {"background_blur", BackgroundChange<BlurChange>},
        {"background_set_hue_partial", BackgroundChange<HuePartialChange>},
        {"background_resize", BackgroundSize<false>},
        {"background_stretch", BackgroundSize<true>},
        {"background_scale", BackgroundScale},
    });
}

}  // namespace kestrin::engine
