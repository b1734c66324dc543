// kestrin-cli check-code [FILE]: the code is taken byte for byte, checked
// as the code editors check it, and the first error printed with its line
// and column. Without a game no resource or script names are known.

#include "cli/command_check_code.h"

#include <cstdio>

#include "cli/command.h"
#include "language/check_error.h"
#include "language/checker.h"
#include "language/name_resolver.h"
#include "platform/file_system.h"

namespace kestrin::cli {

namespace {

bool ReadStandardInput(std::string& text) {
    char buffer[65536];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin)) text.append(buffer, got);
    return !std::ferror(stdin);
}

}  // namespace

int RunCheckCode(const std::vector<std::string>& arguments) {
    std::string file;
    for (const auto& argument : arguments) {
        if (argument == "--game") {
            std::fprintf(stderr, "kestrin-cli: check-code --game is not available yet: game files cannot be read\n");
            return kExitFailed;
        }
        if (!file.empty() || (argument.size() > 1 && argument[0] == '-')) return kExitUsage;
        file = argument;
    }
    std::string code;
    if (file.empty() || file == "-") {
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
    if (CheckCode(code, NoGameNames())) {
        std::printf("OK\n");
        return kExitOk;
    }
    const CheckErrorRecord& error = CheckError();
    std::printf("line %d pos %d: %s\n", error.ErrorLine, error.ErrorPos, error.ErrorMessage.c_str());
    return kExitFailed;
}

}  // namespace kestrin::cli
