// The game window as the game's code sees it.

#include "runner/runner_screen.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <QVideoWidget>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "image_editors/media_backend.h"

namespace kestrin::runner {

namespace {

engine::ScreenRect RectOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

Qt::CursorShape ShapeOf(int cursor) {
    switch (cursor) {
        case -1: return Qt::BlankCursor;
        case -3: return Qt::CrossCursor;
        case -4: return Qt::IBeamCursor;
        case -6: return Qt::SizeBDiagCursor;
        case -7: return Qt::SizeVerCursor;
        case -8: return Qt::SizeFDiagCursor;
        case -9: return Qt::SizeHorCursor;
        case -10: return Qt::UpArrowCursor;
        case -11: return Qt::WaitCursor;
        case -12: return Qt::DragMoveCursor;
        case -13:
        case -18: return Qt::ForbiddenCursor;
        case -14: return Qt::SplitHCursor;
        case -15: return Qt::SplitVCursor;
        case -16: return Qt::DragCopyCursor;
        case -17:
        case -19: return Qt::BusyCursor;
        case -20: return Qt::WhatsThisCursor;
        case -21: return Qt::PointingHandCursor;
        case -22: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

// Ends a local event loop when one of the watched events reaches the
// window, or the window closes or goes away. The event still goes on to the
// window, so the game sees the key or button too.
class LoopEnder : public QObject {
public:
    LoopEnder(QEventLoop& loop, std::initializer_list<QEvent::Type> ends) : mLoop(loop), mEnds(ends) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close || mEnds.contains(event->type())) mLoop.quit();
        return false;
    }

private:
    QEventLoop& mLoop;
    QList<QEvent::Type> mEnds;
};

// Runs the loop until one of the events reaches the widget (or it closes).
void WaitFor(QWidget* widget, std::initializer_list<QEvent::Type> ends) {
    if (!widget || !widget->isVisible()) return;
    QEventLoop loop;
    LoopEnder ender(loop, ends);
    QPointer<QWidget> watched(widget);
    widget->installEventFilter(&ender);
    QObject::connect(widget, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    if (watched) watched->removeEventFilter(&ender);
}

}  // namespace

engine::ScreenRect RunnerScreen::Window() const {
    return mWindow ? RectOf(mWindow->frameGeometry()) : mFixed.Window();
}

engine::ScreenRect RunnerScreen::Client() const { return mWindow ? RectOf(mWindow->geometry()) : mFixed.Client(); }

double RunnerScreen::Handle() const { return mWindow ? static_cast<double>(mWindow->winId()) : 0.0; }

void RunnerScreen::SetMouseScreenPosition(int x, int y) { QCursor::setPos(x, y); }

void RunnerScreen::SetCursor(int cursor) {
    if (!mWindow) return;
    if (cursor == 0)
        mWindow->unsetCursor();
    else
        mWindow->setCursor(ShapeOf(cursor));
}

void RunnerScreen::HandleEvents() { QCoreApplication::processEvents(); }

void RunnerScreen::WaitForKey() { WaitFor(mWindow, {QEvent::KeyPress}); }

void RunnerScreen::WaitForMouseButton() { WaitFor(mWindow, {QEvent::MouseButtonPress}); }

bool RunnerScreen::PlayVideo(const std::string& file, bool fullScreen, bool loop) {
    if (!mWindow) return false;
    // The media rules of the sound window, sound only where there is a
    // device to play it on.
    ChooseMediaBackend();
    QMediaPlayer player;
    QAudioOutput audio;
    if (!QMediaDevices::audioOutputs().isEmpty()) player.setAudioOutput(&audio);
    // Over the game's picture, or over the whole screen.
    QVideoWidget video(fullScreen ? nullptr : mWindow);
    player.setVideoOutput(&video);
    player.setLoops(loop ? QMediaPlayer::Infinite : 1);
    bool failed = false;
    QEventLoop playing;
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &playing, [&] {
        failed = true;
        playing.quit();
    });
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &playing, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) failed = true;
        if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia) playing.quit();
    });
    player.setSource(QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(file.c_str())).absoluteFilePath()));
    if (player.mediaStatus() == QMediaPlayer::InvalidMedia) failed = true;
    // A looping video plays until the player presses a key or a button.
    LoopEnder ender(playing, loop ? std::initializer_list<QEvent::Type>{QEvent::KeyPress, QEvent::MouseButtonPress}
                                  : std::initializer_list<QEvent::Type>{});
    video.installEventFilter(&ender);
    mWindow->installEventFilter(&ender);
    if (fullScreen)
        video.showFullScreen();
    else {
        video.setGeometry(mWindow->rect());
        video.show();
    }
    player.play();
    if (!failed && player.error() == QMediaPlayer::NoError) playing.exec();
    mWindow->removeEventFilter(&ender);
    player.stop();
    return !failed && player.error() == QMediaPlayer::NoError;
}

bool RunnerScreen::HasClipboardText() const { return !QGuiApplication::clipboard()->text().isEmpty(); }

std::string RunnerScreen::ClipboardText() const {
    const QByteArray text = QGuiApplication::clipboard()->text().toLatin1();
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

void RunnerScreen::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

// Drawing, dialogs and devices.

bool RunnerScreen::SetGraphicsMode(bool fullScreen, int width, int height) {
    GameScreen::SetGraphicsMode(fullScreen, width, height);
    if (mWindow) mWindow->setWindowState(fullScreen ? mWindow->windowState() | Qt::WindowFullScreen
                                                    : mWindow->windowState() & ~Qt::WindowFullScreen);
    // The display keeps its own mode: only the resolution it has now can be had.
    const QScreen* screen = mWindow ? mWindow->screen() : nullptr;
    const QSize now = screen ? screen->size() : QSize(640, 480);
    return (width == 0 && height == 0) || (width == now.width() && height == now.height());
}

void ApplyGamma(QImage& frame, const engine::GameScreen& screen) {
    if (screen.Gamma(0) == 1 && screen.Gamma(1) == 1 && screen.Gamma(2) == 1) return;
    // Above 1 brightens: each channel v becomes 255 * (v / 255) ^ (1 / gamma).
    std::uint8_t table[3][256];
    for (int channel = 0; channel < 3; ++channel)
        for (int v = 0; v < 256; ++v)
            table[channel][v] = static_cast<std::uint8_t>(
                std::lround(255 * std::pow(v / 255.0, 1 / screen.Gamma(channel))));
    // Frames are kept blue, green, red.
    if (frame.format() != QImage::Format_BGR888) frame = frame.convertToFormat(QImage::Format_BGR888);
    for (int y = 0; y < frame.height(); ++y) {
        std::uint8_t* p = frame.scanLine(y);
        for (int x = 0; x < frame.width(); ++x, p += 3) {
            p[0] = table[2][p[0]];
            p[1] = table[1][p[1]];
            p[2] = table[0][p[2]];
        }
    }
}

}  // namespace kestrin::runner
