// kestrin-cli new OUT.ksd: a new game (new id and GUID, default options,
// information and tree) saved as the editor saves it.

#include "cli/command_new.h"

#include <memory>

#include "cli/command.h"
#include "cli/game_command_line.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

int RunNew(const std::vector<std::string>& arguments) {
    GameCommandLine line;
    if (!ParseGameCommandLine(arguments, {1, false, false}, line)) return kExitUsage;
    PrepareGameCommand(true);
    auto game = std::make_unique<Game>();
    NewGame(*game);
    return SaveGame(*game, line.files[0]) ? kExitOk : kExitFailed;
}

}  // namespace kestrin::cli
