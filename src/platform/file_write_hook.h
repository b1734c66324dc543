#pragma once
// A seam under every call through which the file functions change what is on
// disk. Tests install a hook to make any one of those calls fail the way the
// system would (a full disk, a folder made read-only, an I/O error) and watch
// what a save leaves behind; a harness can also follow how far a save got.

#include <functional>

namespace kestrin {

// In the order a save makes them.
enum class FileWriteCall { Create, Permissions, Write, SyncFile, Close, Delete, Rename, Link, SyncFolder };

const char* FileWriteCallName(FileWriteCall call);

// Sees each call just before it is made: 0 lets it go ahead, an errno value
// makes it fail with that error instead.
using FileWriteHook = std::function<int(FileWriteCall)>;

// The hook is in place while the object lives; the one before comes back after.
class ScopedFileWriteHook {
public:
    explicit ScopedFileWriteHook(FileWriteHook hook);
    ~ScopedFileWriteHook();
    ScopedFileWriteHook(const ScopedFileWriteHook&) = delete;
    ScopedFileWriteHook& operator=(const ScopedFileWriteHook&) = delete;

private:
    FileWriteHook mPrevious;
};

// What the file functions ask before each such call: 0, or the errno value
// to fail with.
int FileWriteFault(FileWriteCall call);

}  // namespace kestrin
