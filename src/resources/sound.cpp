// CSound: import, export and the stored record.

#include "resources/sound.h"


#include "platform/ascii_text.h"
#include "platform/file_system.h"
#include "platform/scratch_folder.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

constexpr std::int32_t kSoundVersion = 440;

std::int32_t KindOfExtension(const std::string& extension) {
    std::string lower = AsciiLower(extension);
    if (lower == ".wav") return kSoundWave;
    if (lower == ".mid") return kSoundMidi;
    if (lower == ".mp3") return kSoundMp3;
    return kSoundUnknown;
}

// The stored extension comes from a game file: only its letters and digits
// reach a file name, so it cannot point out of the scratch folder.
std::string ScratchExtension(const std::string& fileType) {
    std::string letters;
    for (char c : fileType)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) letters += c;
    return letters.empty() ? std::string() : "." + letters;
}

}  // namespace

void CSound::Clear() {
    mData.reset();
    Kind = kSoundNone;
    FileType.clear();
    Buffers = 1;
    Effects = false;
    LoadOnUse = false;
}

void CSound::Assign(const CSound* other) {
    if (other == this) return;
    Clear();
    if (!other) return;
    Kind = other->Kind;
    FileType = other->FileType;
    mData = other->mData;
    Buffers = other->Buffers;
    Effects = other->Effects;
    LoadOnUse = other->LoadOnUse;
}

const std::string& CSound::Data() const {
    static const std::string empty;
    return mData ? *mData : empty;
}

bool CSound::LoadFromFile(const std::string& name) {
    if (!FileExists(name)) return false;
    std::string bytes;
    try {
        bytes = ReadFileText(name);
    } catch (const FileError&) {
        return false;
    }
    std::int32_t previousKind = Kind;
    mData = std::move(bytes);
    FileType = ExtractFileExt(name);
    Kind = KindOfExtension(FileType);
    // A newly imported MIDI sound loads on use; re-importing one over a MIDI
    // sound keeps what the user chose.
    if (Kind == kSoundMidi && previousKind != kSoundMidi) LoadOnUse = true;
    return true;
}

bool CSound::SaveToFile(const std::string& name) const {
    if (!mData) return true;
    try {
        WriteFileAtomically(name, mData->data(), mData->size());
    } catch (const FileError&) {
        return false;
    }
    return true;
}

std::string CSound::SaveToTempFile() const {
    std::string name = TempFileName(ScratchExtension(FileType));
    SaveToFile(name);
    return name;
}

bool CSound::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kSoundVersion) return false;
    Kind = stream.ReadInteger();
    FileType = stream.ReadString();
    if (Kind != kSoundNone) {
        CStream block = stream.ReadCompressedBlock();
        mData = std::string(block.View());
    }
    Effects = stream.ReadBoolean();
    Buffers = stream.ReadInteger();
    LoadOnUse = stream.ReadBoolean();
    return true;
}

void CSound::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kSoundVersion);
    // The data goes with every sound that has a kind, so what is written
    // always reads back: a kind without bytes stores an empty block.
    stream.WriteInteger(Kind);
    stream.WriteString(FileType);
    if (Kind != kSoundNone) stream.WriteCompressedBlock(CStream(Data()));
    stream.WriteBoolean(Effects);
    stream.WriteInteger(Buffers);
    stream.WriteBoolean(LoadOnUse);
}

}  // namespace kestrin
