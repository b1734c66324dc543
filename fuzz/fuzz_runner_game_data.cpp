// The runner's reading of its game data: the bytes from the game data's
// offset of a stand-alone executable, decoded, and the body read as a game.

#include <string>
#include <vector>

#include "platform/random_source.h"
#include "runner/game_data.h"
#include "runner/runner_game.h"
#include "storage/game.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzRunnerGameData(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> tail(data, data + size);
    runner::GameData gameData;
    std::string error;
    if (!runner::ParseGameData(tail, gameData, error)) return 0;
    RandomSource random(1);
    Game game(random);
    std::vector<std::string> libraryCode;
    if (runner::LoadRunnerGame(gameData, game, libraryCode, error)) runner::FirstRoom(game);
    return 0;
}

}  // namespace kestrin::fuzz
