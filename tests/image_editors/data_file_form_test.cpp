// The data-file window: its size text, loading and exporting the data, the
// name the game writes it under, and closing.

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/text_convert.h"
#include "image_editors/data_file_form.h"
#include "image_editors/data_file_name_rule.h"
#include "image_editors/file_messages.h"
#include "platform/file_system.h"
#include "stream/zlib_codec.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class DataFileFormTest : public test::EditorTest {
protected:
    DataFileFormTest() {
        index = game.DataFiles().AddResource();
        game.DataFiles().RenameResource(index, "levels");
        game.ClearChangedFlags();
    }
    TDataFileForm* OpenForm() { return Open<TDataFileForm>(ResourceKind::DataFile, index); }
    CDataFile& Data() { return *game.DataFiles().ResourceAt(index); }
    template <class W>
    static W* Child(QWidget* form, const char* name) {
        return form->findChild<W*>(QString::fromLatin1(name));
    }
    static QString SizeText(QWidget* form) { return Child<QLabel>(form, "SizeLabel")->text(); }
    std::string WriteFile(const char* name, const std::string& bytes) {
        std::string path = dir.File(name);
        WriteFileAtomically(path, bytes.data(), bytes.size());
        return path;
    }
    // Near the left end: check boxes take clicks only on their box and text.
    void Click(QWidget* form, const char* name) {
        QAbstractButton* button = Child<QAbstractButton>(form, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    test::TempDir dir;
    int index = 0;
};

TEST_F(DataFileFormTest, OpeningShowsTheFieldsAndMarksNothing) {
    Data().ExportMode = kExportFont;
    Data().Overwrite = true;
    TDataFileForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(SizeText(form), QStringLiteral("Size: 0 bytes"));
    EXPECT_FALSE(Child<QPushButton>(form, "ExportBtn")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(form, "ExportMode3")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "OverWriteCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "FreeMemoryCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "RemoveEndCheck")->isChecked());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Data File Properties: levels"));
    EXPECT_FALSE(form->Edited());
    EXPECT_FALSE(game.GameChanged());
}

TEST_F(DataFileFormTest, EveryControlSetsItsFieldAndMarks) {
    TDataFileForm* form = OpenForm();
    Click(form, "ExportMode1");
    EXPECT_EQ(Data().ExportMode, kExportTempFolder);
    Click(form, "OverWriteCheck");
    Click(form, "FreeMemoryCheck");
    Click(form, "RemoveEndCheck");
    EXPECT_TRUE(Data().Overwrite);
    EXPECT_FALSE(Data().FreeMemory);
    EXPECT_FALSE(Data().RemoveAtEnd);
    QTest::keyClicks(Child<QLineEdit>(form, "FileNameEdit"), QStringLiteral("font.ttf"));
    EXPECT_EQ(Data().FileName, "font.ttf");
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.DataFiles().Changed());
}

// Loading, the size text, exporting the same bytes, and No putting the
// data file back as it was at opening.
TEST_F(DataFileFormTest, LoadShowsTheSizeExportWritesTheBytesAndNoRestores) {
    Data().ExportMode = kExportNone;
    QPointer<TDataFileForm> form = OpenForm();
    std::string bytes("level 1\0\r\nend", 13);
    dialogs.Files.push_back(WriteFile("levels.txt", bytes));
    Click(form, "LoadBtn");
    EXPECT_EQ(SizeText(form), QStringLiteral("Size: 13 bytes"));
    EXPECT_EQ(Child<QLineEdit>(form, "FileNameEdit")->text(), QStringLiteral("levels.txt"));
    EXPECT_EQ(Data().ExportMode, kExportNone);
    EXPECT_TRUE(form->Edited());

    dialogs.Files.push_back(dir.File("out.bin"));
    Click(form, "ExportBtn");
    EXPECT_EQ(dialogs.FileSpecs.back().proposedName, "levels.txt");
    EXPECT_TRUE(dialogs.FileSpecs.back().save);
    EXPECT_EQ(ReadFileText(dir.File("out.bin")), bytes);

    ui.ScriptAnswers({Answer::No});
    form->close();
    test::EditorTest::Settle();
    EXPECT_TRUE(form.isNull());
    EXPECT_FALSE(Data().HasData);
    EXPECT_EQ(Data().GetSize(), 0);
    EXPECT_EQ(Data().FileName, "");
}

TEST_F(DataFileFormTest, FailuresShowTheirMessagesAndMarkNothing) {
    TDataFileForm* form = OpenForm();
    // Larger than a game can store: refused before a byte is read (the
    // file is sparse, so it takes no room on disk).
    std::string huge = dir.File("huge.bin");
    QFile file(PathToQt(huge));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(kMaxInflatedSize) + 1));
    file.close();
    dialogs.Files.push_back(huge);
    Click(form, "LoadBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFileTooLargeMessage});
    EXPECT_FALSE(Data().HasData);
    EXPECT_FALSE(form->Edited());

    ui.Reset();
    dialogs.Files.push_back(dir.File("gone.txt"));
    Click(form, "LoadBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToLoadFileMessage});
    EXPECT_FALSE(form->Edited());

    ui.Reset();
    dialogs.Files.push_back(WriteFile("a.txt", "abc"));
    Click(form, "LoadBtn");
    dialogs.Files.push_back(dir.File("no such folder/out.txt"));
    Click(form, "ExportBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToSaveFileMessage});
}

TEST(DataFileNameRule, KeepsTheFileInsideItsFolder) {
    struct Case {
        const char* name;
        DataFileNameCheck expected;
    };
    const Case cases[] = {
        {"", DataFileNameCheck::Acceptable},
        {"levels.txt", DataFileNameCheck::Acceptable},
        {".config", DataFileNameCheck::Acceptable},
        {".", DataFileNameCheck::Intermediate},
        {"..", DataFileNameCheck::Invalid},
        {"a..b", DataFileNameCheck::Invalid},
        {"../evil.dll", DataFileNameCheck::Invalid},
        {"sub/file", DataFileNameCheck::Invalid},
        {"sub\\file", DataFileNameCheck::Invalid},
        {"C:file", DataFileNameCheck::Invalid},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckDataFileName(c.name), c.expected) << c.name;
}

// Typing a separator or a second dot is refused as it is typed; the field
// and the data file keep the rest.
TEST_F(DataFileFormTest, TheFileNameFieldRefusesSeparatorsAndDotDot) {
    TDataFileForm* form = OpenForm();
    QLineEdit* edit = Child<QLineEdit>(form, "FileNameEdit");
    QTest::keyClicks(edit, QStringLiteral("../a\\b/c"));
    EXPECT_EQ(edit->text(), QStringLiteral(".abc"));
    EXPECT_EQ(Data().FileName, ".abc");
}

}  // namespace
}  // namespace kestrin
