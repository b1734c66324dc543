// TResourceForm: opening, marking, renaming and the three ways to close.

#include "editors/resource_form.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>

#include "app/resource_icons.h"
#include "editors/editor_dialogs.h"
#include "app/text_convert.h"
#include "platform/user_interface.h"

namespace kestrin {

const char* KindWord(ResourceKind kind) {
    switch (kind) {
        case ResourceKind::Sprite: return "Sprite";
        case ResourceKind::Sound: return "Sound";
        case ResourceKind::Background: return "Background";
        case ResourceKind::Path: return "Path";
        case ResourceKind::Script: return "Script";
        case ResourceKind::DataFile: return "Data File";
        case ResourceKind::TimeLine: return "Time Line";
        case ResourceKind::Object: return "Object";
        case ResourceKind::Room: return "Room";
    }
    return "Resource";
}

TResourceForm::TResourceForm(Game& game, ResourceKind kind, int index, QWidget* parent)
    : QMdiSubWindow(parent), mGame(game), mKind(kind), mIndex(index) {
    setAttribute(Qt::WA_DeleteOnClose);
}

TResourceForm::~TResourceForm() { Forget(); }

void TResourceForm::Open() {
    mNameAtOpening = List().ResourceName(mIndex);
    TakeBackup();
    mChanged = false;
    {
        FillScope muted(*this);
        if (mNameEdit) mNameEdit->setText(ToQt(mNameAtOpening));
        FillControls();
    }
    setWindowTitle(TitleFor(mNameAtOpening));
    QIcon icon = ResourceIconImage(mGame, mGame.ResourceIcon(mKind, mIndex));
    if (!icon.isNull()) setWindowIcon(icon);
}

QString TResourceForm::TitleFor(const std::string& name) const {
    return QStringLiteral("%1 Properties: %2").arg(QString::fromLatin1(KindWord(mKind)), ToQt(name));
}

std::optional<std::string> TResourceForm::ChooseFileNested(const FileDialogSpec& spec,
                                                          std::string* rememberedFolder) {
    std::optional<std::string> file;
    {
        BusyScope busy(*this);
        file = UsedEditorDialogs().ChooseFile(spec);
    }
    if (Forgotten() || !file) return std::nullopt;
    if (rememberedFolder) *rememberedFolder = PathFromQt(QFileInfo(PathToQt(*file)).absolutePath());
    return file;
}

void TResourceForm::IconChanged() {
    List().UpdateIcon(Index());
    QIcon icon = ResourceIconImage(GameData(), GameData().ResourceIcon(Kind(), Index()));
    if (!icon.isNull()) setWindowIcon(icon);
}

void TResourceForm::Mark() {
    if (mForgotten) return;
    mChanged = true;
    List().SetChanged(true);
}

void TResourceForm::GameSaved() {
    if (mForgotten) return;
    TakeBackup();
    mNameAtOpening = List().ResourceName(mIndex);
    mChanged = false;
}

void TResourceForm::AttachNameEdit(QLineEdit* edit) {
    mNameEdit = edit;
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (Filling() || mForgotten) return;
        std::string name = FromQt(text);
        if (name == List().ResourceName(mIndex)) return;
        List().RenameResource(mIndex, name);
        Mark();
        if (EditorHost* host = mGame.Editors()) host->RepaintResourceTree();
    });
}

// The list renamed the resource (from the tree, or from this window's own
// field): the field is written only when it shows something else, so typing
// keeps its caret.
void TResourceForm::ShowName(const std::string& name) {
    if (mNameEdit && FromQt(mNameEdit->text()) != name) {
        FillScope muted(*this);
        mNameEdit->setText(ToQt(name));
    }
    setWindowTitle(TitleFor(name));
}

void TResourceForm::BringToFront() {
    if (isMinimized()) showNormal();
    if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
    raise();
}

void TResourceForm::CloseWithOk() {
    mClosingWithOk = true;
    if (!close()) mClosingWithOk = false;
}

void TResourceForm::CloseEditor() {
    // The list has forgotten this window already and may free the resource
    // right after this call.
    mForgotten = true;
    if (Busy()) {
        // A nested loop of this window still runs on the stack below.
        mDeletePending = true;
        hide();
        return;
    }
    Closing();
    setAttribute(Qt::WA_DeleteOnClose, false);
    hide();
    deleteLater();
}

void TResourceForm::closeEvent(QCloseEvent* event) {
    if (mForgotten) {
        event->accept();
        QMdiSubWindow::closeEvent(event);
        return;
    }
    if (Busy()) {
        event->ignore();
        return;
    }
    if (mChanged && List().Changed() && !mClosingWithOk) {
        Answer answer;
        {
            BusyScope asking(*this);
            answer = AskYesNoCancel(kSaveChangesToPrefix + List().ResourceName(mIndex) + "?");
        }
        if (mForgotten) {
            event->accept();
            return;
        }
        if (answer == Answer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == Answer::No) {
            RestoreBackup();
            List().RenameResource(mIndex, mNameAtOpening);
        }
    }
    Closing();
    event->accept();
    Forget();
    QMdiSubWindow::closeEvent(event);
}

// The list must not keep a window that is gone.
void TResourceForm::Forget() {
    if (mForgotten) return;
    mForgotten = true;
    if (List().EditorAt(mIndex) == this) List().EditorClosed(mIndex);
}

TResourceForm::BusyScope::BusyScope(TResourceForm& form) : mForm(form) { ++mForm.mBusy; }

TResourceForm::BusyScope::~BusyScope() {
    if (--mForm.mBusy == 0 && mForm.mDeletePending) {
        mForm.mDeletePending = false;
        mForm.Closing();
        mForm.setAttribute(Qt::WA_DeleteOnClose, false);
        mForm.deleteLater();
    }
}

}  // namespace kestrin
