#pragma once
// What the game may ask of the window it is shown in: where the window and
// its drawing area are on the screen, the mouse cursor, waiting for the
// player, pending events, videos. The Qt runner answers from its game window;
// headless play has no window, and FixedScreen answers for it.

#include <string>

namespace kestrin::engine {

struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
};

class GameScreen {
public:
    virtual ~GameScreen() = default;
    // The window with its frame, and the drawing area alone, in screen pixels.
    virtual ScreenRect Window() const = 0;
    virtual ScreenRect Client() const = 0;
    // The system's handle of the window; 0 without one.
    virtual double Handle() const = 0;
    virtual void SetMouseScreenPosition(int x, int y) = 0;
    // One of the cursor constants (0 the usual arrow, -1 none, -2 .. -22 the
    // system's shapes).
    virtual void SetCursor(int cursor) = 0;
    // Lets the window take in what happened since the step began.
    virtual void HandleEvents() = 0;
    // Returns once the player presses a key, or a mouse button.
    virtual void WaitForKey() = 0;
    virtual void WaitForMouseButton() = 0;
    // Plays an existing video file, the game waiting until it ends (or, when
    // it loops, until the player presses a key or a button); false when it
    // cannot be played.
    virtual bool PlayVideo(const std::string& file, bool fullScreen, bool loop) = 0;

    // Files and the system: the clipboard's text. Without a window the
    // screen keeps the text itself.
    virtual bool HasClipboardText() const { return !mClipboard.empty(); }
    virtual std::string ClipboardText() const { return mClipboard; }
    virtual void SetClipboardText(const std::string& text) { mClipboard = text; }

    // Drawing and devices: the screen's gamma and mode, and the Num Lock
    // state, which the toolkit cannot read, so the screen keeps its own,
    // toggled by the Num Lock key and set by the game.
    // Per channel, 1 unchanged; above 1 brighter.
    virtual void SetGamma(double red, double green, double blue) {
        mGamma[0] = red;
        mGamma[1] = green;
        mGamma[2] = blue;
    }
    double Gamma(int channel) const { return mGamma[channel]; }
    // Full screen or windowed, at a resolution (0 for the current one);
    // false when it cannot be had. Without a window only the current
    // resolution can.
    virtual bool SetGraphicsMode(bool fullScreen, int width, int height) {
        mFullScreen = fullScreen;
        return width == 0 && height == 0;
    }
    bool FullScreenAsked() const { return mFullScreen; }
    bool NumLock() const { return mNumLock; }
    void SetNumLock(bool on) { mNumLock = on; }

private:
    std::string mClipboard;
    double mGamma[3] = {1, 1, 1};
    bool mFullScreen = false;
    bool mNumLock = false;
};

// The window of headless play: 640 by 480 pixels at the screen's corner,
// nothing to wait for, no video to show.
class FixedScreen : public GameScreen {
public:
    ScreenRect Window() const override { return {0, 0, 640, 480}; }
    ScreenRect Client() const override { return {0, 0, 640, 480}; }
    double Handle() const override { return 0; }
    void SetMouseScreenPosition(int, int) override {}
    void SetCursor(int) override {}
    void HandleEvents() override {}
    void WaitForKey() override {}
    void WaitForMouseButton() override {}
    bool PlayVideo(const std::string&, bool, bool) override { return true; }
};

}  // namespace kestrin::engine
