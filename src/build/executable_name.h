#pragma once
// How stand-alone executables are named on this system, and the title a
// running game shows for itself (window and message boxes).

#include <string>

namespace kestrin {

// What an executable's name ends with here: nothing on Linux.
#ifdef _WIN32
inline constexpr const char* kExecutableExtension = ".exe";
#else
inline constexpr const char* kExecutableExtension = "";
#endif

// The game file's name with the executable extension in place of its own;
// "game" (with that extension) for a game without a file name.
std::string ExecutableNameFor(const std::string& gameFileName);

// The caption when there is one, otherwise the executable's file name
// without folder and extension.
std::string GameTitle(const std::string& caption, const std::string& executablePath);

}  // namespace kestrin
