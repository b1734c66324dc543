// Masks matched without recursion: a star remembers where to go back to.

#include "engine/file_search.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/file_system.h"

namespace kestrin::engine {

bool MaskMatches(std::string_view mask, std::string_view name) {
    if (mask == "*.*") mask = "*";
    std::size_t m = 0, n = 0;
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
            ++m, ++n;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

int FileAttributes(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error || !std::filesystem::exists(status)) return -1;
    const auto followed = std::filesystem::status(path, error);
    const auto type = error ? status.type() : followed.type();
    int attributes = 0;
    if (type == std::filesystem::file_type::directory) attributes |= kAttributeDirectory;
    else if (type == std::filesystem::file_type::regular) attributes |= kAttributeArchive;
    else attributes |= kAttributeSystem;
    const std::string name = ExtractFileName(path);
    if (!name.empty() && name[0] == '.') attributes |= kAttributeHidden;
    if (::access(path.c_str(), W_OK) != 0) attributes |= kAttributeReadOnly;
    return attributes;
}

std::vector<std::string> FindFiles(const std::string& mask, int attributes) {
    std::vector<std::string> found;
    const std::string folder = ExtractFilePath(mask);
    const std::string pattern = ExtractFileName(mask);
    const int excluded = (kAttributeHidden | kAttributeSystem | kAttributeDirectory) & ~attributes;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) return found;
    for (auto it = std::filesystem::begin(entries); it != std::filesystem::end(entries) && found.size() < kMaxFound;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!MaskMatches(pattern, name)) continue;
        const int has = FileAttributes(it->path().string());
        if (has >= 0 && (has & excluded) == 0) found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace kestrin::engine
