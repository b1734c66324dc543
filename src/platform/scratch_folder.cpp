// The scratch folder of this run and its file names.

#include "platform/scratch_folder.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/random_source.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

std::string gBase;
std::string gScratch;

std::string ScratchName(const std::string& base) {
    return JoinPath(base, kScratchPrefix + std::to_string(Random().Next(100000)));
}

bool TryMake(const std::string& base) {
    if (base.empty()) return false;
    std::string name;
    do name = ScratchName(base);
    while (PathExists(name));
    gBase = base;
    gScratch = name;
    return CreateFolders(name);
}

}  // namespace

void MakeScratchFolder() {
    std::string base = GetEnvironment("temp");
    if (base.empty()) base = GetEnvironment("tmp");
    // With neither set, the system's temporary folder is the first try.
    if (TryMake(base) || TryMake(SystemTempFolder()) || TryMake(CurrentFolder())) return;
    ShowMessage(kScratchFailedMessage);
}

std::string ScratchFolder() { return gScratch; }

std::string TempBaseFolder() { return gBase; }

std::string TempFileName(const std::string& extension) {
    std::string name;
    do {
        // Appended piece by piece: "a" + string trips a false warning of GCC 12.
        std::string leaf = "a";
        leaf += std::to_string(Random().Next(100000));
        leaf += extension;
        name = JoinPath(gScratch, leaf);
    } while (PathExists(name));
    return name;
}

void RemoveFolder(const std::string& path) {
    if (!FolderExists(path)) return;
    for (const auto& entry : ListFolder(path))
        if (!entry.isFolder) DeleteFile(JoinPath(path, entry.name));
    DeleteFolder(path);
}

void RemoveScratchFolder() {
    if (!gScratch.empty()) RemoveFolder(gScratch);
}

void CheckOldTempFolders(std::time_t now) {
    if (!FolderExists(gBase)) return;
    if (now == 0) now = std::time(nullptr);
    // Today from midnight, less 8 days.
    std::tm local = *std::localtime(&now);
    local.tm_hour = local.tm_min = local.tm_sec = 0;
    local.tm_mday -= 8;
    local.tm_isdst = -1;
    std::time_t limit = std::mktime(&local);

    std::vector<std::string> stale;
    const std::string prefix = kScratchPrefix;
    for (const auto& entry : ListFolder(gBase))
        if (entry.name.compare(0, prefix.size(), prefix) == 0 && entry.modified < limit)
            stale.push_back(JoinPath(gBase, entry.name));
    if (stale.size() <= 15) return;
    std::string question = "Kestrin detected " + std::to_string(stale.size()) +
                           " old temp folders left over from earlier runs of Kestrin" +
                           " or games created with it. Do you want me to remove these?" +
                           " (you can switch off this test in the preferences)";
    if (!AskYesNo(question)) return;
    for (const auto& folder : stale) RemoveFolder(folder);
}

}  // namespace kestrin
