#pragma once
// The messages the resource windows show when a file they read or write fails.

namespace kestrin {

inline constexpr const char* kFailedToLoadFileMessage = "Failed to load the file.";
inline constexpr const char* kFailedToSaveFileMessage = "Failed to save the file.";
inline constexpr const char* kFileTooLargeMessage =
    "The file is too large to be kept in a game. It has not been loaded.";

}  // namespace kestrin
