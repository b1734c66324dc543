// CScript and CDataFile: stored records, imports and round trips.

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "resources/action_fixture.h"
#include "resources/data_file.h"
#include "resources/script.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using test::Ints;
using test::TempDir;

TEST(ScriptTest, RecordKeepsEveryByte) {
    CScript script;
    CStream empty;
    script.SaveToStream(empty);
    EXPECT_EQ(empty.View(), Ints({400, 0}));

    script.Code = std::string("a = \"\xe9\xff\";\r\n\0b", 14);
    CStream stream;
    script.SaveToStream(stream);
    stream.SetPosition(0);
    CScript loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(loaded.Code, script.Code);

    CScript copy;
    copy.Assign(&loaded);
    EXPECT_EQ(copy.Code, script.Code);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Code, "");

    CStream wrong(Ints({401, 0}));
    EXPECT_FALSE(loaded.LoadFromStream(wrong));
    EXPECT_EQ(loaded.Code, "");
    CStream cut(Ints({400, 50}));
    EXPECT_THROW(loaded.LoadFromStream(cut), StreamReadError);
}

TEST(DataFileTest, NewRecordAndImport) {
    CDataFile file;
    CStream stream;
    file.SaveToStream(stream);
    EXPECT_EQ(stream.View(), Ints({440, 0, 0, 2, 0, 1, 1}));
    EXPECT_EQ(file.GetSize(), 0);

    TempDir dir;
    std::string bytes("level\0data\r\n", 12);
    WriteFileAtomically(dir.File("levels.txt"), bytes.data(), bytes.size());
    file.ExportMode = kExportFont;
    file.Overwrite = true;
    ASSERT_TRUE(file.LoadFromFile(dir.File("levels.txt")));
    EXPECT_EQ(file.FileName, "levels.txt");
    EXPECT_TRUE(file.HasData);
    EXPECT_EQ(file.GetSize(), 12);
    EXPECT_EQ(file.ExportMode, kExportFont);
    EXPECT_TRUE(file.Overwrite);

    EXPECT_FALSE(file.LoadFromFile(dir.File("missing.txt")));
    EXPECT_EQ(file.FileName, "levels.txt");

    CStream written;
    file.SaveToStream(written);
    written.SetPosition(0);
    CDataFile loaded;
    ASSERT_TRUE(loaded.LoadFromStream(written));
    EXPECT_EQ(loaded.Data(), bytes);
    EXPECT_EQ(loaded.FileName, "levels.txt");
    EXPECT_EQ(loaded.ExportMode, kExportFont);
    EXPECT_TRUE(loaded.Overwrite);
    EXPECT_TRUE(loaded.FreeMemory);
    EXPECT_TRUE(loaded.RemoveAtEnd);

    ASSERT_TRUE(loaded.SaveToFile(dir.File("out.bin")));
    EXPECT_EQ(ReadFileText(dir.File("out.bin")), bytes);

    CDataFile copy;
    copy.Assign(&loaded);
    EXPECT_EQ(copy.Data(), bytes);
    EXPECT_EQ(copy.GetSize(), 12);
}

TEST(DataFileTest, EmptyImportedFileKeepsHasData) {
    CDataFile file;
    file.HasData = true;
    CStream stream;
    file.SaveToStream(stream);
    stream.SetPosition(0);
    CDataFile loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_TRUE(loaded.HasData);
    EXPECT_EQ(loaded.GetSize(), 0);
    EXPECT_EQ(stream.Remaining(), 0u);
}

TEST(DataFileTest, WrongVersionLeavesItCleared) {
    CDataFile file;
    file.FileName = "x";
    file.ExportMode = 0;
    CStream wrong(Ints({400, 0, 0, 2, 0, 1, 1}));
    EXPECT_FALSE(file.LoadFromStream(wrong));
    EXPECT_EQ(file.FileName, "");
    EXPECT_EQ(file.ExportMode, kExportWorkingFolder);
}

}  // namespace
}  // namespace kestrin
