// Every command of kestrin-cli, in the order --help lists them.

#include "cli/command.h"
#include "cli/command_libs.h"
#include "cli/command_check_code.h"
#include "cli/command_list.h"

namespace kestrin::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"libs", "[FOLDER]", "list the installed action libraries and their actions", RunLibs},
        {"check-code", "[FILE]", "check one piece of code (a file or standard input)", RunCheckCode},
        {"list", "functions|variables|constants|resources", "list built-in names (no game: no resources)", RunList},
    };
    return commands;
}

}  // namespace kestrin::cli
