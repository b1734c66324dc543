// Splitting file names into folder, name and extension, and changing the
// extension: dots in folders and leading dots are the cases that go wrong.

#include <gtest/gtest.h>

#include "platform/file_system.h"

namespace kestrin {
namespace {

struct NameCase {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
    const char* lowerExtension;
    const char* asExe;
};

constexpr NameCase kNames[] = {
    {"/games/My Game.KSD", "/games/", "My Game.KSD", ".KSD", ".ksd", "/games/My Game.exe"},
    {"/games.old/readme", "/games.old/", "readme", "", "", "/games.old/readme.exe"},
    {"level.2.ksd", "", "level.2.ksd", ".ksd", ".ksd", "level.2.exe"},
    {"/a/Caf\xC9.Gb1", "/a/", "Caf\xC9.Gb1", ".Gb1", ".gb1", "/a/Caf\xC9.exe"},
    {"/a/", "/a/", "", "", "", "/a/.exe"},
};

TEST(FileNames, FolderNameExtensionAndChangedExtension) {
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFilePath(c.path), c.folder);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFileExt(c.path), c.extension);
        EXPECT_EQ(LowerFileExt(c.path), c.lowerExtension);
        EXPECT_EQ(ChangeFileExt(c.path, ".exe"), c.asExe);
    }
}

}  // namespace
}  // namespace kestrin
