#pragma once
// What the game commands of kestrin-cli share: their arguments (files, "-o
// OUT", "--no-libraries") and the settings they run with.

#include <cstddef>
#include <string>
#include <vector>

namespace kestrin::cli {

struct GameCommandSyntax {
    std::size_t files;  // how many file arguments
    bool output;        // "-o OUT" is required
    bool noLibraries;   // "--no-libraries" is allowed
};

struct GameCommandLine {
    std::vector<std::string> files;
    std::string output;
    bool noLibraries = false;
};

// False when the arguments do not fit the syntax (the caller then exits with
// kExitUsage, and main prints the usage line).
bool ParseGameCommandLine(const std::vector<std::string>& arguments, const GameCommandSyntax& syntax,
                          GameCommandLine& parsed);

// What becomes of a file a command's output replaces.
enum class ReplacedOutput {
    Dropped,       // the output is a fresh file of its own
    KeptAsBackup,  // the previous file stays as backup 1, as saving in Kestrin keeps it
};

// Loads the action libraries beside the program unless told not to (their
// messages go to standard error; a game opens without them too), and sets
// the backup copies for the file the command writes.
void PrepareGameCommand(bool loadLibraries, ReplacedOutput replaced = ReplacedOutput::Dropped);

}  // namespace kestrin::cli
