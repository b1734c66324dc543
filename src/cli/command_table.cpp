// Every command of kestrin-cli, in the order --help lists them.

#include "cli/command.h"
#include "cli/command_libs.h"
#include "cli/command_check_code.h"
#include "cli/command_list.h"
#include "cli/command_check.h"
#include "cli/command_search.h"
#include "cli/command_new.h"
#include "cli/command_dump.h"
#include "cli/command_merge.h"
#include "cli/command_scripts.h"
#include "cli/command_build.h"

namespace kestrin::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"libs", "[FOLDER]", "list the installed action libraries and their actions", RunLibs},
        {"check", "GAME.ksd", "check a game's resource names and all its scripts", RunCheck},
        {"check-code", "[FILE] [--game GAME.ksd]", "check one piece of code (a file or standard input)", RunCheckCode},
        {"search", "GAME.ksd TEXT", "find a text in all scripts of a game", RunSearch},
        {"list", "functions|variables|constants|resources [GAME.ksd]", "list built-in names or a game's names",
         RunList},
        {"new", "OUT.ksd", "write a new, empty game", RunNew},
        {"dump", "GAME.ksd [--no-libraries]", "print a game as JSON", RunDump},
        {"merge", "GAME.ksd OTHER.ksd -o OUT.ksd", "merge another game's resources into a game; an existing OUT.ksd is kept as OUT.gb1",
         RunMerge},
        {"export-scripts", "GAME.ksd OUT.ksl", "write all scripts of a game to a script file", RunExportScripts},
        {"import-scripts", "GAME.ksd IN.ksl -o OUT.ksd", "add the scripts of a script file to a game; an existing OUT.ksd is kept as OUT.gb1",
         RunImportScripts},
        {"build", "GAME.ksd OUT [--debug]", "write a game as a stand-alone executable", RunBuild},
    };
    return commands;
}

}  // namespace kestrin::cli
