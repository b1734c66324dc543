// Files and folders through POSIX and the standard library.

#include "platform/file_system.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ascii_text.h"
#include "platform/file_write_hook.h"

namespace kestrin {

namespace {

bool StatPath(const std::string& path, struct stat& info) {
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

std::string ErrnoText() { return std::strerror(errno); }

// Every call that changes the disk asks the write hook first, which may make
// it fail as the system would.
bool Faulted(FileWriteCall call) {
    int error = FileWriteFault(call);
    if (error == 0) return false;
    errno = error;
    return true;
}

int MakeTemporary(std::string& pattern) {
    return Faulted(FileWriteCall::Create) ? -1 : ::mkstemp(pattern.data());
}
int ChangeMode(int fd, mode_t mode) { return Faulted(FileWriteCall::Permissions) ? -1 : ::fchmod(fd, mode); }
ssize_t WriteSome(int fd, const void* data, std::size_t size) {
    return Faulted(FileWriteCall::Write) ? -1 : ::write(fd, data, size);
}
int SyncFile(int fd) { return Faulted(FileWriteCall::SyncFile) ? -1 : ::fsync(fd); }
// The descriptor is let go even when the close is made to fail, as the
// system does.
int CloseFile(int fd) {
    if (!Faulted(FileWriteCall::Close)) return ::close(fd);
    int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}
int Unlink(const std::string& path) { return Faulted(FileWriteCall::Delete) ? -1 : ::unlink(path.c_str()); }
int Rename(const std::string& from, const std::string& to) {
    return Faulted(FileWriteCall::Rename) ? -1 : ::rename(from.c_str(), to.c_str());
}
int Link(const std::string& path, const std::string& link) {
    return Faulted(FileWriteCall::Link) ? -1 : ::link(path.c_str(), link.c_str());
}

constexpr const char* kTemporaryInfix = ".kstmp-";
constexpr std::size_t kTemporaryUniqueLength = 6;  // the XXXXXX mkstemp fills in

}  // namespace

bool FileExists(const std::string& path) {
    struct stat info;
    return StatPath(path, info) && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat info;
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat info;
    return StatPath(path, info);
}

bool DeleteFile(const std::string& path) { return Unlink(path) == 0; }

bool RenameFile(const std::string& from, const std::string& to) { return Rename(from, to) == 0; }

bool CreateFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return FolderExists(path);
}

bool DeleteFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

std::string GetEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

std::string CurrentFolder() {
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    return error ? std::string(".") : path.string();
}

std::string SystemTempFolder() {
    std::error_code error;
    auto path = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : path.string();
}

std::string ExtractFilePath(const std::string& path) {
    auto slash = path.find_last_of(kPathSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path) {
    auto slash = path.find_last_of(kPathSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFileExt(const std::string& path) {
    std::string name = ExtractFileName(path);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string LowerFileExt(const std::string& path) { return AsciiLower(ExtractFileExt(path)); }

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
    std::string name = ExtractFileName(path);
    auto dot = name.find_last_of('.');
    std::string stem = dot == std::string::npos ? path : path.substr(0, path.size() - (name.size() - dot));
    return stem + extension;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == kPathSeparator) return folder + name;
    return folder + kPathSeparator + name;
}

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return CurrentFolder() + kPathSeparator;
    return ExtractFilePath(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string ResolveLinks(const std::string& path) {
    // As many links as the system itself follows before it gives up (ELOOP).
    constexpr int kMaxLinks = 40;
    std::string resolved = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info;
        if (::lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return resolved;
        char buffer[PATH_MAX];
        ssize_t length = ::readlink(resolved.c_str(), buffer, sizeof buffer - 1);
        if (length <= 0) return resolved;
        std::string target(buffer, static_cast<std::size_t>(length));
        resolved = target[0] == kPathSeparator ? target : ExtractFilePath(resolved) + target;
    }
    return resolved;
}

bool FileWritable(const std::string& path) { return FileExists(path) && ::access(path.c_str(), W_OK) == 0; }

namespace {

// Reads an open file to its end into the room handed out, and closes it.
std::size_t ReadOpenFileInto(int fd, const std::string& path, bool regularOnly,
                             const std::function<std::uint8_t*(std::size_t)>& room) {
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || (regularOnly && !S_ISREG(info.st_mode))) {
        ::close(fd);
        throw FileError("Cannot open file \"" + path + "\".");
    }
    // One byte beyond the expected size tells a file that grew from one
    // that was read to its end.
    std::size_t capacity = static_cast<std::size_t>(info.st_size) + 1;
    std::size_t size = 0;
    std::uint8_t* data;
    try {
        data = room(capacity);
    } catch (...) {
        ::close(fd);
        throw;
    }
    for (;;) {
        if (size == capacity) {
            capacity *= 2;
            try {
                data = room(capacity);
            } catch (...) {
                ::close(fd);
                throw;
            }
        }
        ssize_t got = ::read(fd, data + size, capacity - size);
        if (got < 0) {
            if (errno == EINTR) continue;
            std::string text = ErrnoText();
            ::close(fd);
            throw FileError("Cannot read file \"" + path + "\". " + text);
        }
        if (got == 0) break;
        size += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return size;
}

std::vector<std::uint8_t> ReadOpenFile(int fd, const std::string& path, bool regularOnly) {
    std::vector<std::uint8_t> bytes;
    bytes.resize(ReadOpenFileInto(fd, path, regularOnly, [&](std::size_t size) {
        bytes.resize(size);
        return bytes.data();
    }));
    return bytes;
}

}  // namespace

std::size_t ReadWholeFileInto(const std::string& path, const std::function<std::uint8_t*(std::size_t)>& room) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError("Cannot open file \"" + path + "\". " + ErrnoText());
    return ReadOpenFileInto(fd, path, false, room);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError("Cannot open file \"" + path + "\". " + ErrnoText());
    return ReadOpenFile(fd, path, false);
}

std::vector<std::uint8_t> ReadRegularFile(const std::string& path) {
    // Opening a pipe for reading waits for a writer unless told not to; on a
    // regular file the flag changes nothing.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) throw FileError("Cannot open file \"" + path + "\". " + ErrnoText());
    return ReadOpenFile(fd, path, true);
}

std::string ReadFileText(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string WriteTemporaryBeside(const std::string& path, const void* data, std::size_t size) {
    std::string temporary = path + kTemporaryInfix + std::string(kTemporaryUniqueLength, 'X');
    int fd = MakeTemporary(temporary);
    if (fd < 0) {
        // A name too long or a folder that is not there is the name's fault,
        // anything else the folder's.
        int error = errno;
        struct stat folder;
        bool noFolder = ::stat((ExtractFilePath(path) + ".").c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode);
        errno = error;
        if (error == ENAMETOOLONG || noFolder) throw FileError("Cannot create file \"" + path + "\". " + ErrnoText());
        throw TemporaryFileError("Cannot create a temporary file beside \"" + path + "\". " + ErrnoText());
    }

    auto fail = [&](const std::string& what) {
        std::string text = ErrnoText();
        ::close(fd);
        Unlink(temporary);
        throw FileError(what + " \"" + path + "\". " + text);
    };

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones (mkstemp makes it private).
    struct stat old;
    mode_t mode = 0666;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (ChangeMode(fd, mode) != 0) fail("Cannot create file");

    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t written = 0;
    while (written < size) {
        ssize_t put = WriteSome(fd, bytes + written, size - written);
        if (put < 0) {
            if (errno == EINTR) continue;
            fail("Cannot write file");
        }
        written += static_cast<std::size_t>(put);
    }
    if (SyncFile(fd) != 0) fail("Cannot write file");
    if (CloseFile(fd) != 0) {
        std::string text = ErrnoText();
        Unlink(temporary);
        throw FileError("Cannot write file \"" + path + "\". " + text);
    }
    return temporary;
}

bool SyncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool synced = !Faulted(FileWriteCall::SyncFolder) && ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

void RemoveStrayTemporaries(const std::string& path) {
    const std::string folder = ExtractFilePath(path);
    const std::string prefix = ExtractFileName(path) + kTemporaryInfix;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    std::vector<std::string> strays;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() == prefix.size() + kTemporaryUniqueLength && name.compare(0, prefix.size(), prefix) == 0)
            strays.push_back(folder + name);
    }
    ::closedir(dir);
    for (const auto& stray : strays) Unlink(stray);
}

void ReplaceWithTemporary(const std::string& temporary, const std::string& path) {
    if (Rename(temporary, path) != 0) {
        std::string text = ErrnoText();
        Unlink(temporary);
        throw FileError("Cannot create file \"" + path + "\". " + text);
    }
    // Once renamed, the new content is what every reader of the folder sees;
    // a folder that cannot be synced only leaves the rename to the system's
    // own write-back, so the replacement still counts as done.
    SyncFolder(ExtractFilePath(path));
    RemoveStrayTemporaries(path);
}

void WriteFileAtomically(const std::string& path, const void* data, std::size_t size) {
    ReplaceWithTemporary(WriteTemporaryBeside(path, data, size), path);
}

bool LinkOrCopyFile(const std::string& path, const std::string& link) {
    if (Link(path, link) == 0) return true;
    try {
        auto bytes = ReadWholeFile(path);
        WriteFileAtomically(link, bytes.data(), bytes.size());
        return true;
    } catch (const FileError&) {
        return false;
    }
}

std::vector<FolderEntry> ListFolder(const std::string& path) {
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return entries;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info;
        const std::string full = JoinPath(path, name);
        if (::lstat(full.c_str(), &info) != 0) continue;
        bool isFile = S_ISREG(info.st_mode);
        struct stat target;
        if (S_ISLNK(info.st_mode)) isFile = ::stat(full.c_str(), &target) == 0 && S_ISREG(target.st_mode);
        entries.push_back({name, S_ISDIR(info.st_mode), isFile, info.st_mtime});
    }
    ::closedir(dir);
    return entries;
}

}  // namespace kestrin
