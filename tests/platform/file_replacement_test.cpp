// Replacing a file whole: any failing call leaves the old content, the
// folder is synced after the rename, and temporary files an interrupted
// write left behind go with the next replacement.

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "platform/file_system.h"
#include "platform/file_write_hook.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

TEST(FileReplacement, AFailureAtAnyCallKeepsTheOldContentAndNoTemporary) {
    using C = FileWriteCall;
    const std::vector<C> expectedCalls = {C::Create, C::Permissions, C::Write, C::SyncFile,
                                          C::Close,  C::Rename,      C::SyncFolder};
    const std::string content = "new content";
    for (int error : {ENOSPC, EROFS, EIO}) {
        for (std::size_t n = 0; n < expectedCalls.size(); ++n) {
            SCOPED_TRACE(std::string(FileWriteCallName(expectedCalls[n])) + " fails with errno " +
                         std::to_string(error));
            test::TempDir dir;
            const std::string file = dir.File("file.txt");
            std::ofstream(file) << "old content";
            std::vector<C> calls;
            bool threw = false;
            {
                ScopedFileWriteHook hook([&](C call) {
                    calls.push_back(call);
                    return calls.size() == n + 1 ? error : 0;
                });
                try {
                    WriteFileAtomically(file, content.data(), content.size());
                } catch (const FileError& e) {
                    threw = true;
                    EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
                }
            }
            ASSERT_LT(n, calls.size());
            EXPECT_EQ(calls[n], expectedCalls[n]);
            // Once renamed the new content is in place whatever the folder's sync says.
            const bool afterRename = expectedCalls[n] == C::SyncFolder;
            EXPECT_EQ(threw, !afterRename);
            EXPECT_EQ(ReadFileText(file), afterRename ? content : "old content");
            EXPECT_EQ(ListFolder(dir.Path()).size(), 1u);
        }
    }
}

TEST(FileReplacement, StrayTemporariesOfTheSameFileGoWithTheNextReplacement) {
    test::TempDir dir;
    const std::vector<std::string> strays = {"game.ksd.kstmp-a1B2c3", "game.ksd.kstmp-XXXXXX"};
    const std::vector<std::string> kept = {
        "game.ksd.kstmp-a1B2c34",  // not a name mkstemp makes
        "other.ksd.kstmp-a1B2c3",  // another file's
        "agame.ksd.kstmp-a1B2c3",
        "game.ksd",
    };
    for (const auto& name : strays) std::ofstream(dir.File(name)) << "half";
    for (const auto& name : kept) std::ofstream(dir.File(name)) << "keep";
    WriteFileAtomically(dir.File("game.ksd"), "whole", 5);
    for (const auto& name : strays) EXPECT_FALSE(PathExists(dir.File(name))) << name;
    for (const auto& name : kept) EXPECT_TRUE(FileExists(dir.File(name))) << name;
    EXPECT_EQ(ReadFileText(dir.File("game.ksd")), "whole");
}

TEST(FileReplacement, FoldersCanBeSynced) {
    test::TempDir dir;
    EXPECT_TRUE(SyncFolder(dir.Path()));
    EXPECT_TRUE(SyncFolder(""));  // the current folder
    EXPECT_FALSE(SyncFolder(dir.File("missing")));
    std::ofstream(dir.File("plain")) << "not a folder";
    EXPECT_FALSE(SyncFolder(dir.File("plain")));
}

}  // namespace
}  // namespace kestrin
