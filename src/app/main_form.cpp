// TMainForm: the window's parts, its title, start-up and shut-down, and the
// placing of child windows.

#include "app/main_form.h"

#include "app/help_form.h"
#include "app/help_window.h"
#include "app/script_info_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include "app/busy_cursor.h"
#include "app/editor_windows.h"
#include "app/resource_tree_model.h"
#include "app/resource_tree_view.h"
#include "app/text_convert.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/scratch_folder.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin {

QString MainTitle(bool advanced, const std::string& fileName, bool changed) {
    QString title = advanced ? QStringLiteral("Kestrin: ") : QStringLiteral("Kestrin Simple: ");
    title += fileName.empty() ? QStringLiteral("<new game>") : PathToQt(ExtractFileName(fileName));
    if (changed) title += QLatin1Char('*');
    return title;
}

std::string CommandLineFileName(const QStringList& arguments) { return PathFromQt(arguments.join(QLatin1Char(' '))); }

TMainForm::TMainForm(Game& game, QWidget* parent) : QMainWindow(parent), mGame(game) {
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Kestrin"));
    mOwnDialogs = std::make_unique<QtAppDialogs>(this);
    mDialogs = mOwnDialogs.get();

    mSplitter = new QSplitter(Qt::Horizontal, this);
    mSplitter->setObjectName(QStringLiteral("Splitter1"));
    mModel = new ResourceTreeModel(game, this);
    mTree = new TResourceTree(mModel, mSplitter);
    mTree->setObjectName(QStringLiteral("ResourceTree"));
    // The sections of the advanced kinds live here in simple mode; the core
    // keeps them, so this view is never shown.
    mHiddenTree = new QTreeView(this);
    mHiddenTree->setObjectName(QStringLiteral("HiddenResourceTree"));
    mHiddenTree->hide();
    mClientArea = new QMdiArea(mSplitter);
    mClientArea->setObjectName(QStringLiteral("ClientArea"));
    mClientArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mClientArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mSplitter->addWidget(mTree);
    mSplitter->addWidget(mClientArea);
    mSplitter->setStretchFactor(0, 0);
    mSplitter->setStretchFactor(1, 1);
    mSplitter->setSizes({200, 600});
    setCentralWidget(mSplitter);

    mEditors = std::make_unique<EditorWindows>(
        game, *mClientArea,
        EditorWindows::Hooks{[this](QMdiSubWindow* window) { PlaceChildWindow(window); },
                             [this](bool visible) { setVisible(visible); },
                             [this] { mGame.Tree().RepaintTree(); }});
    game.SetEditors(mEditors.get());

    BuildTreePopup();
    BuildMenus();
    BuildToolBar();
    connect(mTree, &TResourceTree::SelectedNodeChanged, this, &TMainForm::UpdateTreeCommands);
    connect(mTree, &TResourceTree::PopupRequested, this, [this](const QPoint& at) { mPopup->popup(at); });
    connect(mTree, &TResourceTree::OpenRequested, this, &TMainForm::OpenNodeCommand);
    UpdateTreeCommands(nullptr);

    setAcceptDrops(true);
    const Preferences& p = Prefs();
    setGeometry(p.FormLeft, p.FormTop, p.FormWidth, p.FormHeight);
    if (p.FormMaximized) setWindowState(windowState() | Qt::WindowMaximized);

    mCheckTimer = new QTimer(this);
    mCheckTimer->setObjectName(QStringLiteral("CheckTimer"));
    mCheckTimer->setInterval(100);
    connect(mCheckTimer, &QTimer::timeout, this, &TMainForm::UpdateTitle);
    ApplyMode();
    BuildTutorialsMenu();
    UpdateTitle();
}

TMainForm::~TMainForm() {
    StoreBounds();
    // Editor windows go with the client area; the lists must not keep them.
    const auto windows = mClientArea->subWindowList();
    for (QMdiSubWindow* window : windows) delete window;
    if (mGame.Editors() == mEditors.get()) mGame.SetEditors(nullptr);
    DestroyHelpForm();
    CloseHelpWindows();
}

void TMainForm::UpdateTitle() {
    QString title = MainTitle(Prefs().Advanced, mFileName, mGame.GameChanged());
    if (windowTitle() != title) setWindowTitle(title);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QScreen* screen = this->screen(); screen && screen->size().width() < 800) {
        if (!AskYesNo(kLowResolutionQuestion)) {
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            return;
        }
    }
    ApplyMode();
    mCheckTimer->start();
    mGame.Tree().RepaintTree();
    if (mFirstShow) {
        mFirstShow = false;
        FirstShow();
    }
    UpdateTitle();
}

void TMainForm::FirstShow() {
    if (Prefs().Advanced && Prefs().RemoveTemp) CheckOldTempFolders();
    NewGame(mGame);
    mFileName.clear();
    std::string name;
    if (!mArguments.isEmpty()) {
        name = CommandLineFileName(mArguments);
    } else if (Prefs().LoadLast && !Prefs().Recent[0].empty() && FileExists(Prefs().Recent[0])) {
        name = Prefs().Recent[0];
    }
    if (name.empty()) return;
    if (LoadFile(name)) AddRecentFile(Prefs().Recent, name);
}

void TMainForm::hideEvent(QHideEvent* event) {
    mCheckTimer->stop();
    QMainWindow::hideEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!CloseAllChildWindows() || !AskSaveChanges()) {
        event->ignore();
        return;
    }
    StoreBounds();
    event->accept();
}

void TMainForm::StoreBounds() {
    Preferences& p = Prefs();
    p.FormMaximized = isMaximized();
    if (!p.FormMaximized) {
        QRect bounds = geometry();
        p.FormLeft = bounds.left();
        p.FormTop = bounds.top();
        p.FormWidth = bounds.width();
        p.FormHeight = bounds.height();
    }
}

void TMainForm::PlaceChildWindow(QMdiSubWindow* window) {
    if (!window || window->isMaximized()) return;
    // The client area is what is left beside the tree; keep a small margin.
    int availableWidth = width() - mTree->width() - 8;
    int availableHeight = height() - mClientArea->mapTo(this, QPoint(0, 0)).y() - 8;
    QRect bounds = window->geometry();
    int left = bounds.left();
    int top = bounds.top();
    if (left + bounds.width() > availableWidth) left = availableWidth - bounds.width();
    if (top + bounds.height() > availableHeight) top = availableHeight - bounds.height();
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    window->move(left, top);
}

void TMainForm::ShowChildWindow(QMdiSubWindow* window) { mEditors->ShowChild(window); }

bool TMainForm::CloseAllChildWindows() {
    const auto windows = mClientArea->subWindowList();
    bool allClosed = true;
    for (QMdiSubWindow* window : windows)
        if (!window->close()) allClosed = false;
    HideHelpForm();
    return allClosed;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        // Names beyond 255 characters are cut, as the platform hands them over.
        files.push_back(PathFromQt(url.toLocalFile().left(255)));
    }
    event->acceptProposedAction();
    // After the drag has finished: the drop may ask questions.
    QTimer::singleShot(0, this, [this, files] { DropFiles(files); });
}

}  // namespace kestrin
