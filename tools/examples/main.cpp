// kestrin-examples LIBRARY_FOLDER OUTPUT_FOLDER: makes the example games
// (a maze, a shooter and a platformer) with the game model and the standard
// action libraries, as a user would with the editors, and saves each as a
// game file in the output folder. The build runs it; the examples land in
// the tutorials folder beside the programs.

#include <cstdio>
#include <filesystem>
#include <string>

#include "actions/action_registry.h"
#include "examples/example_games.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrin-examples LIBRARY_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    kestrin::SilentUI silent;
    kestrin::ScopedUI installed(silent);
    if (!kestrin::LoadActionLibrariesFrom(argv[1])) {
        std::fprintf(stderr, "kestrin-examples: cannot load the action libraries from %s\n", argv[1]);
        return 1;
    }
    const std::string folder = argv[2];
    for (const kestrin::examples::ExampleGame& example : kestrin::examples::ExampleGames()) {
        kestrin::Game game;
        example.make(game);
        const std::string file = folder + "/" + example.fileName;
        // Each build makes the examples afresh: an earlier copy is not worth a
        // backup file beside the new one.
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        if (!kestrin::SaveGame(game, file)) {
            std::fprintf(stderr, "kestrin-examples: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
