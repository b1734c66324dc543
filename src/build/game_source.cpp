// GameStandAloneSource.

#include "build/game_source.h"

#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin {

StandAloneSource GameStandAloneSource(Game& game) {
    StandAloneSource source;
    source.WriteGameBody = [&game](CStream& stream, bool debug) { return WriteGameBody(game, stream, debug); };
    source.GameIcon = game.Options.GameIcon;
    return source;
}

}  // namespace kestrin
