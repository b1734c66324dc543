// kestrin-cli export-scripts / import-scripts: the Scripts menu's export of
// all scripts and import of a script file, on game files.

#include "cli/command_scripts.h"

#include <memory>

#include "cli/command.h"
#include "cli/game_command_line.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/script_text_file.h"

namespace kestrin::cli {

namespace {

// Passes everything on to the interface below and counts the messages: the
// import reports its one failure ("File contains no scripts.") only so.
class MessageCounter : public UserInterface {
public:
    explicit MessageCounter(UserInterface& below) : mBelow(below) {}
    int Messages() const { return mMessages; }

    void ShowMessage(const std::string& text) override {
        ++mMessages;
        mBelow.ShowMessage(text);
    }
    bool AskYesNo(const std::string& text) override { return mBelow.AskYesNo(text); }
    Answer AskYesNoCancel(const std::string& text) override { return mBelow.AskYesNoCancel(text); }
    void StartProgress(const std::string& text) override { mBelow.StartProgress(text); }
    void SetProgress(int percent) override { mBelow.SetProgress(percent); }
    void EndProgress() override { mBelow.EndProgress(); }
    void ProcessPendingEvents() override { mBelow.ProcessPendingEvents(); }

private:
    UserInterface& mBelow;
    int mMessages = 0;
};

}  // namespace

int RunExportScripts(const std::vector<std::string>& arguments) {
    GameCommandLine line;
    if (!ParseGameCommandLine(arguments, {2, false, false}, line))
        return kExitUsage;
    PrepareGameCommand(true);
    auto game = std::make_unique<Game>();
    if (!LoadGame(*game, line.files[0])) return kExitFailed;
    try {
        ExportAllScripts(line.files[1], *game, game->Tree());
    } catch (const FileError& error) {
        ShowMessage(error.what());
        return kExitFailed;
    }
    return kExitOk;
}

int RunImportScripts(const std::vector<std::string>& arguments) {
    GameCommandLine line;
    if (!ParseGameCommandLine(arguments, {2, true, false}, line))
        return kExitUsage;
    PrepareGameCommand(true, ReplacedOutput::KeptAsBackup);
    auto game = std::make_unique<Game>();
    if (!LoadGame(*game, line.files[0])) return kExitFailed;
    MessageCounter counter(UI());
    {
        ScopedUI installed(counter);
        try {
            ImportScripts(line.files[1], *game, game->Tree());
        } catch (const FileError& error) {
            ShowMessage(error.what());
        }
    }
    if (counter.Messages() > 0) return kExitFailed;
    return SaveGame(*game, line.output) ? kExitOk : kExitFailed;
}

}  // namespace kestrin::cli
