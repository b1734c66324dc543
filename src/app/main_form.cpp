// TMainForm: the main window's frame, title and window bounds.

#include "app/main_form.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QTimer>

#include "app/text_convert.h"
#include "platform/preferences.h"
#include "platform/scratch_folder.h"

namespace kestrin {

QString MainTitle(bool advanced, const std::string& fileName, bool changed) {
    QString title = advanced ? QStringLiteral("Kestrin: ") : QStringLiteral("Kestrin Simple: ");
    title += fileName.empty() ? QStringLiteral("<new game>") : ToQt(fileName);
    if (changed) title += QLatin1Char('*');
    return title;
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TMainForm"));
    mClientArea = new QMdiArea(this);
    mClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(mClientArea);

    const Preferences& p = Prefs();
    setGeometry(p.FormLeft, p.FormTop, p.FormWidth, p.FormHeight);
    if (p.FormMaximized) setWindowState(windowState() | Qt::WindowMaximized);

    mTitleTimer = new QTimer(this);
    mTitleTimer->setInterval(100);
    connect(mTitleTimer, &QTimer::timeout, this, &TMainForm::UpdateTitle);
    mTitleTimer->start();
    UpdateTitle();
}

void TMainForm::UpdateTitle() {
    QString title = MainTitle(Prefs().Advanced, std::string(), false);
    if (windowTitle() != title) setWindowTitle(title);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (mShownBefore) return;
    mShownBefore = true;
    // After the first paint, so the question has the window behind it.
    QTimer::singleShot(0, this, [] {
        if (Prefs().Advanced && Prefs().RemoveTemp) CheckOldTempFolders();
    });
}

void TMainForm::closeEvent(QCloseEvent* event) {
    Preferences& p = Prefs();
    p.FormMaximized = isMaximized();
    if (!p.FormMaximized) {
        QRect bounds = geometry();
        p.FormLeft = bounds.left();
        p.FormTop = bounds.top();
        p.FormWidth = bounds.width();
        p.FormHeight = bounds.height();
    }
    event->accept();
}

}  // namespace kestrin
