// The script editor: opening, typing into the script, closing, Check, Go to
// Line, find and replace, files, the help list and resource properties.

#include <QListWidget>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "app/text_convert.h"
#include "code_editors/code_edit.h"
#include "code_editors/code_editor_frame.h"
#include "code_editors/code_highlighter.h"
#include "code_editors/find_dialogs.h"
#include "code_editors/script_form.h"
#include "language/function_help.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class ScriptFormTest : public test::EditorTest {
protected:
    ScriptFormTest() {
        index = game.Scripts().AddResource();
        game.Scripts().RenameResource(index, "scr_move");
        game.Scripts().ResourceAt(index)->Code = "x = 1;\r\ny = 2;\r\n";
        game.ClearChangedFlags();
    }
    TScriptForm* OpenScript() { return Open<TScriptForm>(ResourceKind::Script, index); }
    const CScript& Script() { return *game.Scripts().ResourceAt(index); }
    static TMyRichEdit* Text(TScriptForm* form) { return form->Frame()->Text(); }
    static void Caret(TMyRichEdit* text, int position) {
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(position);
        text->setTextCursor(cursor);
    }

    int index = 0;
};

TEST_F(ScriptFormTest, TypingGoesStraightIntoTheScript) {
    TScriptForm* form = OpenScript();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), "TScriptForm");
    EXPECT_FALSE(game.Scripts().Changed());
    EXPECT_EQ(form->Frame()->Panel(0), "   1/3:   1");
    TMyRichEdit* text = Text(form);
    Caret(text, 6);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("z = 3;"));
    EXPECT_EQ(Script().Code, "x = 1;\r\nz = 3;\r\ny = 2;\r\n");
    EXPECT_TRUE(game.Scripts().Changed());
    EXPECT_EQ(form->Frame()->Panel(0), "   2/4:   7");
    EXPECT_EQ(form->Frame()->Panel(1), "INS");
    EXPECT_TRUE(form->Frame()->Button("UndoBtn")->isEnabled());
}

TEST_F(ScriptFormTest, EmptyTextShowsLineOneOfOne) {
    game.Scripts().ResourceAt(index)->Code.clear();
    TScriptForm* form = OpenScript();
    EXPECT_EQ(form->Frame()->Panel(0), "   1/1:   1");
}

TEST_F(ScriptFormTest, CloseQuestionMatrix) {
    struct Case {
        bool edit;
        Answer answer;
        bool asked;
        bool stillOpen;
        const char* code;
        const char* name;
    } cases[] = {
        {true, Answer::No, true, false, "x = 1;\r\ny = 2;\r\n", "scr_move"},
        {true, Answer::Yes, true, false, "qx = 1;\r\ny = 2;\r\n", "scr_other"},
        {true, Answer::Cancel, true, true, "qx = 1;\r\ny = 2;\r\n", "scr_other"},
        {false, Answer::No, false, false, "x = 1;\r\ny = 2;\r\n", "scr_move"},
    };
    for (const Case& c : cases) {
        game.Scripts().ResourceAt(index)->Code = "x = 1;\r\ny = 2;\r\n";
        game.Scripts().RenameResource(index, "scr_move");
        game.ClearChangedFlags();
        ui.Reset();
        TScriptForm* form = OpenScript();
        if (c.edit) {
            QTest::keyClicks(Text(form), QStringLiteral("q"));
            form->findChild<QLineEdit*>(QStringLiteral("NameEdit"))->setText(QStringLiteral("scr_other"));
        }
        ui.ScriptAnswers({c.answer});
        form->close();
        Settle();
        EXPECT_EQ(ui.Questions().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(ui.Questions().front(), "Save the changes to scr_other?");
        }
        EXPECT_EQ(game.Scripts().EditorAt(index) != nullptr, c.stillOpen);
        EXPECT_EQ(Script().Code, c.code);
        EXPECT_EQ(game.Scripts().ResourceName(index), c.name);
        if (c.stillOpen) {
            form->CloseWithOk();
            Settle();
        }
    }
}

TEST_F(ScriptFormTest, DeletingTheScriptClosesWithoutAQuestion) {
    TScriptForm* form = OpenScript();
    QTest::keyClicks(Text(form), QStringLiteral("q"));
    game.Scripts().DeleteResource(index);
    Settle();
    EXPECT_TRUE(ui.Questions().empty());
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(ScriptFormTest, CheckSelectsTheErrorLine) {
    game.Scripts().ResourceAt(index)->Code = "a = 1;\r\nb = 2;\r\nc = ;\r\nd = 4;";
    TScriptForm* form = OpenScript();
    QTest::mouseClick(form->Frame()->Button("CheckBtn"), Qt::LeftButton);
    EXPECT_TRUE(form->Frame()->Panel(2).startsWith(" ERROR at line 3 pos ")) << FromQt(form->Frame()->Panel(2));
    EXPECT_EQ(Text(form)->textCursor().selectedText(), "c = ;");
    // Correct code clears the panel.
    Text(form)->textCursor().insertText(QStringLiteral("c = 3;"));
    form->Frame()->Check();
    EXPECT_TRUE(form->Frame()->Panel(2).isEmpty());
}

TEST_F(ScriptFormTest, GotoLineAsksWithTheCaretLine) {
    game.Scripts().ResourceAt(index)->Code = "a\r\nb\r\nc\r\nd\r\ne";
    TScriptForm* form = OpenScript();
    dialogs.AnswerValue(4);
    QTest::keyClick(Text(form), Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(dialogs.ValuesQuestions.size(), 1u);
    EXPECT_EQ(dialogs.ValuesQuestions[0].title, "Goto Line");
    EXPECT_EQ(dialogs.ValuesQuestions[0].captions[0], "Line:");
    EXPECT_EQ(dialogs.ValuesQuestions[0].values[0], 1);
    EXPECT_EQ(Text(form)->CaretLine(), 3);
    dialogs.AnswerValue(99);
    form->Frame()->GotoLineCommand();
    EXPECT_EQ(Text(form)->CaretLine(), 4);
}

TEST_F(ScriptFormTest, FindAndReplace) {
    struct Case {
        const char* code;
        const char* what;
        int caret;
        const char* command;  // find, replace, all
        const char* with;
        int selStart;          // after the command
        int selLength;
        const char* result;
        bool notFound;
    } cases[] = {
        {"x = x + 1", "x", 1, "find", "", 4, 1, "x = x + 1", false},
        // From the end it wraps to the start; one match is found again.
        {"a = b", "b", 5, "find", "", 4, 1, "a = b", false},
        {"a = b", "q", 0, "find", "", 0, 0, "a = b", true},
        {"a = b", "", 0, "find", "", 0, 0, "a = b", false},
        {"x = x", "x", 2, "replace", "yy", 6, 0, "x = yy", false},
        {"x = x", "q", 0, "replace", "yy", 0, 0, "x = x", true},
        {"x = x; xx", "x", 0, "all", "xx", 0, 0, "xx = xx; xxxx", false},
        {"x = x", "", 0, "all", "z", 0, 0, "x = x", false},
    };
    for (const Case& c : cases) {
        game.Scripts().ResourceAt(index)->Code = c.code;
        ui.Reset();
        TScriptForm* form = OpenScript();
        TCodeEditorFrame* frame = form->Frame();
        Caret(Text(form), c.caret);
        const std::string command = c.command;
        if (command == "find") {
            frame->FindDialog()->SetFindText(c.what);
            QTest::keyClick(Text(form), Qt::Key_F3);
        } else {
            frame->ReplaceDialog()->SetFindText(c.what);
            frame->ReplaceDialog()->findChild<QLineEdit*>(QStringLiteral("ReplaceText"))->setText(ToQt(c.with));
            QTest::mouseClick(frame->ReplaceDialog()->findChild<QPushButton*>(
                                  command == "all" ? QStringLiteral("ReplaceAllBtn") : QStringLiteral("ReplaceBtn")),
                              Qt::LeftButton);
        }
        const QTextCursor cursor = Text(form)->textCursor();
        EXPECT_EQ(cursor.selectionStart(), c.selStart) << c.code << " " << c.command << " " << c.what;
        EXPECT_EQ(cursor.selectionEnd() - cursor.selectionStart(), c.selLength) << c.code << " " << c.what;
        EXPECT_EQ(Script().Code, c.result);
        if (c.notFound) {
            ASSERT_EQ(ui.Messages().size(), 1u);
            EXPECT_EQ(ui.Messages()[0], std::string("Search string \"") + c.what + "\" not found.");
        } else {
            EXPECT_TRUE(ui.Messages().empty());
        }
        if (command == "all" && *c.what) {
            // One step takes all of it back.
            Text(form)->Undo();
            EXPECT_EQ(Script().Code, c.code);
        }
        form->CloseWithOk();
        Settle();
    }
}

TEST_F(ScriptFormTest, LoadFromFileIsOneUndoableEdit) {
    test::TempDir dir;
    const std::string file = dir.File("code.txt");
    std::ofstream(file, std::ios::binary) << "load\nme\xA0";
    TScriptForm* form = OpenScript();
    dialogs.Files.push_back(file);
    form->Frame()->LoadFromFile();
    EXPECT_EQ(Script().Code, "load\r\nme\xA0");
    EXPECT_TRUE(game.Scripts().Changed());
    Text(form)->Undo();
    EXPECT_EQ(Script().Code, "x = 1;\r\ny = 2;\r\n");
    // Saving writes the stored form.
    dialogs.Files.push_back(dir.File("out.txt"));
    form->Frame()->SaveToFile();
    std::ifstream in(dir.File("out.txt"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "x = 1;\r\ny = 2;\r\n");
}

TEST_F(ScriptFormTest, HelpListFollowsTheCaretAndInserts) {
    test::TempDir dir;
    std::ofstream(dir.File("fnames")) << "abs(x)\ndraw_sprite(n,x,y)\ndraw_sprite_ext(n,x,y,a)\ninstance_create(x,y,obj)\n";
    LoadFunctionHelp(dir.Path());
    game.Scripts().ResourceAt(index)->Code = "dra";
    TScriptForm* form = OpenScript();
    auto* help = form->findChild<QListWidget*>(QStringLiteral("HelpList"));
    ASSERT_NE(help, nullptr);
    Caret(Text(form), 2);
    EXPECT_EQ(help->currentRow(), 1);
    help->setCurrentRow(2);
    QTest::keyClick(Text(form), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Script().Code, "draw_sprite_ext");
    LoadFunctionHelp(dir.File("none"));
}

TEST_F(ScriptFormTest, ResourcePropertiesOpensTheNamedResource) {
    const int sprite = game.Sprites().AddResource();
    game.Sprites().RenameResource(sprite, "spr_ball");
    game.Scripts().ResourceAt(index)->Code = "draw(spr_ball)";
    TScriptForm* form = OpenScript();
    Caret(Text(form), 8);
    QTest::keyClick(Text(form), Qt::Key_F4);
    Settle();
    EXPECT_NE(game.Sprites().EditorAt(sprite), nullptr);
    (void)form;
}

TEST_F(ScriptFormTest, ColouringFollowsTheSwitchAndThePreference) {
    TScriptForm* form = OpenScript();
    EXPECT_TRUE(Text(form)->Highlighter().Enabled());
    QTest::keyClick(Text(form), Qt::Key_F12);
    EXPECT_FALSE(Text(form)->Highlighter().Enabled());
    Prefs().ColorCode = false;
    form->Frame()->FollowPreferences();
    EXPECT_FALSE(Text(form)->Highlighter().Enabled());
    Prefs().ColorCode = true;
    form->Frame()->FollowPreferences();
    EXPECT_TRUE(Text(form)->Highlighter().Enabled());
    // A font the system lacks is asked for once, not on every tick.
    Prefs().FontName = "No Such Font At All";
    form->Frame()->FollowPreferences();
    QTest::keyClicks(Text(form), QStringLiteral("k"));
    form->Frame()->FollowPreferences();
    EXPECT_TRUE(Text(form)->CanUndo());
}

}  // namespace
}  // namespace kestrin
