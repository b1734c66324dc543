// The object information window.

#include "editors/object_information_form.h"

#include <QMdiArea>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/rich_text_bridge.h"
#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "editors/object_report.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "resources/rtf_writer.h"
#include "storage/game.h"

namespace kestrin {

namespace {

QPointer<TObjectInformationForm>& TheWindow() {
    static QPointer<TObjectInformationForm> window;
    return window;
}

TObjectInformationForm& ShowReport(Game& game, QMdiArea& area, int object) {
    QPointer<TObjectInformationForm>& window = TheWindow();
    if (!window) {
        window = new TObjectInformationForm(game);
        area.addSubWindow(window);
        window->resize(460, 520);
        window->move(30, 30);
    }
    window->Report(object);
    window->show();
    area.setActiveSubWindow(window);
    return *window;
}

}  // namespace

TObjectInformationForm::TObjectInformationForm(Game& game, QWidget* parent) : QMdiSubWindow(parent), mGame(game) {
    setObjectName(QStringLiteral("TObjectInformationForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QToolBar(content);
    QAction* save = tools->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Save"));
    save->setObjectName(QStringLiteral("SaveBtn"));
    QAction* print = tools->addAction(style()->standardIcon(QStyle::SP_FileIcon), tr("Print"));
    print->setObjectName(QStringLiteral("PrintBtn"));
    connect(save, &QAction::triggered, this, &TObjectInformationForm::SaveReport);
    connect(print, &QAction::triggered, this, &TObjectInformationForm::PrintReport);
    layout->addWidget(tools);
    mText = new QTextEdit(content);
    mText->setObjectName(QStringLiteral("InformationText"));
    mText->setReadOnly(true);
    mText->setLineWrapMode(QTextEdit::NoWrap);
    layout->addWidget(mText);
    setWidget(content);
    connect(this, &QMdiSubWindow::aboutToActivate, this, &TObjectInformationForm::Refill);
}

void TObjectInformationForm::Report(int object) {
    mObject = object;
    Refill();
}

void TObjectInformationForm::Refill() {
    if (mObject < 0) {
        setWindowTitle(QString::fromLatin1(kAllObjectsTitle));
        mReport = AllObjectsReport(mGame);
        PutRichText(mReport, *mText->document());
        return;
    }
    setWindowTitle(QStringLiteral("Information about: ") + ToQt(mGame.ResourceName(ResourceKind::Object, mObject)));
    // A deleted object reports nothing.
    mReport = ObjectReport(mGame, mObject);
    PutRichText(mReport, *mText->document());
}

void TObjectInformationForm::SaveReport() {
    FileDialogSpec spec;
    spec.objectName = "SaveInformationDialog";
    spec.title = "Save the information";
    spec.defaultExtension = "rtf";
    spec.filter = "Rich Text Files (*.rtf);;Text Files (*.txt)";
    spec.save = true;
    const std::optional<std::string> file = UsedEditorDialogs().ChooseFile(spec);
    if (!file) return;
    const std::string bytes = LowerFileExt(*file) == ".txt" ? mReport.PlainText() + "\r\n" : WriteRtf(mReport);
    try {
        WriteFileAtomically(*file, bytes.data(), bytes.size());
    } catch (const FileError& error) {
        ShowMessage(error.what());
    }
}

void TObjectInformationForm::PrintReport() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    mText->document()->print(&printer);
}

TObjectInformationForm& ShowObjectInformation(Game& game, QMdiArea& area, int object) {
    return ShowReport(game, area, std::max(object, 0));
}

TObjectInformationForm& ShowAllObjectsInformation(Game& game, QMdiArea& area) { return ShowReport(game, area, -1); }

}  // namespace kestrin
