// TMainForm: the menus, the tree pop-up menu, the tool bar, and the captions,
// enabled states and visibility that follow the selected node and the mode.

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "app/main_form.h"
#include "app/resource_icons.h"
#include "app/resource_tree_view.h"
#include "app/text_convert.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "storage/game.h"
#include "storage/resource_tree.h"

namespace kestrin {

namespace {

const char* TypeWord(std::int32_t type) {
    switch (type) {
        case kTypeObjects: return "Object";
        case kTypeSprites: return "Sprite";
        case kTypeSounds: return "Sound";
        case kTypeRooms: return "Room";
        case kTypeBackgrounds: return "Background";
        case kTypeScripts: return "Script";
        case kTypePaths: return "Path";
        case kTypeDataFiles: return "Data File";
        case kTypeTimeLines: return "Time Line";
        default: return "";
    }
}

bool IsSingleNode(std::int32_t type) { return type == kTypeGameInformation || type == kTypeGameOptions; }

QAction* Find(const QObject* owner, const char* name) { return owner->findChild<QAction*>(QString::fromLatin1(name)); }

void SetVisible(const QObject* owner, std::initializer_list<const char*> names, bool visible) {
    for (const char* name : names)
        if (QAction* action = Find(owner, name)) action->setVisible(visible);
}

}  // namespace

QAction* TMainForm::AddAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
    auto* action = new QAction(caption, menu ? static_cast<QObject*>(menu) : this);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    if (menu) menu->addAction(action);
    return action;
}

void TMainForm::BuildTreePopup() {
    mPopup = new QMenu(this);
    mPopup->setObjectName(QStringLiteral("ResourceMenu"));
    connect(AddAction(mPopup, "Add1", QStringLiteral("&Add")), &QAction::triggered, this, &TMainForm::AddCommand);
    connect(AddAction(mPopup, "Duplicate1", QStringLiteral("&Duplicate"), QKeySequence(Qt::ALT | Qt::Key_Insert)),
            &QAction::triggered, this, &TMainForm::DuplicateCommand);
    connect(AddAction(mPopup, "Export1", QStringLiteral("Export All Scripts ...")), &QAction::triggered, this,
            &TMainForm::ExportCommand);
    mPopup->addSeparator()->setObjectName(QStringLiteral("GroupSeparator1"));
    connect(AddAction(mPopup, "AddGroup1", QStringLiteral("Add &Group"), QKeySequence(Qt::SHIFT | Qt::Key_Insert)),
            &QAction::triggered, this, &TMainForm::AddGroupCommand);
    connect(AddAction(mPopup, "Sort1", QStringLiteral("S&ort by Name")), &QAction::triggered, this,
            &TMainForm::SortCommand);
    mPopup->addSeparator()->setObjectName(QStringLiteral("SortSeparator1"));
    connect(AddAction(mPopup, "Delete1", QStringLiteral("D&elete"), QKeySequence(Qt::SHIFT | Qt::Key_Delete)),
            &QAction::triggered, this, &TMainForm::DeleteCommand);
    connect(AddAction(mPopup, "Rename1", QStringLiteral("&Rename"), QKeySequence(Qt::Key_F2)), &QAction::triggered,
            this, &TMainForm::RenameCommand);
    mPopup->addSeparator();
    connect(AddAction(mPopup, "Properties1", QStringLiteral("&Properties..."), QKeySequence(Qt::ALT | Qt::Key_Return)),
            &QAction::triggered, this, &TMainForm::PropertiesCommand);
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    mFileMenu = bar->addMenu(QStringLiteral("&File"));
    mFileMenu->setObjectName(QStringLiteral("File1"));
    connect(AddAction(mFileMenu, "New1", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &TMainForm::NewCommand);
    connect(AddAction(mFileMenu, "Open1", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &TMainForm::OpenCommand);
    mRecentMenu = mFileMenu->addMenu(QStringLiteral("&Recent Files"));
    mRecentMenu->setObjectName(QStringLiteral("RecentFiles1"));
    mRecentMenu->setToolTipsVisible(true);
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string name = "Recent" + std::to_string(i + 1);
        mRecent[static_cast<std::size_t>(i)] = AddAction(mRecentMenu, name.c_str(), QString());
        connect(mRecent[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { OpenRecentCommand(i); });
    }
    mFileMenu->addSeparator();
    connect(AddAction(mFileMenu, "Save1", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &TMainForm::SaveCommand);
    connect(AddAction(mFileMenu, "SaveAs1", QStringLiteral("Save &As...")), &QAction::triggered, this,
            &TMainForm::SaveAsCommand);
    connect(AddAction(mFileMenu, "Createstandalone1", QStringLiteral("Create stand-a&lone...")), &QAction::triggered,
            this, &TMainForm::OnCreateStandAlone);
    mFileMenu->addSeparator()->setObjectName(QStringLiteral("MergeSeparator1"));
    connect(AddAction(mFileMenu, "MergeGame1", QStringLiteral("&Merge Game...")), &QAction::triggered, this,
            &TMainForm::MergeCommand);
    mFileMenu->addSeparator();
    QAction* mode = AddAction(mFileMenu, "AdvancedMode1", QStringLiteral("Ad&vanced Mode"));
    mode->setCheckable(true);
    connect(mode, &QAction::triggered, this, [this] { SwitchModeCommand(); });
    connect(AddAction(mFileMenu, "Preferences1", QStringLiteral("&Preferences...")), &QAction::triggered, this,
            &TMainForm::OnPreferences);
    mFileMenu->addSeparator();
    connect(AddAction(mFileMenu, "Exit1", QStringLiteral("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4)),
            &QAction::triggered, this, &QWidget::close);
    connect(mFileMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateFileMenu);

    mEditMenu = bar->addMenu(QStringLiteral("&Edit"));
    mEditMenu->setObjectName(QStringLiteral("Edit1"));
    connect(AddAction(mEditMenu, "Add3", QStringLiteral("&Add")), &QAction::triggered, this, &TMainForm::AddCommand);
    connect(AddAction(mEditMenu, "Duplicate2", QStringLiteral("&Duplicate"), QKeySequence(Qt::ALT | Qt::Key_Insert)),
            &QAction::triggered, this, &TMainForm::DuplicateCommand);
    connect(AddAction(mEditMenu, "AddGroup2", QStringLiteral("Add &Group"), QKeySequence(Qt::SHIFT | Qt::Key_Insert)),
            &QAction::triggered, this, &TMainForm::AddGroupCommand);
    connect(AddAction(mEditMenu, "Delete2", QStringLiteral("D&elete"), QKeySequence(Qt::SHIFT | Qt::Key_Delete)),
            &QAction::triggered, this, &TMainForm::DeleteCommand);
    connect(AddAction(mEditMenu, "Rename2", QStringLiteral("&Rename"), QKeySequence(Qt::Key_F2)), &QAction::triggered,
            this, &TMainForm::RenameCommand);
    connect(AddAction(mEditMenu, "Properties2", QStringLiteral("&Properties..."), QKeySequence(Qt::ALT | Qt::Key_Return)),
            &QAction::triggered, this, &TMainForm::PropertiesCommand);
    mEditMenu->addSeparator()->setObjectName(QStringLiteral("FindSeparator1"));
    connect(AddAction(mEditMenu, "FindResource1", QStringLiteral("&Find Resource..."),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F)),
            &QAction::triggered, this, &TMainForm::FindResourceCommand);
    connect(AddAction(mEditMenu, "ShowObjectInformation1", QStringLiteral("Show &Object Information")),
            &QAction::triggered, this, &TMainForm::ShowObjectInformation);
    connect(mEditMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateEditMenu);

    mAddMenu = bar->addMenu(QStringLiteral("&Add"));
    mAddMenu->setObjectName(QStringLiteral("Add2"));
    struct AddItem {
        const char* name;
        const char* caption;
        std::int32_t type;
        int key;
    };
    static constexpr AddItem kAddItems[] = {
        {"AddSprite1", "Add &Sprite", kTypeSprites, Qt::Key_S},
        {"AddSound1", "Add So&und", kTypeSounds, Qt::Key_U},
        {"AddBackground1", "Add &Background", kTypeBackgrounds, Qt::Key_B},
        {"AddPath1", "Add &Path", kTypePaths, Qt::Key_P},
        {"AddScript1", "Add S&cript", kTypeScripts, Qt::Key_C},
        {"AddFile1", "Add &Data File", kTypeDataFiles, Qt::Key_D},
        {"AddTimeLine1", "Add &Time Line", kTypeTimeLines, Qt::Key_T},
        {"AddObject1", "Add &Object", kTypeObjects, Qt::Key_O},
        {"AddRoom1", "Add &Room", kTypeRooms, Qt::Key_R},
    };
    for (const AddItem& item : kAddItems) {
        QAction* action = AddAction(mAddMenu, item.name, QString::fromLatin1(item.caption),
                                    QKeySequence(Qt::CTRL | Qt::ALT | item.key));
        std::int32_t type = item.type;
        connect(action, &QAction::triggered, this, [this, type] { AddResourceCommand(type); });
    }
    mAddMenu->addSeparator();
    connect(AddAction(mAddMenu, "ChangeGameInformation1", QStringLiteral("Change Game &Information..."),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_I)),
            &QAction::triggered, this, &TMainForm::OpenGameInformation);
    connect(AddAction(mAddMenu, "ChangeGameOptions1", QStringLiteral("Change &Game Options..."),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G)),
            &QAction::triggered, this, &TMainForm::OpenGameOptions);
    connect(mAddMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateAddMenu);

    mScriptsMenu = bar->addMenu(QStringLiteral("&Scripts"));
    mScriptsMenu->setObjectName(QStringLiteral("Scripts1"));
    connect(AddAction(mScriptsMenu, "ImportScripts1", QStringLiteral("&Import Scripts...")), &QAction::triggered, this,
            &TMainForm::ImportScriptsCommand);
    connect(AddAction(mScriptsMenu, "ExportScripts1", QStringLiteral("&Export All Scripts ...")), &QAction::triggered,
            this, &TMainForm::ExportCommand);
    mScriptsMenu->addSeparator();
    connect(AddAction(mScriptsMenu, "ShowBuiltinVariables1", QStringLiteral("Show Built-in &Variables")),
            &QAction::triggered, this, [this] { OnShowListing(ListingKind::BuiltinVariables); });
    connect(AddAction(mScriptsMenu, "ShowBuiltinFunctions1", QStringLiteral("Show Built-in &Functions")),
            &QAction::triggered, this, [this] { OnShowListing(ListingKind::BuiltinFunctions); });
    connect(AddAction(mScriptsMenu, "ShowConstants1", QStringLiteral("Show &Constants")), &QAction::triggered, this,
            [this] { OnShowListing(ListingKind::Constants); });
    connect(AddAction(mScriptsMenu, "ShowResourceNames1", QStringLiteral("Show &Resource Names")), &QAction::triggered,
            this, [this] { OnShowListing(ListingKind::ResourceNames); });
    mScriptsMenu->addSeparator();
    connect(AddAction(mScriptsMenu, "SearchinScripts1", QStringLiteral("&Search in Scripts...")), &QAction::triggered,
            this, &TMainForm::OnSearchInScripts);
    mScriptsMenu->addSeparator();
    connect(AddAction(mScriptsMenu, "CheckResourceNames1", QStringLiteral("Check Resource &Names")),
            &QAction::triggered, this, &TMainForm::OnCheckResourceNames);
    connect(AddAction(mScriptsMenu, "CheckAllScripts1", QStringLiteral("Check &All Scripts")), &QAction::triggered,
            this, &TMainForm::OnCheckAllScripts);
    connect(mScriptsMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateScriptsMenu);

    QMenu* play = bar->addMenu(QStringLiteral("&Run"));
    play->setObjectName(QStringLiteral("Play1"));
    connect(AddAction(play, "Run1", QStringLiteral("&Run normally"), QKeySequence(Qt::Key_F5)), &QAction::triggered,
            this, [this] { OnRun(false); });
    connect(AddAction(play, "Debug1", QStringLiteral("Run in &Debug mode"), QKeySequence(Qt::Key_F6)),
            &QAction::triggered, this, [this] { OnRun(true); });

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("Window1"));
    connect(AddAction(window, "Cascade1", QStringLiteral("&Cascade")), &QAction::triggered, mClientArea,
            &QMdiArea::cascadeSubWindows);
    connect(AddAction(window, "ArrangeIcons1", QStringLiteral("&Arrange Icons")), &QAction::triggered, this, [this] {
        // Lines the minimised windows up along the bottom of the client area.
        int x = 0;
        for (QMdiSubWindow* child : mClientArea->subWindowList()) {
            if (!child->isMinimized()) continue;
            QSize size = child->size();
            child->move(x, mClientArea->viewport()->height() - size.height());
            x += size.width();
        }
    });
    connect(AddAction(window, "CloseAll1", QStringLiteral("C&lose All")), &QAction::triggered, this,
            &TMainForm::CloseAllChildWindows);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(AddAction(help, "Contents1", QStringLiteral("&Contents..."), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TMainForm::OnHelpContents);
    mTutorialsMenu = help->addMenu(QStringLiteral("&Tutorials"));
    mTutorialsMenu->setObjectName(QStringLiteral("TutorialsMenu"));
    help->addSeparator();
    connect(AddAction(help, "Website1", QStringLiteral("&Web site")), &QAction::triggered, this, &TMainForm::OnWebsite);
    connect(AddAction(help, "Forum1", QStringLiteral("&Forum")), &QAction::triggered, this, &TMainForm::OnForum);
    help->addSeparator();
    connect(AddAction(help, "AboutKestrin1", QStringLiteral("&About Kestrin...")), &QAction::triggered, this,
            &TMainForm::OnAbout);
}

void TMainForm::BuildToolBar() {
    mToolBar = addToolBar(QStringLiteral("Tools"));
    mToolBar->setObjectName(QStringLiteral("ToolBar"));
    mToolBar->setMovable(false);
    mToolBar->setIconSize(QSize(24, 24));
    QStyle* s = style();
    auto button = [&](const char* name, const QString& hint, const QIcon& icon, auto slot) {
        QAction* action = AddAction(nullptr, name, hint);
        action->setIcon(icon);
        action->setToolTip(hint);
        mToolBar->addAction(action);
        if (QWidget* widget = mToolBar->widgetForAction(action)) widget->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto add = [this](std::int32_t type) { return [this, type] { AddResourceCommand(type); }; };
    button("NewBtn", QStringLiteral("Start a new game"), s->standardIcon(QStyle::SP_FileIcon), [this] { NewCommand(); });
    button("OpenBtn", QStringLiteral("Open a game"), s->standardIcon(QStyle::SP_DialogOpenButton),
           [this] { OpenCommand(); });
    button("SaveBtn", QStringLiteral("Save the game"), s->standardIcon(QStyle::SP_DialogSaveButton),
           [this] { SaveCommand(); });
    mToolBar->addSeparator();
    button("RunBtn", QStringLiteral("Run the game"), s->standardIcon(QStyle::SP_MediaPlay), [this] { OnRun(false); });
    button("RunDebugBtn", QStringLiteral("Run the game in debug mode"), s->standardIcon(QStyle::SP_MediaSeekForward),
           [this] { OnRun(true); });
    mToolBar->addSeparator();
    button("AddSpriteBtn", QStringLiteral("Add a sprite"), LetterIcon("S", QColor(200, 60, 110)), add(kTypeSprites));
    button("AddSoundBtn", QStringLiteral("Add a sound"), LetterIcon("U", QColor(200, 80, 40)), add(kTypeSounds));
    button("AddBackgroundBtn", QStringLiteral("Add a background"), LetterIcon("B", QColor(70, 130, 190)),
           add(kTypeBackgrounds));
    button("AddPathBtn", QStringLiteral("Add a path"), LetterIcon("P", QColor(40, 150, 150)), add(kTypePaths));
    button("AddScriptBtn", QStringLiteral("Add a script"), LetterIcon("C", QColor(60, 90, 170)), add(kTypeScripts));
    button("AddFileBtn", QStringLiteral("Add a data file"), LetterIcon("D", QColor(120, 90, 60)), add(kTypeDataFiles));
    button("AddTimeLineBtn", QStringLiteral("Add a time line"), LetterIcon("T", QColor(150, 60, 60)),
           add(kTypeTimeLines));
    button("AddObjectBtn", QStringLiteral("Add an object"), LetterIcon("O", QColor(60, 150, 60)), add(kTypeObjects));
    button("AddRoomBtn", QStringLiteral("Add a room"), LetterIcon("R", QColor(30, 110, 30)), add(kTypeRooms));
    mToolBar->addSeparator();
    button("ChangeInformationBtn", QStringLiteral("Change the game information"), LetterIcon("i", QColor(40, 120, 200)),
           [this] { OpenGameInformation(); });
    button("ChangeOptionsBtn", QStringLiteral("Change the game options"), LetterIcon("G", QColor(90, 90, 90)),
           [this] { OpenGameOptions(); });
    mToolBar->addSeparator();
    button("HelpBtn", QStringLiteral("Help"), HelpIcon(), [this] { OnHelpContents(); });
}

void TMainForm::ApplyMode() {
    bool advanced = Prefs().Advanced;
    SetVisible(this, {"AddPathBtn", "AddScriptBtn", "AddFileBtn", "AddTimeLineBtn"}, advanced);
    SetVisible(this, {"AddPath1", "AddScript1", "AddFile1", "AddTimeLine1", "AddGroup1", "Sort1", "AddGroup2",
                      "FindResource1", "ShowObjectInformation1", "MergeGame1", "Preferences1"},
               advanced);
    for (const char* name : {"GroupSeparator1", "SortSeparator1", "FindSeparator1", "MergeSeparator1"})
        if (QAction* separator = Find(this, name)) separator->setVisible(advanced);
    mScriptsMenu->menuAction()->setVisible(advanced);
    if (QAction* mode = Find(this, "AdvancedMode1")) mode->setChecked(advanced);
}

void TMainForm::UpdateTreeCommands(ResourceNode* node) {
    std::int32_t kind = CResourceTree::NodeKind(node);
    std::int32_t type = CResourceTree::NodeType(node);
    bool single = IsSingleNode(type);
    bool container = kind == kNodeSection || kind == kNodeGroup;
    QString word = QString::fromLatin1(TypeWord(type));

    QAction* add = Find(mPopup, "Add1");
    add->setEnabled(node && !single);
    add->setText((container ? QStringLiteral("Add ") : QStringLiteral("Insert ")) + word);
    QAction* group = Find(mPopup, "AddGroup1");
    group->setEnabled(node && !single);
    group->setText(container ? QStringLiteral("Add Group") : QStringLiteral("Insert Group"));
    Find(mPopup, "Duplicate1")->setEnabled(kind == kNodeResource && !single);
    Find(mPopup, "Delete1")->setEnabled(node && kind != kNodeSection && !single);
    Find(mPopup, "Rename1")->setEnabled(node && kind != kNodeSection && !single);
    Find(mPopup, "Properties1")->setEnabled(kind == kNodeResource);
    Find(mPopup, "Sort1")->setEnabled(container && !single);
    QAction* exportScripts = Find(mPopup, "Export1");
    exportScripts->setVisible(type == kTypeScripts);
    if (kind == kNodeSection)
        exportScripts->setText(QStringLiteral("Export All Scripts ..."));
    else if (kind == kNodeGroup)
        exportScripts->setText(QStringLiteral("Export Group of Scripts ..."));
    else
        exportScripts->setText(QStringLiteral("Export Selected Script ..."));

    // The Edit menu's twins carry the shortcuts that work while the menu is
    // closed, so they follow the selection at once, not when the menu opens.
    static constexpr std::pair<const char*, const char*> kTwins[] = {
        {"Add3", "Add1"},       {"Duplicate2", "Duplicate1"}, {"AddGroup2", "AddGroup1"},
        {"Delete2", "Delete1"}, {"Rename2", "Rename1"},       {"Properties2", "Properties1"},
    };
    for (const auto& [mine, twin] : kTwins) {
        QAction* action = Find(mEditMenu, mine);
        QAction* source = Find(mPopup, twin);
        action->setText(source->text());
        action->setEnabled(node && source->isEnabled());
    }
}

void TMainForm::UpdateFileMenu() {
    ApplyMode();
    const Preferences& p = Prefs();
    bool any = false;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string& entry = p.Recent[static_cast<std::size_t>(i)];
        QAction* item = mRecent[static_cast<std::size_t>(i)];
        bool shown = p.ShowRecent && !entry.empty();
        item->setVisible(shown);
        // The file name is shown as it is: '&' in it is no accelerator.
        QString name = PathToQt(ExtractFileName(entry)).replace(QLatin1Char('&'), QStringLiteral("&&"));
        item->setText(QStringLiteral("&%1 ").arg(i + 1) + name);
        // The whole path tells apart two games of the same name.
        const QString path = QDir::toNativeSeparators(PathToQt(entry));
        item->setToolTip(path);
        item->setStatusTip(path);
        any = any || shown;
    }
    mRecentMenu->menuAction()->setVisible(any);
}

void TMainForm::UpdateEditMenu() { UpdateTreeCommands(Selected()); }

void TMainForm::UpdateAddMenu() { ApplyMode(); }

void TMainForm::UpdateScriptsMenu() {
    ResourceNode* node = Selected();
    QAction* exportScripts = Find(mScriptsMenu, "ExportScripts1");
    std::int32_t kind = CResourceTree::NodeKind(node);
    if (CResourceTree::NodeType(node) == kTypeScripts && kind == kNodeGroup)
        exportScripts->setText(QStringLiteral("&Export Group of Scripts ..."));
    else if (CResourceTree::NodeType(node) == kTypeScripts && kind == kNodeResource)
        exportScripts->setText(QStringLiteral("&Export Selected Script ..."));
    else
        exportScripts->setText(QStringLiteral("&Export All Scripts ..."));
}

}  // namespace kestrin
