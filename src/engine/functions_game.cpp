// World functions: rooms, the game's course, messages, sounds, keyboard and
// mouse, and what the code may ask about resources.

#include "engine/game_shell.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

Value RoomGoto(FunctionCall& call) {
    if (!call.world.GameData().Rooms().ResourceAt(call.Int(0))) return call.Fail("Unexisting room number: " + call.Text(0));
    call.world.GotoRoom(call.Int(0));
    return 0.0;
}

Value RoomGotoNext(FunctionCall& call) {
    const int next = call.world.NextRoom(call.world.Room().index);
    if (next < 0) return call.Fail("Moving to next room after the last room.");
    call.world.GotoRoom(next);
    return 0.0;
}

Value RoomGotoPrevious(FunctionCall& call) {
    const int previous = call.world.PreviousRoom(call.world.Room().index);
    if (previous < 0) return call.Fail("Moving to previous room before the first room.");
    call.world.GotoRoom(previous);
    return 0.0;
}

Value RoomRestart(FunctionCall& call) {
    call.world.GotoRoom(call.world.Room().index);
    return 0.0;
}

Value RoomNext(FunctionCall& call) { return static_cast<double>(call.world.NextRoom(call.Int(0))); }
Value RoomPrevious(FunctionCall& call) { return static_cast<double>(call.world.PreviousRoom(call.Int(0))); }

Value GameEnd(FunctionCall& call) {
    call.world.EndGame();
    return 0.0;
}

Value GameRestart(FunctionCall& call) {
    call.world.RestartGame();
    return 0.0;
}

Value GameSave(FunctionCall& call) {
    call.world.SaveGame(call.Text(0));
    return 0.0;
}

Value GameLoad(FunctionCall& call) {
    std::string error;
    if (!call.world.LoadGame(call.Text(0), error)) return call.Fail(error);
    return 0.0;
}

Value ShowMessage(FunctionCall& call) {
    call.world.Shell().ShowMessage(call.Text(0));
    return 0.0;
}

Value ShowQuestion(FunctionCall& call) { return call.world.Shell().ShowQuestion(call.Text(0)) ? 1.0 : 0.0; }

Value ShowError(FunctionCall& call) {
    call.world.ReportError(call.Text(0));
    if (call.Bool(1)) call.world.EndGame();
    return 0.0;
}

Value ShowInfo(FunctionCall& call) {
    call.world.Shell().ShowInformation();
    return 0.0;
}

Value Sleep(FunctionCall& call) {
    call.world.Shell().Sleep(std::clamp(call.Int(0), 0, 60000));
    return 0.0;
}

bool SoundExists(FunctionCall& call) { return call.world.GameData().Sounds().ResourceAt(call.Int(0)) != nullptr; }

Value SoundPlay(FunctionCall& call) {
    if (SoundExists(call)) call.world.Shell().PlaySound(call.Int(0), false);
    return 0.0;
}

Value SoundLoop(FunctionCall& call) {
    if (SoundExists(call)) call.world.Shell().PlaySound(call.Int(0), true);
    return 0.0;
}

Value SoundStop(FunctionCall& call) {
    call.world.Shell().StopSound(call.Int(0));
    return 0.0;
}

Value SoundStopAll(FunctionCall& call) {
    call.world.Shell().StopAllSounds();
    return 0.0;
}

Value SoundVolume(FunctionCall& call) {
    if (SoundExists(call)) call.world.Shell().SetSoundVolume(call.Int(0), std::clamp(call.Real(1), 0.0, 1.0));
    return 0.0;
}

template <typename Field>
Value SoundGet(FunctionCall& call, Field field) {
    const CSound* sound = call.world.GameData().Sounds().ResourceAt(call.Int(0));
    return sound ? static_cast<double>(field(*sound)) : -1.0;
}

Value SoundGetKind(FunctionCall& call) { return SoundGet(call, [](const CSound& s) { return s.Kind; }); }
Value SoundGetBuffers(FunctionCall& call) { return SoundGet(call, [](const CSound& s) { return s.Buffers; }); }
Value SoundGetEffects(FunctionCall& call) { return SoundGet(call, [](const CSound& s) { return s.Effects; }); }
Value SoundGetLoadOnUse(FunctionCall& call) { return SoundGet(call, [](const CSound& s) { return s.LoadOnUse; }); }

// The runner keeps every sound in memory: nothing to let go or bring back.
Value SoundKeptInMemory(FunctionCall&) { return 0.0; }

Value SoundIsPlaying(FunctionCall& call) { return call.world.Shell().SoundPlaying(call.Int(0)) ? 1.0 : 0.0; }

int Key(FunctionCall& call) { return call.Int(0); }

Value KeyboardCheck(FunctionCall& call) {
    const InputState& input = call.world.Input();
    const int key = Key(call);
    if (key == 0) return input.AnyHeld() ? 0.0 : 1.0;
    if (key == 1) return input.AnyHeld() ? 1.0 : 0.0;
    return input.Held(key) ? 1.0 : 0.0;
}

Value KeyboardCheckPressed(FunctionCall& call) {
    const InputState& input = call.world.Input();
    const int key = Key(call);
    if (key == 0) return input.AnyPressed() ? 0.0 : 1.0;
    if (key == 1) return input.AnyPressed() ? 1.0 : 0.0;
    return input.Pressed(key) ? 1.0 : 0.0;
}

Value KeyboardCheckReleased(FunctionCall& call) {
    const InputState& input = call.world.Input();
    const int key = Key(call);
    if (key == 0) return input.AnyReleased() ? 0.0 : 1.0;
    if (key == 1) return input.AnyReleased() ? 1.0 : 0.0;
    return input.Released(key) ? 1.0 : 0.0;
}

Value KeyboardClear(FunctionCall& call) {
    call.world.Input().ClearKey(Key(call));
    return 0.0;
}

Value IoClear(FunctionCall& call) {
    call.world.Input().ClearAll();
    return 0.0;
}

Value KeyboardKeyPress(FunctionCall& call) {
    call.world.Input().KeyDown(Key(call));
    return 0.0;
}

Value KeyboardKeyRelease(FunctionCall& call) {
    call.world.Input().KeyUp(Key(call));
    return 0.0;
}

// Button -1 is any button, 0 none.
template <bool (InputState::*Check)(int) const>
Value MouseButton(FunctionCall& call) {
    const InputState& input = call.world.Input();
    const int button = call.Int(0);
    bool any = false;
    for (int b = 1; b <= 3; ++b) any = any || (input.*Check)(b);
    if (button == -1) return any ? 1.0 : 0.0;
    if (button == 0) return any ? 0.0 : 1.0;
    return (input.*Check)(button) ? 1.0 : 0.0;
}

Value MouseClear(FunctionCall& call) {
    call.world.Input().ButtonUp(call.Int(0));
    return 0.0;
}

template <typename List>
Value Exists(List& list, int index) {
    return list.ResourceAt(index) ? 1.0 : 0.0;
}

Value SpriteExists(FunctionCall& call) { return Exists(call.world.GameData().Sprites(), call.Int(0)); }
Value ObjectExists(FunctionCall& call) { return Exists(call.world.GameData().Objects(), call.Int(0)); }
Value RoomExists(FunctionCall& call) { return Exists(call.world.GameData().Rooms(), call.Int(0)); }
Value SoundExistsFunction(FunctionCall& call) { return Exists(call.world.GameData().Sounds(), call.Int(0)); }
Value BackgroundExists(FunctionCall& call) { return Exists(call.world.GameData().Backgrounds(), call.Int(0)); }

Value SpriteGet(FunctionCall& call, int what) {
    const SpriteFrames* sprite = call.world.Sprite(call.Int(0));
    if (!sprite) return 0.0;
    const int values[] = {sprite->width, sprite->height, sprite->FrameCount(), sprite->xorigin, sprite->yorigin};
    return static_cast<double>(values[what]);
}

Value SpriteGetWidth(FunctionCall& call) { return SpriteGet(call, 0); }
Value SpriteGetHeight(FunctionCall& call) { return SpriteGet(call, 1); }
Value SpriteGetNumber(FunctionCall& call) { return SpriteGet(call, 2); }
Value SpriteGetXOffset(FunctionCall& call) { return SpriteGet(call, 3); }
Value SpriteGetYOffset(FunctionCall& call) { return SpriteGet(call, 4); }

Value BackgroundGetWidth(FunctionCall& call) {
    const CBackground* b = call.world.GameData().Backgrounds().ResourceAt(call.Int(0));
    return b ? static_cast<double>(b->Width) : 0.0;
}

Value BackgroundGetHeight(FunctionCall& call) {
    const CBackground* b = call.world.GameData().Backgrounds().ResourceAt(call.Int(0));
    return b ? static_cast<double>(b->Height) : 0.0;
}

Value DatafileExists(FunctionCall& call) { return Exists(call.world.GameData().DataFiles(), call.Int(0)); }

// A data file's bytes stay with the game while it runs: there is nothing
// to let go of, only the index to check.
Value DatafileDiscard(FunctionCall& call) {
    if (!call.world.GameData().DataFiles().ResourceAt(call.Int(0)))
        return call.Fail("Data file does not exist.");
    return 0.0;
}

Value DatafileGetFilename(FunctionCall& call) {
    const CDataFile* file = call.world.GameData().DataFiles().ResourceAt(call.Int(0));
    return file ? Value(file->FileName) : Value("");
}

// Writes the data file's bytes under the name given.
Value DatafileExport(FunctionCall& call) {
    const CDataFile* file = call.world.GameData().DataFiles().ResourceAt(call.Int(0));
    if (!file) return call.Fail("Data file does not exist.");
    if (!file->SaveToFile(call.Text(1))) return call.Fail("Cannot export the data file to " + call.Text(1) + ".");
    return 0.0;
}

template <ResourceKind Kind>
Value NameOf(FunctionCall& call) {
    const Game& game = call.world.GameData();
    return game.ResourceExists(Kind, call.Int(0)) ? Value(game.ResourceName(Kind, call.Int(0))) : Value("<undefined>");
}

Value ObjectGetSprite(FunctionCall& call) {
    const CObject* o = call.world.GameData().Objects().ResourceAt(call.Int(0));
    return o ? static_cast<double>(o->Sprite) : -1.0;
}

Value ObjectGetParent(FunctionCall& call) {
    const CObject* o = call.world.GameData().Objects().ResourceAt(call.Int(0));
    return o ? static_cast<double>(o->Parent) : -1.0;
}

Value ObjectIsAncestor(FunctionCall& call) {
    return call.Int(0) != call.Int(1) && call.world.Objects().IsA(call.Int(0), call.Int(1)) ? 1.0 : 0.0;
}

}  // namespace

void AddGameFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"room_goto", RoomGoto},                   {"room_goto_next", RoomGotoNext},
        {"room_goto_previous", RoomGotoPrevious},  {"room_restart", RoomRestart},
        {"room_next", RoomNext},                   {"room_previous", RoomPrevious},
        {"game_end", GameEnd},                     {"game_restart", GameRestart},
        {"game_save", GameSave},                   {"game_load", GameLoad},
        {"show_message", ShowMessage},             {"show_question", ShowQuestion},
        {"show_error", ShowError},                 {"show_info", ShowInfo},
        {"sleep", Sleep},                          {"sound_play", SoundPlay},
        {"sound_loop", SoundLoop},                 {"sound_stop", SoundStop},
        {"sound_stop_all", SoundStopAll},          {"sound_isplaying", SoundIsPlaying},
        {"sound_volume", SoundVolume},             {"sound_get_kind", SoundGetKind},
        {"sound_get_buffers", SoundGetBuffers},    {"sound_get_effects", SoundGetEffects},
        {"sound_get_loadonuse", SoundGetLoadOnUse}, {"sound_discard", SoundKeptInMemory},
        {"sound_restore", SoundKeptInMemory},
        {"keyboard_check", KeyboardCheck},         {"keyboard_check_pressed", KeyboardCheckPressed},
        {"keyboard_check_released", KeyboardCheckReleased}, {"keyboard_check_direct", KeyboardCheck},
        {"keyboard_clear", KeyboardClear},         {"io_clear", IoClear},
        {"keyboard_key_press", KeyboardKeyPress},  {"keyboard_key_release", KeyboardKeyRelease},
        {"mouse_check_button", MouseButton<&InputState::ButtonHeld>},
        {"mouse_check_button_pressed", MouseButton<&InputState::ButtonPressed>},
        {"mouse_check_button_released", MouseButton<&InputState::ButtonReleased>},
        {"mouse_clear", MouseClear},               {"sprite_exists", SpriteExists},
        {"object_exists", ObjectExists},           {"room_exists", RoomExists},
        {"sound_exists", SoundExistsFunction},     {"background_exists", BackgroundExists},
        {"sprite_get_width", SpriteGetWidth},      {"sprite_get_height", SpriteGetHeight},
        {"sprite_get_number", SpriteGetNumber},    {"sprite_get_xoffset", SpriteGetXOffset},
        {"sprite_get_yoffset", SpriteGetYOffset},  {"background_get_width", BackgroundGetWidth},
        {"background_get_height", BackgroundGetHeight},
        {"sprite_get_name", NameOf<ResourceKind::Sprite>}, {"object_get_name", NameOf<ResourceKind::Object>},
        {"room_get_name", NameOf<ResourceKind::Room>},     {"sound_get_name", NameOf<ResourceKind::Sound>},
        {"background_get_name", NameOf<ResourceKind::Background>},
        {"datafile_exists", DatafileExists},       {"datafile_discard", DatafileDiscard},       {"datafile_get_name", NameOf<ResourceKind::DataFile>},
        {"datafile_get_filename", DatafileGetFilename}, {"datafile_export", DatafileExport},
        {"object_get_sprite", ObjectGetSprite},    {"object_get_parent", ObjectGetParent},
        {"object_is_ancestor", ObjectIsAncestor},
    });
}

}  // namespace kestrin::engine
