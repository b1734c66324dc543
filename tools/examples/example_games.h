#pragma once
// The example games, each made in code step by step the way the tutorial
// makes the first of them with the editors.

#include <string>
#include <vector>

namespace kestrin {
class Game;
}

namespace kestrin::examples {

struct ExampleGame {
    const char* fileName;
    void (*make)(Game& game);
};

const std::vector<ExampleGame>& ExampleGames();

void MakeMaze(Game& game);
void MakeShooter(Game& game);
void MakePlatformer(Game& game);

}  // namespace kestrin::examples
