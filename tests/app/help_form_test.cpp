// The game information window: edits go into the game and set its flag, the
// close question with its three answers, the commands, and formatted text
// through a saved and reopened game file.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <fstream>

#include "app/help_form.h"
#include "app/rich_text_bridge.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "resources/rtf_reader.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class HelpForm : public ::testing::Test {
protected:
    HelpForm() : mGame(mRandom), mUi(mRecorder) {
        mGame.Information.Text = CRichText::FromPlainText("Old text");
        mGame.ClearChangedFlags();
        mForm = std::make_unique<THelpForm>(mGame);
        HelpFormDialogs& dialogs = mForm->Dialogs();
        dialogs.OpenFile = [this](QWidget*, const QString& proposal) {
            mProposals.push_back(proposal);
            return QString::fromStdString(mChosenFile);
        };
        dialogs.SaveFile = dialogs.OpenFile;
        dialogs.ChooseColor = [this](QWidget*, const QColor&) { return mChosenColor; };
        dialogs.ChooseFont = [this](QWidget*, const QFont&) { return mChosenFont; };
        dialogs.InputText = [this](QWidget*, const QString& caption, const QString& prompt, const QString& proposal) {
            mProposals.push_back(caption + '|' + prompt + '|' + proposal);
            return mInput;
        };
        dialogs.Print = [](QWidget*, const QTextDocument&) {};
    }

    QTextEdit& Editor() { return *mForm->Editor(); }
    void Trigger(const char* name) {
        QAction* action = mForm->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    bool Enabled(const char* name) { return mForm->findChild<QAction*>(QLatin1String(name))->isEnabled(); }
    bool Checked(const char* name) { return mForm->findChild<QAction*>(QLatin1String(name))->isChecked(); }
    // Types at the end of the text, as the user would.
    void Type(const QString& text) {
        QTextCursor cursor = Editor().textCursor();
        cursor.movePosition(QTextCursor::End);
        Editor().setTextCursor(cursor);
        Editor().insertPlainText(text);
    }

    RandomSource mRandom{3};
    Game mGame;
    RecordingUI mRecorder;
    ScopedUI mUi;
    std::unique_ptr<THelpForm> mForm;
    test::TempDir mDir;
    std::string mChosenFile;
    std::optional<QColor> mChosenColor;
    std::optional<QFont> mChosenFont;
    std::optional<QString> mInput;
    QStringList mProposals;
};

TEST_F(HelpForm, ClosingAsksAndEachAnswerDoesItsPart) {
    struct Case {
        Answer answer;
        bool stillOpen;
        const char* text;
    } cases[] = {
        {Answer::No, false, "Old text"},
        {Answer::Yes, false, "Old text, new"},
        {Answer::Cancel, true, "Old text, new"},
    };
    for (const Case& c : cases) {
        mGame.Information.Text = CRichText::FromPlainText("Old text");
        mGame.Information.BackColor = kInfoBackgroundColor;
        mGame.ClearChangedFlags();
        mRecorder.Reset();
        mForm->EditGameInformation();
        EXPECT_EQ(Editor().toPlainText(), QStringLiteral("Old text"));
        Type(QStringLiteral(", new"));
        mChosenColor = QColor(0, 0, 255);
        Trigger("BackgroundColor1");
        EXPECT_TRUE(mForm->Edited());
        EXPECT_EQ(mGame.Information.Text.PlainText(), "Old text, new");
        EXPECT_EQ(mGame.Information.BackColor, 0xFF0000);

        mRecorder.ScriptAnswers({c.answer});
        mForm->close();
        EXPECT_EQ(mRecorder.Questions(), std::vector<std::string>{kSaveInformationQuestion});
        EXPECT_EQ(mForm->isVisible(), c.stillOpen);
        EXPECT_EQ(mGame.Information.Text.PlainText(), c.text);
        EXPECT_EQ(Editor().toPlainText(), QString::fromLatin1(c.text));
        EXPECT_EQ(mGame.Information.BackColor, c.answer == Answer::No ? kInfoBackgroundColor : 0xFF0000);
        // The game stays changed, whatever the answer.
        EXPECT_TRUE(mGame.IsChanged(ChangedFlag::Information));
        mForm->CloseSavingChanges();
    }
}

TEST_F(HelpForm, ClosingWithoutEditsOrSavingChangesAsksNothing) {
    mForm->EditGameInformation();
    mForm->close();
    EXPECT_FALSE(mForm->isVisible());
    mForm->EditGameInformation();
    Type(QStringLiteral("!"));
    Trigger("Closesavingchanges1");
    EXPECT_FALSE(mForm->isVisible());
    EXPECT_TRUE(mRecorder.Questions().empty());
    EXPECT_EQ(mGame.Information.Text.PlainText(), "Old text!");

    // Opening again takes a new snapshot: earlier edits no longer count.
    mForm->EditGameInformation();
    EXPECT_FALSE(mForm->Edited());
    mForm->close();
    EXPECT_TRUE(mRecorder.Questions().empty());
}

TEST_F(HelpForm, ShowsTheGameTextAfterTheGameWasReplacedAndHidingKeepsEdits) {
    mForm->EditGameInformation();
    Type(QStringLiteral(" kept"));
    mForm->HideWindow();
    EXPECT_FALSE(mForm->isVisible());
    EXPECT_TRUE(mRecorder.Questions().empty());
    EXPECT_EQ(mGame.Information.Text.PlainText(), "Old text kept");

    NewGame(mGame);
    mGame.Information.Text = CRichText::FromPlainText("Loaded");
    mForm->EditGameInformation();
    EXPECT_EQ(Editor().toPlainText(), QStringLiteral("Loaded"));
    EXPECT_FALSE(mGame.GameChanged());  // showing is not editing
}

TEST_F(HelpForm, FormattingCommandsReachTheModelAndTheControlsFollowTheSelection) {
    mForm->EditGameInformation();
    Editor().selectAll();
    EXPECT_TRUE(Enabled("Copy1"));
    EXPECT_TRUE(Enabled("Cut1"));
    Trigger("Bold1");
    Trigger("Aligncenter1");
    mChosenColor = QColor(0, 128, 0);
    Trigger("Color1");
    mForm->findChild<QComboBox*>(QStringLiteral("FontSize"))->textActivated(QStringLiteral("20"));
    Type(QStringLiteral("\nsecond"));
    Trigger("Bulletedlist1");

    ASSERT_EQ(mGame.Information.Text.Paragraphs.size(), 2u);
    const RichParagraph& first = mGame.Information.Text.Paragraphs[0];
    EXPECT_EQ(first.Alignment, ParagraphAlignment::Center);
    EXPECT_FALSE(first.Bullet);
    ASSERT_EQ(first.Runs.size(), 1u);
    EXPECT_TRUE(first.Runs[0].Format.Bold);
    EXPECT_EQ(first.Runs[0].Format.Color, 0x008000);
    EXPECT_EQ(first.Runs[0].Format.Size, 20.0);
    EXPECT_TRUE(mGame.Information.Text.Paragraphs[1].Bullet);
    EXPECT_TRUE(mGame.IsChanged(ChangedFlag::Information));

    // The caret in the bulleted line: its state shows, nothing is selected.
    EXPECT_TRUE(Checked("Bulletedlist1"));
    EXPECT_TRUE(Checked("Bold1"));
    EXPECT_TRUE(Checked("Aligncenter1"));
    EXPECT_FALSE(Checked("Alignleft1"));
    EXPECT_FALSE(Enabled("Copy1"));
    EXPECT_TRUE(Enabled("Undo1"));
    EXPECT_EQ(mForm->findChild<QComboBox*>(QStringLiteral("FontSize"))->currentText(), QStringLiteral("20"));
    Trigger("Bulletedlist1");
    EXPECT_FALSE(mGame.Information.Text.Paragraphs[1].Bullet);

    Editor().selectAll();
    mChosenFont = QFont(QStringLiteral("Courier New"), 14);
    mChosenFont->setItalic(true);
    Trigger("Font1");
    for (const RichParagraph& paragraph : mGame.Information.Text.Paragraphs) {
        ASSERT_EQ(paragraph.Runs.size(), 1u);
        const TextFormat& format = paragraph.Runs[0].Format;
        EXPECT_EQ(format.FontName, "Courier New");
        EXPECT_EQ(format.Size, 14.0);
        EXPECT_TRUE(format.Italic);
        EXPECT_FALSE(format.Bold);
    }
    EXPECT_EQ(mForm->findChild<QComboBox*>(QStringLiteral("FontName"))->currentText(), QStringLiteral("Courier New"));

    mGame.ClearChangedFlags();
    Trigger("MimicMainForm1");
    EXPECT_EQ(mGame.Information.MimicMainForm, Checked("MimicMainForm1"));
    EXPECT_TRUE(mGame.IsChanged(ChangedFlag::Information));
}

TEST_F(HelpForm, GotoLineMovesToTheStartOfTheLineOrDoesNothing) {
    mGame.Information.Text = CRichText::FromPlainText("one\r\ntwo\r\nthree\r\nfour");
    mForm->EditGameInformation();
    QTextCursor cursor = Editor().textCursor();
    cursor.setPosition(5);  // inside "two"
    Editor().setTextCursor(cursor);
    struct Case {
        const char* input;
        int block;
    } cases[] = {{"3", 2}, {"x", 2}, {"1", 0}, {"99", 3}, {" 2 ", 1}};
    for (const Case& c : cases) {
        mInput = QString::fromLatin1(c.input);
        Trigger("Gotoline1");
        EXPECT_EQ(Editor().textCursor().blockNumber(), c.block) << c.input;
        EXPECT_EQ(Editor().textCursor().positionInBlock(), 0) << c.input;
    }
    EXPECT_EQ(mProposals.first(), QStringLiteral("Goto Line|line number:|2"));
    mInput.reset();
    Trigger("Gotoline1");
    EXPECT_EQ(Editor().textCursor().blockNumber(), 1);
    EXPECT_FALSE(mGame.GameChanged());
}

TEST_F(HelpForm, LoadsRichOrPlainTextAndSavesOurRtf) {
    mForm->EditGameInformation();
    const std::string rtf = mDir.File("info.rtf");
    {
        std::ofstream(rtf) << "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\qc{\\b Hello}\\par}";
    }
    mChosenFile = rtf;
    Trigger("Loadfromafile1");
    ASSERT_EQ(mGame.Information.Text.Paragraphs.size(), 1u);
    EXPECT_EQ(mGame.Information.Text.Paragraphs[0].Alignment, ParagraphAlignment::Center);
    EXPECT_TRUE(mGame.Information.Text.Paragraphs[0].Runs[0].Format.Bold);
    EXPECT_TRUE(mForm->Edited());
    EXPECT_TRUE(mGame.IsChanged(ChangedFlag::Information));

    const std::string saved = mDir.File("saved.rtf");
    mChosenFile = saved;
    Trigger("Savetoafile1");
    EXPECT_EQ(mProposals.back(), QString::fromStdString(rtf));  // the save dialog proposes the loaded name
    EXPECT_TRUE(ReadRtf(ReadFileText(saved)) == mGame.Information.Text);

    const std::string text = mDir.File("notes.txt");
    {
        std::ofstream(text) << "plain\nlines";
    }
    mChosenFile = text;
    Trigger("Loadfromafile1");
    EXPECT_EQ(mGame.Information.Text.PlainText(), "plain\r\nlines");
    mChosenFile = mDir.File("copy.txt");
    Trigger("Savetoafile1");
    EXPECT_EQ(ReadFileText(mChosenFile).rfind("{\\rtf", 0), 0u) << "saved as rich text whatever the name";
    EXPECT_EQ(ReadRtf(ReadFileText(mChosenFile)).PlainText(), "plain\r\nlines");

    // A file that cannot be read is reported, and the text stays.
    mChosenFile = mDir.File("missing.rtf");
    Trigger("Loadfromafile1");
    ASSERT_EQ(mRecorder.Messages().size(), 1u);
    EXPECT_NE(mRecorder.Messages()[0].find("missing.rtf"), std::string::npos);
    EXPECT_EQ(mGame.Information.Text.PlainText(), "plain\r\nlines");
}

TEST_F(HelpForm, FormattedInformationSurvivesSavingAndReopeningTheGame) {
    mGame.Information.Text.Clear();
    mForm->EditGameInformation();
    Type(QStringLiteral("Title"));
    Editor().selectAll();
    Trigger("Bold1");
    Trigger("Italic1");
    Trigger("Alignright1");
    Type(QStringLiteral("\nfirst\nsecond"));
    QTextCursor cursor = Editor().textCursor();
    cursor.setPosition(Editor().document()->findBlockByNumber(1).position());
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    Editor().setTextCursor(cursor);
    Trigger("Bold1");
    Trigger("Italic1");
    Trigger("Underline1");
    Trigger("Alignleft1");
    Trigger("Bulletedlist1");
    const CRichText edited = TakeRichText(*Editor().document());

    const std::string file = mDir.File("game.ksd");
    ASSERT_TRUE(SaveGame(mGame, file));
    RandomSource random(9);
    Game reopened(random);
    ASSERT_TRUE(LoadGame(reopened, file));
    THelpForm form(reopened);
    form.EditGameInformation();

    const QTextDocument& document = *form.Editor()->document();
    EXPECT_TRUE(TakeRichText(document) == edited);
    ASSERT_EQ(document.blockCount(), 3);
    const QTextBlock title = document.firstBlock();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(title.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(title.begin().fragment().charFormat().fontItalic());
    for (int i = 1; i < 3; ++i) {
        const QTextBlock item = document.findBlockByNumber(i);
        ASSERT_NE(item.textList(), nullptr);
        EXPECT_EQ(item.textList()->format().style(), QTextListFormat::ListDisc);
        const QTextCharFormat format = item.begin().fragment().charFormat();
        EXPECT_NE(format.fontWeight(), QFont::Bold);
        EXPECT_TRUE(format.fontUnderline());
        EXPECT_FALSE(format.fontItalic());
    }
    EXPECT_EQ(document.findBlockByNumber(2).text(), QStringLiteral("second"));
    EXPECT_TRUE(mRecorder.Messages().empty());
}

}  // namespace
}  // namespace kestrin
