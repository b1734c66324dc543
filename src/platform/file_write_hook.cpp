// The installed file write hook.

#include "platform/file_write_hook.h"

#include <utility>

namespace kestrin {

namespace {
FileWriteHook gHook;
}  // namespace

const char* FileWriteCallName(FileWriteCall call) {
    switch (call) {
        case FileWriteCall::Create: return "create";
        case FileWriteCall::Permissions: return "permissions";
        case FileWriteCall::Write: return "write";
        case FileWriteCall::SyncFile: return "sync file";
        case FileWriteCall::Close: return "close";
        case FileWriteCall::Delete: return "delete";
        case FileWriteCall::Rename: return "rename";
        case FileWriteCall::Link: return "link";
        case FileWriteCall::SyncFolder: return "sync folder";
    }
    return "?";
}

ScopedFileWriteHook::ScopedFileWriteHook(FileWriteHook hook) : mPrevious(std::exchange(gHook, std::move(hook))) {}

ScopedFileWriteHook::~ScopedFileWriteHook() { gHook = std::move(mPrevious); }

int FileWriteFault(FileWriteCall call) { return gHook ? gHook(call) : 0; }

}  // namespace kestrin
