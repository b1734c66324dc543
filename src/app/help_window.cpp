// TManualForm and the Help menu's commands.

#include "app/help_window.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/kestrin_icon.h"
#include "app/text_convert.h"
#include "app/window_placement.h"
#include "platform/file_system.h"
#include "platform/web_addresses.h"

namespace kestrin {

namespace {

QPointer<TManualForm> gHelpWindow;

}  // namespace

std::string ManualFolder() { return ExecutableFolder() + "manual" + kPathSeparator; }

TManualForm::TManualForm(const std::string& folder, QWidget* parent) : QWidget(parent), mFolder(folder) {
    setObjectName(QStringLiteral("TManualForm"));
    setWindowTitle(QStringLiteral("Kestrin Help"));
    setWindowIcon(KestrinIcon());

    mBrowser = new QTextBrowser(this);
    mBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    mBrowser->setSearchPaths({PathToQt(mFolder)});
    // Pages of the manual stay here; addresses outside it go to the browser.
    mBrowser->setOpenExternalLinks(true);
    // The browser keeps a page's <title> as its document title; its own
    // window title never follows it.
    connect(mBrowser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = mBrowser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Kestrin Help") : QStringLiteral("Kestrin Help - ") + title);
    });

    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("HelpToolBar"));
    QAction* contents = tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Contents"));
    contents->setObjectName(QStringLiteral("ContentsBtn"));
    QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    back->setObjectName(QStringLiteral("BackBtn"));
    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    forward->setObjectName(QStringLiteral("ForwardBtn"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, &TManualForm::ShowContents);
    connect(back, &QAction::triggered, mBrowser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, mBrowser, &QTextBrowser::forward);
    connect(mBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(mBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(mBrowser, 1);
    resize(720, 560);
}

void TManualForm::ShowPage(const QString& page) {
    QString path = PathToQt(mFolder) + page;
    if (!FileExists(PathFromQt(path))) {
        mBrowser->setHtml(QStringLiteral("<h1>Kestrin Help</h1><p>The manual was not found in %1.</p>")
                              .arg(PathToQt(mFolder).toHtmlEscaped()));
        setWindowTitle(QStringLiteral("Kestrin Help"));
        return;
    }
    mBrowser->setSource(QUrl::fromLocalFile(path));
}

TManualForm* ShowHelpContents() {
    if (!gHelpWindow) {
        gHelpWindow = new TManualForm;
        gHelpWindow->setAttribute(Qt::WA_DeleteOnClose);
        CenterOnFirstShow(gHelpWindow, QApplication::activeWindow());
    }
    gHelpWindow->ShowContents();
    gHelpWindow->show();
    gHelpWindow->raise();
    gHelpWindow->activateWindow();
    return gHelpWindow;
}

void CloseHelpWindows() {
    if (gHelpWindow) {
        // Deleted now: the end of the run has no event loop left to do it.
        delete gHelpWindow.data();
    }
}

bool OpenWebSite() { return QDesktopServices::openUrl(QUrl(QLatin1String(kWebSiteAddress))); }

bool OpenForum() { return QDesktopServices::openUrl(QUrl(QLatin1String(kForumAddress))); }

}  // namespace kestrin
