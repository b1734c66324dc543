#pragma once
// The game's questions about its window, answered from the runner's game
// window: its place on the screen, its handle, the cursor, waiting for a key
// or a button in a local event loop, and videos played over the game with Qt
// Multimedia. Before the window exists (while the game starts) the fixed
// headless answers stand in.

#include "engine/game_screen.h"

class QImage;
class QWidget;

namespace kestrin::runner {

class RunnerScreen : public engine::GameScreen {
public:
    void SetWindow(QWidget* window) { mWindow = window; }

    engine::ScreenRect Window() const override;
    engine::ScreenRect Client() const override;
    double Handle() const override;
    void SetMouseScreenPosition(int x, int y) override;
    void SetCursor(int cursor) override;
    void HandleEvents() override;
    void WaitForKey() override;
    void WaitForMouseButton() override;
    bool PlayVideo(const std::string& file, bool fullScreen, bool loop) override;
    // Drawing, dialogs and devices.
    bool SetGraphicsMode(bool fullScreen, int width, int height) override;

    // Files and the system: the system's clipboard, its text in Latin-1.
    bool HasClipboardText() const override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;

private:
    QWidget* mWindow = nullptr;
    engine::FixedScreen mFixed;
};

// The frame as the screen's gamma shows it.
void ApplyGamma(QImage& frame, const engine::GameScreen& screen);

}  // namespace kestrin::runner
