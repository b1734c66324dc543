#pragma once
// Running and debugging a game: the game is written as a stand-alone
// executable into the scratch folder and started, with Kestrin's windows
// hidden until it ends when the preference HideWait is on.

#include <functional>
#include <string>

namespace kestrin {

inline constexpr const char* kNoRoomMessage = "A game must have at least one room to run.";
inline constexpr const char* kExclusiveDebugMessage = "Cannot debug games that run in exclusive graphics mode.";
inline constexpr const char* kRunFailedMessage = "Failed to run the game.";

// What running needs to know of the current game.
struct RunGameFacts {
    bool HasRoom = false;            // some room slot is filled
    bool ExclusiveGraphics = false;  // the game option for exclusive graphics mode
    std::string GameFileName;        // empty while the game has no file name
};

// The windows of whoever runs the game (the main window and the game
// information window in the app).
class RunGameHost {
public:
    virtual ~RunGameHost() = default;
    virtual void HideWindows() = 0;
    virtual void ShowWindows() = 0;
    virtual void SetBusy(bool busy) = 0;  // the busy mouse cursor
};

// Writes the executable at the path with the debug flag and shows its own
// messages; true when it was written. The app passes CreateStandAlone with
// the game's body writer and icon.
using ExecutableWriter = std::function<bool(const std::string& path, bool debug)>;

// The executable's name: the game file's name without folder, with the
// system's executable extension (none on Linux) in place of its own; "game"
// for a game without a file name.
std::string RunExecutableName(const std::string& gameFileName);
// The game's working folder: the game file's folder (the current folder for a
// name without one); the scratch folder for a game without a file name.
std::string RunWorkingFolder(const std::string& gameFileName);

// The Run (debug false) and Debug (debug true) commands.
void RunGame(bool debug, const RunGameFacts& facts, RunGameHost& host, const ExecutableWriter& writeExecutable);

}  // namespace kestrin
