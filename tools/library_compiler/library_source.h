#pragma once
// The readable source of an action library (described in data/README.md)
// and its translation into a CActionLibrary whose definitions carry their
// drawn icons as BMP files.

#include <stdexcept>
#include <string>

#include "actions/action_definition.h"

namespace kestrin::tools {

// A fault in a source, with "file:line: " in front of the message.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the whole source text; throws SourceError.
void ParseLibrarySource(const std::string& text, const std::string& fileName, CActionLibrary& library);

}  // namespace kestrin::tools
