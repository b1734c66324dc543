// kestrin-cli check-code [FILE] [--game GAME.ksd]: the code is taken byte
// for byte, checked as the code editors check it, and the first error
// printed with its line and column. Names resolve against the game's
// resources and user constants; without a game none are known.

#include "cli/command_check_code.h"

#include <cstdio>
#include <memory>

#include "cli/command.h"
#include "language/check_error.h"
#include "language/checker.h"
#include "language/game_names.h"
#include "language/name_resolver.h"
#include "platform/file_system.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::cli {

namespace {

bool ReadStandardInput(std::string& text) {
    char buffer[65536];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin)) text.append(buffer, got);
    return !std::ferror(stdin);
}

}  // namespace

int RunCheckCode(const std::vector<std::string>& arguments) {
    std::string file, gameFile;
    bool haveFile = false, haveGame = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--game") {
            if (haveGame || i + 1 == arguments.size()) return kExitUsage;
            gameFile = arguments[++i];
            haveGame = true;
        } else if (haveFile || (argument.size() > 1 && argument[0] == '-')) {
            return kExitUsage;
        } else {
            file = argument;
            haveFile = true;
        }
    }

    std::unique_ptr<Game> game;
    std::unique_ptr<GameNames> gameNames;
    if (haveGame) {
        game = std::make_unique<Game>();
        if (!LoadGame(*game, gameFile)) return kExitFailed;
        gameNames = std::make_unique<GameNames>(*game);
    }
    const NameResolver& names = gameNames ? static_cast<const NameResolver&>(*gameNames) : NoGameNames();

    std::string code;
    if (!haveFile || file == "-") {
        if (!ReadStandardInput(code)) {
            std::fprintf(stderr, "kestrin-cli: cannot read standard input\n");
            return kExitFailed;
        }
    } else {
        try {
            code = ReadFileText(file);
        } catch (const FileError&) {
            std::fprintf(stderr, "kestrin-cli: cannot read \"%s\"\n", file.c_str());
            return kExitFailed;
        }
    }
    if (CheckCode(code, names)) {
        std::printf("OK\n");
        return kExitOk;
    }
    const CheckErrorRecord& error = CheckError();
    std::printf("line %d pos %d: ", error.ErrorLine, error.ErrorPos);
    std::fwrite(error.ErrorMessage.data(), 1, error.ErrorMessage.size(), stdout);
    std::fputc('\n', stdout);
    return kExitFailed;
}

}  // namespace kestrin::cli
