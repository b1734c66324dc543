#pragma once
// The recent files list: eight names, most recent first, empty entries last.

#include <array>
#include <string>

#include "platform/preferences.h"

namespace kestrin {

using RecentFileList = std::array<std::string, kRecentFileCount>;

// Moves the name to the top; the entries above its old place (or all but the
// last, when it was not listed) move down one. An empty name does nothing.
void AddRecentFile(RecentFileList& list, const std::string& name);
// Removes entry i: the entries below it move up and the last becomes empty.
void RemoveRecentFile(RecentFileList& list, int i);

}  // namespace kestrin
