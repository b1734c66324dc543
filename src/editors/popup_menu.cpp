// Pop-up menus shown for real, or answered by an installed answerer.

#include "editors/popup_menu.h"

#include <QApplication>
#include <QMenu>

#include "app/resource_menu_popup.h"
#include "storage/resource_menu.h"

namespace kestrin {

namespace {

PopupMenuAnswer& InstalledAnswer() {
    static PopupMenuAnswer answer;
    return answer;
}

}  // namespace

QAction* ExecPopupMenu(QMenu& menu, const QPoint& globalPos) {
    if (InstalledAnswer()) return InstalledAnswer()(menu);
    QAction* chosen = menu.exec(globalPos);
    QApplication::processEvents();
    return chosen;
}

std::int32_t ChooseResourceFromMenu(Game& game, std::int32_t type, const std::optional<std::string>& firstCaption,
                                    const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = MakeResourceMenu(game, type, firstCaption);
    QAction* chosen = ExecPopupMenu(*menu, globalPos);
    if (!chosen || !chosen->data().isValid()) return kMenuDismissed;
    return chosen->data().toInt();
}

ScopedPopupMenuAnswer::ScopedPopupMenuAnswer(PopupMenuAnswer answer) : mPrevious(std::move(InstalledAnswer())) {
    InstalledAnswer() = std::move(answer);
}

ScopedPopupMenuAnswer::~ScopedPopupMenuAnswer() { InstalledAnswer() = std::move(mPrevious); }

QAction* FindMenuItem(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            if (QAction* found = FindMenuItem(*action->menu(), text)) return found;
            continue;
        }
        if (!action->isSeparator() && action->isEnabled() && action->text().remove('&') == text) return action;
    }
    return nullptr;
}

}  // namespace kestrin
