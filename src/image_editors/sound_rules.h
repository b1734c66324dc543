#pragma once
// What the sound window offers for each kind of sound: the controls, the
// kind text, the save filter and the external editor.

#include <cstdint>
#include <string>

#include "platform/preferences.h"

namespace kestrin {

inline constexpr const char* kNoSoundEditorMessage =
    "No valid external editor has been indicated for this type of sound. You can specify this editor in the "
    "Preferences.";
inline constexpr const char* kSoundReadBackFailedMessage = "Failed to read back the sound file.";
inline constexpr const char* kSoundOpenFilter =
    "All sound files (*.wav *.mid *.mp3);;Wave files (*.wav);;MIDI files (*.mid);;MP3 files (*.mp3);;"
    "All files (*)";

struct SoundControls {
    bool buffersAndEffects;  // only wave sounds have them
    bool editable;           // an external editor exists for the kind
    const char* kindText;    // empty for no sound
};

SoundControls SoundControlsFor(std::int32_t kind);

struct SoundSaveType {
    std::string filter;     // Qt form; empty: any file
    std::string extension;  // without the dot; empty: none added
};

SoundSaveType SoundSaveTypeFor(std::int32_t kind);

// The program the preferences name for the kind; empty when none does.
std::string SoundEditorFor(std::int32_t kind, const Preferences& preferences);

// Buffers are offered from 1 to 16; a stored count below 1 shows as 1.
inline constexpr std::int32_t kMinSoundBuffers = 1;
inline constexpr std::int32_t kMaxSoundBuffers = 16;

}  // namespace kestrin
