#pragma once
// CSound: an imported sound file kept byte for byte with its extension and
// the playback flags the runner reads. The environment never decodes it.

#include <cstdint>
#include <optional>
#include <string>

namespace kestrin {

class CStream;

inline constexpr std::int32_t kSoundNone = -1;
inline constexpr std::int32_t kSoundWave = 0;
inline constexpr std::int32_t kSoundMidi = 1;
inline constexpr std::int32_t kSoundMp3 = 2;
inline constexpr std::int32_t kSoundUnknown = 10;

class CSound {
public:
    CSound() { Clear(); }

    void Clear();
    // A null other leaves the sound cleared.
    void Assign(const CSound* other);

    // Imports a whole file; false (nothing changed) when it does not exist or
    // cannot be read. Buffers and Effects stay as they were.
    bool LoadFromFile(const std::string& name);
    // Writes the bytes unchanged; true when there is nothing to write.
    bool SaveToFile(const std::string& name) const;
    // Writes the bytes to a new scratch file ending in FileType (its letters
    // and digits) and returns its name (the file is not made when there are
    // no bytes).
    std::string SaveToTempFile() const;

    // False (the sound cleared) for a record version other than 440.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool HasData() const { return mData.has_value(); }
    // The imported file's bytes; empty when there are none.
    const std::string& Data() const;

    std::int32_t Kind = kSoundNone;
    std::string FileType;
    std::int32_t Buffers = 1;
    bool Effects = false;
    bool LoadOnUse = false;

private:
    std::optional<std::string> mData;
};

}  // namespace kestrin
