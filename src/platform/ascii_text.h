#pragma once
// Lower case for the ASCII letters of 8-bit text; other bytes stay as they
// are (file extensions, library names).

#include <string>

namespace kestrin {

inline std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace kestrin
