#pragma once
// The language tools' part of start-up: the built-in name tables are filled
// and the function help list is read, once, before any window exists.

#include <string>

namespace kestrin {

// Fills the built-in name tables and reads "fnames" from the executable's
// folder (a missing file leaves the help list empty, without a message).
void LoadBuiltinNames();
// The same with "fnames" read from the given folder.
void LoadBuiltinNamesFrom(const std::string& folder);

}  // namespace kestrin
