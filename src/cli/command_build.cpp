// kestrin-cli build GAME OUT [--debug]: what Create stand-alone does in the
// editor, without a window. Libraries are loaded first, as at the editor's
// start-up, so the game's actions and the library code section match.

#include "cli/command_build.h"

#include <cstdio>

#include "actions/action_registry.h"
#include "build/game_source.h"
#include "build/stand_alone.h"
#include "cli/command.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/resource_tree.h"

namespace kestrin::cli {

namespace {

// The game starts in the first existing room of the room order.
bool HasRoomToStart(Game& game) {
    for (std::int32_t index : game.Tree().RoomOrder())
        if (game.Rooms().ResourceExists(index)) return true;
    return false;
}

}  // namespace

int RunBuild(const std::vector<std::string>& arguments) {
    std::vector<std::string> names;
    bool debug = false, unknownOption = false;
    for (const auto& argument : arguments) {
        if (argument == "--debug") debug = true;
        else if (argument.size() > 1 && argument[0] == '-') unknownOption = true;
        else names.push_back(argument);
    }
    if (unknownOption || names.size() != 2) return kExitUsage;
    // A missing library folder is reported and the build goes on: the game
    // keeps the action fields it was saved with.
    LoadActionLibraries();

    Game game;
    if (!LoadGame(game, names[0])) return kExitFailed;
    if (!CreateStandAlone(names[1], debug, GameStandAloneSource(game))) return kExitFailed;
    std::printf("%s: written\n", names[1].c_str());
    if (!HasRoomToStart(game))
        std::fprintf(stderr, "kestrin-cli: warning: %s has no room; the executable cannot start\n", names[0].c_str());
    return kExitOk;
}

}  // namespace kestrin::cli
