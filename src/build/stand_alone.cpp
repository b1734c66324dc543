// BuildStandAlone and CreateStandAlone.

#include "build/stand_alone.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <sys/stat.h>

#include "build/runner_data.h"
#include "build/stand_alone_layout.h"
#include "platform/file_system.h"
#include "platform/random_source.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

std::uint32_t LE(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// The image bytes of an icon file that go into the runner's icon area: the
// file after its 22-byte header for a single icon, the first image for a file
// of several (whose second directory entry would otherwise land in the image).
// Nothing for what is not an icon file or does not fit the area.
std::optional<std::string_view> IconImage(std::string_view icon) {
    if (icon.size() <= kIconFileHeaderSize) return std::nullopt;
    std::uint32_t reserved = LE(icon, 0, 2), type = LE(icon, 2, 2), count = LE(icon, 4, 2);
    if (reserved != 0 || type != 1 || count == 0) return std::nullopt;
    std::string_view image = icon.substr(kIconFileHeaderSize);
    if (count > 1) {
        std::size_t size = LE(icon, 14, 4), offset = LE(icon, 18, 4);
        if (offset > icon.size() || size > icon.size() - offset) return std::nullopt;
        image = icon.substr(offset, size);
    }
    if (image.empty() || image.size() > kRunnerIconAreaSize) return std::nullopt;
    return image;
}

void PutIcon(CStream& runner, const std::string& gameIcon) {
    const std::uint8_t* area = runner.Data() + kRunnerIconPlaceholderOffset;
    bool placeholder = std::all_of(area, area + kRunnerIconPlaceholderSize,
                                   [](std::uint8_t b) { return b == kRunnerIconPlaceholderByte; });
    auto image = placeholder ? IconImage(gameIcon) : std::nullopt;
    if (!image) {
        ShowMessage(kCannotChangeIconWarning);
        return;
    }
    std::memcpy(runner.Data() + kRunnerIconOffset, image->data(), image->size());
}

void AppendRandomBytes(CStream& stream, std::size_t count) {
    std::size_t at = stream.Size();
    stream.SetSize(at + count);
    std::uint8_t* bytes = stream.Data() + at;
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(Random().Next(kFillerByteRange));
    stream.SetPosition(stream.Size());
}

// Lets whoever may read the file also run it.
bool MakeExecutable(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return false;
    mode_t mode = info.st_mode & 07777;
    return ::chmod(path.c_str(), mode | (mode & 0444) >> 2) == 0;
}

}  // namespace

std::string StandAloneMessage(int code) {
    const char* reason = nullptr;
    switch (code) {
    case kStandAloneWritten: return {};
    case kRunnerDataMissing: reason = "Cannot find the runner data."; break;
    case kRunnerDataUnreadable: reason = "Cannot load the runner data."; break;
    case kRunnerDataCorrupted: reason = "Runner data is corrupted."; break;
    case kTargetFolderFailed: reason = "Cannot create the required directory."; break;
    case kTargetWriteFailed: reason = "Cannot save the game file."; break;
    default: reason = "Internal error."; break;
    }
    return std::string("Error Creating Stand-Alone: ") + reason;
}

std::string DefaultRunnerDataPath() { return JoinPath(ExecutableFolder(), kRunnerDataFileName); }

int BuildStandAlone(const std::string& target, bool debug, const StandAloneSource& source) {
    std::string runnerData = source.RunnerData.empty() ? DefaultRunnerDataPath() : source.RunnerData;
    if (!FileExists(runnerData)) return kRunnerDataMissing;

    // A file far too large is not read into memory to find that out.
    struct stat info;
    if (::stat(runnerData.c_str(), &info) == 0 && static_cast<std::uint64_t>(info.st_size) > kRunnerDataSize)
        return kRunnerDataCorrupted;
    CStream stream;
    try {
        stream.LoadFromFile(runnerData);
    } catch (const FileError&) {
        return kRunnerDataUnreadable;
    }

    CStream runner;
    if (!UnpackRunnerData(stream, runner)) return kRunnerDataCorrupted;
    stream = std::move(runner);

    PutIcon(stream, source.GameIcon);
    AppendRandomBytes(stream, kGameDataOffset - stream.Size());

    stream.WriteInteger(kGameDataMagic);
    std::int32_t seed = Random().Next(kSeedRange) + kSeedBase;
    stream.WriteInteger(seed);
    std::size_t afterSeed = stream.Position();
    stream.WriteInteger(0);  // the body's byte count, filled in below
    stream.WriteString(kGameDataTag);

    std::size_t bodyStart = stream.Position();
    try {
        if (!source.WriteGameBody || !source.WriteGameBody(stream, debug)) return kGameBodyFailed;
    } catch (const StreamReadError&) {
        return kGameBodyFailed;
    } catch (const EZLibError&) {
        return kGameBodyFailed;
    }
    std::size_t bodySize = stream.Size() - bodyStart;
    if (bodySize > static_cast<std::size_t>(INT32_MAX)) return kGameBodyFailed;
    stream.SetPosition(afterSeed);
    stream.WriteInteger(static_cast<std::int32_t>(bodySize));

    AppendRandomBytes(stream, static_cast<std::size_t>(Random().Next(kTrailingMaxCount) + 1));

    std::string folder = ExtractFilePath(target);
    if (!folder.empty() && !CreateFolders(folder)) return kTargetFolderFailed;

    stream.Substitute(seed, afterSeed + 1, 0);

    try {
        stream.SaveToFile(target);
    } catch (const FileError&) {
        return kTargetWriteFailed;
    }
    if (!MakeExecutable(target)) return kTargetWriteFailed;
    return kStandAloneWritten;
}

bool CreateStandAlone(const std::string& target, bool debug, const StandAloneSource& source) {
    StartProgress(kSavingExecutableProgress);
    int code;
    try {
        code = BuildStandAlone(target, debug, source);
    } catch (...) {
        // Running out of memory, or an error the body writer did not expect:
        // the progress display must still close.
        code = kGameBodyFailed;
    }
    EndProgress();
    if (code != kStandAloneWritten) ShowMessage(StandAloneMessage(code));
    return code == kStandAloneWritten;
}

}  // namespace kestrin
