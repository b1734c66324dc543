#pragma once
// What a file dropped on the main window becomes, by its extension.

#include <string>

namespace kestrin {

// A dropped sound or picture that cannot be read.
inline constexpr const char* kFailedToLoadFileMessage = "Failed to load the file.";

enum class DroppedFileKind { Sound, Picture, ScriptFile, GameFile, Other };

// By the extension, without regard to case.
DroppedFileKind ClassifyDroppedFile(const std::string& fileName);
// The name without folder and extension.
std::string FileTitle(const std::string& fileName);

}  // namespace kestrin
