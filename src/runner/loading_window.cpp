// The loading window and when it opens.

#include "runner/loading_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "image_editors/qt_draw_target.h"
#include "storage/game.h"

namespace kestrin::runner {

namespace {

constexpr int kPlainBarWidth = 300, kPlainBarHeight = 16, kBarMargin = 8;

QImage Picture(const std::optional<Bitmap24>& image, bool seeThrough) {
    return image && image->Width() > 0 && image->Height() > 0 ? ToQImage(*image, seeThrough) : QImage();
}

}  // namespace

bool LoadingWindow::HasOwnLook(const CGameOptions& options) {
    return (options.ShowLoadImage && options.LoadImage && options.LoadImage->Width() > 0) ||
           (options.ProgressBar == 2 && options.BackImage && options.BackImage->Width() > 0);
}

bool LoadingWindow::ShowsAnything(const CGameOptions& options) {
    return HasOwnLook(options) || options.ProgressBar != 0;
}

LoadingWindow::LoadingWindow(const CGameOptions& options) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    if (options.ShowLoadImage) mImage = Picture(options.LoadImage, options.LoadTransparent);
    if (!mImage.isNull() && options.LoadTransparent) setAttribute(Qt::WA_TranslucentBackground);
    setWindowOpacity(std::clamp(options.LoadAlpha, 0, 255) / 255.0);
    mBar = options.ProgressBar != 0;
    if (options.ProgressBar == 2) {
        mBack = Picture(options.BackImage, false);
        mFront = Picture(options.FrontImage, false);
    }
    mStretchBar = options.ScaleProgress;
    const QSize own = mBack.isNull() ? QSize(kPlainBarWidth, kPlainBarHeight) : mBack.size();
    const QSize whole = mImage.isNull() ? own : mImage.size();
    resize(whole);
    if (mImage.isNull()) {
        mBarArea = rect();
    } else {
        // Across the bottom of the image, as wide as it allows unless the bar keeps its own size.
        const int width = mStretchBar || mBack.isNull() ? std::max(1, whole.width() - 2 * kBarMargin)
                                                        : std::min(own.width(), whole.width());
        const int height = std::min(own.height(), whole.height());
        mBarArea = QRect((whole.width() - width) / 2, std::max(0, whole.height() - height - kBarMargin), width, height);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void LoadingWindow::SetPercent(int percent) {
    mPercent = std::clamp(percent, 0, 100);
    repaint();
}

void LoadingWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!mImage.isNull()) painter.drawImage(0, 0, mImage);
    if (!mBar) return;
    const int filled = mBarArea.width() * mPercent / 100;
    if (mBack.isNull()) {
        painter.fillRect(mBarArea, QColor(40, 40, 40));
        painter.fillRect(QRect(mBarArea.topLeft(), QSize(filled, mBarArea.height())), QColor(40, 110, 220));
        painter.setPen(QColor(200, 200, 200));
        painter.drawRect(mBarArea.adjusted(0, 0, -1, -1));
        return;
    }
    // The front image shows as far as loading has got, over the back one.
    painter.drawImage(mBarArea, mBack);
    if (mFront.isNull() || filled <= 0) return;
    painter.setClipRect(QRect(mBarArea.topLeft(), QSize(filled, mBarArea.height())));
    painter.drawImage(mBarArea, mFront);
}

void LoadingScreen::Progress(const Game& game, int percent) {
    const auto now = std::chrono::steady_clock::now();
    if (!mStarted) {
        mStarted = true;
        mStart = now;
    }
    if (!mWindow) {
        if (!LoadingWindow::ShowsAnything(game.Options)) return;
        if (!LoadingWindow::HasOwnLook(game.Options) && now - mStart < mDelay) return;
        mWindow = std::make_unique<LoadingWindow>(game.Options);
        mWindow->show();
    }
    mWindow->SetPercent(percent);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace kestrin::runner
