// The scratch folder's base choice, file names, removal and stale-folder question.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <utime.h>

#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "platform/scratch_folder.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

// Sets or clears an environment variable for one test.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : mName(name) {
        if (const char* old = std::getenv(name)) mOld = old, mHad = true;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~EnvGuard() { mHad ? ::setenv(mName, mOld.c_str(), 1) : ::unsetenv(mName); }

private:
    const char* mName;
    std::string mOld;
    bool mHad = false;
};

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

TEST(ScratchFolder, BaseIsTempThenTmp) {
    test::TempDir a, b;
    struct Case {
        const char* temp;
        const char* tmp;
        std::string expectedBase;
    } cases[] = {{a.Path().c_str(), b.Path().c_str(), a.Path()}, {nullptr, b.Path().c_str(), b.Path()}};
    for (const auto& c : cases) {
        EnvGuard temp("temp", c.temp), tmp("tmp", c.tmp);
        MakeScratchFolder();
        EXPECT_EQ(TempBaseFolder(), c.expectedBase);
        EXPECT_EQ(ExtractFilePath(ScratchFolder()), c.expectedBase + "/");
        EXPECT_EQ(ExtractFileName(ScratchFolder()).rfind("ks_ttt_", 0), 0u);
        EXPECT_TRUE(FolderExists(ScratchFolder()));
        RemoveScratchFolder();
        EXPECT_FALSE(PathExists(ScratchFolder()));
    }
}

TEST(ScratchFolder, UnusableBaseFallsBackToSystemTemp) {
    test::TempDir dir;
    std::string blocked = dir.File("plainfile");
    Touch(blocked);  // a file where a folder is needed
    EnvGuard temp("temp", blocked.c_str());
    RecordingUI ui;
    ScopedUI installed(ui);
    MakeScratchFolder();
    EXPECT_TRUE(FolderExists(ScratchFolder()));
    EXPECT_NE(TempBaseFolder(), blocked);
    EXPECT_TRUE(ui.Messages().empty());
    RemoveScratchFolder();
}

TEST(ScratchFolder, TwoRunsGetDifferentFoldersAndFileNamesAreFree) {
    test::TempDir base;
    EnvGuard temp("temp", base.Path().c_str());
    MakeScratchFolder();
    std::string first = ScratchFolder();
    MakeScratchFolder();
    std::string second = ScratchFolder();
    EXPECT_NE(first, second);

    std::string name = TempFileName(".txt");
    EXPECT_EQ(ExtractFilePath(name), second + "/");
    EXPECT_EQ(ExtractFileName(name)[0], 'a');
    EXPECT_EQ(ExtractFileExt(name), ".txt");
    EXPECT_FALSE(PathExists(name));
    RemoveFolder(first);
    RemoveFolder(second);
}

TEST(ScratchFolder, RemoveFolderDeletesPlainFilesButKeepsAFolderWithSubfolders) {
    test::TempDir dir;
    std::string flat = dir.File("flat"), nested = dir.File("nested");
    CreateFolders(flat);
    CreateFolders(nested + "/inner");
    Touch(flat + "/a.txt");
    Touch(nested + "/b.txt");
    RemoveFolder(flat);
    RemoveFolder(nested);
    RemoveFolder(dir.File("missing"));
    EXPECT_FALSE(PathExists(flat));
    EXPECT_TRUE(FolderExists(nested + "/inner"));
    EXPECT_FALSE(PathExists(nested + "/b.txt"));
}

TEST(ScratchFolder, StaleFolderQuestionOnlyAboveFifteen) {
    const std::time_t now = std::time(nullptr);
    const std::time_t old = now - 10 * 24 * 3600;
    for (int count : {15, 16}) {
        test::TempDir base;
        EnvGuard temp("temp", base.Path().c_str());
        MakeScratchFolder();  // this run's own folder is new, so not stale
        for (int i = 0; i < count; ++i) {
            std::string folder = base.File("ks_ttt_old" + std::to_string(i));
            CreateFolders(folder);
            Touch(folder + "/leftover.exe");
            struct utimbuf times{old, old};
            ::utime(folder.c_str(), &times);
        }
        std::string recent = base.File("ks_ttt_recent");
        CreateFolders(recent);

        RecordingUI ui;
        ScopedUI installed(ui);
        ui.ScriptAnswers({Answer::Yes});
        CheckOldTempFolders(now);
        if (count == 15) {
            EXPECT_TRUE(ui.Questions().empty());
            EXPECT_TRUE(FolderExists(base.File("ks_ttt_old0")));
        } else {
            ASSERT_EQ(ui.Questions().size(), 1u);
            EXPECT_EQ(ui.Questions()[0],
                      "Kestrin detected 16 old temp folders left over from earlier runs of Kestrin or games created "
                      "with it. Do you want me to remove these? (you can switch off this test in the preferences)");
            EXPECT_FALSE(PathExists(base.File("ks_ttt_old0")));
            EXPECT_FALSE(PathExists(base.File("ks_ttt_old15")));
        }
        EXPECT_TRUE(FolderExists(recent));
        EXPECT_TRUE(FolderExists(ScratchFolder()));
        RemoveScratchFolder();
    }
}

}  // namespace
}  // namespace kestrin
