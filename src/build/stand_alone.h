#pragma once
// The stand-alone executable builder: the inflated runner with the game's
// icon, padding, the game data header, the game body and random trailing
// bytes, everything after the seed substituted, written as one executable.

#include <functional>
#include <string>

#include "stream/stream.h"

namespace kestrin {

// Result codes of BuildStandAlone.
enum StandAloneResult : int {
    kStandAloneWritten = 0,
    kRunnerDataMissing = 1,
    kRunnerDataUnreadable = 2,
    kRunnerDataCorrupted = 3,
    kGameBodyFailed = 4,
    kTargetFolderFailed = 5,
    kTargetWriteFailed = 6,
};

inline constexpr const char* kSavingExecutableProgress = "Saving Executable...";
inline constexpr const char* kCannotChangeIconWarning = "Warning Creating Stand-Alone: Cannot change icon.";

// The message CreateStandAlone shows for a result code; empty for 0.
std::string StandAloneMessage(int code);

// Writes the game body (the game file's header and sections) at the stream's
// position with the given debug flag; false when a section cannot be written.
using GameBodyWriter = std::function<bool(CStream& stream, bool debug)>;

// What a build takes from the game and from where Kestrin is installed.
struct StandAloneSource {
    GameBodyWriter WriteGameBody;
    std::string GameIcon;    // the game's icon as the bytes of an icon file
    std::string RunnerData;  // the runner data file; empty: "rundata" beside the executable
};

// "rundata" in the folder of the running program.
std::string DefaultRunnerDataPath();

// Builds and writes the executable; shows no message except the icon warning.
// Errors of the stream layer while unpacking the runner count as corrupted
// runner data, errors while writing the body as a failed body; anything else
// (running out of memory) propagates.
int BuildStandAlone(const std::string& target, bool debug, const StandAloneSource& source);

// BuildStandAlone inside the "Saving Executable..." progress display, which is
// ended on every path; then the result's message. True on result 0.
bool CreateStandAlone(const std::string& target, bool debug, const StandAloneSource& source);

}  // namespace kestrin
