// QtUserInterface: the core's messages and questions as Qt dialogs.

#include "app/qt_user_interface.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

#include "app/text_convert.h"

namespace kestrin {

void QtUserInterface::ShowMessage(const std::string& text) {
    QMessageBox::information(mParent, QStringLiteral("Kestrin"), ToQt(text));
}

bool QtUserInterface::AskYesNo(const std::string& text) {
    return QMessageBox::question(mParent, QStringLiteral("Confirm"), ToQt(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

Answer QtUserInterface::AskYesNoCancel(const std::string& text) {
    auto answer = QMessageBox::question(mParent, QStringLiteral("Confirm"), ToQt(text),
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

void QtUserInterface::StartProgress(const std::string& text) {
    if (!mShowProgress) return;
    if (!mProgress) {
        mProgress = new QProgressDialog(mParent);
        mProgress->setObjectName(QStringLiteral("TProgressForm"));
        mProgress->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        mProgress->setCancelButton(nullptr);
        mProgress->setRange(0, 100);
        mProgress->setMinimumDuration(0);
        mProgress->setAutoClose(false);
        mProgress->setAutoReset(false);
    }
    mProgress->setLabelText(ToQt(text));
    mProgress->setValue(0);
    mProgress->show();
    QApplication::processEvents();
}

void QtUserInterface::SetProgress(int percent) {
    if (mProgress && mProgress->isVisible()) mProgress->setValue(percent);
}

void QtUserInterface::EndProgress() {
    if (mProgress) mProgress->hide();
}

void QtUserInterface::ProcessPendingEvents() { QApplication::processEvents(); }

}  // namespace kestrin
