// Merging a game file: into an empty game, then the same file again into the
// game that now holds its resources, so references are rewritten against
// existing ones.

#include "platform/random_source.h"
#include "scratch_file.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzGameMerge(const std::uint8_t* data, std::size_t size) {
    const std::string file = WriteScratchFile("merged.ksd", data, size);
    RandomSource random(1);
    Game game(random);
    NewGame(game);
    if (MergeGame(game, file)) MergeGame(game, file);
    return 0;
}

}  // namespace kestrin::fuzz
