// The game body reader. A body that reads is saved again, and what is saved
// must read back: a game that loads but cannot be reloaded after saving
// would be lost.

#include <exception>

#include "platform/random_source.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "stream/stream.h"
#include "targets.h"

namespace kestrin::fuzz {

namespace {

bool ReadBody(Game& game, CStream& stream) {
    NewGame(game);
    try {
        return ReadGameBody(game, stream);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

int FuzzGameLoad(const std::uint8_t* data, std::size_t size) {
    RandomSource random(1);
    Game game(random);
    CStream stream;
    stream.Write(data, size);
    stream.SetPosition(0);
    if (!ReadBody(game, stream)) return 0;

    CStream saved;
    bool written = false;
    try {
        written = WriteGameBody(game, saved, false);
    } catch (const std::exception&) {
    }
    FuzzExpect(written, "a game that was read cannot be written");
    saved.SetPosition(0);
    Game again(random);
    FuzzExpect(ReadBody(again, saved), "a game written after reading does not read back");
    return 0;
}

}  // namespace kestrin::fuzz
