#pragma once
// Kestrin's own default game icon: a single 32 x 32 icon in 16 colours, as
// the bytes of an icon file (766 bytes), made by code.

#include <cstddef>
#include <string>

namespace kestrin {

inline constexpr std::size_t kDefaultIconFileSize = 766;

// A fresh copy of the icon file.
std::string DefaultGameIcon();

}  // namespace kestrin
