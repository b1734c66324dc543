// World functions that load sounds while the game runs: a sound file's bytes
// read into the record (the kind follows the file's ending, as importing in
// the sound window does), and deleting sounds. The shell is told of each
// changed sound, so one it prepared for playing is prepared again.

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/functions_resources.h"
#include "engine/game_shell.h"
#include "platform/file_system.h"
#include "resources/sound.h"

namespace kestrin::engine {

namespace {

// (file, buffers, effects, loadonuse) into the sound, from argument `first`.
bool LoadSound(FunctionCall& call, int index, int first) {
    const std::string file = call.Text(first);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || !FileExists(file)) {
        call.Fail("Cannot find the sound file " + file + ".");
        return false;
    }
    if (size > kMaxSoundFileBytes) {
        call.Fail("The sound file " + file + " is too large.");
        return false;
    }
    CSound& sound = *call.world.GameData().Sounds().ResourceAt(index);
    call.world.Shell().StopSound(index);
    if (!sound.LoadFromFile(file)) {
        call.Fail("Cannot read the sound file " + file + ".");
        return false;
    }
    sound.Buffers = std::clamp(call.Int(first + 1), 1, 32);
    sound.Effects = call.Bool(first + 2);
    sound.LoadOnUse = call.Bool(first + 3);
    call.world.Shell().SoundChanged(index);
    return true;
}

Value SoundAdd(FunctionCall& call) {
    if (!FileExists(call.Text(0))) return call.Fail("Cannot find the sound file " + call.Text(0) + ".");
    const int index = AddResourceRecord(call, ResourceKind::Sound);
    if (index < 0) return -1.0;
    if (!LoadSound(call, index, 0)) {
        call.world.GameData().Sounds().DeleteResource(index);
        return -1.0;
    }
    return static_cast<double>(index);
}

Value SoundReplace(FunctionCall& call) {
    if (RecordOf(call, call.world.GameData().Sounds(), "Sound")) LoadSound(call, call.Int(0), 1);
    return 0.0;
}

Value SoundDelete(FunctionCall& call) {
    if (!RecordOf(call, call.world.GameData().Sounds(), "Sound")) return 0.0;
    call.world.Shell().StopSound(call.Int(0));
    call.world.GameData().Sounds().DeleteResource(call.Int(0));
    call.world.Shell().SoundChanged(call.Int(0));
    return 0.0;
}

}  // namespace

void AddResourceSoundFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"sound_add", SoundAdd},
        {"sound_replace", SoundReplace},
        {"sound_delete", SoundDelete},
    });
}

}  // namespace kestrin::engine
