#pragma once
// What the game asks of the window runner: messages and questions in boxes
// (on standard output where no one could answer a box), the error log file
// game_errors.log, sounds, the high-score table kept beside the game, the
// game information, waiting, and the debug window's messages.

#include <functional>
#include <memory>
#include <string>

#include "engine/game_shell.h"
#include "runner/runner_screen.h"

class QSettings;
class QString;

namespace kestrin {
class Game;
}

namespace kestrin::engine {
class DebugSession;
}

class QDialog;
class QWidget;

namespace kestrin::runner {

class GameWindow;
class RunnerSounds;

// The games' settings store: QSettings of the organisation "Kestrin Games"
// and the application "Game Settings" (apart from Kestrin's own settings),
// or the ini file named. Strings are kept as strings and reals as byte
// arrays of their text, so each reads back as the type it was written.
class RunnerSettings : public engine::SettingsStore {
public:
    explicit RunnerSettings(const QString& file);
    RunnerSettings();
    ~RunnerSettings() override;
    bool Read(const std::string& path, engine::SettingValue& value) const override;
    bool Write(const std::string& path, const engine::SettingValue& value) override;

private:
    std::unique_ptr<QSettings> mSettings;
    std::size_t mCount;
};

class RunnerShell : public engine::GameShell {
public:
    // The high-score table is kept in highscoreFile.
    RunnerShell(bool boxes, Game& game, std::string highscoreFile);
    ~RunnerShell() override;
    void SetWindow(GameWindow* window);

    void ShowMessage(const std::string& text) override;
    bool ShowQuestion(const std::string& text) override;
    void WriteErrorLog(const std::string& text) override;
    void PlaySound(int sound, bool loop) override;
    void StopSound(int sound) override;
    bool SoundPlaying(int sound) const override;
    void StopAllSounds() override;
    void SetSoundVolume(int sound, double volume) override;
    void SoundChanged(int sound) override;
    void ShowInformation() override;
    std::string HighscoreFile() const override { return mHighscoreFile; }
    std::string AskHighscoreName() override;
    void ShowHighscores(const engine::HighscoreTable& table, int newPlace, const engine::HighscoreLook& look) override;
    void Sleep(int milliseconds) override;

    // Tests answer the message boxes instead of a player: the text of the box,
    // whether it asks a question, and the answer (true for yes).
    using BoxAnswerer = std::function<bool(const std::string& text, bool question)>;
    void AnswerBoxesWith(BoxAnswerer answerer) { mAnswerer = std::move(answerer); }

    // The game's questions about its window.
    engine::GameScreen& Screen() override { return mScreen; }

    // Files and the system: the games' settings store.
    engine::SettingsStore& Settings() override { return mSettings; }

    // Drawing, dialogs and devices.
    int ShowMessageButtons(const std::string& text, const std::string (&buttons)[3]) override;
    int ShowMenu(const std::string& menu, int chosen, bool placed, int x, int y) override;
    double AskInteger(const std::string& prompt, double answer) override;
    std::string AskString(const std::string& prompt, const std::string& answer) override;
    double AskColor(double color) override;
    std::string AskOpenFile(const std::string& filter, const std::string& name) override;
    std::string AskSaveFile(const std::string& filter, const std::string& name) override;
    std::string AskFolder(const std::string& caption, const std::string& start) override;
    bool ShowImageFile(const std::string& file, bool fullScreen, int delay) override;
    bool ShowTextFile(const std::string& file, bool fullScreen, ColorValue back, int delay) override;
    void InformationChanged() override;
    void SetSoundRate(int sound, double rate) override;
    void SetSoundPan(int sound, double pan) override;
    void DebugMessage(const std::string& text) override;
    // The game is debugged: its debug messages go to the session too.
    void SetDebugSession(engine::DebugSession* session) { mDebugSession = session; }
    // Tests answer the game's dialogs instead of a player: the dialog (or
    // menu) as built, which the answerer fills in and closes.
    using DialogAnswerer = std::function<void(QWidget& dialog)>;
    void AnswerDialogsWith(DialogAnswerer answerer) { mDialogAnswerer = std::move(answerer); }

private:
    // Runs the built dialog (or lets the test answer it); whether it was accepted.
    bool RunDialog(QDialog& dialog);
    // Gives the dialog the look the game's message settings ask for.
    void Dress(QDialog& dialog);
    std::string AskFile(const std::string& filter, const std::string& name, bool save);
    DialogAnswerer mDialogAnswerer;
    Game& mGame;

    BoxAnswerer mAnswerer;
    RunnerScreen mScreen;

    bool mBoxes;
    std::unique_ptr<RunnerSounds> mSounds;
    std::string mHighscoreFile;
    GameWindow* mWindow = nullptr;
    engine::DebugSession* mDebugSession = nullptr;
    RunnerSettings mSettings;
};

}  // namespace kestrin::runner
