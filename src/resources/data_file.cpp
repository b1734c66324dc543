// CDataFile: import, export and the stored record.

#include "resources/data_file.h"

#include "platform/file_system.h"
#include "stream/stream.h"

namespace kestrin {

namespace {
constexpr std::int32_t kDataFileVersion = 440;
}

void CDataFile::Clear() {
    FileName.clear();
    HasData = false;
    mData.clear();
    ExportMode = kExportWorkingFolder;
    Overwrite = false;
    FreeMemory = true;
    RemoveAtEnd = true;
}

void CDataFile::Assign(const CDataFile* other) {
    if (other == this) return;
    Clear();
    if (!other) return;
    FileName = other->FileName;
    mData = other->mData;
    HasData = other->HasData;
    ExportMode = other->ExportMode;
    Overwrite = other->Overwrite;
    FreeMemory = other->FreeMemory;
    RemoveAtEnd = other->RemoveAtEnd;
}

bool CDataFile::LoadFromFile(const std::string& name) {
    if (!FileExists(name)) return false;
    try {
        mData = ReadFileText(name);
    } catch (const FileError&) {
        return false;
    }
    HasData = true;
    FileName = ExtractFileName(name);
    return true;
}

bool CDataFile::SaveToFile(const std::string& name) const {
    try {
        WriteFileAtomically(name, mData.data(), mData.size());
    } catch (const FileError&) {
        return false;
    }
    return true;
}

bool CDataFile::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kDataFileVersion) return false;
    FileName = stream.ReadString();
    HasData = stream.ReadBoolean();
    if (HasData) mData = std::string(stream.ReadCompressedBlock().View());
    ExportMode = stream.ReadInteger();
    Overwrite = stream.ReadBoolean();
    FreeMemory = stream.ReadBoolean();
    RemoveAtEnd = stream.ReadBoolean();
    return true;
}

void CDataFile::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kDataFileVersion);
    stream.WriteString(FileName);
    stream.WriteBoolean(HasData);
    if (HasData) stream.WriteCompressedBlock(CStream(mData));
    stream.WriteInteger(ExportMode);
    stream.WriteBoolean(Overwrite);
    stream.WriteBoolean(FreeMemory);
    stream.WriteBoolean(RemoveAtEnd);
}

}  // namespace kestrin
