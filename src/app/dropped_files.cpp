// Files dropped on the main window: sounds, pictures, script files and games.

#include "app/dropped_files.h"

#include <optional>

#include "app/main_form.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/resource_tree.h"
#include "storage/script_text_file.h"

namespace kestrin {

DroppedFileKind ClassifyDroppedFile(const std::string& fileName) {
    const std::string ext = LowerFileExt(fileName);
    static constexpr const char* kSounds[] = {".wav", ".mid", ".mp3"};
    static constexpr const char* kPictures[] = {".gif", ".bmp", ".png", ".psp", ".pcd", ".pic", ".pcx",
                                                ".ico", ".emf", ".wmf", ".tif", ".tiff", ".jpg", ".jpeg"};
    for (const char* e : kSounds)
        if (ext == e) return DroppedFileKind::Sound;
    for (const char* e : kPictures)
        if (ext == e) return DroppedFileKind::Picture;
    if (ext == ".ksl") return DroppedFileKind::ScriptFile;
    if (ext == ".ksd") return DroppedFileKind::GameFile;
    return DroppedFileKind::Other;
}

std::string FileTitle(const std::string& fileName) {
    std::string name = ExtractFileName(fileName);
    std::string ext = ExtractFileExt(name);
    return name.substr(0, name.size() - ext.size());
}

void TMainForm::DropFiles(const std::vector<std::string>& files) {
    CResourceTree& tree = mGame.Tree();
    // A new resource of the type, filled from the file, named after it, opened.
    // A file that cannot be read leaves nothing behind: the list, the tree
    // and their changed marks are as before.
    auto importAs = [&](std::int32_t type, const std::string& file, auto load) {
        ResourceListBase* list = mGame.ListOf(*KindOfType(type));
        const int count = list->ResourceCount();
        const bool listChanged = list->Changed(), treeChanged = tree.Changed();
        ResourceNode* node = tree.AddResourceNode(tree.Section(type), type);
        if (!node) return;
        if (!load(node->Data.Index)) {
            tree.DeleteNode(node);
            list->TruncateList(count);
            list->SetChanged(listChanged);
            tree.SetChanged(treeChanged);
            ShowMessage(kFailedToLoadFileMessage);
            return;
        }
        list->UpdateIcon(node->Data.Index);
        tree.RenameNode(node, list->ResourceName(node->Data.Index) + "_" + FileTitle(file));
        OpenNodeCommand(node);
    };
    std::optional<ImageResourceChoice> pictureChoice;  // asked once per drop
    for (const std::string& file : files) {
        switch (ClassifyDroppedFile(file)) {
            case DroppedFileKind::Sound:
                importAs(kTypeSounds, file,
                         [&](int index) { return mGame.Sounds().ResourceAt(index)->LoadFromFile(file); });
                break;
            case DroppedFileKind::Picture:
                if (!pictureChoice) pictureChoice = mDialogs->AskImageResource();
                if (*pictureChoice == ImageResourceChoice::Sprite)
                    importAs(kTypeSprites, file,
                             [&](int index) { return mGame.Sprites().ResourceAt(index)->LoadFromFile(file); });
                else if (*pictureChoice == ImageResourceChoice::Background)
                    importAs(kTypeBackgrounds, file,
                             [&](int index) { return mGame.Backgrounds().ResourceAt(index)->LoadFromFile(file); });
                break;
            case DroppedFileKind::ScriptFile:
                try {
                    ImportScripts(file, mGame, tree);
                } catch (const FileError& error) {
                    ShowMessage(error.what());
                }
                break;
            case DroppedFileKind::GameFile:
                if (!AskSaveChanges()) break;
                if (LoadFile(file)) AddRecentFile(Prefs().Recent, file);
                break;
            case DroppedFileKind::Other:
                break;
        }
    }
    UpdateTitle();
}

}  // namespace kestrin
