// The game window: steps, frames and input between Qt and the engine.

#include "runner/game_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <cstring>

#include "engine/debug_session.h"
#include "engine/game_shell.h"
#include "engine/world.h"
#include "runner/information_window.h"
#include "runner/room_transition.h"
#include "runner/runner_screen.h"
#include "storage/game.h"

namespace kestrin::runner {

namespace {

QImage ToQImage(const Bitmap24& image) {
    // Both keep three bytes per pixel in the order blue, green, red.
    QImage frame(image.Width(), image.Height(), QImage::Format_BGR888);
    for (int y = 0; y < image.Height(); ++y) std::memcpy(frame.scanLine(y), image.Row(y), image.RowBytes());
    return frame;
}

int MouseButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return engine::kMouseLeft;
        case Qt::RightButton: return engine::kMouseRight;
        case Qt::MiddleButton: return engine::kMouseMiddle;
        default: return 0;
    }
}

}  // namespace

bool RoomSizeAllowed(const CRoom& room) {
    return room.Width > 0 && room.Height > 0 && room.Width <= kMaxImageSide && room.Height <= kMaxImageSide &&
           std::int64_t{room.Width} * room.Height <= kMaxImagePixels;
}

void RunnerCanvas::Text(int x, int y, const std::string& line, const engine::TextFont& font, ColorValue color) {
    // Drawn straight into the image's bytes, which a QImage borrows.
    Bitmap24& target = Target();
    QImage view(target.Bits(), target.Width(), target.Height(), static_cast<qsizetype>(target.RowBytes()),
                QImage::Format_BGR888);
    QPainter painter(&view);
    painter.setFont(GameFont(font));
    painter.setPen(QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    const QFontMetrics metrics(painter.font());
    // Turned about the line's top-left corner, counter-clockwise on the screen.
    painter.translate(x - OriginX(), y - OriginY());
    painter.rotate(-font.angle);
    painter.drawText(0, metrics.ascent(), QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

int EngineKeyCode(int qtKey, bool keypad) {
    if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period: return 110;
        case Qt::Key_Slash: return 111;
        default: return 0;
    }
}

GameWindow::GameWindow(Game& game, engine::World& world) : mGame(game), mWorld(world) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    mWorld.SetTextMetrics(mTextMetrics);
    ApplyWindowOptions();
    connect(&mTimer, &QTimer::timeout, this, [this] { Tick(); });
    mTimer.setTimerType(Qt::PreciseTimer);
    if (mWorld.Started()) Begin();
}

void GameWindow::ApplyWindowOptions() {
    const CGameOptions& options = mGame.Options;
    if (options.NoBorder) setWindowFlag(Qt::FramelessWindowHint);
    if (options.NoClose)
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                       ~(Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint));
    if (!options.ShowCursor) setCursor(Qt::BlankCursor);
    QPixmap icon;
    if (!options.GameIcon.empty() &&
        icon.loadFromData(reinterpret_cast<const uchar*>(options.GameIcon.data()),
                          static_cast<uint>(options.GameIcon.size()), "ICO"))
        setWindowIcon(QIcon(icon));
}

void GameWindow::FitFrame(int frameWidth, int frameHeight) {
    if (isFullScreen()) return;
    int width, height;
    ScaledWindowSize(frameWidth, frameHeight, mGame.Options.WinScale, width, height);
    resize(width, height);
}

bool GameWindow::Start(int frameWidth, int frameHeight) {
    FitFrame(frameWidth, frameHeight);
    if (mGame.Options.Fullscreen)
        showFullScreen();
    else
        show();
    // Starting runs events, whose boxes run event loops: the player may
    // close the window in one, and the game then ends once it has started.
    mInStep = true;
    const bool started = mWorld.Start();
    mInStep = false;
    if (!started) return false;
    if (!isVisible()) {
        mWorld.EndGame();
        return false;
    }
    Begin();
    return true;
}

void GameWindow::Begin() {
    int width, height;
    mWorld.FrameSize(width, height);
    FitFrame(width, height);
    Redraw(false);
    update();
    mTimer.start(1000 / std::max(1, mWorld.Room().speed));
}

GameWindow::~GameWindow() { mWorld.SetTextMetrics(engine::EstimatedMetrics()); }

QImage GameWindow::Frame() { return mFrame; }

void GameWindow::Redraw(bool step) {
    int width, height;
    mWorld.FrameSize(width, height);
    width = std::clamp(width, 1, kMaxImageSide);
    height = std::clamp(height, 1, kMaxImageSide);
    if (!mCanvasImage || mCanvasImage->Width() != width || mCanvasImage->Height() != height) {
        // A room of another size (or views with other ports) resizes the
        // window, unless the player has it full screen.
        if (mCanvasImage) FitFrame(width, height);
        mCanvasImage = std::make_unique<Bitmap24>(width, height);
    }
    RunnerCanvas canvas(*mCanvasImage);
    if (step)
        mWorld.Step(&canvas);
    else
        mWorld.Draw(canvas);
    mFrame = ToQImage(*mCanvasImage);
    ApplyGamma(mFrame, mWorld.Shell().Screen());
}

void GameWindow::Tick() {
    // A message box of the game runs its own event loop, in which the timer
    // keeps firing: the step it interrupted has to finish first.
    if (mInStep || mFrozen) return;
    if (mTransitionFrame < mTransitionFrames) {
        ++mTransitionFrame;
        update();
        return;
    }
    if (mWorld.Ended()) {
        mTimer.stop();
        close();
        return;
    }
    if (mDebug && !mDebug->TakeStep()) return;
    mInStep = true;
    const QImage oldFrame = mFrame;
    Redraw(true);
    StartTransition(oldFrame);
    mInStep = false;
    const std::string caption = mWorld.Caption();
    if (!caption.empty()) setWindowTitle(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
    // The room (and so its speed) may have changed.
    const int interval = 1000 / std::max(1, mWorld.Room().speed);
    if (mTimer.interval() != interval) mTimer.setInterval(interval);
    update();
    if (mWorld.Ended()) {
        mTimer.stop();
        close();
    }
}

void GameWindow::StartTransition(const QImage& oldFrame) {
    int frames = 0;
    const int kind = mWorld.TakeRoomTransition(frames);
    if (kind <= 0 || mWorld.Ended()) return;
    // The step drew the room it left; the new one is drawn for the transition.
    Redraw(false);
    mTransitionFrom = oldFrame;
    mTransitionKind = kind;
    mTransitionFrame = 0;
    mTransitionFrames = frames;
}

FrameRect GameWindow::FrameArea() const {
    return PlaceFrame(width(), height(), mFrame.width(), mFrame.height(), isFullScreen(), mGame.Options.FullScale);
}

void GameWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const FrameRect placed = FrameArea();
    const QRect area(placed.x, placed.y, placed.width, placed.height);
    if (mFrame.isNull() || area != rect()) painter.fillRect(rect(), Qt::black);
    if (mFrame.isNull()) return;  // while the world starts
    if (mTransitionFrame < mTransitionFrames)
        painter.drawImage(area, TransitionFrame(mTransitionFrom, mFrame, mTransitionKind,
                                                static_cast<double>(mTransitionFrame) / mTransitionFrames));
    else
        painter.drawImage(area, mFrame);
    // Full screen has no title bar: the caption is shown in the picture.
    if (isFullScreen() && mGame.Options.FullscreenCaption && !windowTitle().isEmpty()) {
        const QRect band(0, 0, width(), painter.fontMetrics().height() + 4);
        painter.fillRect(band, QColor(0, 0, 0, 160));
        painter.setPen(Qt::white);
        painter.drawText(band.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    }
}

void GameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        mFrozen = mGame.Options.Freeze && !isActiveWindow();
        // Releases made in another window never come here: without this, a
        // key held while the player switches windows stays held for good.
        if (!isActiveWindow()) mWorld.Input().LetGoOfAll();
    }
    QWidget::changeEvent(event);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    // The game ends with its window, even while the information is open,
    // and its game end events still run.
    mTimer.stop();
    if (!mInStep) mWorld.EndGame();
    event->accept();
    QCoreApplication::quit();
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && mGame.Options.HelpKey) {
        ShowInformation();
        return;
    }
    if (event->key() == Qt::Key_F4 && mGame.Options.ScreenKey) {
        setWindowState(windowState() ^ Qt::WindowFullScreen);
        return;
    }
    if ((event->key() == Qt::Key_F5 || event->key() == Qt::Key_F6) && mGame.Options.SaveKey && !mSaveFile.empty()) {
        std::string error;
        if (event->key() == Qt::Key_F5) mWorld.SaveGame(mSaveFile);
        else if (!mWorld.LoadGame(mSaveFile, error)) mWorld.Shell().ShowMessage(error);
        return;
    }
    if (event->key() == Qt::Key_NumLock && !event->isAutoRepeat()) {
        engine::GameScreen& screen = mWorld.Shell().Screen();
        screen.SetNumLock(!screen.NumLock());
    }
    if (event->isAutoRepeat()) return;
    const int key = EngineKeyCode(event->key(), event->modifiers() & Qt::KeypadModifier);
    if (key) mWorld.Input().KeyDown(key);
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    const int key = EngineKeyCode(event->key(), event->modifiers() & Qt::KeypadModifier);
    if (key) mWorld.Input().KeyUp(key);
}

void GameWindow::MoveMouse(const QPointF& position) {
    double x, y;
    WindowToFrame(FrameArea(), mFrame.width(), mFrame.height(), position.x(), position.y(), x, y);
    mWorld.Input().MoveMouse(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
    MoveMouse(event->position());
    if (int button = MouseButtonOf(event->button())) mWorld.Input().ButtonDown(button);
}

void GameWindow::mouseReleaseEvent(QMouseEvent* event) {
    MoveMouse(event->position());
    if (int button = MouseButtonOf(event->button())) mWorld.Input().ButtonUp(button);
}

void GameWindow::mouseMoveEvent(QMouseEvent* event) { MoveMouse(event->position()); }

void GameWindow::ShowInformation() {
    if (!mInformation) mInformation = std::make_unique<InformationWindow>(mGame.Information);
    mInformation->show();
    mInformation->raise();
    mInformation->activateWindow();
}

void GameWindow::ForgetInformation() { mInformation.reset(); }

}  // namespace kestrin::runner
