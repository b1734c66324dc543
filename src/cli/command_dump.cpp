// kestrin-cli dump GAME.ksd [--no-libraries]: loads the game as the editor
// does and prints it (see game_dump.h). Without libraries the actions keep
// the definition copies the file stored.

#include "cli/command_dump.h"

#include <cstdio>
#include <memory>

#include "cli/command.h"
#include "cli/game_command_line.h"
#include "cli/game_dump.h"
#include "cli/json_writer.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

int RunDump(const std::vector<std::string>& arguments) {
    GameCommandLine line;
    if (!ParseGameCommandLine(arguments, {1, false, true}, line))
        return kExitUsage;
    PrepareGameCommand(!line.noLibraries);
    const std::string& fileName = line.files[0];
    auto game = std::make_unique<Game>();
    if (!LoadGame(*game, fileName)) return kExitFailed;
    GameFileFacts facts;
    if (!ReadGameFileFacts(fileName, facts)) {
        // The file changed since it loaded.
        ShowMessage(kCorruptedMessage);
        return kExitFailed;
    }

    JsonWriter json(stdout);
    DumpGame(json, *game, facts);
    if (!json.Flush() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "kestrin-cli: cannot write the dump to standard output\n");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace kestrin::cli
