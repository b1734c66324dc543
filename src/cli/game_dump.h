#pragma once
// The dump of a game: one JSON object describing a game as loaded, so that
// two games can be compared and a game can be diffed in version control.
// Pictures and data appear as their size and SHA-256, texts as Latin-1.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {
class Game;
}

namespace kestrin::cli {

class JsonWriter;

// What a game file holds beyond the game: loading keeps neither.
struct GameFileFacts {
    std::int32_t Version = 0;
    std::vector<std::string> LibraryCode;
};

// Reads the header's format version and the library code section of a file
// that loads; false when the file does not get that far.
bool ReadGameFileFacts(const std::string& fileName, GameFileFacts& facts);

// Writes the game as one JSON object. The game is not changed in content.
void DumpGame(JsonWriter& json, Game& game, const GameFileFacts& facts);

}  // namespace kestrin::cli
