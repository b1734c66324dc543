#pragma once
// The runner's game window: the room's size, showing the room as CRoom::Draw
// paints it (the title is the runner's to give). Esc or closing ends the game;
// F1 shows the game information when the game's options allow it.

#include <QImage>
#include <QWidget>

#include <memory>

namespace kestrin {
class CRoom;
class Game;
}  // namespace kestrin

namespace kestrin::runner {

class InformationWindow;

// Whether a room's picture may be made at all: a forged room size must not
// ask for gigabytes.
bool RoomSizeAllowed(const CRoom& room);

// The room drawn into an image of its size through the core's image target.
QImage DrawRoomFrame(CRoom& room, const Game& game);

class RoomWindow : public QWidget {
public:
    // The game outlives the window.
    RoomWindow(Game& game, CRoom& room);
    ~RoomWindow() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowInformation();

    Game& mGame;
    QImage mFrame;
    std::unique_ptr<InformationWindow> mInformation;
};

}  // namespace kestrin::runner
