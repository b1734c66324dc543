// Starting other programs and the external editor round trip.

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/external_program.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "platform/scratch_folder.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

std::string WriteScript(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    ::chmod(path.c_str(), 0755);
    return path;
}

class ExternalProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("temp", mBase.Path().c_str(), 1);
        MakeScratchFolder();
    }
    void TearDown() override {
        RemoveScratchFolder();
        ::unsetenv("temp");
    }
    test::TempDir mBase, mTools;
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
};

TEST_F(ExternalProgram, WaitsInTheWorkingFolderWhilePumpingEvents) {
    std::string script = WriteScript(mTools.File("work.sh"), "sleep 0.3; pwd > \"$1\"");
    std::string out = mTools.File("out.txt");
    ASSERT_TRUE(RunProgram(script, {out}, mBase.Path(), true));
    EXPECT_EQ(ReadFileText(out), mBase.Path() + "\n");
    EXPECT_GE(mUI.Pumps(), 2);
}

TEST_F(ExternalProgram, ArgumentsWithBlanksAndQuotesArriveWhole) {
    std::string script = WriteScript(mTools.File("args.sh"), "printf '%s|' \"$@\" > \"$1\"");
    std::string out = mTools.File("with blank.txt");
    ASSERT_TRUE(RunProgram(script, {out, "two words", "a\"quote"}, "", true));
    EXPECT_EQ(ReadFileText(out), out + "|two words|a\"quote|");
}

// A relative program path is the caller's, whatever folder the program runs in.
TEST_F(ExternalProgram, RelativeProgramPathsStartFromTheCallersFolder) {
    CreateFolders(mTools.File("sub"));
    WriteScript(mTools.File("sub/where.sh"), "pwd > \"$1\"");
    WriteScript(mTools.File("top.sh"), "pwd > \"$1\"");
    const std::string before = CurrentFolder();
    ASSERT_EQ(::chdir(mTools.Path().c_str()), 0);
    struct Case {
        const char* program;
        std::string folder;
        std::string ranIn;
    } cases[] = {
        {"sub/where.sh", "sub", mTools.File("sub")},
        {"sub/where.sh", mBase.Path(), mBase.Path()},
        {"top.sh", mBase.Path(), mBase.Path()},
        {"./top.sh", "", mTools.Path()},
    };
    // What the program wrote, once it has written a whole line.
    auto written = [](const std::string& file) {
        std::string text;
        for (int i = 0; i < 100; ++i, ::usleep(20000)) {
            text = FileExists(file) ? ReadFileText(file) : "";
            if (!text.empty() && text.back() == '\n') break;
        }
        return text;
    };
    for (const Case& c : cases) {
        const std::string out = mBase.File("out.txt");
        for (bool wait : {true, false}) {
            DeleteFile(out);
            EXPECT_TRUE(RunProgram(c.program, {out}, c.folder, wait)) << c.program << " in " << c.folder;
            EXPECT_EQ(written(out), c.ranIn + "\n") << c.program << " in " << c.folder;
        }
    }
    // An external editor typed as a relative path runs in its own folder.
    WriteScript(mTools.File("sub/edit.sh"), "printf 'edited' > \"$1\"");
    EXPECT_EQ(EditTextExternally("old", "sub/edit.sh"), "edited\r\n");
    ASSERT_EQ(::chdir(before.c_str()), 0);
}

TEST_F(ExternalProgram, MissingProgramIsNotStarted) {
    EXPECT_FALSE(RunProgram(mTools.File("nothing-here"), {}, "", true));
    EXPECT_FALSE(RunProgram(mTools.File("nothing-here"), {}, "", false));
}

TEST_F(ExternalProgram, NotWaitingReturnsAtOnce) {
    std::string script = WriteScript(mTools.File("late.sh"), "sleep 0.5; echo done > \"$1\"");
    std::string out = mTools.File("late.txt");
    ASSERT_TRUE(RunProgram(script, {out}, "", false));
    EXPECT_FALSE(FileExists(out));
}

TEST_F(ExternalProgram, EditorThatChangesNothingAddsTheFinalLineBreak) {
    std::string editor = WriteScript(mTools.File("noop.sh"), "true");
    EXPECT_EQ(EditTextExternally("a = 1\nb = 2", editor), "a = 1\r\nb = 2\r\n");
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(ExternalProgram, EditorChangesComeBack) {
    std::string editor = WriteScript(mTools.File("edit.sh"), "printf 'x = 5\\ny = 6' > \"$1\"");
    EXPECT_EQ(EditTextExternally("old\r\n", editor), "x = 5\r\ny = 6\r\n");
}

TEST_F(ExternalProgram, EditorThatDeletesTheFileKeepsTheText) {
    std::string editor = WriteScript(mTools.File("delete.sh"), "rm \"$1\"");
    EXPECT_EQ(EditTextExternally("keep me", editor), "keep me");
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Failed to read back the code file."});
}

TEST_F(ExternalProgram, NoEditorKeepsTheTextUnchanged) {
    EXPECT_EQ(EditTextExternally("same", ""), "same");
    EXPECT_EQ(EditTextExternally("same", mTools.File("missing-editor")), "same");
}

}  // namespace
}  // namespace kestrin
