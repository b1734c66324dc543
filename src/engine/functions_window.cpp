// The functions that ask the game's window: its handle, the mouse cursor and
// its place on the screen, waiting for the player, pending events, videos;
// and the key map, which the window's keys pass through.

#include "engine/game_shell.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "platform/file_system.h"

namespace kestrin::engine {

namespace {

GameScreen& ScreenOf(FunctionCall& call) { return call.world.Shell().Screen(); }

Value WindowHandle(FunctionCall& call) { return ScreenOf(call).Handle(); }

Value MouseSetScreenPosition(FunctionCall& call) {
    ScreenOf(call).SetMouseScreenPosition(call.Int(0), call.Int(1));
    return 0.0;
}

Value SetCursor(FunctionCall& call) {
    ScreenOf(call).SetCursor(call.Int(0));
    return 0.0;
}

Value IoHandle(FunctionCall& call) {
    ScreenOf(call).HandleEvents();
    return 0.0;
}

Value KeyboardWait(FunctionCall& call) {
    ScreenOf(call).WaitForKey();
    return 0.0;
}

Value MouseWait(FunctionCall& call) {
    ScreenOf(call).WaitForMouseButton();
    return 0.0;
}

Value KeyboardSetMap(FunctionCall& call) {
    call.world.Input().MapKey(call.Int(0), call.Int(1));
    return 0.0;
}

Value KeyboardGetMap(FunctionCall& call) { return static_cast<double>(call.world.Input().MappedKey(call.Int(0))); }

Value KeyboardUnsetMap(FunctionCall& call) {
    call.world.Input().ClearKeyMap();
    return 0.0;
}

// A video that is missing or cannot be played is an error of the game, not
// a silent pause.
Value ShowVideo(FunctionCall& call) {
    const std::string file = call.Text(0);
    if (!FileExists(file)) return call.Fail("Video file not found: " + file);
    if (!ScreenOf(call).PlayVideo(file, call.Bool(1), call.Bool(2))) return call.Fail("Cannot play the video " + file);
    return 0.0;
}

}  // namespace

void AddWindowFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"window_handle", WindowHandle},       {"mouse_set_screen_position", MouseSetScreenPosition},
        {"set_cursor", SetCursor},             {"io_handle", IoHandle},
        {"keyboard_wait", KeyboardWait},       {"mouse_wait", MouseWait},
        {"keyboard_set_map", KeyboardSetMap},  {"keyboard_get_map", KeyboardGetMap},
        {"keyboard_unset_map", KeyboardUnsetMap}, {"show_video", ShowVideo},
    });
}

}  // namespace kestrin::engine
