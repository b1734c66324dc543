#pragma once
// The game's dialogs in Qt, built with the message settings: boxes with the
// game's own buttons, menus, number, text, colour, file and folder choosers,
// and a window that shows a picture or a text file over the game. Each is
// built first and then run, so that tests can answer the built dialog
// instead of a player.

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/message_look.h"

class QDialog;
class QMenu;

namespace kestrin {
class Game;
}

namespace kestrin::runner {

// The background resource's picture, or a null image.
QImage BackgroundPicture(Game& game, int background);

// Lays the look over a built dialog: caption, opacity, place and size, the
// background picture, the colours of a button under the mouse and of input
// fields, and the fonts of its text, buttons and fields. The button sprite
// is not used: Qt's buttons keep their own faces.
void ApplyMessageLook(QDialog& dialog, const engine::MessageLook& look, const QString& windowCaption,
                      const QImage& background);

// The menu of the items; the chosen item's index is kept in the menu as
// its "chosen" property (-1 while none is).
std::unique_ptr<QMenu> MakeGameMenu(const std::vector<std::string>& items, QWidget* parent);

// A window with the picture (or the text on the colour) that closes at a
// key, a click or after the delay (milliseconds, 0 for none); full screen or
// centred over the parent.
std::unique_ptr<QDialog> MakeShowWindow(const QImage& picture, const QString& text, const QColor& back,
                                        bool fullScreen, int delay, QWidget* parent);

}  // namespace kestrin::runner
