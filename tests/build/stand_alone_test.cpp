// BuildStandAlone and CreateStandAlone: the runner data tests and their result
// codes, the icon, the header, the encoded body, the target and its folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "build/stand_alone.h"
#include "build/stand_alone_layout.h"
#include "build_fixture.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "resources/default_icon.h"

namespace kestrin {
namespace {

using test::IntAt;

// One runner data file for the whole suite; each test works on its own copy
// when it needs a damaged one.
class StandAlone : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sProgram = test::FakeRunnerProgram();
        sData = test::MakeRunnerDataOrFail(sProgram);
        ASSERT_TRUE(UnpackRunnerData(sData, sRunner));
    }

    StandAloneSource Source(const std::string& runnerData = {}) {
        StandAloneSource source;
        source.WriteGameBody = test::WriteFakeBody;
        source.GameIcon = DefaultGameIcon();
        source.RunnerData = runnerData.empty() ? SaveData(sData, "rundata") : runnerData;
        return source;
    }

    std::string SaveData(const CStream& data, const std::string& name) {
        std::string path = mDir.File(name);
        data.SaveToFile(path);
        return path;
    }

    // The written file, and its tail from offset 1500009 decoded with the
    // reverse table of its seed.
    CStream ReadDecoded(const std::string& path) {
        CStream file;
        file.LoadFromFile(path);
        if (file.Size() < kGameBodyOffset) return file;
        SubstitutionTables tables = BuildSubstitution(IntAt(file, kGameDataOffset + 4));
        for (std::size_t i = kSubstitutionStart; i < file.Size(); ++i) file.Data()[i] = tables.reverse[file.Data()[i]];
        return file;
    }

    static inline std::string sProgram;
    static inline CStream sData, sRunner;
    test::TempDir mDir;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
};

// A copy of the good runner data with the first non-zero byte from `from` on
// lowered by one; the checksum may be kept by raising a zero filler byte at
// the end of the file.
CStream Damaged(const CStream& data, std::size_t from, bool keepChecksum) {
    CStream copy(data);
    std::size_t at = from;
    while (copy.Data()[at] == 0) ++at;
    copy.Data()[at] -= 1;
    if (keepChecksum) copy.Data()[copy.Size() - 1] += 1;
    return copy;
}

CStream Wrapped(const CStream& content) {
    CStream data;
    std::string error;
    EXPECT_TRUE(WrapRunnerContent(content, data, error)) << error;
    return data;
}

TEST_F(StandAlone, EveryRunnerDataFaultHasItsCodeAndMessage) {
    ASSERT_EQ(sData.Data()[sData.Size() - 1], 0);  // the filler ends in zeros
    ASSERT_EQ(Damaged(sData, 300, true).Checksum(), kRunnerDataChecksum);

    CStream longer(sData);
    longer.SetPosition(longer.Size());
    longer.Write("\0", 1);
    CStream shorter(sData);
    shorter.SetSize(shorter.Size() - 1);
    // 255 more than the file holds, with the same byte sum.
    CStream countTooLarge(sData);
    test::PutIntAt(countTooLarge, 0, static_cast<std::int32_t>(kRunnerDataSize - 4 + 255));
    ASSERT_EQ(countTooLarge.Checksum(), sData.Checksum());
    CStream runnerShort(sRunner);
    runnerShort.SetSize(kRunnerSize - 1);
    CStream runnerChanged(sRunner);
    runnerChanged.Data()[100] ^= 1;
    std::filesystem::create_directory(mDir.File("folder"));

    struct Case {
        const char* name;
        std::string path;
        int code;
        const char* message;
    } cases[] = {
        {"missing", mDir.File("no-such-rundata"), 1, "Error Creating Stand-Alone: Cannot find the runner data."},
        {"a folder", mDir.File("folder"), 1, "Error Creating Stand-Alone: Cannot find the runner data."},
        // A file whose reading fails even for the superuser.
        {"unreadable", "/proc/self/mem", 2, "Error Creating Stand-Alone: Cannot load the runner data."},
        {"one byte longer", SaveData(longer, "longer"), 3, "Error Creating Stand-Alone: Runner data is corrupted."},
        {"one byte shorter", SaveData(shorter, "shorter"), 3, "Error Creating Stand-Alone: Runner data is corrupted."},
        {"one byte changed", SaveData(Damaged(sData, 300, false), "changed"), 3,
         "Error Creating Stand-Alone: Runner data is corrupted."},
        {"zlib stream damaged, checksum kept", SaveData(Damaged(sData, 300, true), "zlib"), 3,
         "Error Creating Stand-Alone: Runner data is corrupted."},
        {"count beyond the file", SaveData(countTooLarge, "count"), 3,
         "Error Creating Stand-Alone: Runner data is corrupted."},
        {"inflated size wrong", SaveData(Wrapped(runnerShort), "inflated-size"), 3,
         "Error Creating Stand-Alone: Runner data is corrupted."},
        {"inflated checksum wrong", SaveData(Wrapped(runnerChanged), "inflated-sum"), 3,
         "Error Creating Stand-Alone: Runner data is corrupted."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mUI.Reset();
        std::string target = mDir.File("game.exe");
        EXPECT_EQ(BuildStandAlone(target, false, Source(c.path)), c.code);
        EXPECT_FALSE(CreateStandAlone(target, false, Source(c.path)));
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(mUI.ProgressDepth(), 0);
        EXPECT_FALSE(PathExists(target));
    }
    // The good file itself, for contrast.
    EXPECT_TRUE(CreateStandAlone(mDir.File("game.exe"), false, Source()));
}

TEST_F(StandAlone, AFailingBodyIsAnInternalErrorAndTheProgressEnds) {
    struct Case {
        const char* name;
        GameBodyWriter writer;
    } cases[] = {
        {"reports failure", [](CStream&, bool) { return false; }},
        {"no writer", nullptr},
        {"short read", [](CStream&, bool) -> bool { throw StreamReadError(); }},
        {"zlib error", [](CStream&, bool) -> bool { throw EZCompressionError(-3); }},
        {"out of memory", [](CStream&, bool) -> bool { throw std::bad_alloc(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mUI.Reset();
        StandAloneSource source = Source();
        source.WriteGameBody = c.writer;
        std::string target = mDir.File("game.exe");
        EXPECT_FALSE(CreateStandAlone(target, true, source));
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error Creating Stand-Alone: Internal error."});
        ASSERT_GE(mUI.Events().size(), 2u);
        EXPECT_EQ(mUI.Events().front().kind, RecordingUI::Event::ProgressStart);
        EXPECT_EQ(mUI.Events().front().text, "Saving Executable...");
        EXPECT_EQ(mUI.ProgressDepth(), 0);
        EXPECT_FALSE(PathExists(target));
    }
}

TEST_F(StandAlone, TargetFolderIsCreatedOrTheFailureReported) {
    // Missing folders are made with their parents.
    std::string deep = mDir.File("a/b/c/game.exe");
    EXPECT_TRUE(CreateStandAlone(deep, false, Source()));
    EXPECT_TRUE(FileExists(deep));
    struct stat info;
    ASSERT_EQ(::stat(deep.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR);

    struct Case {
        const char* name;
        std::string target;
        const char* message;
    } cases[] = {
        {"folder below a file", mDir.File("plain/game.exe"),
         "Error Creating Stand-Alone: Cannot create the required directory."},
        {"target is a folder", mDir.File("a"), "Error Creating Stand-Alone: Cannot save the game file."},
    };
    std::ofstream(mDir.File("plain")) << "x";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mUI.Reset();
        EXPECT_FALSE(CreateStandAlone(c.target, false, Source()));
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(mUI.ProgressDepth(), 0);
    }
    EXPECT_TRUE(FolderExists(mDir.File("a/b/c")));
}

TEST_F(StandAlone, NameWithoutFolderIsWrittenInTheCurrentFolder) {
    std::string source = SaveData(sData, "rundata");  // before leaving for the other folder
    std::string before = CurrentFolder();
    ASSERT_EQ(::chdir(mDir.Path().c_str()), 0);
    int code = BuildStandAlone("here.exe", false, Source(source));
    ASSERT_EQ(::chdir(before.c_str()), 0);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(FileExists(mDir.File("here.exe")));
}

TEST_F(StandAlone, HeaderBodyAndTrailingBytesDecodeWithTheReverseTable) {
    std::set<std::int32_t> seeds;
    const CStream body[2] = {test::FakeBody(false), test::FakeBody(true)};
    for (int run = 0; run < 12; ++run) {
        SCOPED_TRACE(run);
        Random().Reseed(1000 + run);
        bool debug = run % 2;
        std::string target = mDir.File("game.exe");
        ASSERT_EQ(BuildStandAlone(target, debug, Source()), 0);
        CStream raw;
        raw.LoadFromFile(target);
        CStream file = ReadDecoded(target);
        const CStream& expected = body[debug];

        ASSERT_GE(file.Size(), kGameDataOffset + 16 + expected.Size() + 1);
        EXPECT_EQ(IntAt(raw, kGameDataOffset), 1230500);
        std::int32_t seed = IntAt(raw, kGameDataOffset + 4);
        EXPECT_GE(seed, 331);
        EXPECT_LE(seed, 1330);
        seeds.insert(seed);
        // The byte right after the seed is stored as it is, the next one not.
        EXPECT_EQ(raw.Data()[kGameDataOffset + 8], file.Data()[kGameDataOffset + 8]);

        EXPECT_EQ(IntAt(file, kGameDataOffset + 8), static_cast<std::int32_t>(expected.Size()));
        file.SetPosition(kGameDataOffset + 12);
        EXPECT_EQ(file.ReadString(), kGameDataTag);
        ASSERT_EQ(file.Position(), kGameBodyOffset);
        EXPECT_EQ(file.View().substr(kGameBodyOffset, expected.Size()), expected.View());
        std::size_t trailing = file.Size() - kGameBodyOffset - expected.Size();
        EXPECT_GE(trailing, 1u);
        EXPECT_LE(trailing, 10000u);

        // The runner unchanged outside its icon; padding and trailing bytes below 255.
        EXPECT_EQ(raw.View().substr(0, kRunnerIconOffset), sRunner.View().substr(0, kRunnerIconOffset));
        const std::size_t afterIcon = kRunnerIconOffset + kRunnerIconAreaSize;
        EXPECT_EQ(raw.View().substr(afterIcon, kRunnerSize - afterIcon), sRunner.View().substr(afterIcon));
        auto below255 = [](std::string_view bytes) {
            return std::none_of(bytes.begin(), bytes.end(), [](char b) { return std::uint8_t(b) == 255; });
        };
        EXPECT_TRUE(below255(raw.View().substr(kRunnerSize, kGameDataOffset - kRunnerSize)));
        EXPECT_TRUE(below255(file.View().substr(file.Size() - trailing)));
    }
    EXPECT_GT(seeds.size(), 6u);
    EXPECT_TRUE(mUI.Messages().empty());
}

// An icon file of the given images, each the given number of bytes.
std::string IconFile(std::initializer_list<std::size_t> sizes) {
    CStream file;
    auto put16 = [&](int v) { std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)}; file.Write(b, 2); };
    put16(0);
    put16(1);
    put16(static_cast<int>(sizes.size()));
    std::size_t offset = 6 + 16 * sizes.size();
    for (std::size_t size : sizes) {
        file.Write("\x20\x20\x00\x00\x01\x00\x20\x00", 8);
        file.WriteInteger(static_cast<std::int32_t>(size));
        file.WriteInteger(static_cast<std::int32_t>(offset));
        offset += size;
    }
    int image = 0;
    for (std::size_t size : sizes) {
        ++image;
        for (std::size_t i = 0; i < size; ++i) {
            std::uint8_t b = static_cast<std::uint8_t>(image * 31 + i % 200);
            file.Write(&b, 1);
        }
    }
    return std::string(file.View());
}

TEST_F(StandAlone, IconReplacesThePlaceholderOrTheWarningIsShown) {
    // The same runner without its placeholder (one byte changed, the
    // difference taken off elsewhere so the checksum holds).
    CStream ownIcon(sRunner);
    ownIcon.Data()[kRunnerIconPlaceholderOffset + 100] = 0xFE;
    ownIcon.Data()[kRunnerSize - 1] += 1;
    std::string ownIconData = SaveData(Wrapped(ownIcon), "own-icon");

    std::string defaultIcon = DefaultGameIcon();
    std::string full = IconFile({kRunnerIconAreaSize});
    std::string two = IconFile({744, 2216});
    struct Case {
        const char* name;
        std::string icon;
        std::string runnerData;  // empty: the placeholder runner
        std::string expected;    // the image written; empty: the runner's own icon stays
    } cases[] = {
        {"default icon", defaultIcon, "", defaultIcon.substr(22)},
        {"fills the area", full, "", full.substr(22)},
        {"first of two images", two, "", two.substr(6 + 32, 744)},
        {"too large", IconFile({kRunnerIconAreaSize + 1}), "", ""},
        {"not an icon", "just some text that is long enough", "", ""},
        {"no icon", "", "", ""},
        {"runner has its own icon", defaultIcon, ownIconData, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mUI.Reset();
        StandAloneSource source = Source(c.runnerData);
        source.GameIcon = c.icon;
        std::string target = mDir.File("game.exe");
        ASSERT_EQ(BuildStandAlone(target, false, source), 0);
        CStream file;
        file.LoadFromFile(target);
        const CStream& runner = c.runnerData.empty() ? sRunner : ownIcon;
        std::string_view area = file.View().substr(kRunnerIconOffset, kRunnerIconAreaSize);
        if (c.expected.empty()) {
            EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Warning Creating Stand-Alone: Cannot change icon."});
            EXPECT_EQ(area, runner.View().substr(kRunnerIconOffset, kRunnerIconAreaSize));
        } else {
            EXPECT_TRUE(mUI.Messages().empty());
            EXPECT_EQ(area.substr(0, c.expected.size()), c.expected);
            EXPECT_EQ(area.substr(c.expected.size()), runner.View().substr(kRunnerIconOffset + c.expected.size(),
                                                                           kRunnerIconAreaSize - c.expected.size()));
        }
    }
}

}  // namespace
}  // namespace kestrin
