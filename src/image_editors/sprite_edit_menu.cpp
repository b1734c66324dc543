// The sprite editor's menu table.

#include "image_editors/sprite_edit_menu.h"

#include <algorithm>

namespace kestrin {

namespace {

using C = SpriteCommand;
using M = SpriteMenu;

constexpr int N = kStartAtFrameCount;
constexpr const char* kFrames = "Number of frames:";

// Rows without a value dialog.
constexpr SpriteMenuItem Plain(C command, M menu, const char* name, const char* text, const char* key) {
    return {command, menu, nullptr, name, text, key, "", 0, {"", "", ""}, {0, 0, 0}, 0};
}

constexpr SpriteMenuItem Asking(C command, M menu, const char* name, const char* text, const char* key,
                                const char* title, int count, std::array<const char*, 3> captions,
                                std::array<int, 3> starts) {
    return {command, menu, nullptr, name, text, key, title, count, captions, starts, 0};
}

constexpr SpriteMenuItem Placed(C command, const char* submenu, const char* name, const char* text,
                                const char* title, int placement) {
    return {command, M::Animation, submenu, name, text, "", title, 1, {kFrames, "", ""}, {N, 0, 0}, placement};
}

constexpr SpriteMenuItem kItems[] = {
    Asking(C::New, M::File, "New1", "&New", "Ctrl+N", "Create a new sprite", 2, {"Width:", "Height:", ""},
           {kStartAtWidth, kStartAtHeight, 0}),
    Plain(C::CreateFromFile, M::File, "CreateFromFile1", "&Create from File...", "Ctrl+O"),
    Plain(C::AddFromFile, M::File, "AddFromFile1", "&Add from File...", "Ctrl+A"),
    Plain(C::SaveAsGif, M::File, "SaveAsGif1", "&Save as GIF...", "Ctrl+S"),
    Plain(C::SaveAsStrip, M::File, "SaveAsStrip1", "Save as S&trip...", "Ctrl+T"),
    Plain(C::CreateFromStrip, M::File, "CreateFromStrip1", "Create from Str&ip...", "Ctrl+I"),
    Plain(C::AddFromStrip, M::File, "AddFromStrip1", "Add from Stri&p...", "Ctrl+P"),
    Plain(C::CloseSaving, M::File, "CloseSavingChanges1", "C&lose Saving Changes", ""),

    Plain(C::Undo, M::Edit, "Undo1", "&Undo", "Ctrl+Z"),
    Plain(C::Cut, M::Edit, "Cut1", "Cu&t", "Ctrl+X"),
    Plain(C::Copy, M::Edit, "Copy1", "&Copy", "Ctrl+C"),
    Plain(C::Paste, M::Edit, "Paste1", "&Paste", "Ctrl+V"),
    Plain(C::Clear, M::Edit, "ClearImage1", "C&lear", "Shift+Del"),
    Plain(C::Delete, M::Edit, "DeleteImage1", "&Delete", "Del"),
    Plain(C::MoveLeft, M::Edit, "MoveLeftImage1", "Move &Left", "Ctrl+L"),
    Plain(C::MoveRight, M::Edit, "MoveRightImage1", "Move &Right", "Ctrl+R"),
    Plain(C::AddEmpty, M::Edit, "AddEmpty1", "&Add Empty", "Shift+A"),
    Plain(C::InsertEmpty, M::Edit, "InsertEmpty1", "&Insert Empty", "Shift+I"),
    Plain(C::EditImage, M::Edit, "EditImage1", "&Edit Image", "Ctrl+E"),

    Plain(C::Mirror, M::Transform, "Mirror1", "&Mirror Horizontal", "Ctrl+Alt+M"),
    Plain(C::Flip, M::Transform, "Flip1", "&Flip Vertical", "Ctrl+Alt+F"),
    Asking(C::Shift, M::Transform, "Shift1", "S&hift...", "Ctrl+Alt+H", "Shift the images", 2,
           {"horizontal:", "vertical:", ""}, {0, 0, 0}),
    Plain(C::Rotate90Clockwise, M::Transform, "Rotate90clockwise1", "Rotate 90 c&lockwise", "Ctrl+Alt+L"),
    Plain(C::Rotate90Counter, M::Transform, "Rotate90counter1", "Rotate 90 c&ounterclockwise", "Ctrl+Alt+O"),
    Plain(C::Rotate180, M::Transform, "Rotate1801", "Rotate 180", "Ctrl+Alt+T"),
    Asking(C::Rotate, M::Transform, "Rotate1", "&Rotate...", "Ctrl+Alt+R", "Rotate the images", 2,
           {"Angle in degrees (0-360):", "Quality (1-9):", ""}, {45, 3, 0}),
    Asking(C::ResizeCanvas, M::Transform, "ResizeCanvas1", "Resize &Canvas...", "Ctrl+Alt+C", "Resize", 0,
           {"", "", ""}, {0, 0, 0}),
    Asking(C::Stretch, M::Transform, "Stretch2", "Str&etch...", "Ctrl+Alt+E", "Stretch Images", 0, {"", "", ""},
           {0, 0, 0}),
    Asking(C::Scale, M::Transform, "Scale1", "&Scale...", "Ctrl+Alt+S", "Scale Images", 0, {"", "", ""},
           {0, 0, 0}),

    Plain(C::CycleLeft, M::Images, "CycleLeft1", "Cycle &Left", "Ctrl+Shift+L"),
    Plain(C::CycleRight, M::Images, "CycleRight1", "Cycle &Right", "Ctrl+Shift+R"),
    Plain(C::BlackAndWhite, M::Images, "BlackandWhite1", "&Black and White", "Ctrl+Shift+W"),
    Plain(C::SetHue, M::Images, "SetHue1", "Colori&ze...", "Ctrl+Shift+C"),
    Plain(C::ColorizePartial, M::Images, "ColorizePartial1", "Colorize &Partial...", "Ctrl+Shift+O"),
    Plain(C::ShiftHue, M::Images, "ShiftHue1", "S&hift Hue...", "Ctrl+Shift+H"),
    Plain(C::ChangeSaturation, M::Images, "ChangeSaturation1", "&Intensity...", "Ctrl+Shift+I"),
    Asking(C::Fade, M::Images, "Fade1", "&Fade...", "Ctrl+Shift+F", "Fade to a color", 1,
           {"Amount (0-256):", "", ""}, {128, 0, 0}),
    Asking(C::Transparency, M::Images, "Transparency1", "&Transparency...", "Ctrl+Shift+T",
           "Screen door transparency", 1, {"Transparency (0-256):", "", ""}, {128, 0, 0}),
    Asking(C::Blur, M::Images, "Blur1", "Bl&ur...", "Ctrl+Shift+B", "Blurring the Images", 1,
           {"Amount of blur (1-9):", "", ""}, {3, 0, 0}),
    Asking(C::Crop, M::Images, "Crop1", "&Crop...", "Ctrl+Shift+P", "Cropping the Images", 1, {"Border:", "", ""},
           {1, 0, 0}),

    Asking(C::SetLength, M::Animation, "SetLength1", "Set &Length...", "", "Animation Length", 1,
           {kFrames, "", ""}, {N, 0, 0}),
    Asking(C::StretchLength, M::Animation, "Stretch1", "&Stretch...", "", "Animation Stretch", 1,
           {kFrames, "", ""}, {N, 0, 0}),
    Plain(C::Reverse, M::Animation, "Reverse1", "&Reverse", ""),
    Plain(C::AddReverse, M::Animation, "AddReverse1", "&Add Reverse", ""),
    Asking(C::Translate, M::Animation, "TranslationSequence1", "&Translation Sequence...", "",
           "Animation Translate", 3, {kFrames, "horizontal:", "vertical:"}, {N, 0, 0}),
    Asking(C::Clockwise, M::Animation, "Clockwise1", "Rotate Sequence &clockwise...", "", "Animation Rotate", 2,
           {kFrames, "Degrees (0-360):", ""}, {N, 360, 0}),
    Asking(C::CounterClockwise, M::Animation, "CounterClockwise1", "Rotate Sequence c&ounterclockwise...", "",
           "Animation Rotate", 2, {kFrames, "Degrees (0-360):", ""}, {N, 360, 0}),
    Asking(C::Colorize, M::Animation, "Colorize1", "Colori&ze...", "", "Animation Colorize", 1, {kFrames, "", ""},
           {N, 0, 0}),
    Asking(C::FadeToColor, M::Animation, "FadetoColor1", "&Fade to Color...", "", "Animation Fade", 1,
           {kFrames, "", ""}, {N, 0, 0}),
    Asking(C::Disappear, M::Animation, "Disappear1", "&Disappear...", "", "Animation Disappear", 1,
           {kFrames, "", ""}, {N, 0, 0}),
    Placed(C::Shrink, "S&hrink", "ShrinkCenter1", "to &Center...", "Animation Shrink", 5),
    Placed(C::Shrink, "S&hrink", "ShrinkLeft1", "to &Left...", "Animation Shrink", 4),
    Placed(C::Shrink, "S&hrink", "ShrinkRight1", "to &Right...", "Animation Shrink", 6),
    Placed(C::Shrink, "S&hrink", "ShrinkTop1", "to &Top...", "Animation Shrink", 8),
    Placed(C::Shrink, "S&hrink", "ShrinkBottom1", "to &Bottom...", "Animation Shrink", 2),
    Placed(C::Grow, "&Grow", "GrowCenter1", "from &Center...", "Animation Grow", 5),
    Placed(C::Grow, "&Grow", "GrowLeft1", "from &Left...", "Animation Grow", 4),
    Placed(C::Grow, "&Grow", "GrowRight1", "from &Right...", "Animation Grow", 6),
    Placed(C::Grow, "&Grow", "GrowTop1", "from &Top...", "Animation Grow", 8),
    Placed(C::Grow, "&Grow", "GrowBottom1", "from &Bottom...", "Animation Grow", 2),
    Placed(C::Flatten, "Fl&atten", "FlattenLeft1", "to &Left...", "Animation Flatten", 4),
    Placed(C::Flatten, "Fl&atten", "FlattenRight1", "to &Right...", "Animation Flatten", 6),
    Placed(C::Flatten, "Fl&atten", "FlattenTop1", "to &Top...", "Animation Flatten", 8),
    Placed(C::Flatten, "Fl&atten", "FlattenBottom1", "to &Bottom...", "Animation Flatten", 2),
    Placed(C::Raise, "Ra&ise", "RaiseLeft1", "from &Left...", "Animation Raise", 4),
    Placed(C::Raise, "Ra&ise", "RaiseRight1", "from &Right...", "Animation Raise", 6),
    Placed(C::Raise, "Ra&ise", "RaiseTop1", "from &Top...", "Animation Raise", 8),
    Placed(C::Raise, "Ra&ise", "RaiseBottom1", "from &Bottom...", "Animation Raise", 2),
    Asking(C::Overlay, M::Animation, "Overlay1", "&Overlay...", "", "Animation Overlay", 1, {kFrames, "", ""},
           {N, 0, 0}),
    Asking(C::Morph, M::Animation, "Morph1", "&Morph...", "", "Animation Morph", 1, {kFrames, "", ""}, {N, 0, 0}),
};

}  // namespace

std::span<const SpriteMenuItem> SpriteMenuItems() { return kItems; }

const SpriteMenuItem& SpriteMenuItemOf(SpriteCommand command) {
    return *std::find_if(std::begin(kItems), std::end(kItems),
                         [command](const SpriteMenuItem& item) { return item.command == command; });
}

}  // namespace kestrin
