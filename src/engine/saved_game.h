#pragma once
// A game as saved while it is played: the room being played with what the
// code changed in it, the game-wide values, every instance with its own
// variables, the persistent rooms left behind, the globals with the names
// globalvar made global, the data structures, the particles, the message
// look and the random source. The file starts with a mark and the game's
// id, so a file of another game is told apart from a damaged one; the rest
// is one compressed block. Reading trusts nothing: counts are checked against the bytes that
// remain and every index against the game before anything is made.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/instance.h"
#include "engine/message_look.h"
#include "engine/saved_particles.h"
#include "engine/script/data_structures.h"
#include "engine/script/name_table.h"
#include "engine/script/variable_store.h"
#include "engine/world.h"

namespace kestrin::engine {

struct SavedGame {
    RoomState room;
    GameValues values;
    std::vector<Instance> instances;
    // Persistent rooms as they were left, by room index.
    std::vector<std::pair<int, std::vector<Instance>>> keptRooms;
    VariableStore globals;
    std::vector<std::string> globalvarNames;
    DataStructures structures;
    std::string random;
    std::int32_t nextId = 0;
    // The room's deactivated instances; in the kept rooms a deactivated
    // instance has `active` false.
    std::vector<Instance> inactive;
    SavedParticles particles;
    MessageLook messageLook;
};

// The bytes of a save file of the game with the id.
std::string WriteSavedGame(const SavedGame& saved, std::int32_t gameId, const NameTable& names);

enum class SaveFileProblem { None, OtherGame, Damaged };

// Reads the bytes of a save file for the game; variable names are added to
// the table. Anything but None leaves `saved` unspecified.
SaveFileProblem ReadSavedGame(const std::string& bytes, Game& game, NameTable& names, SavedGame& saved);

}  // namespace kestrin::engine
