#pragma once
// The game inside the runner: the decoded game body read into a Game with the
// game file's own reader, and the room the game starts in.

#include <functional>
#include <string>
#include <vector>

#include "runner/game_data.h"

namespace kestrin {
class CRoom;
class Game;
}  // namespace kestrin

namespace kestrin::runner {

// Told how far reading has got, in percent, from the moment the game's
// options have been read (so a loading window can follow them) to 100.
using LoadingProgress = std::function<void(const Game& game, int percent)>;

// Makes the game new and reads the body into it; false with a reason (the
// reader's own message when it gave one) for a body it cannot read. The
// body is read where it lies: its position moves.
// The library code the body carries goes to libraryCode.
bool LoadRunnerGame(GameData& data, Game& game, std::vector<std::string>& libraryCode, std::string& error,
                    const LoadingProgress& progress = {});

// Reads a game file (.ksd) instead, for playing a game that is not built
// into an executable; false with the reader's message.
bool LoadGameFile(const std::string& fileName, Game& game, std::vector<std::string>& libraryCode,
                  std::string& error, const LoadingProgress& progress = {});

// The first room of the room order that exists, or null.
CRoom* FirstRoom(Game& game);

}  // namespace kestrin::runner
