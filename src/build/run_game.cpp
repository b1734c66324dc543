// RunGame: build into the scratch folder, start, wait, clean up.

#include "build/run_game.h"

#include "build/executable_name.h"
#include "build/stand_alone.h"
#include "platform/external_program.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/scratch_folder.h"
#include "platform/user_interface.h"

namespace kestrin {

std::string RunExecutableName(const std::string& gameFileName) {
    return ExtractFileName(ExecutableNameFor(gameFileName));
}

std::string RunWorkingFolder(const std::string& gameFileName) {
    if (gameFileName.empty()) return ScratchFolder();
    std::string folder = ExtractFilePath(gameFileName);
    return folder.empty() ? CurrentFolder() : folder;
}

void RunGame(bool debug, const RunGameFacts& facts, RunGameHost& host, const ExecutableWriter& writeExecutable) {
    if (!facts.HasRoom) {
        ShowMessage(kNoRoomMessage);
        return;
    }
    if (debug && facts.ExclusiveGraphics) {
        ShowMessage(kExclusiveDebugMessage);
        return;
    }
    const bool hideWait = Prefs().HideWait;
    if (hideWait) host.HideWindows();

    std::string executable = JoinPath(ScratchFolder(), RunExecutableName(facts.GameFileName));
    std::string folder = RunWorkingFolder(facts.GameFileName);

    host.SetBusy(true);
    // Something that cannot be deleted (where the system locks a running
    // game's executable, or a folder of that name) gets a fresh name beside it.
    if (PathExists(executable) && !DeleteFile(executable)) executable = TempFileName(kExecutableExtension);
    bool written = false;
    try {
        written = writeExecutable && writeExecutable(executable, debug);
    } catch (...) {
        // The writer reports its own failures; should one escape anyway, the
        // windows still have to come back.
        ShowMessage(StandAloneMessage(kGameBodyFailed));
    }
    host.SetBusy(false);

    if (written) {
        if (!RunProgram(executable, {}, folder, hideWait)) ShowMessage(kRunFailedMessage);
        if (hideWait) {
            DeleteFile(executable);
            host.ShowWindows();
        }
    } else if (hideWait) {
        host.ShowWindows();
    }
}

}  // namespace kestrin
