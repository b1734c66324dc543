#pragma once
// This run's scratch folder ("ks_ttt_" + number inside the temporary folder),
// unique scratch file names in it, and removal of stale folders of earlier runs.

#include <ctime>
#include <string>

namespace kestrin {

inline constexpr const char* kScratchPrefix = "ks_ttt_";
inline constexpr const char* kScratchFailedMessage =
    "Failed to create temp dir. This can create serious problems with sounds, etc.";

// Chooses the base folder (environment "temp", then "tmp", then the system's
// temporary folder, then the working folder) and makes the scratch folder.
void MakeScratchFolder();
// The scratch folder, or empty when none could be made.
std::string ScratchFolder();
// The folder the scratch folder was made in.
std::string TempBaseFolder();
// A path in the scratch folder that names no existing file; the file is not made.
std::string TempFileName(const std::string& extension);
// Deletes the plain files directly inside the folder, then the folder itself
// (which stays when it still holds a sub-folder).
void RemoveFolder(const std::string& path);
// Removes this run's scratch folder.
void RemoveScratchFolder();
// Offers to remove more than 15 scratch folders older than 8 days.
// `now` is given for tests; 0 means the current time.
void CheckOldTempFolders(std::time_t now = 0);

}  // namespace kestrin
