#pragma once
// Printing the lines of a listing or check, one text per output line.

#include <vector>

#include "language/project_checks.h"

namespace kestrin::cli {

// Texts are written as they are, bytes included that printf would stop at.
void PrintInfoLines(const std::vector<InfoLine>& lines);

}  // namespace kestrin::cli
