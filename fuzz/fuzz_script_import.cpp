// Importing a script text file into a game.

#include <exception>

#include "platform/random_source.h"
#include "scratch_file.h"
#include "storage/game.h"
#include "storage/script_text_file.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzScriptImport(const std::uint8_t* data, std::size_t size) {
    const std::string file = WriteScratchFile("scripts.txt", data, size);
    RandomSource random(1);
    // An empty game with its tree; a whole new game would draw its default
    // icon for every input.
    Game game(random);
    game.Tree().ResetTree();
    try {
        ImportScripts(file, game, game.Tree());
    } catch (const std::exception&) {
    }
    return 0;
}

}  // namespace kestrin::fuzz
