// CSound: the stored record, importing by extension, and writing back the
// bytes exactly as they came.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/file_system.h"
#include "platform/scratch_folder.h"
#include "resources/action_fixture.h"
#include "resources/sound.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using test::Ints;
using test::TempDir;

// Bytes that a text-mode copy or a terminator would break.
const std::string kSoundBytes("RIFF\0\x01\x02\r\n\xff\x80tail", 15);

void WriteFile(const std::string& path, const std::string& bytes) { WriteFileAtomically(path, bytes.data(), bytes.size()); }

TEST(SoundTest, NewSoundIsStoredWithoutDataBlock) {
    CSound sound;
    CStream stream;
    sound.SaveToStream(stream);
    EXPECT_EQ(stream.View(), Ints({440, -1, 0, 0, 1, 0}));
}

TEST(SoundTest, ImportSetsKindByExtensionIgnoringCase) {
    TempDir dir;
    struct Case {
        const char* name;
        std::int32_t kind;
    } cases[] = {{"a.wav", kSoundWave}, {"b.WaV", kSoundWave}, {"Theme.MID", kSoundMidi},
                 {"c.mp3", kSoundMp3},  {"clip.ogg", kSoundUnknown}, {"noext", kSoundUnknown}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.File(c.name), kSoundBytes);
        CSound sound;
        ASSERT_TRUE(sound.LoadFromFile(dir.File(c.name)));
        EXPECT_EQ(sound.Kind, c.kind);
        EXPECT_EQ(sound.FileType, ExtractFileExt(c.name));
        EXPECT_EQ(sound.Data(), kSoundBytes);
    }
}

TEST(SoundTest, MidiImportSwitchesLoadOnUseOnlyWhenKindChanges) {
    TempDir dir;
    WriteFile(dir.File("Theme.MID"), "MThd");
    WriteFile(dir.File("other.mid"), "MThd2");
    CSound sound;
    ASSERT_TRUE(sound.LoadFromFile(dir.File("Theme.MID")));
    EXPECT_EQ(sound.FileType, ".MID");
    EXPECT_TRUE(sound.LoadOnUse);
    sound.LoadOnUse = false;  // the user's choice
    ASSERT_TRUE(sound.LoadFromFile(dir.File("other.mid")));
    EXPECT_FALSE(sound.LoadOnUse);
    EXPECT_EQ(sound.Data(), "MThd2");
}

TEST(SoundTest, ReimportKeepsPlaybackSettingsAndMissingFileChangesNothing) {
    TempDir dir;
    WriteFile(dir.File("x.mp3"), "ID3");
    WriteFile(dir.File("y.wav"), "RIFF");
    CSound sound;
    ASSERT_TRUE(sound.LoadFromFile(dir.File("x.mp3")));
    sound.Buffers = 7;
    sound.Effects = true;
    sound.LoadOnUse = true;
    ASSERT_TRUE(sound.LoadFromFile(dir.File("y.wav")));
    EXPECT_EQ(sound.Kind, kSoundWave);
    EXPECT_EQ(sound.Buffers, 7);
    EXPECT_TRUE(sound.Effects);
    EXPECT_TRUE(sound.LoadOnUse);

    EXPECT_FALSE(sound.LoadFromFile(dir.File("missing.wav")));
    EXPECT_EQ(sound.Kind, kSoundWave);
    EXPECT_EQ(sound.Data(), "RIFF");
}

TEST(SoundTest, RecordRoundTripAndExportKeepTheBytes) {
    TempDir dir;
    WriteFile(dir.File("clip.ogg"), kSoundBytes);
    CSound sound;
    ASSERT_TRUE(sound.LoadFromFile(dir.File("clip.ogg")));
    sound.Buffers = 3;
    sound.Effects = true;
    CStream stream;
    sound.SaveToStream(stream);
    stream.SetPosition(0);
    CSound loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(loaded.Kind, kSoundUnknown);
    EXPECT_EQ(loaded.FileType, ".ogg");
    EXPECT_EQ(loaded.Data(), kSoundBytes);
    EXPECT_EQ(loaded.Buffers, 3);
    EXPECT_TRUE(loaded.Effects);

    ASSERT_TRUE(loaded.SaveToFile(dir.File("out.ogg")));
    EXPECT_EQ(ReadFileText(dir.File("out.ogg")), kSoundBytes);

    CSound copy;
    copy.Assign(&loaded);
    loaded.Clear();
    EXPECT_EQ(copy.Data(), kSoundBytes);
    EXPECT_EQ(copy.Buffers, 3);
    copy.Assign(nullptr);
    EXPECT_FALSE(copy.HasData());
    EXPECT_EQ(copy.Kind, kSoundNone);
}

TEST(SoundTest, BadRecordsFail) {
    CSound sound;
    sound.Kind = kSoundWave;
    sound.Buffers = 4;
    CStream wrongVersion(Ints({441, -1, 0, 0, 1, 0}));
    EXPECT_FALSE(sound.LoadFromStream(wrongVersion));
    EXPECT_EQ(sound.Kind, kSoundNone);
    EXPECT_EQ(sound.Buffers, 1);

    // A data block whose count runs past the end.
    CStream cut(Ints({440, 0, 0, 1000000}));
    EXPECT_THROW(sound.LoadFromStream(cut), StreamReadError);
    // A block that is not a zlib stream.
    CStream garbage(Ints({440, 0, 0, 4, 0x12345678, 0, 1, 0}));
    EXPECT_ANY_THROW(sound.LoadFromStream(garbage));
}

TEST(SoundTest, SaveToTempFileWritesIntoTheScratchFolder) {
    TempDir dir;
    const char* old = std::getenv("temp");
    std::string saved = old ? old : "";
    ::setenv("temp", dir.Path().c_str(), 1);
    MakeScratchFolder();
    WriteFile(dir.File("s.wav"), kSoundBytes);
    CSound sound;
    ASSERT_TRUE(sound.LoadFromFile(dir.File("s.wav")));
    std::string name = sound.SaveToTempFile();
    EXPECT_EQ(name.rfind(ScratchFolder(), 0), 0u);
    EXPECT_EQ(ExtractFileExt(name), ".wav");
    EXPECT_EQ(ReadFileText(name), kSoundBytes);
    // A stored extension keeps only its letters and digits in the name.
    const std::pair<const char*, const char*> types[] = {
        {".MID", ".MID"}, {"/../../x.wav", ".xwav"}, {"..", ""}, {"", ""}, {".o g\\g", ".ogg"}};
    for (const auto& [fileType, extension] : types) {
        sound.FileType = fileType;
        name = sound.SaveToTempFile();
        EXPECT_EQ(ExtractFilePath(name), JoinPath(ScratchFolder(), "")) << fileType;
        EXPECT_EQ(ExtractFileExt(name), extension) << fileType;
        EXPECT_EQ(ReadFileText(name), kSoundBytes) << fileType;
    }
    RemoveScratchFolder();
    old ? ::setenv("temp", saved.c_str(), 1) : ::unsetenv("temp");
}

}  // namespace
}  // namespace kestrin
