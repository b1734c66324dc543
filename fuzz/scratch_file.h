#pragma once
// For readers that take a file name: the input written to a file of this
// process in the temporary folder, removed when the process ends.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrin::fuzz {

// Writes the bytes to a file with that name (the name the reader sees) and
// returns its path.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

}  // namespace kestrin::fuzz
