// kestrin-cli list functions|variables|constants|resources [GAME.ksd]: the
// lines of the listing windows as text. Without a game there are no
// resources and no user constants.

#include "cli/command_list.h"

#include "cli/command.h"
#include "cli/info_output.h"
#include "language/game_names.h"
#include "language/project_checks.h"
#include "language/project_names.h"
#include "platform/preferences.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

int RunList(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) return kExitUsage;
    InfoType type;
    const std::string& what = arguments[0];
    if (what == "functions")
        type = InfoType::BuiltinFunctions;
    else if (what == "variables")
        type = InfoType::BuiltinVariables;
    else if (what == "constants")
        type = InfoType::Constants;
    else if (what == "resources")
        type = InfoType::ResourceNames;
    else
        return kExitUsage;
    if (arguments.size() == 1) {
        PrintInfoLines(ComputeInfoLines(type, ProjectNames(), Prefs().Colors));
        return kExitOk;
    }
    Game game;
    if (!LoadGame(game, arguments[1])) return kExitFailed;
    PrintInfoLines(ComputeInfoLines(type, GameNames(game), Prefs().Colors));
    return kExitOk;
}

}  // namespace kestrin::cli
