// The game information window of the runner.

#include "runner/information_window.h"

#include <QPalette>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/color_value.h"
#include "app/rich_text_bridge.h"
#include "resources/game_information.h"

namespace kestrin::runner {

InformationWindow::InformationWindow(const CGameInformation& information, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Game Information"));
    resize(600, 400);
    auto* view = new QTextEdit(this);
    view->setObjectName(QStringLiteral("InformationText"));
    view->setReadOnly(true);
    PutRichText(information.Text, *view->document());
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(information.BackColor));
    view->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

}  // namespace kestrin::runner
