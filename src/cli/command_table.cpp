// Every command of kestrin-cli, in the order --help lists them.

#include "cli/command.h"

namespace kestrin::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
    };
    return commands;
}

}  // namespace kestrin::cli
