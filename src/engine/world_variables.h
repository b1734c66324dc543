#pragma once
// The built-in variables of the world: the instance's own (position, motion,
// sprite, alarms, path, time line) and the game's (score, room, views,
// backgrounds, mouse and keys). Each name maps to one entry; reading and
// writing go through the world so that derived values stay in step.

#include <string>
#include <vector>

#include "engine/value.h"

namespace kestrin::engine {

class World;
struct Instance;

enum class BuiltinVariable {
    None,
    // Of an instance.
    X, Y, XPrevious, YPrevious, XStart, YStart, HSpeed, VSpeed, Direction, Speed, Friction, Gravity,
    GravityDirection, ObjectIndex, Id, Alarm, Solid, Visible, Persistent, Depth, BBoxLeft, BBoxRight, BBoxTop,
    BBoxBottom, SpriteIndex, ImageIndex, ImageSingle, ImageNumber, SpriteWidth, SpriteHeight, SpriteXOffset,
    SpriteYOffset, ImageSpeed, MaskIndex, PathIndex, PathPosition, PathPositionPrevious, PathSpeed, PathScale,
    PathOrientation, PathEndAction, TimelineIndex, TimelinePosition, TimelineSpeed, ImageScale, ImageXScale,
    ImageYScale, ImageAlpha,
    FirstGlobal,
    // Of the game.
    Room = FirstGlobal, RoomFirst, RoomLast, Score, Lives, Health, GameId, InstanceCount, InstanceIdArray, RoomWidth,
    RoomHeight, RoomCaption, RoomSpeed, RoomPersistent, BackgroundColor, BackgroundShowColor, BackgroundVisible,
    BackgroundForeground, BackgroundIndex, BackgroundX, BackgroundY, BackgroundWidth, BackgroundHeight,
    BackgroundHTiled, BackgroundVTiled, BackgroundHSpeed, BackgroundVSpeed, ViewEnabled, ViewCurrent, ViewVisible,
    ViewLeft, ViewTop, ViewWidth, ViewHeight, ViewX, ViewY, ViewHBorder, ViewVBorder, ViewHSpeed, ViewVSpeed,
    ViewObject, MouseX, MouseY, MouseButton, KeyboardKey, KeyboardLastKey, ShowScore, ShowLives, ShowHealth,
    CaptionScore, CaptionLives, CaptionHealth, Fps, CurrentTime, EventType, EventNumber, EventObject, EventAction,
    BrushColor, BrushStyle, PenColor, PenSize, FontColor, FontName, FontSize, FontStyle, FontAngle, FontAlign,
    WindowLeft, WindowTop, WindowWidth, WindowHeight, WindowClientLeft, WindowClientTop, WindowClientWidth,
    WindowClientHeight, TransitionKind, TransitionSteps,
};

struct BuiltinVariableName {
    const char* name;
    BuiltinVariable variable;
};

// Every name above with its entry.
const std::vector<BuiltinVariableName>& BuiltinVariableNames();

inline bool IsGlobalBuiltin(BuiltinVariable v) { return v >= BuiltinVariable::FirstGlobal; }

// Reads a built-in variable; index is the array index (0 for plain ones).
// The instance is null for the game's variables.
Value GetBuiltin(World& world, Instance* instance, BuiltinVariable variable, int index);
// Writes it; false with the error text for a read-only one.
bool SetBuiltin(World& world, Instance* instance, BuiltinVariable variable, int index, const Value& value,
                std::string& error);

}  // namespace kestrin::engine
