// The sound window's rules per kind.

#include "image_editors/sound_rules.h"

#include "resources/sound.h"

namespace kestrin {

SoundControls SoundControlsFor(std::int32_t kind) {
    switch (kind) {
        case kSoundWave: return {true, true, "Kind: Wave"};
        case kSoundMidi: return {false, true, "Kind: Midi"};
        case kSoundMp3: return {false, true, "Kind: Mp3"};
        case kSoundUnknown: return {false, false, "Kind: Unknown"};
        default: return {false, false, ""};
    }
}

SoundSaveType SoundSaveTypeFor(std::int32_t kind) {
    switch (kind) {
        case kSoundWave: return {"Wave files (*.wav)", "wav"};
        case kSoundMidi: return {"MIDI files (*.mid)", "mid"};
        case kSoundMp3: return {"MP3 files (*.mp3)", "mp3"};
        default: return {"", ""};
    }
}

std::string SoundEditorFor(std::int32_t kind, const Preferences& preferences) {
    switch (kind) {
        case kSoundWave: return preferences.WaveEditor;
        case kSoundMidi: return preferences.MidiEditor;
        case kSoundMp3: return preferences.Mp3Editor;
        default: return "";
    }
}

}  // namespace kestrin
