#pragma once
// A game as the stand-alone builder takes it: its body written by the game
// file's writer, and its icon.

#include "build/stand_alone.h"

namespace kestrin {

class Game;

// The game must outlive the source; the runner data is the default one.
StandAloneSource GameStandAloneSource(Game& game);

}  // namespace kestrin
