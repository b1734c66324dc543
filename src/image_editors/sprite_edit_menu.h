#pragma once
// The sprite editor's menus in one table: each item's name, text, key, and
// the value dialog it asks (title, captions, starting values). The window
// builds its menus from it and the commands ask their values from it, so the
// two cannot drift apart.

#include <array>
#include <span>

namespace kestrin {

enum class SpriteCommand {
    New, CreateFromFile, AddFromFile, SaveAsGif, SaveAsStrip, CreateFromStrip, AddFromStrip, CloseSaving,
    Undo, Cut, Copy, Paste, Clear, Delete, MoveLeft, MoveRight, AddEmpty, InsertEmpty, EditImage,
    Mirror, Flip, Shift, Rotate90Clockwise, Rotate90Counter, Rotate180, Rotate, ResizeCanvas, Stretch, Scale,
    CycleLeft, CycleRight, BlackAndWhite, SetHue, ColorizePartial, ShiftHue, ChangeSaturation, Fade, Transparency,
    Blur, Crop,
    SetLength, StretchLength, Reverse, AddReverse, Translate, Clockwise, CounterClockwise, Colorize, FadeToColor,
    Disappear, Shrink, Grow, Flatten, Raise, Overlay, Morph,
};

enum class SpriteMenu { File, Edit, Transform, Images, Animation };

// Starting values that depend on the frame set.
inline constexpr int kStartAtFrameCount = -1000001;
inline constexpr int kStartAtWidth = -1000002;
inline constexpr int kStartAtHeight = -1000003;

struct SpriteMenuItem {
    SpriteCommand command;
    SpriteMenu menu;
    const char* submenu;   // nullptr: directly in the menu
    const char* name;      // the action's object name
    const char* text;
    const char* shortcut;  // portable key text; "" for none
    const char* title;     // of the value dialog, or of the resize dialog; "" when none is asked
    int count;             // rows of the value dialog; 0 for none
    std::array<const char*, 3> captions;
    std::array<int, 3> starts;
    int placement;         // the submenu items' placement (keypad layout)
};

std::span<const SpriteMenuItem> SpriteMenuItems();
// The first item of the command (shrink and its kind have one per placement).
const SpriteMenuItem& SpriteMenuItemOf(SpriteCommand command);

}  // namespace kestrin
