#pragma once
// What a game shows while it loads, as its options say: its own image, a
// progress bar (a plain one, or the game's own back and front images), both,
// or nothing. The bar lies across the bottom of the image, or stands alone.
// LoadingScreen opens the window at once for a game that has a loading look
// of its own; the plain bar alone waits until loading has gone on for a
// while, so an ordinary game that loads at once flashes no window.

#include <QImage>
#include <QWidget>

#include <chrono>
#include <memory>

namespace kestrin {
class CGameOptions;
class Game;
}  // namespace kestrin

namespace kestrin::runner {

class LoadingWindow : public QWidget {
public:
    explicit LoadingWindow(const CGameOptions& options);
    static bool ShowsAnything(const CGameOptions& options);
    // Its own image or its own bar images.
    static bool HasOwnLook(const CGameOptions& options);

    // How far loading has got, 0 to 100; painted at once.
    void SetPercent(int percent);
    int Percent() const { return mPercent; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mImage;         // the game's own, or none
    QImage mBack, mFront;  // the game's own bar, or none for the plain one
    bool mBar = false;
    bool mStretchBar = true;
    QRect mBarArea;
    int mPercent = 0;
};

class LoadingScreen {
public:
    explicit LoadingScreen(std::chrono::milliseconds delay) : mDelay(delay) {}
    // Loading has got this far; the game's options are read by then.
    void Progress(const Game& game, int percent);
    LoadingWindow* Window() const { return mWindow.get(); }

private:
    std::chrono::milliseconds mDelay;
    std::chrono::steady_clock::time_point mStart;
    bool mStarted = false;
    std::unique_ptr<LoadingWindow> mWindow;
};

}  // namespace kestrin::runner
