// QtUserInterface: the core's messages and questions as Qt dialogs.

#include "app/qt_user_interface.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QMessageBox>
#include <QProgressDialog>

#include "app/text_convert.h"
#include "platform/preferences.h"

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
    // No command can start while a long operation runs; windows still repaint.
    if (mParent) mParent->setEnabled(false);
    // Read each time: the preferences dialog may switch it during the run.
    if (!Prefs().ShowProgress) {
        QApplication::processEvents();
        return;
    }
    if (!mProgress) {
        mProgress = new QProgressDialog(mParent);
        mProgress->setObjectName(QStringLiteral("TProgressForm"));
        mProgress->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
        mProgress->setCancelButton(nullptr);
        mProgress->setRange(0, 100);
        mProgress->setMinimumDuration(0);
        mProgress->setAutoClose(false);
        mProgress->setAutoReset(false);
        QFont bold = mProgress->font();
        bold.setBold(true);
        if (auto* label = mProgress->findChild<QLabel*>()) label->setFont(bold);
    }
    mProgress->setLabelText(ToQt(text));
    mProgress->setValue(0);
    mProgress->show();
    // Centred on the screen, above everything.
    if (QScreen* screen = mProgress->screen()) {
        QRect area = screen->availableGeometry();
        mProgress->move(area.center() - QPoint(mProgress->width() / 2, mProgress->height() / 2));
    }
    mProgress->setEnabled(true);
    QApplication::processEvents();
}

void QtUserInterface::SetProgress(int percent) {
    if (mProgress && mProgress->isVisible()) mProgress->setValue(percent);
    QApplication::processEvents();
}

void QtUserInterface::EndProgress() {
    if (mProgress) mProgress->hide();
    if (mParent) mParent->setEnabled(true);
    QApplication::processEvents();
}

void QtUserInterface::ProcessPendingEvents() { QApplication::processEvents(); }

}  // namespace kestrin
