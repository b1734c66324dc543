// World functions: the devices this system has or answers for. The Num Lock
// state is the game's own, since the toolkit cannot read the keyboard's
// lights: it starts off, the Num Lock key toggles it and the game may set it.
// No joystick is read: joystick_exists is false and the others answer as for
// a joystick that is not there (no axes or buttons, positions 0, the
// direction the centre key 101, no point-of-view hat at -1). There is no CD
// audio either: cd_present is false, cd_number 0, the other cd_ functions do
// nothing and answer 0, and MCI_command answers an empty text.
// sound_frequency sets how fast a sound plays: 0 as recorded, each 1 an
// octave higher (twice as fast), each -1 an octave lower, within -2 .. 2.
// sound_pan places a sound from -1 (left only) to 1 (right only).

#include <algorithm>
#include <cmath>

#include "engine/game_shell.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr double kJoystickCentre = 101;

Value KeyboardGetNumlock(FunctionCall& call) { return call.world.Shell().Screen().NumLock() ? 1.0 : 0.0; }

Value KeyboardSetNumlock(FunctionCall& call) {
    call.world.Shell().Screen().SetNumLock(call.Bool(0));
    return 0.0;
}

Value Nothing(FunctionCall&) { return 0.0; }
Value EmptyText(FunctionCall&) { return std::string(); }
Value JoystickDirection(FunctionCall&) { return kJoystickCentre; }
Value JoystickPov(FunctionCall&) { return -1.0; }

Value SoundFrequency(FunctionCall& call) {
    if (!call.world.GameData().Sounds().ResourceAt(call.Int(0))) return 0.0;
    const double octaves = std::isfinite(call.Real(1)) ? std::clamp(call.Real(1), -2.0, 2.0) : 0.0;
    call.world.Shell().SetSoundRate(call.Int(0), std::exp2(octaves));
    return 0.0;
}

Value SoundPan(FunctionCall& call) {
    if (!call.world.GameData().Sounds().ResourceAt(call.Int(0))) return 0.0;
    const double pan = std::isfinite(call.Real(1)) ? std::clamp(call.Real(1), -1.0, 1.0) : 0.0;
    call.world.Shell().SetSoundPan(call.Int(0), pan);
    return 0.0;
}

}  // namespace

void AddDeviceFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"keyboard_get_numlock", KeyboardGetNumlock}, {"keyboard_set_numlock", KeyboardSetNumlock},
        {"joystick_exists", Nothing},        {"joystick_name", EmptyText},
        {"joystick_axes", Nothing},          {"joystick_buttons", Nothing},
        {"joystick_has_pov", Nothing},       {"joystick_direction", JoystickDirection},
        {"joystick_check_button", Nothing},  {"joystick_xpos", Nothing},
        {"joystick_ypos", Nothing},          {"joystick_zpos", Nothing},
        {"joystick_rpos", Nothing},          {"joystick_upos", Nothing},
        {"joystick_vpos", Nothing},          {"joystick_pov", JoystickPov},
        {"cd_init", Nothing},                {"cd_present", Nothing},
        {"cd_number", Nothing},              {"cd_playing", Nothing},
        {"cd_paused", Nothing},              {"cd_track", Nothing},
        {"cd_length", Nothing},              {"cd_track_length", Nothing},
        {"cd_position", Nothing},            {"cd_track_position", Nothing},
        {"cd_play", Nothing},                {"cd_stop", Nothing},
        {"cd_pause", Nothing},               {"cd_resume", Nothing},
        {"cd_set_position", Nothing},        {"cd_set_track_position", Nothing},
        {"cd_open_door", Nothing},           {"cd_close_door", Nothing},
        {"MCI_command", EmptyText},          {"sound_frequency", SoundFrequency},
        {"sound_pan", SoundPan},
    });
}

}  // namespace kestrin::engine
