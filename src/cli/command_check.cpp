// kestrin-cli check GAME.ksd: the lines of "Checking Resource Names" and
// "Checking All Scripts", in that order, then a warning for every call of a
// built-in function that the game runner does not provide.

#include "cli/command_check.h"

#include <algorithm>
#include <cstdio>

#include "cli/command.h"
#include "cli/info_output.h"
#include "engine/runner_coverage.h"
#include "language/game_names.h"
#include "language/project_checks.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

namespace {

// Every finding opens a resource; the "<No ... were found>" lines open none.
bool FoundAnything(const std::vector<InfoLine>& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const InfoLine& line) { return line.kind != -1; });
}

}  // namespace

int RunCheck(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return kExitUsage;
    Game game;
    if (!LoadGame(game, arguments[0])) return kExitFailed;
    const GameNames names(game);
    const auto resourceNames = CheckResourceNames(names);
    const auto scripts = CheckAllScripts(names);
    PrintInfoLines(resourceNames);
    PrintInfoLines(scripts);
    // Warnings only: the game still runs, and says so when it gets there.
    for (const engine::FunctionUse& use : engine::UnprovidedFunctionUses(game))
        std::printf("Warning: %s calls %s, which the game runner does not provide\n", use.where.c_str(),
                    use.function.c_str());
    return FoundAnything(resourceNames) || FoundAnything(scripts) ? kExitFailed : kExitOk;
}

}  // namespace kestrin::cli
