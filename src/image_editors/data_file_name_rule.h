#pragma once
// What a data file may be called. The game writes the file under this name
// when it starts, so the name must stay inside the folder it is written to.

#include <string>

namespace kestrin {

enum class DataFileNameCheck {
    Acceptable,
    Intermediate,  // may become acceptable as the user types on (".")
    Invalid,       // a folder separator, a drive or ".."
};

DataFileNameCheck CheckDataFileName(const std::string& name);

}  // namespace kestrin
