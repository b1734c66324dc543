#pragma once
// The function help list: the lines of the optional "fnames" file beside the
// executable, cleaned and sorted, shown by the code editors.

#include <string>
#include <vector>

namespace kestrin {

// The lines of a help file: trimmed of blanks and control characters, empty
// lines and lines starting with "#" dropped, sorted without regard to case.
// A missing or unreadable file gives an empty list.
std::vector<std::string> ReadFunctionHelp(const std::string& path);

// The process-wide list; LoadFunctionHelp fills it from "fnames" in the
// given folder at start-up.
const std::vector<std::string>& FunctionHelpList();
void LoadFunctionHelp(const std::string& folder);

}  // namespace kestrin
