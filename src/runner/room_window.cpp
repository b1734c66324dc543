// The game window: the room is drawn by the core into a 24-bit image, which
// becomes a QImage only here, where it is painted.

#include "runner/room_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

#include <cstring>

#include "imaging/bitmap24.h"
#include "imaging/draw_target.h"
#include "runner/information_window.h"
#include "storage/game.h"

namespace kestrin::runner {

bool RoomSizeAllowed(const CRoom& room) {
    return room.Width > 0 && room.Height > 0 && room.Width <= kMaxImageSide && room.Height <= kMaxImageSide &&
           std::int64_t{room.Width} * room.Height <= kMaxImagePixels;
}

QImage DrawRoomFrame(CRoom& room, const Game& game) {
    Bitmap24 canvas(room.Width, room.Height);
    ImageDrawTarget target(canvas);
    room.Draw(target, 0, 0, game);
    // Both keep three bytes per pixel in the order blue, green, red.
    QImage frame(canvas.Width(), canvas.Height(), QImage::Format_BGR888);
    for (int y = 0; y < canvas.Height(); ++y) std::memcpy(frame.scanLine(y), canvas.Row(y), canvas.RowBytes());
    return frame;
}

RoomWindow::RoomWindow(Game& game, CRoom& room) : mGame(game), mFrame(DrawRoomFrame(room, game)) {
    setFixedSize(mFrame.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

RoomWindow::~RoomWindow() = default;

void RoomWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mFrame);
}

void RoomWindow::closeEvent(QCloseEvent* event) {
    // The game ends with its window, even while the information is open.
    event->accept();
    QCoreApplication::quit();
}

void RoomWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && mGame.Options.QuitKey) {
        close();
    } else if (event->key() == Qt::Key_F1 && mGame.Options.HelpKey) {
        ShowInformation();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void RoomWindow::ShowInformation() {
    if (!mInformation) mInformation = std::make_unique<InformationWindow>(mGame.Information);
    mInformation->show();
    mInformation->raise();
    mInformation->activateWindow();
}

}  // namespace kestrin::runner
