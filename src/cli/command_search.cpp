// kestrin-cli search GAME.ksd TEXT: the lines of "Searching Scripts for",
// the text matched exactly and case-sensitively.

#include "cli/command_search.h"

#include "cli/command.h"
#include "cli/info_output.h"
#include "language/game_names.h"
#include "language/project_checks.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

int RunSearch(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) return kExitUsage;
    Game game;
    if (!LoadGame(game, arguments[0])) return kExitFailed;
    PrintInfoLines(SearchScripts(GameNames(game), arguments[1]));
    return kExitOk;
}

}  // namespace kestrin::cli
