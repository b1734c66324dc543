// kestrin-cli merge GAME.ksd OTHER.ksd -o OUT.ksd: loads the game, merges the
// other file as the Merge command does and saves the result; an OUT.ksd that
// was there stays as backup 1. Nothing is written when the load or the merge
// fails.

#include "cli/command_merge.h"

#include <memory>

#include "cli/command.h"
#include "cli/game_command_line.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

namespace {
constexpr const char* kMergeFailedMessage = "Error merging game. File might have become corrupted.";
}

int RunMerge(const std::vector<std::string>& arguments) {
    GameCommandLine line;
    if (!ParseGameCommandLine(arguments, {2, true, false}, line))
        return kExitUsage;
    PrepareGameCommand(true, ReplacedOutput::KeptAsBackup);
    auto game = std::make_unique<Game>();
    if (!LoadGame(*game, line.files[0])) return kExitFailed;
    if (!MergeGame(*game, line.files[1])) {
        ShowMessage(kMergeFailedMessage);
        return kExitFailed;
    }
    return SaveGame(*game, line.output) ? kExitOk : kExitFailed;
}

}  // namespace kestrin::cli
