#pragma once
// Finding the game data in the runner's own executable file: the header at
// its fixed offset, the substitution undone, the game body located.

#include <cstdint>
#include <string>
#include <vector>

#include "stream/stream.h"

namespace kestrin::runner {

struct GameData {
    std::int32_t Seed = 0;
    CStream Body;  // the game body, decoded, positioned at its start
    std::size_t TrailingBytes = 0;
    bool Debug = false;  // built for debugging: the game plays with the debug window
};

// Reads the game data of the executable at the path; false with a reason when
// it is missing or damaged.
bool ReadGameData(const std::string& executable, GameData& data, std::string& error);

// The same for the bytes of the file from the game data's offset on (the
// seed, the substituted header and body, the trailing bytes); the bytes are
// decoded in place.
bool ParseGameData(std::vector<std::uint8_t>& tail, GameData& data, std::string& error);

}  // namespace kestrin::runner
