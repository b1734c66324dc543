#pragma once
// Files and folders as the core needs them: whole-file reading and writing,
// atomic replacement, existence tests, folder listing with modification times.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrin {

// A file that cannot be opened, read, created or written.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The folder would not take the temporary file a replacement is written to,
// though the name itself was fine.
class TemporaryFileError : public FileError {
public:
    using FileError::FileError;
};

// The platform's path separator.
inline constexpr char kPathSeparator = '/';

bool FileExists(const std::string& path);    // a file (not a folder)
bool FolderExists(const std::string& path);
bool PathExists(const std::string& path);    // anything of that name
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
bool CreateFolders(const std::string& path);  // with missing parents
bool DeleteFolder(const std::string& path);   // an empty folder
std::string GetEnvironment(const std::string& name);  // empty when unset
std::string CurrentFolder();
std::string SystemTempFolder();

// The folder part with its trailing separator ("" when there is none), the
// name part, and the extension with its dot.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ExtractFileExt(const std::string& path);
// ExtractFileExt in lower case, for comparing with known extensions.
std::string LowerFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& extension);
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder of the running program, ending with a separator.
std::string ExecutableFolder();

// The file a path names once symbolic links in its last part are followed,
// so that replacing it replaces the file and not the link. A dangling link
// gives the name it points to; a path that is no link is returned as it is.
std::string ResolveLinks(const std::string& path);

// The file exists and this process may write it.
bool FileWritable(const std::string& path);

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);  // throws FileError
// Reads a whole file straight into memory the caller hands out: room(size)
// returns a place for size bytes, keeping the first bytes of the last place
// it gave. It is asked first for the size the file has when opened, and for
// more only if the file grows while read. Returns the bytes read; throws
// FileError.
std::size_t ReadWholeFileInto(const std::string& path, const std::function<std::uint8_t*(std::size_t)>& room);
// The same for a regular file only (a link to one is fine): anything else,
// a pipe that would wait for a writer included, is refused without waiting.
std::vector<std::uint8_t> ReadRegularFile(const std::string& path);  // throws FileError
std::string ReadFileText(const std::string& path);                  // throws FileError

// Writes the bytes to a temporary file in the same folder, flushes it and
// renames it over the target; on failure the target is untouched and the
// temporary file is gone. Throws FileError.
void WriteFileAtomically(const std::string& path, const void* data, std::size_t size);

// The first half of that: the bytes in a flushed temporary file beside the
// target (with the target's permissions when it exists); returns its path.
// The caller renames it over the target or deletes it. Throws FileError,
// TemporaryFileError when the folder refuses the new file.
std::string WriteTemporaryBeside(const std::string& path, const void* data, std::size_t size);

// The second half: renames the temporary file over the target, syncs the
// folder so the rename outlives a power loss, and removes temporary files
// of the same target that an earlier, interrupted write left behind. When
// the rename fails the temporary file is deleted and FileError thrown; a
// folder that cannot be synced does not undo the replacement.
void ReplaceWithTemporary(const std::string& temporary, const std::string& path);

// Flushes the folder's entries (names made, renamed or removed) to the disk;
// false when the folder cannot be opened or synced. "" is the current folder.
bool SyncFolder(const std::string& folder);

// Deletes the temporary files WriteTemporaryBeside made for this path that
// are still there, as a process killed while writing leaves them.
void RemoveStrayTemporaries(const std::string& path);

// Makes `link` a second name of the file `path` (a hard link), or a copy of
// it where links are not possible. False when neither works.
bool LinkOrCopyFile(const std::string& path, const std::string& link);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool isFile = false;  // a regular file, or a link to one
    std::time_t modified = 0;
};
// Entries of a folder (not . and ..); empty when it cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& path);

}  // namespace kestrin
