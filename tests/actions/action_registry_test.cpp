// The loader and the registry: file order, every load message, the limit of
// 100 libraries, hostile files, lookups across libraries and the icon store.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "actions/action_registry.h"
#include "library_fixture.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { ClearActionLibraries(); }
    void TearDown() override { ClearActionLibraries(); }

    std::string Folder() const { return mDir.Path() + "/"; }
    void Write(const std::string& name, const CActionLibrary& library) { test::WriteLibrary(mDir.File(name), library); }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (int i = 0; i < LibraryCount(); ++i) captions.push_back(LibraryAt(i)->Caption);
        return captions;
    }

    test::TempDir mDir;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
};

TEST_F(RegistryTest, MissingAndEmptyFolders) {
    EXPECT_FALSE(LoadActionLibrariesFrom(Folder() + "nothing/"));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Cannot locate action library directory."});
    mUI.Reset();
    // Folders and files of other extensions do not count.
    std::filesystem::create_directory(mDir.File("sub.lib"));
    test::WriteBytes(mDir.File("notes.txt"), "x");
    EXPECT_FALSE(LoadActionLibrariesFrom(Folder()));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"No action libraries have been found."});
    EXPECT_EQ(LibraryCount(), 0);
}

// Only regular files are libraries; other things of that name are passed by
// without a message, and nothing waits on a pipe.
TEST_F(RegistryTest, OnlyRegularFilesAndLinksToThemAreRead) {
    Write("a.lib", test::MakeLibrary("a", 1, 1));
    Write("z.lib", test::MakeLibrary("z", 3, 1));
    test::TempDir elsewhere;
    test::WriteLibrary(elsewhere.File("linked.lib"), test::MakeLibrary("linked", 2, 1));
    struct Case {
        const char* name;
        std::function<int(const std::string& path)> make;
    } cases[] = {
        {"b.lib", [&](const std::string& p) { return ::symlink(elsewhere.Path().c_str(), p.c_str()); }},
        {"c.lib", [&](const std::string& p) { return ::symlink(elsewhere.File("gone.lib").c_str(), p.c_str()); }},
        {"d.lib", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600); }},
        {"e.lib", [&](const std::string& p) { return ::symlink(elsewhere.File("linked.lib").c_str(), p.c_str()); }},
        {"f.lib", [&](const std::string& p) { return ::symlink("f.lib", p.c_str()); }},  // a loop
    };
    for (const Case& c : cases) ASSERT_EQ(c.make(mDir.File(c.name)), 0) << c.name;
    EXPECT_TRUE(LoadActionLibrariesFrom(Folder()));
    EXPECT_TRUE(mUI.Messages().empty());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "linked", "z"}));
}

TEST_F(RegistryTest, ReadingARegularFileNeverWaitsOnAPipe) {
    ASSERT_EQ(::mkfifo(mDir.File("pipe").c_str(), 0600), 0);
    EXPECT_THROW(ReadRegularFile(mDir.File("pipe")), FileError);
    EXPECT_THROW(ReadRegularFile(mDir.Path()), FileError);
    test::WriteBytes(mDir.File("plain"), "abc");
    EXPECT_EQ(ReadRegularFile(mDir.File("plain")).size(), 3u);
}

TEST_F(RegistryTest, LoadsInNameOrderIgnoringCase) {
    Write("b.lib", test::MakeLibrary("b", 2, 1));
    Write("A.lib", test::MakeLibrary("A", 1, 1));
    Write("C.lib", test::MakeLibrary("C", 3, 1));
    Write("d.LIB", test::MakeLibrary("d", 4, 1));
    EXPECT_TRUE(LoadActionLibrariesFrom(Folder()));
    EXPECT_TRUE(mUI.Messages().empty());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "b", "C", "d"}));
    EXPECT_EQ(LibraryAt(-1), nullptr);
    EXPECT_EQ(LibraryAt(4), nullptr);
}

TEST_F(RegistryTest, ABrokenFileStopsLoadingAndKeepsTheEarlierLibraries) {
    const std::string good = test::LibraryBytes(test::MakeLibrary("m", 5, 2));
    CActionLibrary badPicture = test::MakeLibrary("m", 5, 2);
    badPicture.DefinitionAt(1)->Image = "BM not really a picture";
    CActionLibrary badVersion = test::MakeLibrary("m", 5, 1);
    std::string wrongVersion = test::LibraryBytes(badVersion);
    wrongVersion[1] = 0x7F;  // library version 0x7F08
    std::string hugeCaption = good;
    hugeCaption.replace(4, 4, "\xFF\xFF\xFF\x7F");  // the caption's length
    std::string hugeCount = test::LibraryBytes(test::MakeLibrary("m", 5, 0));
    hugeCount.replace(hugeCount.size() - 4, 4, "\x00\x00\x00\x10");  // the number of definitions
    CActionLibrary nineArguments = test::MakeLibrary("m", 5, 1);
    std::string tooManyArguments = test::LibraryBytes(nineArguments);
    // The definition ends with its argument record count (8), eight default
    // records of 41 bytes each and 12 bytes of exec fields.
    const std::size_t argRecords = tooManyArguments.size() - 12 - 8 * 41 - 4;
    ASSERT_EQ(tooManyArguments.substr(argRecords, 4), std::string("\x08\x00\x00\x00", 4));
    tooManyArguments[argRecords] = 9;
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"empty file", ""},
        {"wrong version", wrongVersion},
        {"broken picture", test::LibraryBytes(badPicture)},
        {"oversized text", hugeCaption},
        {"oversized definition count", hugeCount},
        {"nine argument records", tooManyArguments},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearActionLibraries();
        mUI.Reset();
        test::TempDir dir;
        test::WriteLibrary(dir.File("a.lib"), test::MakeLibrary("first", 1, 1));
        test::WriteBytes(dir.File("m.lib"), c.bytes);
        test::WriteLibrary(dir.File("z.lib"), test::MakeLibrary("last", 3, 1));
        EXPECT_FALSE(LoadActionLibrariesFrom(dir.Path() + "/"));
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error loading action library: m.lib"});
        EXPECT_EQ(Captions(), std::vector<std::string>{"first"});
    }
}

TEST_F(RegistryTest, EveryTruncationOfAFileIsALoadMessageNotACrash) {
    const std::string bytes = test::LibraryBytes(test::MakeLibrary("t", 1, 2));
    // Cuts inside the last definition keep the file short of a whole library.
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        ClearActionLibraries();
        mUI.Reset();
        test::WriteBytes(mDir.File("t.lib"), bytes.substr(0, cut));
        EXPECT_FALSE(LoadActionLibrariesFrom(Folder())) << cut;
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error loading action library: t.lib"}) << cut;
    }
}

TEST_F(RegistryTest, MoreThanAHundredFilesLoadTheFirstHundred) {
    for (int i = 0; i < 102; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "lib%03d.lib", i);
        Write(name, test::MakeLibrary(name, 100 + i, 1));
    }
    EXPECT_TRUE(LoadActionLibrariesFrom(Folder()));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Not all action libraries could be loaded."});
    ASSERT_EQ(LibraryCount(), 100);
    EXPECT_EQ(LibraryAt(99)->Caption, "lib099.lib");
}

TEST_F(RegistryTest, LookupSearchesOnPastALibraryWithTheSameId) {
    CActionLibrary first = test::MakeLibrary("first", 7, 2);   // actions 1, 2
    CActionLibrary second = test::MakeLibrary("second", 7, 3); // actions 1, 2, 3
    Write("1.lib", first);
    Write("2.lib", second);
    Write("3.lib", test::MakeLibrary("other", 8, 1));
    ASSERT_TRUE(LoadActionLibrariesFrom(Folder()));
    EXPECT_EQ(FindActionDefinition(7, 2), LibraryAt(0)->DefinitionAt(1));
    EXPECT_EQ(FindActionDefinition(7, 3), LibraryAt(1)->DefinitionAt(2));
    EXPECT_EQ(FindActionDefinition(8, 1), LibraryAt(2)->DefinitionAt(0));
    EXPECT_EQ(FindActionDefinition(8, 2), nullptr);
    EXPECT_EQ(FindActionDefinition(9, 1), nullptr);
}

TEST_F(RegistryTest, IconsGoToTheStoreAndPicturesAreDropped) {
    CActionLibrary library = test::MakeLibrary("icons", 1, 6);
    library.DefinitionAt(1)->Kind = kActionKindGap;
    library.DefinitionAt(2)->Kind = kActionKindHidden;
    library.DefinitionAt(3)->Kind = kActionKindLabel;
    library.DefinitionAt(4)->Image.clear();  // no picture at all
    Write("icons.lib", library);
    ASSERT_TRUE(LoadActionLibrariesFrom(Folder()));
    const CActionLibrary& loaded = *LibraryAt(0);
    const int expected[] = {0, -1, -1, -1, -1, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(loaded.DefinitionAt(i)->IconIndex, expected[i]) << i;
        EXPECT_TRUE(loaded.DefinitionAt(i)->Image.empty());
    }
    EXPECT_EQ(ActionIcons().Count(), 2);
    // The square is opaque, the ground (the bottom-left colour) see-through.
    const ActionIcon* icon = ActionIcons().IconAt(1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->At(10, 10), 0xFF000000u | (6 * 40));
    EXPECT_EQ(icon->At(0, 0), 0u);
    EXPECT_EQ(ActionIcons().IconAt(-1), nullptr);
    EXPECT_EQ(ActionIcons().IconAt(2), nullptr);
}

TEST(IconStore, NumbersRunThroughListsOfAThousand) {
    CIconStore store;
    const std::string picture = test::SquareIcon(0x123456);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(store.Add(picture), i);
    EXPECT_EQ(store.Add(picture), 1000);
    EXPECT_EQ(store.Add(picture), 1001);
    EXPECT_NE(store.IconAt(1001), nullptr);
    EXPECT_EQ(store.IconAt(1002), nullptr);
    EXPECT_EQ(store.Add(""), -1);
    EXPECT_EQ(store.Add("BMxxxx"), -1);
}

TEST(IconStore, NoListTakesAPictureOnceAllThirtyThreeAreFull) {
    CIconStore store(2);
    const std::string picture = test::SquareIcon(0x123456);
    std::vector<int> numbers;
    for (int i = 0; i < 66; ++i) numbers.push_back(store.Add(picture));
    EXPECT_EQ(numbers[2], 1000);
    EXPECT_EQ(numbers[65], 32001);
    EXPECT_EQ(store.Add(picture), -1);
    EXPECT_NE(store.IconAt(32001), nullptr);
    EXPECT_EQ(store.IconAt(2), nullptr);
}

TEST(IconStore, PicturesOfOtherSizesAreCutOrPadded) {
    CIconStore store;
    // 40 x 10: blue ground (bottom-left), one red column at x = 3.
    const std::string wide = test::MakeBmp(40, 10, [](int x, int) { return x == 3 ? 0xFF0000u : 0x0000FFu; });
    const ActionIcon* icon = store.IconAt(store.Add(wide));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->At(3, 0), 0xFFFF0000u);
    EXPECT_EQ(icon->At(3, 9), 0xFFFF0000u);
    EXPECT_EQ(icon->At(3, 10), 0u);  // padded below with the see-through colour
    EXPECT_EQ(icon->At(23, 5), 0u);
}

}  // namespace
}  // namespace kestrin
