// The recent files list.

#include "app/recent_files.h"

namespace kestrin {

void AddRecentFile(RecentFileList& list, const std::string& name) {
    if (name.empty()) return;
    int place = kRecentFileCount - 1;
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (list[static_cast<std::size_t>(i)] == name) {
            place = i;
            break;
        }
    }
    for (int i = place; i > 0; --i) list[static_cast<std::size_t>(i)] = list[static_cast<std::size_t>(i - 1)];
    list[0] = name;
}

void RemoveRecentFile(RecentFileList& list, int i) {
    if (i < 0 || i >= kRecentFileCount) return;
    for (int k = i; k < kRecentFileCount - 1; ++k) list[static_cast<std::size_t>(k)] = list[static_cast<std::size_t>(k + 1)];
    list[kRecentFileCount - 1].clear();
}

}  // namespace kestrin
