// TPlaceholderForm: a plain window for a resource whose editor is still to come.

#include "app/placeholder_editor.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPixmap>

#include "app/resource_icons.h"
#include "app/text_convert.h"
#include "editors/resource_form.h"
#include "storage/game.h"

namespace kestrin {

QString PlaceholderTitle(const std::string& what) {
    return ToQt(what) + QStringLiteral(" (editor not yet available)");
}

TPlaceholderForm::TPlaceholderForm(Game& game, ResourceKind kind, int index, QWidget* parent)
    : QMdiSubWindow(parent), mGame(&game), mKind(kind), mIndex(index) {
    ResourceListBase* list = game.ListOf(kind);
    Build(std::string(KindWord(kind)) + ": " + (list ? list->ResourceName(index) : std::string()));
}

TPlaceholderForm::TPlaceholderForm(const std::string& what, QWidget* parent) : QMdiSubWindow(parent) { Build(what); }

void TPlaceholderForm::Build(const std::string& what) {
    setObjectName(QStringLiteral("TPlaceholderForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    mLabel = new QLabel(this);
    mLabel->setObjectName(QStringLiteral("NameLabel"));
    mLabel->setAlignment(Qt::AlignCenter);
    mLabel->setMargin(24);
    setWidget(mLabel);
    ShowName(what);
    if (mGame) setWindowIcon(ResourceIconImage(*mGame, mGame->ResourceIcon(mKind, mIndex)));
    if (windowIcon().isNull()) {
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        setWindowIcon(QIcon(blank));
    }
    resize(360, 160);
}

TPlaceholderForm::~TPlaceholderForm() { Forget(); }

// The list must not keep a window that is gone.
void TPlaceholderForm::Forget() {
    if (mForgotten || !mGame) return;
    mForgotten = true;
    ResourceListBase* list = mGame->ListOf(mKind);
    if (list && list->EditorAt(mIndex) == this) list->EditorClosed(mIndex);
}

void TPlaceholderForm::BringToFront() {
    if (isMinimized()) showNormal();
    if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
    raise();
}

void TPlaceholderForm::CloseEditor() {
    mForgotten = true;  // the list has forgotten this window already
    close();
}

void TPlaceholderForm::ShowName(const std::string& name) {
    std::string what = name;
    if (mGame) {
        ResourceListBase* list = mGame->ListOf(mKind);
        what = std::string(KindWord(mKind)) + ": " + (list ? list->ResourceName(mIndex) : name);
    }
    setWindowTitle(PlaceholderTitle(what));
    mLabel->setText(ToQt(what) + QStringLiteral("\n\nThis kind of resource has no editor yet."));
}

void TPlaceholderForm::closeEvent(QCloseEvent* event) {
    event->accept();
    Forget();
    QMdiSubWindow::closeEvent(event);
}

}  // namespace kestrin
