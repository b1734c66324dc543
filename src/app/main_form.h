#pragma once
// TMainForm: the main window. The resource tree on the left, the client area
// with the editor windows, the tool bar and the menus; the 100 ms timer keeps
// the title showing the mode, the file and its changed mark. The commands
// live in main_commands.cpp (file, edit, add, scripts), main_menus.cpp (menus,
// tool bar, enabled states), dropped_files.cpp and build_help_commands.cpp.

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/app_dialogs.h"
#include "app/recent_files.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QTreeView;

namespace kestrin {

class EditorWindows;
class ScriptInfoWindows;
class Game;
class ResourceNode;
class ResourceTreeModel;
class TResourceTree;

// "Kestrin: " or "Kestrin Simple: ", the file name or "<new game>", and "*"
// while the game has changes.
QString MainTitle(bool advanced, const std::string& fileName, bool changed);

// The command line's arguments joined with single blanks: one file name.
std::string CommandLineFileName(const QStringList& arguments);

// The listings of the Scripts menu.
enum class ListingKind { BuiltinVariables, BuiltinFunctions, Constants, ResourceNames };

inline constexpr const char* kLowResolutionQuestion =
    "Kestrin requires a screen resolution of at least 800x600. Running it on a lower resolution can cause "
    "serious problems. Do you still want to continue?";
inline constexpr const char* kSaveChangesQuestion = "Game has been changed. Save Changes?";
inline constexpr const char* kModeSaveQuestion =
    "The game will be closed before changing the mode. Do you want to save the changes?";
inline constexpr const char* kModeCloseQuestion = "The game will be closed before changing the mode.";
inline constexpr const char* kCannotFindFileMessage = "Cannot find the file.";
inline constexpr const char* kMergeFailedMessage = "Error merging game. File might have become corrupted.";
inline constexpr const char* kCannotFindResourcePrefix = "Cannot find resource ";

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Game& game, QWidget* parent = nullptr);
    ~TMainForm() override;

    Game& GameData() const { return mGame; }
    QMdiArea* ClientArea() const { return mClientArea; }
    TResourceTree* ResourceTree() const { return mTree; }
    const std::string& FileName() const { return mFileName; }
    void SetFileName(const std::string& name) { mFileName = name; }
    void UpdateTitle();

    // The arguments after the program's name, opened at the first showing.
    void SetCommandLine(const QStringList& arguments) { mArguments = arguments; }
    // Tests answer the dialogs; the form keeps ownership of its own Qt ones.
    void SetDialogs(AppDialogs* dialogs) { mDialogs = dialogs; }
    AppDialogs& Dialogs() const { return *mDialogs; }

    // Offered to the editor windows.
    bool AskSaveChanges();
    // Closes every child window as its close box would; false when one of
    // them stays open (its question was cancelled), and the command that
    // asked stops.
    bool CloseAllChildWindows();
    void PlaceChildWindow(QMdiSubWindow* window);
    // Shows an editor window as a child of the client area, placed.
    void ShowChildWindow(QMdiSubWindow* window);

    // File commands.
    void NewCommand();
    void OpenCommand();
    void OpenRecentCommand(int i);
    void SaveCommand();
    void SaveAsCommand();
    void MergeCommand();
    void SwitchModeCommand();
    // Makes the file current and loads it with a busy cursor; true on success.
    // A failed load leaves no current file name.
    bool LoadFile(const std::string& fileName);

    // Edit and tree commands on the selected node.
    void AddCommand();
    void DuplicateCommand();
    void AddGroupCommand();
    void DeleteCommand();
    void RenameCommand();
    void PropertiesCommand();
    void SortCommand();
    void ExportCommand();
    void FindResourceCommand();
    // Add menu: a new resource of the type, last in its section, opened.
    void AddResourceCommand(std::int32_t type);
    void OpenNodeCommand(ResourceNode* node);
    void ImportScriptsCommand();

    // The game information and options editors; the object information
    // window.
    void OpenGameInformation();
    void OpenGameOptions();
    void ShowObjectInformation();

    // Files dropped on the window, in order.
    void DropFiles(const std::vector<std::string>& files);

    // The build, check, run and help commands (build_help_commands.cpp).
    void OnPreferences();
    void OnCreateStandAlone();
    void OnShowListing(ListingKind kind);
    void OnSearchInScripts();
    void OnCheckResourceNames();
    void OnCheckAllScripts();
    void OnRun(bool debug);
    void OnHelpContents();
    void OnWebsite();
    void OnForum();
    void OnAbout();
    void BuildTutorialsMenu();
    // An example game of the tutorials folder, opened as Open opens a chosen file.
    void OpenExampleCommand(const std::string& fileName);
    ScriptInfoWindows& InfoWindows();

    // The enabled states and captions of the tree commands for the node.
    void UpdateTreeCommands(ResourceNode* node);
    // The File1, Edit1, Add2 and Scripts1 menus as they are about to open.
    void UpdateFileMenu();
    void UpdateEditMenu();
    void UpdateAddMenu();
    void UpdateScriptsMenu();
    // Buttons and menus that exist only in advanced mode.
    void ApplyMode();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildTreePopup();
    QAction* AddAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    void FirstShow();
    void StoreBounds();
    ResourceNode* Selected() const;
    void ExportScriptsFrom(ResourceNode* node);

    Game& mGame;
    std::unique_ptr<AppDialogs> mOwnDialogs;
    AppDialogs* mDialogs;
    std::unique_ptr<EditorWindows> mEditors;
    std::string mFileName;
    std::string mMergeFolder;     // the merge dialog's own folder once it has one
    std::string mScriptFileName;  // proposed by the export dialog after an import
    QStringList mArguments;
    bool mFirstShow = true;

    QSplitter* mSplitter = nullptr;
    QMdiArea* mClientArea = nullptr;
    ResourceTreeModel* mModel = nullptr;
    TResourceTree* mTree = nullptr;
    QTreeView* mHiddenTree = nullptr;
    QTimer* mCheckTimer = nullptr;
    QToolBar* mToolBar = nullptr;
    QMenu* mPopup = nullptr;
    QMenu* mFileMenu = nullptr;
    QMenu* mEditMenu = nullptr;
    QMenu* mAddMenu = nullptr;
    QMenu* mScriptsMenu = nullptr;
    QMenu* mRecentMenu = nullptr;
    QMenu* mTutorialsMenu = nullptr;
    std::array<QAction*, kRecentFileCount> mRecent{};
    std::unique_ptr<ScriptInfoWindows> mInfoWindows;
};

}  // namespace kestrin
