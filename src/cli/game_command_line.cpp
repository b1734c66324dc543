// Arguments and settings of the game commands.

#include "cli/game_command_line.h"

#include "actions/action_registry.h"
#include "platform/preferences.h"

namespace kestrin::cli {

bool ParseGameCommandLine(const std::vector<std::string>& arguments, const GameCommandSyntax& syntax,
                          GameCommandLine& parsed) {
    bool haveOutput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (syntax.output && argument == "-o") {
            if (haveOutput || i + 1 >= arguments.size()) return false;
            parsed.output = arguments[++i];
            haveOutput = true;
        } else if (syntax.noLibraries && argument == "--no-libraries") {
            parsed.noLibraries = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return false;
        } else {
            parsed.files.push_back(argument);
        }
    }
    if (parsed.files.size() != syntax.files || haveOutput != syntax.output) return false;
    return true;
}

void PrepareGameCommand(bool loadLibraries, ReplacedOutput replaced) {
    Prefs().Backup = replaced == ReplacedOutput::KeptAsBackup;
    Prefs().MaxBackup = 1;
    if (loadLibraries) LoadActionLibraries();
}

}  // namespace kestrin::cli
