// ConsoleUI: messages on standard error, questions declined.

#include "cli/console_ui.h"

#include <cstdio>

namespace kestrin::cli {

void ConsoleUI::ShowMessage(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

bool ConsoleUI::AskYesNo(const std::string& text) {
    std::fprintf(stderr, "%s [answered No]\n", text.c_str());
    return false;
}

Answer ConsoleUI::AskYesNoCancel(const std::string& text) {
    std::fprintf(stderr, "%s [answered Cancel]\n", text.c_str());
    return Answer::Cancel;
}

}  // namespace kestrin::cli
