#pragma once
// Every pop-up menu the object, time-line and argument editors show goes
// through here, so tests can answer menus the way they answer dialogs: an
// installed answerer gets the built menu and returns the item it chooses.

#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QMenu;

namespace kestrin {

class Game;

// Shows the menu at the position and waits; the chosen item or null.
QAction* ExecPopupMenu(QMenu& menu, const QPoint& globalPos);

// ResourceMenu through the seam: the resources of a tree type at the
// position, headed by the optional first item (-1); -100 when dismissed.
std::int32_t ChooseResourceFromMenu(Game& game, std::int32_t type, const std::optional<std::string>& firstCaption,
                                    const QPoint& globalPos);

using PopupMenuAnswer = std::function<QAction*(QMenu&)>;

// While one lives, menus are answered by it instead of being shown.
class ScopedPopupMenuAnswer {
public:
    explicit ScopedPopupMenuAnswer(PopupMenuAnswer answer);
    ~ScopedPopupMenuAnswer();
    ScopedPopupMenuAnswer(const ScopedPopupMenuAnswer&) = delete;
    ScopedPopupMenuAnswer& operator=(const ScopedPopupMenuAnswer&) = delete;

private:
    PopupMenuAnswer mPrevious;
};

// The enabled item with that text (accelerator '&' ignored), searched through
// submenus depth first; null when none.
QAction* FindMenuItem(QMenu& menu, const QString& text);

}  // namespace kestrin
