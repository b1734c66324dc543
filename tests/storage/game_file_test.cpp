// Whole games: new, save with backups, load, merge, and hostile files.

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/resource_kinds.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class GameFile : public ::testing::Test {
protected:
    void SetUp() override {
        mSavedPrefs = Prefs();
        Prefs().Advanced = true;
        Prefs().Backup = true;
        Prefs().MaxBackup = 1;
        NewGame(mGame);
    }
    void TearDown() override { Prefs() = mSavedPrefs; }

    // A small game with one resource of several kinds and references between them.
    void FillSmallGame(Game& game) {
        game.Sprites().AddResource();
        game.Sounds().AddResource();
        game.Scripts().AddResource();
        game.Scripts().ResourceAt(0)->Code = "x = 1;";
        int object = game.Objects().AddResource();
        game.Objects().ResourceAt(object)->Sprite = 0;
        game.Rooms().AddResource();
        game.Tree().AddResourceNode(game.Tree().Section(kTypeObjects), kTypeObjects);
    }

    std::string Bytes(const std::string& path) { return ReadFileText(path); }
    // A plain write: the loops below write a file per case and need no fsync.
    static void WritePlain(const std::string& path, const void* data, std::size_t size) {
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), size);
    }

    Preferences mSavedPrefs;
    RandomSource mRandom{42};
    Game mGame{mRandom};
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
    test::TempDir mDir;
};

TEST_F(GameFile, NewGameHasNoChangesAndFreshIdentity) {
    std::int32_t id = mGame.GameId;
    mGame.Sprites().AddResource();
    EXPECT_TRUE(mGame.GameChanged());
    NewGame(mGame);
    EXPECT_FALSE(mGame.GameChanged());
    EXPECT_EQ(mGame.Sprites().ResourceCount(), 0);
    EXPECT_GE(mGame.GameId, 0);
    EXPECT_LT(mGame.GameId, 1000000);
    EXPECT_NE(mGame.GameId, id);  // the fixed seed gives a different second draw
}

TEST_F(GameFile, SaveAndLoadKeepContentIdentityAndClearFlags) {
    FillSmallGame(mGame);
    std::int32_t id = mGame.GameId;
    Guid guid = mGame.GameGuid;
    std::string file = mDir.File("game.ksd");
    ASSERT_TRUE(SaveGame(mGame, file));
    EXPECT_FALSE(mGame.GameChanged());

    Game loaded(mRandom);
    ASSERT_TRUE(LoadGame(loaded, file));
    EXPECT_EQ(loaded.GameId, id);
    EXPECT_EQ(loaded.GameGuid, guid);
    EXPECT_EQ(loaded.Scripts().ResourceAt(0)->Code, "x = 1;");
    EXPECT_EQ(loaded.Objects().ResourceAt(0)->Sprite, 0);
    EXPECT_EQ(loaded.Rooms().ResourceCount(), 1);
    EXPECT_FALSE(loaded.GameChanged());
    EXPECT_TRUE(mUI.Messages().empty());
    EXPECT_EQ(mUI.ProgressDepth(), 0);

    // Saving what was loaded gives the same bytes but for the options' time stamp.
    std::string again = mDir.File("again.ksd");
    ASSERT_TRUE(SaveGame(loaded, again));
    EXPECT_EQ(Bytes(file).size(), Bytes(again).size());
}

TEST_F(GameFile, HeaderVersionsOutsideTheRangeAreRefusedWithBothMessages) {
    std::string file = mDir.File("game.ksd");
    ASSERT_TRUE(SaveGame(mGame, file));
    struct Case {
        std::int32_t version;
        std::string message;
    } cases[] = {
        {499, "Error Loading: Cannot load game file created before version 5.0. A conversion program is available "
              "from the website https://kestrin.example.org/"},
        {531, "Error Loading: File was created with a newer version of Kestrin. Please get the new version from the "
              "web site."},
    };
    for (const auto& c : cases) {
        CStream s;
        s.LoadFromFile(file);
        s.SetPosition(4);
        s.WriteInteger(c.version);
        std::string patched = mDir.File("v.ksd");
        s.SaveToFile(patched);
        mGame.Sounds().AddResource();
        mUI.Reset();
        EXPECT_FALSE(LoadGame(mGame, patched));
        EXPECT_EQ(mUI.Messages(), (std::vector<std::string>{c.message, kCorruptedMessage}));
        EXPECT_EQ(mGame.Sounds().ResourceCount(), 0);
        EXPECT_FALSE(mGame.GameChanged());
    }
    mUI.Reset();
    EXPECT_FALSE(LoadGame(mGame, mDir.File("missing.ksd")));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error Loading: File does not exist."});
}

TEST_F(GameFile, EveryTruncationFailsCleanlyAndLeavesANewGame) {
    FillSmallGame(mGame);
    CStream body;
    ASSERT_TRUE(WriteGameBody(mGame, body, false));
    std::string file = mDir.File("cut.ksd");
    for (std::size_t length = 0; length < body.Size(); ++length) {
        WritePlain(file, body.Data(), length);
        Game game(mRandom);
        game.Scripts().AddResource();
        mUI.Reset();
        ASSERT_FALSE(LoadGame(game, file)) << length;
        ASSERT_EQ(mUI.Messages().back(), kCorruptedMessage) << length;
        ASSERT_EQ(game.Scripts().ResourceCount(), 0) << length;
        ASSERT_EQ(mUI.ProgressDepth(), 0) << length;
    }
}

TEST_F(GameFile, ForgedCountsAndGarbageAreCorruptionNotCrashes) {
    FillSmallGame(mGame);
    CStream body;
    ASSERT_TRUE(WriteGameBody(mGame, body, false));
    std::string file = mDir.File("forged.ksd");
    // Every 4-byte field past the header replaced by a huge count, one at a time.
    for (std::size_t at = 32; at + 4 <= body.Size(); at += 4) {
        CStream forged = body;
        forged.SetPosition(at);
        forged.WriteInteger(0x7fffffff);
        WritePlain(file, forged.Data(), forged.Size());
        Game game(mRandom);
        mUI.Reset();
        if (!LoadGame(game, file)) {
            ASSERT_EQ(mUI.Messages().back(), kCorruptedMessage) << at;
            ASSERT_EQ(game.Objects().ResourceCount(), 0) << at;
        }
        ASSERT_EQ(mUI.ProgressDepth(), 0) << at;
    }
}

TEST_F(GameFile, BackupsRotateUpToMaxBackup) {
    std::string file = mDir.File("game.ksd");
    auto write = [](const std::string& path, const std::string& text) { std::ofstream(path) << text; };
    write(file, "current");
    write(mDir.File("game.gb1"), "one");
    write(mDir.File("game.gb2"), "two");
    Prefs().MaxBackup = 3;
    ASSERT_TRUE(SaveGame(mGame, file));
    EXPECT_EQ(Bytes(mDir.File("game.gb1")), "current");
    EXPECT_EQ(Bytes(mDir.File("game.gb2")), "one");
    EXPECT_EQ(Bytes(mDir.File("game.gb3")), "two");
    EXPECT_EQ(Bytes(file).substr(0, 4), std::string("\x91\xd5\x12\x00", 4));  // 1234321

    Prefs().Backup = false;
    write(file, "again");
    ASSERT_TRUE(SaveGame(mGame, file));
    EXPECT_EQ(Bytes(mDir.File("game.gb1")), "current");
    EXPECT_EQ(Bytes(mDir.File("game.gb3")), "two");
    EXPECT_FALSE(FileExists(mDir.File("game.gb4")));

    // A setting beyond nine (only a hand-edited store holds one) keeps nine.
    Prefs().Backup = true;
    Prefs().MaxBackup = 2147483647;
    for (int k = 1; k <= 9; ++k) write(mDir.File("game.gb" + std::to_string(k)), std::to_string(k));
    ASSERT_TRUE(SaveGame(mGame, file));
    EXPECT_EQ(Bytes(mDir.File("game.gb9")), "8");
    EXPECT_FALSE(FileExists(mDir.File("game.gb10")));
}

TEST_F(GameFile, FailedSaveLeavesTheOldFileIntact) {
    // The temporary file beside a name this long cannot be made.
    std::string file = mDir.File(std::string(248, 'g') + ".ksd");
    std::ofstream(file) << "precious";
    mGame.Sprites().AddResource();
    EXPECT_FALSE(SaveGame(mGame, file));
    EXPECT_EQ(Bytes(file), "precious");
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error Saving: Cannot create the file. The game has not been "
                                                       "saved!Try saving your work under a different name."});
    EXPECT_TRUE(mGame.GameChanged());
    EXPECT_EQ(mUI.ProgressDepth(), 0);
    EXPECT_EQ(ListFolder(mDir.Path()).size(), 1u);  // no temporary left behind
}

// The messages of loading, merging and saving (with the number of progress
// displays open when each was shown): a progress window stays on top and
// would cover a message box shown while it is open.
std::vector<std::pair<std::string, int>> MessagesWithOpenProgress(const RecordingUI& ui) {
    std::vector<std::pair<std::string, int>> shown;
    int open = 0;
    for (const auto& event : ui.Events()) {
        if (event.kind == RecordingUI::Event::ProgressStart) ++open;
        if (event.kind == RecordingUI::Event::ProgressEnd) --open;
        if (event.kind == RecordingUI::Event::Message) shown.emplace_back(event.text, open);
    }
    return shown;
}

TEST_F(GameFile, MessagesComeAfterTheProgressHasEnded) {
    std::string good = mDir.File("good.ksd");
    FillSmallGame(mGame);
    ASSERT_TRUE(SaveGame(mGame, good));
    std::string text = mDir.File("text.ksd");
    std::ofstream(text) << "some text, not a game";
    std::string cut = mDir.File("cut.ksd");
    std::string bytes = Bytes(good);
    WritePlain(cut, bytes.data(), bytes.size() / 2);
    using Shown = std::vector<std::pair<std::string, int>>;

    mUI.Reset();
    EXPECT_FALSE(LoadGame(mGame, text));
    EXPECT_EQ(MessagesWithOpenProgress(mUI),
              (Shown{{"Error Loading: This is not a Kestrin file.", 0}, {kCorruptedMessage, 0}}));
    mUI.Reset();
    EXPECT_FALSE(LoadGame(mGame, cut));
    EXPECT_EQ(MessagesWithOpenProgress(mUI), (Shown{{kCorruptedMessage, 0}}));
    mUI.Reset();
    EXPECT_FALSE(MergeGame(mGame, text));
    EXPECT_EQ(MessagesWithOpenProgress(mUI), (Shown{{"This is not a Kestrin file.", 0}}));
    mUI.Reset();
    EXPECT_FALSE(SaveGame(mGame, mDir.File(std::string(248, 'g') + ".ksd")));
    ASSERT_EQ(MessagesWithOpenProgress(mUI).size(), 1u);
    EXPECT_EQ(MessagesWithOpenProgress(mUI)[0].second, 0);
    EXPECT_EQ(mUI.ProgressDepth(), 0);
}

TEST_F(GameFile, SavingThroughALinkReplacesTheFileItNames) {
    struct Case {
        const char* name;
        // Link and what it points to; a leading "/" starts from the test's folder.
        std::vector<std::pair<std::string, std::string>> links;
        const char* real;                                        // the file the links end at
        bool realExists;
    } cases[] = {
        {"relative", {{"game.ksd", "real/game.ksd"}}, "real/game.ksd", true},
        {"chain", {{"game.ksd", "/hop.ksd"}, {"hop.ksd", "real/game.ksd"}}, "real/game.ksd", true},
        {"dangling", {{"game.ksd", "real/fresh.ksd"}}, "real/fresh.ksd", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        ASSERT_TRUE(CreateFolders(dir.File("real")));
        for (const auto& [link, target] : c.links) {
            std::string to = target[0] == '/' ? dir.Path() + target : target;
            ASSERT_EQ(::symlink(to.c_str(), dir.File(link).c_str()), 0);
        }
        const std::string real = dir.File(c.real);
        if (c.realExists) std::ofstream(real) << "old game";

        ASSERT_TRUE(SaveGame(mGame, dir.File("game.ksd")));
        struct stat info;
        ASSERT_EQ(::lstat(dir.File("game.ksd").c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode));
        EXPECT_EQ(Bytes(real).substr(0, 4), std::string("\x91\xd5\x12\x00", 4));
        EXPECT_FALSE(PathExists(dir.File("game.gb1")));
        const std::string backup = BackupFileName(real, 1);
        if (c.realExists) {
            ASSERT_EQ(::lstat(backup.c_str(), &info), 0);
            EXPECT_TRUE(S_ISREG(info.st_mode));
            EXPECT_EQ(Bytes(backup), "old game");
        } else {
            EXPECT_FALSE(PathExists(backup));
        }
    }
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(GameFile, AFolderThatTakesNoNewFileIsNamed) {
    struct Case {
        const char* name;
        std::string file;    // writable, in a folder that refuses new files
        std::string folder;  // as the message names it
    } cases[] = {
        {"read-only folder", mDir.File("locked/game.ksd"), mDir.File("locked")},
        // The kernel's own files can be written but nothing can be added beside them.
        {"process folder", "/proc/self/comm", "/proc/self"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.file.rfind(mDir.Path(), 0) == 0) {
            // Permissions do not hold back the superuser.
            if (::geteuid() == 0) continue;
            ASSERT_TRUE(CreateFolders(c.folder));
            std::ofstream(c.file) << "precious";
            ::chmod(c.folder.c_str(), 0555);
        }
        mUI.Reset();
        EXPECT_FALSE(SaveGame(mGame, c.file));
        EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error Saving: Cannot create a temporary file in " +
                                                           c.folder +
                                                           ". The game has not been saved!Try saving your work in "
                                                           "another folder."});
        ::chmod(c.folder.c_str(), 0755);
    }
}

TEST_F(GameFile, MergeIntoAnEmptyGameKeepsIndices) {
    Game other(mRandom);
    NewGame(other);
    FillSmallGame(other);
    std::string file = mDir.File("other.ksd");
    ASSERT_TRUE(SaveGame(other, file));

    std::int32_t id = mGame.GameId;
    ASSERT_TRUE(MergeGame(mGame, file));
    EXPECT_EQ(mGame.GameId, id);
    EXPECT_EQ(mGame.Objects().ResourceAt(0)->Sprite, 0);
    EXPECT_EQ(mGame.Scripts().ResourceName(0), "script0");
    EXPECT_TRUE(mGame.IsChanged(FlagIndex(ResourceKind::Object)));
    EXPECT_FALSE(mGame.IsChanged(FlagIndex(ResourceKind::Path)));  // nothing of that kind came
    // The tree got an "other" group under Objects but none under Paths.
    ASSERT_EQ(mGame.Tree().Section(kTypeObjects)->ChildCount(), 1);
    EXPECT_EQ(mGame.Tree().NodeText(mGame.Tree().Section(kTypeObjects)->Child(0)), "other");
    EXPECT_EQ(mGame.Tree().Section(kTypePaths)->ChildCount(), 0);
}

TEST_F(GameFile, MergingThreeObjectsIntoFiveMovesCollisionsAndRemapsArguments) {
    Game other(mRandom);
    NewGame(other);
    for (int i = 0; i < 3; ++i) other.Objects().AddResource();
    other.Sprites().AddResource();
    other.Sprites().AddResource();
    CObject* merged = other.Objects().ResourceAt(2);
    merged->Sprite = 1;
    merged->Parent = 0;
    CAction& action = merged->GetEvent(kCollisionEventType, 1)->AddAction(0, 0);
    action.ArgCount = 2;
    action.ArgKind[0] = 5;   // a sprite
    action.ArgKind[1] = 10;  // an object
    action.SetArgValue(0, "1");
    action.SetArgValue(1, "-1");
    action.AppliesTo = 1;
    std::string file = mDir.File("three.ksd");
    ASSERT_TRUE(SaveGame(other, file));

    for (int i = 0; i < 5; ++i) mGame.Objects().AddResource();
    for (int i = 0; i < 4; ++i) mGame.Sprites().AddResource();
    ASSERT_TRUE(MergeGame(mGame, file));
    ASSERT_EQ(mGame.Objects().ResourceCount(), 8);
    const CObject* object = mGame.Objects().ResourceAt(7);
    EXPECT_EQ(object->Sprite, 5);
    EXPECT_EQ(object->Parent, 5);
    for (int k = 0; k < 5; ++k) EXPECT_FALSE(object->HasEvent(kCollisionEventType, k)) << k;
    ASSERT_TRUE(object->HasEvent(kCollisionEventType, 6));
    const CAction* moved = object->FindEvent(kCollisionEventType, 6)->GetAction(0);
    EXPECT_EQ(moved->GetArgValue(0), "5");
    EXPECT_EQ(moved->GetArgValue(1), "-1");
    EXPECT_EQ(moved->AppliesTo, 6);
}

TEST_F(GameFile, MergeRefusesOtherFiles) {
    std::string file = mDir.File("junk.ksd");
    std::ofstream(file) << "not a game at all";
    EXPECT_FALSE(MergeGame(mGame, file));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"This is not a Kestrin file."});
    mUI.Reset();
    EXPECT_FALSE(MergeGame(mGame, mDir.File("none.ksd")));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Error Merging: File does not exist."});
}

TEST_F(GameFile, AMergeThatFailsHalfWayLeavesTheGameAsItWas) {
    Game other(mRandom);
    NewGame(other);
    FillSmallGame(other);
    other.Backgrounds().AddResource();
    CRoom& room = *other.Rooms().ResourceAt(0);
    room.AddInstance(0, 0, 0, other);
    RoomTile tile;
    tile.Width = tile.Height = 1;
    room.AddTile(tile, other);
    std::string whole = mDir.File("whole.ksd");
    ASSERT_TRUE(SaveGame(other, whole));
    std::string bytes = Bytes(whole);

    mGame.Sprites().AddResource();
    mGame.ClearChangedFlags();
    const std::int32_t lastInstanceId = mGame.LastInstanceId, lastTileId = mGame.LastTileId;
    const int thumbnails = mGame.Icons.ThumbnailCount();
    std::string cut = mDir.File("cut.ksd");
    // Cuts all through the body: the early cuts fail in the first section,
    // the late ones after every list was read, in the tree.
    std::size_t firstWhole = bytes.size();
    for (std::size_t length = 40; length < bytes.size(); length += 7) {
        WritePlain(cut, bytes.data(), length);
        if (MergeGame(mGame, cut)) {
            firstWhole = length;  // what follows the tree is not read by a merge
            break;
        }
        for (const ResourceKindInfo& info : kResourceKinds)
            ASSERT_EQ(mGame.ListOf(info.kind)->ResourceCount(), info.kind == ResourceKind::Sprite ? 1 : 0) << length;
        ASSERT_FALSE(mGame.GameChanged()) << length;
        ASSERT_EQ(mGame.Tree().Section(kTypeSprites)->ChildCount(), 0) << length;
        ASSERT_EQ(mGame.LastInstanceId, lastInstanceId) << length;
        ASSERT_EQ(mGame.LastTileId, lastTileId) << length;
        ASSERT_EQ(mGame.Icons.ThumbnailCount(), thumbnails) << length;
    }
    EXPECT_GT(firstWhole, bytes.size() / 2) << "the cuts must reach the late sections";
    EXPECT_EQ(mGame.Rooms().ResourceCount(), 1);
    EXPECT_GT(mGame.LastInstanceId, lastInstanceId);
    EXPECT_GT(mGame.LastTileId, lastTileId);
    EXPECT_EQ(mGame.Icons.ThumbnailCount(), thumbnails + 2);
}

TEST_F(GameFile, BodyCarriesTheDebugFlagAndBackupNamesFollowTheExtension) {
    CStream body;
    ASSERT_TRUE(WriteGameBody(mGame, body, true));
    body.SetPosition(8);
    EXPECT_EQ(body.ReadInteger(), 1);
    EXPECT_EQ(BackupFileName("/g/my.game.ksd", 3), "/g/my.game.gb3");
    EXPECT_EQ(BackupFileName("/g/noext", 1), "/g/noext.gb1");
}

}  // namespace
}  // namespace kestrin
