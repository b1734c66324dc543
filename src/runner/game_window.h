#pragma once
// The runner's game window: the engine steps at the room's speed, the frame
// it draws is shown scaled to the window, keys and mouse go into the
// engine's input. Esc (when the options say so) or closing ends the game;
// F1 shows the game information, F4 switches full screen, F5 saves the game
// and F6 loads it, each when the options allow it. The game's options also
// say whether it starts full screen, the window's border, buttons, scale
// and icon, whether the cursor shows, and whether the game freezes while
// its window is not the active one. Keys and buttons held go up when the
// window stops being the active one.

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

#include "engine/canvas.h"
#include "imaging/bitmap24.h"
#include "runner/frame_placement.h"
#include "runner/runner_text.h"

namespace kestrin {
class CRoom;
class Game;
}  // namespace kestrin

namespace kestrin::engine {
class DebugSession;
class World;
}  // namespace kestrin::engine

namespace kestrin::runner {

class InformationWindow;

// Whether a room's picture may be made at all: a forged room size must not
// ask for gigabytes.
bool RoomSizeAllowed(const CRoom& room);

// The engine's image canvas with text drawn by Qt in the game's font.
class RunnerCanvas : public engine::ImageCanvas {
public:
    explicit RunnerCanvas(Bitmap24& image) : ImageCanvas(image) {}
    void Text(int x, int y, const std::string& line, const engine::TextFont& font, ColorValue color) override;
};

// The Qt key of a key event as the engine's key code; 0 for keys it has none for.
int EngineKeyCode(int qtKey, bool keypad);

class GameWindow : public QWidget {
public:
    // The game and world outlive the window. Made for a world that has
    // started, the window steps it at once; made for one that has not, it
    // waits for Start.
    GameWindow(Game& game, engine::World& world);
    ~GameWindow() override;

    // Shows the window, sized for a first frame of that size or full screen,
    // and starts the world in it, so that what the game does while it
    // starts (a message, a video, the cursor, full screen) has a window to
    // do it in; then steps it. False when the game ended while starting.
    bool Start(int frameWidth, int frameHeight);

    // The current frame as the player sees it (drawn without stepping).
    QImage Frame();
    void ShowInformation();
    // The file F5 saves to and F6 loads from.
    void SetSaveFile(std::string file) { mSaveFile = std::move(file); }
    // Drawing, dialogs and devices: the game information was replaced, so
    // its window is made afresh when next shown.
    void ForgetInformation();
    // The game is debugged: the session may hold its steps back.
    void SetDebugSession(engine::DebugSession* session) { mDebug = session; }
    // Whether a step of the game is under way (a box of the game may run
    // events meanwhile): nothing else may run the game's code then.
    bool InStep() const { return mInStep; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyWindowOptions();
    // Where the frame is drawn in the window.
    FrameRect FrameArea() const;
    // Takes the frame's size times the windowed scale, unless full screen.
    void FitFrame(int frameWidth, int frameHeight);
    // Sized to the world's frame, the first frame drawn and the steps timed.
    void Begin();
    void Tick();
    void Redraw(bool step);
    // Shows the room change of the last step as a transition, when one was asked for.
    void StartTransition(const QImage& oldFrame);
    void MoveMouse(const QPointF& position);

    Game& mGame;
    engine::World& mWorld;
    QTimer mTimer;
    std::unique_ptr<Bitmap24> mCanvasImage;
    QImage mFrame;
    QtTextMetrics mTextMetrics;
    // A room transition under way: the game waits until it has been shown.
    QImage mTransitionFrom;
    int mTransitionKind = 0, mTransitionFrame = 0, mTransitionFrames = 0;
    std::unique_ptr<InformationWindow> mInformation;
    bool mInStep = false;
    // The window lost the focus and the options freeze the game meanwhile.
    bool mFrozen = false;
    std::string mSaveFile;
    engine::DebugSession* mDebug = nullptr;
};

}  // namespace kestrin::runner
