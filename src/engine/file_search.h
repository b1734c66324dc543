#pragma once
// Looking for files by a mask, and the attributes a file has on this system:
// read-only (this process may not write it), hidden (the name starts with a
// dot), system (neither a regular file nor a folder: devices, pipes,
// sockets), folder, and archive (every regular file). No file is a volume id.

#include <string>
#include <string_view>
#include <vector>

namespace kestrin::engine {

enum FileAttribute : int {
    kAttributeReadOnly = 1,
    kAttributeHidden = 2,
    kAttributeSystem = 4,
    kAttributeVolumeId = 8,
    kAttributeDirectory = 16,
    kAttributeArchive = 32,
};

// * stands for any run of characters, ? for any one; "*.*" for any name,
// with or without a dot. Names match as the system compares them, by case.
bool MaskMatches(std::string_view mask, std::string_view name);

// The file's attributes; -1 when there is nothing of that name.
int FileAttributes(const std::string& path);

// The names (without their folder) in the mask's folder that match its last
// part, in name order. Regular files always count; hidden ones, system ones
// and folders only when the attributes ask for them. At most kMaxFound.
inline constexpr std::size_t kMaxFound = 100000;
std::vector<std::string> FindFiles(const std::string& mask, int attributes);

}  // namespace kestrin::engine
