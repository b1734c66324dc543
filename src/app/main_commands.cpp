// TMainForm: the file commands (new, open, recent, save, merge, mode), the
// tree and edit commands, the add commands, Find resource and the script files.

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/busy_cursor.h"
#include "app/main_form.h"
#include "editors/object_information_form.h"
#include "app/resource_tree_view.h"
#include "app/text_convert.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/resource_tree.h"
#include "storage/script_text_file.h"

namespace kestrin {

namespace {

std::string FolderIfExists(const std::string& folder) { return FolderExists(folder) ? folder : std::string(); }

bool HasGameExtension(const std::string& name) { return LowerFileExt(name) == ".ksd"; }

FileDialogSpec GameFileDialog(const char* name, const char* title, bool save, bool backups) {
    FileDialogSpec spec;
    spec.objectName = name;
    spec.title = title;
    spec.defaultExtension = "ksd";
    spec.filter = "Game files (*.ksd)";
    if (backups) spec.filter += ";;Backup files (*.gb1 *.gb2 *.gb3 *.gb4 *.gb5 *.gb6 *.gb7 *.gb8 *.gb9)";
    spec.save = save;
    spec.mustExist = !save;
    return spec;
}

FileDialogSpec ScriptFileDialog(const char* name, const char* title, bool save) {
    FileDialogSpec spec;
    spec.objectName = name;
    spec.title = title;
    spec.defaultExtension = "ksl";
    spec.filter = "Script files (*.ksl)";
    spec.save = save;
    spec.mustExist = !save;
    return spec;
}

// The folder of a chosen file, without its trailing separator.
std::string FolderOf(const std::string& file) {
    std::string folder = ExtractFilePath(file);
    if (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
    return folder;
}

}  // namespace

ResourceNode* TMainForm::Selected() const { return mTree->SelectedNode(); }

bool TMainForm::AskSaveChanges() {
    if (!mGame.GameChanged()) return true;
    switch (AskYesNoCancel(kSaveChangesQuestion)) {
        case Answer::Yes: SaveCommand(); return true;
        case Answer::No: return true;
        case Answer::Cancel: return false;
    }
    return false;
}

bool TMainForm::LoadFile(const std::string& fileName) {
    mFileName = fileName;
    bool loaded;
    {
        BusyCursor busy;
        loaded = LoadGame(mGame, fileName);
    }
    // The game is not that file's content: the next Save must not write over it.
    if (!loaded) mFileName.clear();
    UpdateTitle();
    return loaded;
}

void TMainForm::NewCommand() {
    if (!CloseAllChildWindows() || !AskSaveChanges()) return;
    mFileName.clear();
    NewGame(mGame);
    UpdateTitle();
}

void TMainForm::OpenCommand() {
    if (!CloseAllChildWindows() || !AskSaveChanges()) return;
    FileDialogSpec spec = GameFileDialog("FileOpenDialog", "Open a game", false, true);
    spec.folder = FolderIfExists(Prefs().GameDir);
    std::optional<std::string> file = mDialogs->ChooseFile(spec);
    if (!file) return;
    Prefs().GameDir = FolderOf(*file);
    if (LoadFile(*file)) AddRecentFile(Prefs().Recent, *file);
}

void TMainForm::OpenRecentCommand(int i) {
    if (i < 0 || i >= kRecentFileCount) return;
    std::string file = Prefs().Recent[static_cast<std::size_t>(i)];
    if (!FileExists(file)) {
        ShowMessage(kCannotFindFileMessage);
        RemoveRecentFile(Prefs().Recent, i);
        return;
    }
    if (!AskSaveChanges()) return;
    LoadFile(file);
    AddRecentFile(Prefs().Recent, file);
}

void TMainForm::SaveCommand() {
    // A loaded backup is never overwritten in place.
    if (mFileName.empty() || !HasGameExtension(mFileName)) {
        SaveAsCommand();
        return;
    }
    {
        BusyCursor busy;
        SaveGame(mGame, mFileName);
    }
    UpdateTitle();
}

void TMainForm::SaveAsCommand() {
    FileDialogSpec spec = GameFileDialog("FileSaveDialog", "Save the game", true, false);
    spec.folder = FolderIfExists(Prefs().GameDir);
    // A loaded backup is offered under its game's name, never its own.
    spec.proposedName = mFileName.empty() || HasGameExtension(mFileName) ? mFileName : ChangeFileExt(mFileName, ".ksd");
    std::optional<std::string> file = mDialogs->ChooseFile(spec);
    if (!file) return;
    Prefs().GameDir = FolderOf(*file);
    mFileName = *file;
    {
        BusyCursor busy;
        SaveGame(mGame, mFileName);
    }
    AddRecentFile(Prefs().Recent, mFileName);
    UpdateTitle();
}

void TMainForm::MergeCommand() {
    FileDialogSpec spec = GameFileDialog("FileMergeDialog", "Merge a game", false, false);
    spec.folder = mMergeFolder.empty() ? FolderIfExists(Prefs().GameDir) : mMergeFolder;
    std::optional<std::string> file = mDialogs->ChooseFile(spec);
    if (!file) return;
    mMergeFolder = FolderOf(*file);
    bool merged;
    {
        BusyCursor busy;
        merged = MergeGame(mGame, *file);
    }
    if (!merged) ShowMessage(kMergeFailedMessage);
    UpdateTitle();
}

void TMainForm::SwitchModeCommand() {
    if (mGame.GameChanged()) {
        Answer answer = AskYesNoCancel(kModeSaveQuestion);
        if (answer == Answer::Cancel) {
            ApplyMode();  // the check mark stays as it was
            return;
        }
        if (answer == Answer::Yes) SaveCommand();
    } else if (!mFileName.empty()) {
        if (!mDialogs->AskOkCancel(kModeCloseQuestion)) {
            ApplyMode();
            return;
        }
    }
    if (!CloseAllChildWindows()) {
        ApplyMode();
        return;
    }
    Prefs().Advanced = !Prefs().Advanced;
    ApplyMode();
    mFileName.clear();
    NewGame(mGame);
    UpdateTreeCommands(Selected());
    UpdateTitle();
}

// ---- tree and edit commands -------------------------------------------------------

void TMainForm::OpenNodeCommand(ResourceNode* node) {
    if (!node || node->Data.Kind != kNodeResource) return;
    if (node->Data.Type == kTypeGameInformation)
        OpenGameInformation();
    else if (node->Data.Type == kTypeGameOptions)
        OpenGameOptions();
    else
        mGame.Tree().OpenNode(node);
}

void TMainForm::AddCommand() {
    ResourceNode* node = Selected();
    std::int32_t type = CResourceTree::NodeType(node);
    if (!node || type == kTypeGameInformation || type == kTypeGameOptions) return;
    if (ResourceNode* added = mGame.Tree().AddResourceNode(node, type)) OpenNodeCommand(added);
}

void TMainForm::DuplicateCommand() {
    if (ResourceNode* copy = mGame.Tree().DuplicateNode(Selected())) OpenNodeCommand(copy);
}

void TMainForm::AddGroupCommand() {
    ResourceNode* node = Selected();
    std::int32_t type = CResourceTree::NodeType(node);
    if (!node || type == kTypeGameInformation || type == kTypeGameOptions) return;
    std::optional<std::string> text = mDialogs->InputText(kAddGroupCaption, kAddGroupPrompt, kAddGroupDefault);
    if (!text) return;
    mGame.Tree().AddGroup(node, *text);
}

void TMainForm::DeleteCommand() {
    ResourceNode* node = Selected();
    std::int32_t type = CResourceTree::NodeType(node);
    if (!node || node->Data.Kind == kNodeSection || type == kTypeGameInformation || type == kTypeGameOptions) return;
    if (!AskYesNo(CResourceTree::DeleteQuestion(node))) return;
    mGame.Tree().DeleteNode(node);
}

void TMainForm::RenameCommand() {
    ResourceNode* node = Selected();
    std::int32_t type = CResourceTree::NodeType(node);
    if (!node || node->Data.Kind == kNodeSection || type == kTypeGameInformation || type == kTypeGameOptions) return;
    mTree->RenameSelected();
}

void TMainForm::PropertiesCommand() { OpenNodeCommand(Selected()); }

void TMainForm::SortCommand() {
    ResourceNode* node = Selected();
    if (node && (node->Data.Kind == kNodeSection || node->Data.Kind == kNodeGroup)) mGame.Tree().SortNode(node);
}

void TMainForm::AddResourceCommand(std::int32_t type) {
    ResourceNode* section = mGame.Tree().Section(type);
    if (!section) return;
    if (ResourceNode* added = mGame.Tree().AddResourceNode(section, type)) OpenNodeCommand(added);
}

void TMainForm::FindResourceCommand() {
    std::optional<std::string> name = mDialogs->InputText("Finding a Resource", "Resource name:", "");
    if (!name) return;
    static constexpr ResourceKind kOrder[] = {ResourceKind::Object,     ResourceKind::Room,     ResourceKind::Sprite,
                                              ResourceKind::Sound,      ResourceKind::Background, ResourceKind::Path,
                                              ResourceKind::DataFile,   ResourceKind::TimeLine, ResourceKind::Script};
    for (ResourceKind kind : kOrder) {
        ResourceListBase* list = mGame.ListOf(kind);
        if (!list) continue;
        int index = list->FindResource(*name);
        if (index >= 0) {
            list->OpenResource(index);
            return;
        }
    }
    ShowMessage(kCannotFindResourcePrefix + *name);
}

// ---- script files -----------------------------------------------------------------

void TMainForm::ImportScriptsCommand() {
    FileDialogSpec spec = ScriptFileDialog("ImportScriptsDialog", "Import scripts", false);
    spec.folder = FolderIfExists(Prefs().ScriptDir);
    std::optional<std::string> file = mDialogs->ChooseFile(spec);
    if (!file) return;
    Prefs().ScriptDir = FolderOf(*file);
    mScriptFileName = *file;
    try {
        ImportScripts(*file, mGame, mGame.Tree());
    } catch (const FileError& error) {
        ShowMessage(error.what());
    }
}

void TMainForm::ExportCommand() { ExportScriptsFrom(Selected()); }

void TMainForm::ExportScriptsFrom(ResourceNode* node) {
    FileDialogSpec spec = ScriptFileDialog("ExportScriptsDialog", "Export scripts", true);
    spec.folder = FolderIfExists(Prefs().ScriptDir);
    spec.proposedName = mScriptFileName;
    std::optional<std::string> file = mDialogs->ChooseFile(spec);
    if (!file) return;
    Prefs().ScriptDir = FolderOf(*file);
    CResourceTree& tree = mGame.Tree();
    try {
        if (node && tree.SectionOf(node) == tree.Section(kTypeScripts))
            ExportScripts(*file, mGame, node);
        else
            ExportAllScripts(*file, mGame, tree);
    } catch (const FileError& error) {
        ShowMessage(error.what());
    }
}

// ---- windows without a list ---------------------------------------------------------

void TMainForm::ShowObjectInformation() { ShowAllObjectsInformation(mGame, *mClientArea); }

}  // namespace kestrin
