// Saving over a good game while one of the calls that change the disk fails
// (a full disk, a folder turned read-only, an I/O error): the old game stays
// whole, or the new one is complete, and a failure says so once.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/file_write_hook.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

constexpr const char* kCannotCreate =
    "Error Saving: Cannot create the file. The game has not been saved!Try saving your work under a different name.";

// Counts the calls a save makes and fails the one numbered failAt (from 1).
struct FaultPlan {
    int failAt;
    int error;
    int calls = 0;
    bool failed = false;
    FileWriteCall failedCall{};

    int operator()(FileWriteCall call) {
        if (++calls != failAt) return 0;
        failed = true;
        failedCall = call;
        return error;
    }
};

class GameFileFaults : public ::testing::Test {
protected:
    void SetUp() override {
        mSavedPrefs = Prefs();
        Prefs().Backup = true;
        Prefs().MaxBackup = 3;
        NewGame(mOld);
        mOld.Scripts().AddResource();
        mOld.Scripts().ResourceAt(0)->Code = "old = 1;";
        NewGame(mNew);
        for (int i = 0; i < 3; ++i) mNew.Sprites().AddResource();
        mNew.Rooms().AddResource();
        test::TempDir dir;
        ASSERT_TRUE(SaveGame(mOld, dir.File("old.ksd")));
        mOldBytes = ReadFileText(dir.File("old.ksd"));
    }
    void TearDown() override { Prefs() = mSavedPrefs; }

    // What the file holds: the old game byte for byte, the new game as it
    // loads back (each save stamps the time into it), or neither.
    std::string Holds(const std::string& path) {
        if (!FileExists(path)) return "nothing";
        if (ReadFileText(path) == mOldBytes) return "old";
        RecordingUI quiet;
        ScopedUI installed(quiet);
        Game loaded(mRandom);
        if (!LoadGame(loaded, path)) return "neither";
        bool isNew = loaded.Sprites().ResourceCount() == 3 && loaded.Rooms().ResourceCount() == 1 &&
                     loaded.Scripts().ResourceCount() == 0;
        return isNew ? "new" : "neither";
    }

    // Files of the folder whose name marks them as temporary.
    static int Temporaries(const std::string& folder) {
        int count = 0;
        for (const auto& entry : ListFolder(folder)) count += entry.name.find(".kstmp-") != std::string::npos;
        return count;
    }

    Preferences mSavedPrefs;
    RandomSource mRandom{7};
    Game mOld{mRandom};
    Game mNew{mRandom};
    std::string mOldBytes;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
};

TEST_F(GameFileFaults, AFailureAtAnyCallLeavesTheOldGameOrCompletesTheNewOne) {
    const struct {
        const char* name;
        int error;
    } errors[] = {{"full disk", ENOSPC}, {"read-only folder", EROFS}, {"refused", EACCES}, {"disk error", EIO}};
    for (const auto& e : errors) {
        bool reachedTheEnd = false;
        for (int n = 1; !reachedTheEnd; ++n) {
            SCOPED_TRACE(std::string(e.name) + ", call " + std::to_string(n));
            test::TempDir dir;
            const std::string file = dir.File("game.ksd");
            for (const char* name : {"game.ksd", "game.gb1", "game.gb2"})
                std::ofstream(dir.File(name), std::ios::binary) << mOldBytes;
            mNew.Sprites().SetChanged(true);
            mUI.Reset();

            FaultPlan plan{n, e.error};
            bool saved;
            {
                ScopedFileWriteHook hook(std::ref(plan));
                saved = SaveGame(mNew, file);
            }
            reachedTheEnd = !plan.failed;
            const std::string failed = plan.failed ? FileWriteCallName(plan.failedCall) : "none";
            SCOPED_TRACE(failed);
            if (saved) {
                // Only the backups and the folder's sync may fail without
                // failing the save: the new game is in place by then or goes
                // in place regardless.
                EXPECT_EQ(Holds(file), "new");
                EXPECT_TRUE(mUI.Messages().empty());
                EXPECT_FALSE(mNew.GameChanged());
                EXPECT_NE(plan.failedCall, FileWriteCall::Write);
                EXPECT_NE(plan.failedCall, FileWriteCall::SyncFile);
            } else {
                EXPECT_EQ(Holds(file), "old");
                EXPECT_TRUE(mNew.GameChanged());
                // A folder that takes no new file is named: another name in it
                // would not help.
                const std::string expected =
                    plan.failedCall == FileWriteCall::Create
                        ? "Error Saving: Cannot create a temporary file in " + dir.Path() +
                              ". The game has not been saved!Try saving your work in another folder."
                        : kCannotCreate;
                EXPECT_EQ(mUI.Messages(), std::vector<std::string>{expected});
            }
            EXPECT_EQ(mUI.ProgressDepth(), 0);
            for (const char* name : {"game.gb1", "game.gb2", "game.gb3"}) {
                const std::string held = Holds(dir.File(name));
                EXPECT_TRUE(held == "old" || held == "nothing") << name << " holds " << held;
            }
            // Only a failing clean-up leaves its temporary file, and the next
            // save takes it away.
            EXPECT_LE(Temporaries(dir.Path()), 1);
            ASSERT_TRUE(SaveGame(mNew, file));
            EXPECT_EQ(Temporaries(dir.Path()), 0);
            EXPECT_EQ(Holds(file), "new");
        }
    }
}

TEST_F(GameFileFaults, BackupsComeBeforeTheRenameAndTheFolderIsSyncedAfterIt) {
    test::TempDir dir;
    const std::string file = dir.File("game.ksd");
    std::ofstream(file, std::ios::binary) << mOldBytes;
    Prefs().MaxBackup = 2;
    std::vector<FileWriteCall> calls;
    {
        ScopedFileWriteHook hook([&](FileWriteCall call) {
            calls.push_back(call);
            return 0;
        });
        ASSERT_TRUE(SaveGame(mNew, file));
    }
    using C = FileWriteCall;
    EXPECT_EQ(calls, (std::vector<C>{C::Create, C::Permissions, C::Write, C::SyncFile, C::Close,
                                     // backup 2 goes, backup 1 moves up, the file becomes backup 1
                                     C::Delete, C::Rename, C::Delete, C::Link,
                                     C::Rename, C::SyncFolder}));
}

TEST_F(GameFileFaults, AReadOnlyFolderKeepsTheOldGame) {
    // Permissions do not hold back the superuser, so the save runs in a child
    // that becomes an ordinary user first.
    constexpr uid_t kNobody = 65534;
    const bool root = ::geteuid() == 0;
    test::TempDir dir;
    const std::string folder = dir.File("locked");
    const std::string file = folder + "/game.ksd";
    ASSERT_TRUE(CreateFolders(folder));
    std::ofstream(file, std::ios::binary) << mOldBytes;
    if (root) {
        for (const std::string& path : {dir.Path(), folder, file}) ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(8);
        RecordingUI ui;
        ScopedUI installed(ui);
        const bool saved = SaveGame(mNew, file);
        const std::vector<std::string> expected = {"Error Saving: Cannot create a temporary file in " + folder +
                                                   ". The game has not been saved!Try saving your work in another "
                                                   "folder."};
        ::_exit((saved ? 1 : 0) | (ReadFileText(file) != mOldBytes ? 2 : 0) | (ui.Messages() != expected ? 4 : 0));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    // 1: saved anyway, 2: the old game changed, 4: another message, 8: could not give up root.
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFileText(file), mOldBytes);
    EXPECT_EQ(Temporaries(folder), 0);
}

}  // namespace
}  // namespace kestrin
