#pragma once
// CDataFile: an arbitrary file carried inside the game, with the runner's
// instructions for writing it out when the game starts.

#include <cstdint>
#include <string>

namespace kestrin {

class CStream;

inline constexpr std::int32_t kExportNone = 0;
inline constexpr std::int32_t kExportTempFolder = 1;
inline constexpr std::int32_t kExportWorkingFolder = 2;
inline constexpr std::int32_t kExportFont = 3;

class CDataFile {
public:
    CDataFile() { Clear(); }

    void Clear();
    void Assign(const CDataFile* other);

    // Imports a whole file; false (nothing changed) when it does not exist or
    // cannot be read. The export settings stay.
    bool LoadFromFile(const std::string& name);
    // Writes the bytes unchanged; false when the file cannot be written.
    bool SaveToFile(const std::string& name) const;
    std::int64_t GetSize() const { return HasData ? static_cast<std::int64_t>(mData.size()) : 0; }

    // False (the data file cleared) for a record version other than 440.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    const std::string& Data() const { return mData; }

    std::string FileName;
    bool HasData = false;
    std::int32_t ExportMode = kExportWorkingFolder;
    bool Overwrite = false;
    bool FreeMemory = true;
    bool RemoveAtEnd = true;

private:
    std::string mData;
};

}  // namespace kestrin
