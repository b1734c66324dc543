#pragma once
// SHA-256 of a run of bytes, as 64 lowercase hex digits: the dump names
// pictures and data by their digest instead of printing them.

#include <cstddef>
#include <string>

namespace kestrin::cli {

std::string Sha256Hex(const void* data, std::size_t size);

}  // namespace kestrin::cli
