#pragma once
// What the running game asks of whoever shows it: messages and questions,
// the error log, sounds, the game information. The Qt runner answers with
// windows and Qt Multimedia; headless play writes messages to standard output.

#include <string>

#include "engine/game_screen.h"

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
    virtual void ShowInformation() {}
    // Headless play has no real time to wait for.
    virtual void Sleep(int /*milliseconds*/) {}
    // The window the game is shown in; without one, a fixed screen answers.
    virtual GameScreen& Screen() {
        static FixedScreen fixed;
        return fixed;
    }
};

}  // namespace kestrin::engine
