#pragma once
// A wave file placed between the left and right speakers. The media players
// cannot pan, so a panned sound plays from a copy of its file whose far side
// is turned down. Qt-free, so a table of cases can test it.

#include <optional>
#include <string>

namespace kestrin::runner {

// The wave file `wave` panned by `pan`, from -1 (left only) through 0 (both
// sides as recorded) to 1 (right only): the side away from the pan is scaled
// by 1 - |pan| and the near side stays as it is. One channel becomes two.
// Nothing when the bytes are not an uncompressed wave file of one or two
// channels, of 8, 16, 24 or 32-bit whole samples or 32-bit floats.
std::optional<std::string> PannedWave(const std::string& wave, double pan);

}  // namespace kestrin::runner
