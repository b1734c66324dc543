#pragma once
// What the running game asks of whoever shows it: messages and questions,
// the error log, sounds, the game information. The Qt runner answers with
// windows and Qt Multimedia; headless play writes messages to standard output.

#include <string>
#include <utility>
#include <vector>

#include "engine/game_screen.h"
#include "engine/game_system.h"
#include "engine/settings_store.h"
#include "engine/highscore_table.h"

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
    virtual GameScreen& Screen() {
        static FixedScreen fixed;
        return fixed;
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

private:
    std::vector<std::string> mCommandLine;
    MemorySettings mMemorySettings;
    GameSystem mSystem;
};

}  // namespace kestrin::engine
