#pragma once
// What the game asks of the window runner: messages and questions in boxes
// (on standard output where no one could answer a box), the error log file
// game_errors.log, the game information and waiting.

#include <functional>
#include <string>

#include "engine/game_shell.h"
#include "runner/runner_screen.h"

namespace kestrin::runner {

class GameWindow;

class RunnerShell : public engine::GameShell {
public:
    explicit RunnerShell(bool boxes) : mBoxes(boxes) {}
    void SetWindow(GameWindow* window);

    void ShowMessage(const std::string& text) override;
    bool ShowQuestion(const std::string& text) override;
    void WriteErrorLog(const std::string& text) override;
    void ShowInformation() override;
    void Sleep(int milliseconds) override;

    // Tests answer the message boxes instead of a player: the text of the box,
    // whether it asks a question, and the answer (true for yes).
    using BoxAnswerer = std::function<bool(const std::string& text, bool question)>;
    void AnswerBoxesWith(BoxAnswerer answerer) { mAnswerer = std::move(answerer); }

    // The game's questions about its window.
    engine::GameScreen& Screen() override { return mScreen; }

private:
    BoxAnswerer mAnswerer;
    RunnerScreen mScreen;

    bool mBoxes;
    GameWindow* mWindow = nullptr;
};

}  // namespace kestrin::runner
