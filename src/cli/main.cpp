// kestrin-cli: runs the core headless for scripts and CI.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/console_ui.h"

using namespace kestrin::cli;

namespace {

std::string Syntax(const Command& c) { return std::string(c.name) + (c.usage[0] ? " " : "") + c.usage; }

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "Usage: kestrin-cli COMMAND [ARGUMENTS]\n\n");
    std::fprintf(out, "  --help                 show this text\n");
    std::fprintf(out, "  --version              show the version\n");
    for (const auto& c : Commands()) std::fprintf(out, "  %-22s %s\n", Syntax(c).c_str(), c.summary);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(stdout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::printf("kestrin-cli %s\n", KESTRIN_VERSION);
        return kExitOk;
    }
    for (const auto& c : Commands()) {
        if (args[0] == c.name) {
            ConsoleUI ui;
            kestrin::ScopedUI installed(ui);
            const int code = c.run(std::vector<std::string>(args.begin() + 1, args.end()));
            // Every command's usage line comes from the table, printed here once.
            if (code == kExitUsage) std::fprintf(stderr, "Usage: kestrin-cli %s\n", Syntax(c).c_str());
            return code;
        }
    }
    std::fprintf(stderr, "kestrin-cli: unknown command \"%s\"\n\n", args[0].c_str());
    PrintUsage(stderr);
    return kExitUsage;
}
