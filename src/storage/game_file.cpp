// Whole games in and out of .ksd files.

#include "storage/game_file.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "actions/action_registry.h"
#include "platform/file_system.h"
#include "platform/messages_after_progress.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "platform/web_addresses.h"
#include "storage/game.h"
#include "storage/resource_editor.h"
#include "storage/section_progress.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

// The list sections in file order with the progress shown after each.
struct ListSection {
    ResourceKind kind;
    int progress;
};
constexpr ListSection kListSections[] = {
    {ResourceKind::Sound, 20},      {ResourceKind::Sprite, 50},   {ResourceKind::Background, 60},
    {ResourceKind::Path, 65},       {ResourceKind::Script, 70},   {ResourceKind::DataFile, 75},
    {ResourceKind::TimeLine, 80},   {ResourceKind::Object, 85},   {ResourceKind::Room, 95},
};

void WriteLibraryCode(CStream& stream) {
    stream.WriteInteger(kLibraryCodeSectionVersion);
    stream.WriteInteger(LibraryCount());
    for (int i = 0; i < LibraryCount(); ++i) stream.WriteString(LibraryAt(i)->LibraryCode);
}

// The loaded libraries are not changed by a game file: the texts are only
// handed to a caller that plays the game.
bool ReadLibraryCode(CStream& stream, std::vector<std::string>* libraryCode) {
    if (stream.ReadInteger() != kLibraryCodeSectionVersion) return false;
    std::int32_t count = stream.ReadInteger();
    for (std::int32_t i = 0; i < count; ++i) {
        std::string code = stream.ReadString();
        if (libraryCode) libraryCode->push_back(std::move(code));
    }
    return true;
}

enum class HeaderUse { Load, Merge };

// Magic and version; shows the message of the use on refusal.
bool CheckHeader(CStream& stream, HeaderUse use) {
    const bool load = use == HeaderUse::Load;
    if (stream.ReadInteger() != kGameFileMagic) {
        ShowMessage(load ? "Error Loading: This is not a Kestrin file." : "This is not a Kestrin file.");
        return false;
    }
    std::int32_t version = stream.ReadInteger();
    if (version < kOldestGameFileVersion) {
        ShowMessage(load ? std::string("Error Loading: Cannot load game file created before version 5.0. A "
                                       "conversion program is available from the website ") +
                               kWebSiteAddress
                         : std::string("Cannot merge a game file created before version 5.0."));
        return false;
    }
    if (version > kGameFileVersion) {
        ShowMessage(std::string(load ? "Error Loading: " : "") +
                    "File was created with a newer version of Kestrin. Please get the new version from the web site.");
        return false;
    }
    stream.ReadInteger();  // the debug flag of executables
    return true;
}

std::array<std::uint8_t, 16> ReadGuidBytes(CStream& stream) {
    std::array<std::uint8_t, 16> bytes;
    stream.Read(bytes.data(), bytes.size());
    return bytes;
}

bool MergeBody(Game& game, CStream& stream, const std::string& fileName) {
    if (!CheckHeader(stream, HeaderUse::Merge)) return false;
    stream.ReadInteger();  // game id: the current game keeps its own
    ReadGuidBytes(stream);
    if (!CGameOptions::SkipOptions(stream)) return false;
    SetProgress(5);

    MergeOffsets offsets;
    int from = 5;
    for (const auto& section : kListSections) {
        int previous = 0;
        {
            SectionProgress share(from, section.progress);
            if (!game.ListOf(section.kind)->MergeList(stream, previous)) return false;
        }
        offsets[section.kind] = previous;
        SetProgress(section.progress);
        from = section.progress;
    }
    if (!CGameInformation::SkipInformation(stream)) return false;
    SetProgress(100);
    if (!ReadLibraryCode(stream, nullptr)) return false;

    auto& timeLines = game.TimeLines();
    for (int i = offsets[ResourceKind::TimeLine]; i < timeLines.ResourceCount(); ++i)
        if (auto* timeLine = timeLines.ResourceAt(i)) timeLine->RemapAfterMerge(offsets);
    auto& objects = game.Objects();
    for (int i = offsets[ResourceKind::Object]; i < objects.ResourceCount(); ++i)
        if (auto* object = objects.ResourceAt(i)) object->RemapAfterMerge(offsets, objects.ResourceCount());
    auto& rooms = game.Rooms();
    for (int i = offsets[ResourceKind::Room]; i < rooms.ResourceCount(); ++i)
        if (auto* room = rooms.ResourceAt(i))
            room->RemapAfterMerge(offsets[ResourceKind::Background], offsets[ResourceKind::Object], game);

    // The merged groups are named after the file, without folder and extension.
    return game.Tree().MergeTree(stream, ChangeFileExt(ExtractFileName(fileName), ""), offsets);
}

constexpr const char* kCannotCreateMessage =
    "Error Saving: Cannot create the file. The game has not been saved!Try saving your work under a different name.";

std::string TemporaryFileMessage(const std::string& fileName) {
    std::string folder = ExtractFilePath(fileName);
    if (folder.size() > 1) folder.pop_back();
    if (folder.empty()) folder = CurrentFolder();
    return "Error Saving: Cannot create a temporary file in " + folder +
           ". The game has not been saved!Try saving your work in another folder.";
}

// Reads the file whole; the message names the operation's failure.
bool ReadFile(const std::string& fileName, CStream& stream, const char* missingMessage) {
    if (!FileExists(fileName)) {
        ShowMessage(missingMessage);
        return false;
    }
    try {
        stream.LoadFromFile(fileName);
    } catch (const std::exception&) {
        ShowMessage("Error Loading: Failed to load the file.");
        return false;
    }
    return true;
}

// Old backups move one up, the current file becomes backup 1. The current
// file stays where it is (backup 1 is a second name of it) until the new
// content replaces it in one rename. Failures here are ignored.
void RotateBackups(const std::string& fileName) {
    // Backups run from ".gb1" to ".gb9", whatever the settings store holds.
    int last = std::min(Prefs().MaxBackup, 9);
    for (int k = last - 1; k >= 1; --k) {
        DeleteFile(BackupFileName(fileName, k + 1));
        RenameFile(BackupFileName(fileName, k), BackupFileName(fileName, k + 1));
    }
    DeleteFile(BackupFileName(fileName, 1));
    LinkOrCopyFile(fileName, BackupFileName(fileName, 1));
}

}  // namespace

std::string BackupFileName(const std::string& fileName, int k) {
    return ChangeFileExt(fileName, ".gb" + std::to_string(k));
}

void NewGame(Game& game) {
    game.NewIdentity();
    game.ClearLists();
    game.Information.ResetInformation();
    game.Options.ResetOptions();
    game.Tree().ResetTree();
    game.ClearChangedFlags();
}

bool WriteGameBody(Game& game, CStream& stream, bool debug) {
    stream.WriteInteger(kGameFileMagic);
    stream.WriteInteger(kGameFileVersion);
    stream.WriteInteger(debug ? 1 : 0);
    stream.WriteInteger(game.GameId);
    auto guid = game.GameGuid.ToBytes();
    stream.Write(guid.data(), guid.size());

    game.Options.SaveOptions(stream);
    SetProgress(5);
    for (const auto& section : kListSections) {
        if (!game.ListOf(section.kind)->SaveList(stream)) return false;
        SetProgress(section.progress);
    }
    game.Information.SaveInformation(stream);
    SetProgress(100);
    WriteLibraryCode(stream);
    return game.Tree().SaveTree(stream);
}

bool ReadGameBody(Game& game, CStream& stream, std::vector<std::string>* libraryCode) {
    if (!CheckHeader(stream, HeaderUse::Load)) return false;
    game.GameId = stream.ReadInteger();
    game.GameGuid = Guid::FromBytes(ReadGuidBytes(stream));
    if (!game.Options.LoadOptions(stream)) return false;
    SetProgress(5);
    int from = 5;
    for (const auto& section : kListSections) {
        {
            SectionProgress share(from, section.progress);
            if (!game.ListOf(section.kind)->LoadList(stream)) return false;
        }
        SetProgress(section.progress);
        from = section.progress;
    }
    if (!game.Information.LoadInformation(stream)) return false;
    SetProgress(100);
    if (!ReadLibraryCode(stream, libraryCode)) return false;
    return game.Tree().LoadTree(stream);
}

bool LoadGame(Game& game, const std::string& fileName, std::vector<std::string>* libraryCode) {
    CStream stream;
    if (!ReadFile(fileName, stream, "Error Loading: File does not exist.")) return false;
    bool ok;
    {
        MessagesAfterProgress held;
        StartProgress(kLoadingProgressText);
        NewGame(game);
        try {
            ok = ReadGameBody(game, stream, libraryCode);
        } catch (const std::exception&) {
            ok = false;
        }
        EndProgress();
    }
    if (!ok) {
        ShowMessage(kCorruptedMessage);
        NewGame(game);
        return false;
    }
    game.ClearChangedFlags();
    return true;
}

bool SaveGame(Game& game, const std::string& fileName) {
    StartProgress(kSavingProgressText);
    CStream stream;
    bool written;
    try {
        written = WriteGameBody(game, stream, false);
    } catch (const std::exception&) {
        written = false;
    }
    if (!written) {
        EndProgress();
        ShowMessage("Error Saving: Internal error. The game has not been saved!");
        return false;
    }

    // A link stays a link: the temporary file, the backups and the rename all
    // go beside the file it names.
    const std::string target = ResolveLinks(fileName);
    // The new content is complete on disk before anything old is touched, so
    // a failure leaves the previous file as it was.
    std::string temporary;
    try {
        temporary = WriteTemporaryBeside(target, stream.Data(), stream.Size());
    } catch (const TemporaryFileError&) {
        // A folder that takes no new file, though the file there could be
        // written, is worth naming: another name in it will not help.
        EndProgress();
        ShowMessage(FileWritable(target) ? TemporaryFileMessage(target) : kCannotCreateMessage);
        return false;
    } catch (const FileError&) {
        EndProgress();
        ShowMessage(kCannotCreateMessage);
        return false;
    }
    if (Prefs().Backup && FileExists(target)) RotateBackups(target);
    try {
        ReplaceWithTemporary(temporary, target);
    } catch (const FileError&) {
        EndProgress();
        ShowMessage(kCannotCreateMessage);
        return false;
    }
    EndProgress();
    game.ClearChangedFlags();
    if (EditorHost* host = game.Editors()) host->GameSaved();
    return true;
}

bool MergeGame(Game& game, const std::string& fileName) {
    CStream stream;
    if (!ReadFile(fileName, stream, "Error Merging: File does not exist.")) return false;
    MessagesAfterProgress held;
    StartProgress(kMergingProgressText);
    // A file that fails half-way must not leave the sections read so far in
    // the game with no place in the tree: they are taken back, with the ids
    // their rooms drew and the thumbnails their pictures added.
    struct ListState {
        int count;
        bool changed;
    };
    std::vector<ListState> before;
    for (const auto& section : kListSections) {
        const ResourceListBase* list = game.ListOf(section.kind);
        before.push_back({list->ResourceCount(), list->Changed()});
    }
    const std::int32_t lastInstanceId = game.LastInstanceId;
    const std::int32_t lastTileId = game.LastTileId;
    const int thumbnails = game.Icons.ThumbnailCount();
    bool ok;
    try {
        ok = MergeBody(game, stream, fileName);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            ResourceListBase* list = game.ListOf(kListSections[i].kind);
            list->TruncateList(before[i].count);
            list->SetChanged(before[i].changed);
        }
        game.LastInstanceId = lastInstanceId;
        game.LastTileId = lastTileId;
        game.Icons.Truncate(thumbnails);
    }
    EndProgress();
    return ok;
}

}  // namespace kestrin
