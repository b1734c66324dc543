#pragma once
// The game inside the runner: the decoded game body read into a Game with the
// game file's own reader, and the room the game starts in.

#include <string>

#include "runner/game_data.h"

namespace kestrin {
class CRoom;
class Game;
}  // namespace kestrin

namespace kestrin::runner {

// Makes the game new and reads the body into it; false with a reason (the
// reader's own message when it gave one) for a body it cannot read. The
// body is read where it lies: its position moves.
bool LoadRunnerGame(GameData& data, Game& game, std::string& error);

// The first room of the room order that exists, or null.
CRoom* FirstRoom(Game& game);

}  // namespace kestrin::runner
