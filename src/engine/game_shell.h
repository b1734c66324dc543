#pragma once
// What the running game asks of whoever shows it: messages and questions,
// the error log, sounds, the game information. The Qt runner answers with
// windows and Qt Multimedia; headless play writes messages to standard output.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "engine/drawing_state.h"
#include "engine/game_screen.h"
#include "engine/game_system.h"
#include "engine/highscore_table.h"
#include "engine/message_look.h"
#include "engine/settings_store.h"

namespace kestrin::engine {

class GameShell {
public:
    virtual ~GameShell() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // Headless play answers yes.
    virtual bool ShowQuestion(const std::string& text) = 0;
    // A run-time error line for the error log file.
    virtual void WriteErrorLog(const std::string& text) = 0;
    virtual void PlaySound(int /*sound*/, bool /*loop*/) {}
    virtual void StopSound(int /*sound*/) {}
    virtual bool SoundPlaying(int /*sound*/) const { return false; }
    // Stops every sound at once.
    virtual void StopAllSounds() {}
    // Volume from 0 (silent) to 1 (as recorded).
    virtual void SetSoundVolume(int /*sound*/, double /*volume*/) {}
    virtual void ShowInformation() {}
    // Where the game's high-score table is kept; empty keeps it only while
    // the game runs.
    virtual std::string HighscoreFile() const { return {}; }
    // The name for a new high score; headless play takes the anonymous name.
    virtual std::string AskHighscoreName() { return kHighscoreAnonymous; }
    // Shows the table with the new entry's place (0 for none) marked;
    // headless play writes it as lines.
    virtual void ShowHighscores(const HighscoreTable& table, int newPlace, const HighscoreLook& /*look*/) {
        for (const std::string& line : HighscoreLines(table, newPlace)) ShowMessage(line);
    }
    // Headless play has no real time to wait for.
    virtual void Sleep(int /*milliseconds*/) {}
    // The window the game is shown in; without one, a fixed screen answers.
    virtual GameScreen& Screen() { return mFixedScreen; }

    // Dialogs: shown with the message settings. Headless play writes one
    // line (the text, prompt or caption) and answers the default, a cancel
    // where the answer is a file or folder.
    MessageLook& Messages() { return mMessageLook; }
    // The polygon and saved settings of the drawing functions.
    DrawingState& Drawing() { return mDrawing; }
    // The button pressed (1..3, of those with a text), 0 for none.
    virtual int ShowMessageButtons(const std::string& text, const std::string (&/*buttons*/)[3]) {
        ShowMessage(text);
        return 1;
    }

    // Resources changed at run time: the sound's record was loaded anew or deleted.
    virtual void SoundChanged(int /*sound*/) {}

    // Files and the system: the game's own command line (the program first),
    // the settings store (kept in memory unless the shell has a real one),
    // and what the game has open.
    void SetCommandLine(std::vector<std::string> arguments) { mCommandLine = std::move(arguments); }
    const std::vector<std::string>& CommandLine() const { return mCommandLine; }
    virtual SettingsStore& Settings() { return mMemorySettings; }
    GameSystem& System() { return mSystem; }

    // The item chosen (from 0), or the default. At the mouse, or when placed
    // at (x, y) of the window's drawing area.
    virtual int ShowMenu(const std::string& menu, int chosen, bool /*placed*/, int /*x*/, int /*y*/) {
        ShowMessage(menu);
        return chosen;
    }
    virtual double AskInteger(const std::string& prompt, double answer) {
        ShowMessage(prompt);
        return answer;
    }
    virtual std::string AskString(const std::string& prompt, const std::string& answer) {
        ShowMessage(prompt);
        return answer;
    }
    // A colour, or -1 when none was chosen.
    virtual double AskColor(double color) {
        ShowMessage("Color");
        return color;
    }
    // The filter is pairs of a description and patterns, all separated by '|'.
    // Empty when none was chosen.
    virtual std::string AskOpenFile(const std::string& filter, const std::string& /*name*/) {
        ShowMessage(filter);
        return {};
    }
    virtual std::string AskSaveFile(const std::string& filter, const std::string& /*name*/) {
        ShowMessage(filter);
        return {};
    }
    virtual std::string AskFolder(const std::string& caption, const std::string& /*start*/) {
        ShowMessage(caption);
        return {};
    }
    // A picture or a text file shown until a key or click, or the delay
    // (milliseconds) runs out; false when the file cannot be shown.
    virtual bool ShowImageFile(const std::string& file, bool /*fullScreen*/, int /*delay*/) {
        ShowMessage(file);
        return true;
    }
    virtual bool ShowTextFile(const std::string& file, bool /*fullScreen*/, ColorValue /*back*/, int /*delay*/) {
        ShowMessage(file);
        return true;
    }
    // The game information was replaced while the game runs.
    virtual void InformationChanged() {}
    // Devices: how fast a sound plays, 1 as recorded (pitch follows).
    virtual void SetSoundRate(int /*sound*/, double /*rate*/) {}
    // Where a sound is heard, from -1 (left only) through 0 (both sides) to 1 (right only).
    virtual void SetSoundPan(int /*sound*/, double /*pan*/) {}
    // A message of show_debug_message: on standard error, and in the debug
    // window when there is one.
    virtual void DebugMessage(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

private:
    std::vector<std::string> mCommandLine;
    MemorySettings mMemorySettings;
    GameSystem mSystem;
    MessageLook mMessageLook;
    DrawingState mDrawing;
    // Each game's own, since the screen keeps what the game set on it.
    FixedScreen mFixedScreen;
};

}  // namespace kestrin::engine
