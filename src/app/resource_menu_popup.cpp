// ResourceMenu: the content of storage/resource_menu.h as a QMenu.

#include "app/resource_menu_popup.h"

#include <QApplication>
#include <QCursor>

#include "app/resource_icons.h"
#include "app/text_convert.h"
#include "storage/game.h"
#include "storage/resource_menu.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

void AddItems(QMenu& menu, const std::vector<ResourceMenuItem>& items, const Game& game) {
    for (const ResourceMenuItem& item : items) {
        QString label = ToQt(item.Label);
        if (item.Submenu) {
            QMenu* sub = menu.addMenu(ResourceIconImage(game, kIconFolderClosed), label);
            AddItems(*sub, item.Children, game);
            continue;
        }
        QAction* action = menu.addAction(label);
        if (item.Icon >= 0) action->setIcon(ResourceIconImage(game, item.Icon));
        action->setData(item.Value);
    }
}

}  // namespace

std::unique_ptr<QMenu> MakeResourceMenu(Game& game, std::int32_t type, const std::optional<std::string>& firstCaption,
                                        QWidget* parent) {
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("ResourceMenu"));
    AddItems(*menu, BuildResourceMenu(game.Tree(), type, firstCaption), game);
    return menu;
}

std::int32_t ResourceMenu(Game& game, std::int32_t type, const std::optional<std::string>& firstCaption,
                          const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = MakeResourceMenu(game, type, firstCaption);
    QAction* chosen = menu->exec(globalPos);
    QApplication::processEvents();
    if (!chosen || !chosen->data().isValid()) return kMenuDismissed;
    return chosen->data().toInt();
}

}  // namespace kestrin
