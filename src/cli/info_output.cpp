// Printing listing lines.

#include "cli/info_output.h"

#include <cstdio>

namespace kestrin::cli {

void PrintInfoLines(const std::vector<InfoLine>& lines) {
    for (const auto& line : lines) {
        std::fwrite(line.text.data(), 1, line.text.size(), stdout);
        std::fputc('\n', stdout);
    }
}

}  // namespace kestrin::cli
