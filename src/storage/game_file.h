#pragma once
// The game file (.ksd): a header and thirteen sections in a fixed order.
// New, load, save with rotating backups, merge with every reference of the
// appended resources rewritten; the same body is the game data inside
// stand-alone executables.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

class CStream;
class Game;

inline constexpr std::int32_t kGameFileMagic = 1234321;
inline constexpr std::int32_t kGameFileVersion = 530;
inline constexpr std::int32_t kOldestGameFileVersion = 500;
inline constexpr std::int32_t kLibraryCodeSectionVersion = 500;

inline constexpr const char* kLoadingProgressText = "Loading Game Data ...";
inline constexpr const char* kSavingProgressText = "Saving Game Data ...";
inline constexpr const char* kMergingProgressText = "Merging Game Data ...";
inline constexpr const char* kCorruptedMessage = "Error Loading: File seems to be corrupted.";

// A new, empty game: new id and GUID, every list cleared, default options,
// information and tree, no changed flag set.
void NewGame(Game& game);

// Replaces the game with the file's; on failure after the file was read the
// game is a new game. Messages go through the user-interface seam. The
// library code the file carries is added to libraryCode when one is given.
bool LoadGame(Game& game, const std::string& fileName, std::vector<std::string>* libraryCode = nullptr);

// Writes the game; the file on disk is replaced only once the new content is
// completely written, and backups rotate when the preference says so.
bool SaveGame(Game& game, const std::string& fileName);

// Appends the file's resources to the game.
bool MergeGame(Game& game, const std::string& fileName);

// The header and the thirteen sections, with progress after each of the first
// eleven. The debug flag goes into the header.
bool WriteGameBody(Game& game, CStream& stream, bool debug);

// Reads a body written by WriteGameBody into a game that was just made new.
// False (after its message) for a bad header or a failing section; stream
// errors propagate. The library code it carries is added to libraryCode
// when one is given.
bool ReadGameBody(Game& game, CStream& stream, std::vector<std::string>* libraryCode = nullptr);

// Backup number k of a game file: its extension replaced by ".gb" + k.
std::string BackupFileName(const std::string& fileName, int k);

}  // namespace kestrin
