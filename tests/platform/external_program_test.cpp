// Starting other programs and the external editor round trip.

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

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
