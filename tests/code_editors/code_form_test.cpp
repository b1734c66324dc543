// The code editor: what the caller gets back, the close question, the
// applies-to panel, plain-text mode and the seam that runs it.

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTextBlock>
#include <QTextLayout>

#include "code_editors/code_edit.h"
#include "code_editors/code_editor_frame.h"
#include "code_editors/code_form.h"
#include "code_editors/code_highlighter.h"
#include "platform/scratch_folder.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>

namespace kestrin {
namespace {

class CodeFormTest : public test::EditorTest {
protected:
    CodeFormTest() {
        const int object = game.Objects().AddResource();
        game.Objects().RenameResource(object, "obj_ball");
        request.text = "x = 1;\r\n";
        request.caption = "Execute a piece of code";
        request.showAppliesTo = true;
        request.appliesTo = -1;
    }
    std::unique_ptr<TCodeForm> Make() {
        auto form = std::make_unique<TCodeForm>(&game, request);
        form->show();
        return form;
    }
    static TMyRichEdit* Text(TCodeForm& form) { return form.Frame()->Text(); }

    CodeEditRequest request;
};

TEST_F(CodeFormTest, ResultByConfirmationModificationAndAnswer) {
    enum Close { Ok, Escape };
    struct Case {
        bool type;
        Close close;
        std::optional<Answer> answer;  // asked when set
        bool result;
    } cases[] = {
        {false, Ok, {}, false},  // untouched OK changes nothing
        {true, Ok, {}, true},
        {true, Escape, Answer::Yes, true},
        {true, Escape, Answer::No, false},
        {false, Escape, {}, false},
    };
    for (const Case& c : cases) {
        ui.Reset();
        auto form = Make();
        if (c.type) QTest::keyClicks(Text(*form), QStringLiteral("y"));
        if (c.answer) ui.ScriptAnswers({*c.answer});
        if (c.close == Ok) QTest::mouseClick(form->Frame()->Button("OKBtn"), Qt::LeftButton);
        else QTest::keyClick(form.get(), Qt::Key_Escape);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(ui.Questions().size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(ui.Questions()[0], "Save the changes to the code?");
        }
        auto result = form->Result();
        ASSERT_EQ(result.has_value(), c.result) << c.type << c.close;
        if (result) {
            EXPECT_EQ(result->text, "yx = 1;\r\n");
            EXPECT_EQ(result->appliesTo, -1);
        }
    }
}

TEST_F(CodeFormTest, CancelKeepsTheDialogOpen) {
    auto form = Make();
    QTest::keyClicks(Text(*form), QStringLiteral("y"));
    ui.ScriptAnswers({Answer::Cancel});
    form->close();
    EXPECT_TRUE(form->isVisible());
    QTest::mouseClick(form->Frame()->Button("OKBtn"), Qt::LeftButton);
    EXPECT_TRUE(form->Result().has_value());
}

TEST_F(CodeFormTest, AppliesToPanel) {
    struct Case {
        std::int32_t appliesTo;
        const char* radio;
        bool nameShown;
    } cases[] = {{-1, "WhoSelf", false}, {-2, "WhoOther", false}, {0, "WhoObject", true}};
    for (const Case& c : cases) {
        request.appliesTo = c.appliesTo;
        auto form = Make();
        EXPECT_TRUE(form->findChild<QRadioButton*>(QLatin1String(c.radio))->isChecked());
        EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("WhoName"))->isVisible(), c.nameShown);
        EXPECT_EQ(form->findChild<QToolButton*>(QStringLiteral("WhoMenuBtn"))->isVisible(), c.nameShown);
        if (c.nameShown) {
            EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("WhoName"))->text(), "obj_ball");
        }
    }
    // A click on a radio button is a change by itself.
    request.appliesTo = -1;
    auto form = Make();
    QTest::mouseClick(form->findChild<QRadioButton*>(QStringLiteral("WhoOther")), Qt::LeftButton);
    QTest::mouseClick(form->Frame()->Button("OKBtn"), Qt::LeftButton);
    ASSERT_TRUE(form->Result().has_value());
    EXPECT_EQ(form->Result()->appliesTo, -2);
    EXPECT_EQ(form->Result()->text, request.text);

    request.showAppliesTo = false;
    auto plain = Make();
    EXPECT_FALSE(plain->findChild<QWidget*>(QStringLiteral("WhoPanel"))->isVisible());
}

TEST_F(CodeFormTest, PlainTextModeHidesCheckAndColoursNothing) {
    request.text = "if (x) { /* c */ }";
    request.codeMode = false;
    auto form = Make();
    EXPECT_FALSE(form->Frame()->Button("CheckBtn")->isVisible());
    QTest::keyClicks(Text(*form), QStringLiteral("while "));
    EXPECT_TRUE(Text(*form)->document()->firstBlock().layout()->formats().isEmpty());
    QTest::keyClick(Text(*form), Qt::Key_F12);
    QTest::keyClick(Text(*form), Qt::Key_F12);
    EXPECT_TRUE(Text(*form)->document()->firstBlock().layout()->formats().isEmpty());

    request.codeMode = true;
    auto code = Make();
    EXPECT_TRUE(code->Frame()->Button("CheckBtn")->isVisible());
    EXPECT_FALSE(Text(*code)->document()->firstBlock().layout()->formats().isEmpty());
}

TEST_F(CodeFormTest, TheQtSeamRunsTheCodeEditorModally) {
    SetCodeEditorGame(&game);
    QtEditorDialogs qtDialogs;
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TCodeForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "Room Creation Code");
        QTest::keyClicks(form->Frame()->Text(), QStringLiteral("z"));
        QTest::mouseClick(form->Frame()->Button("OKBtn"), Qt::LeftButton);
    });
    CodeEditRequest room;
    room.text = "a\r\nb";
    room.caption = "Room Creation Code";
    auto result = qtDialogs.EditCode(room);
    SetCodeEditorGame(nullptr);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->text, "za\r\nb");
}

TEST_F(CodeFormTest, AnExternalCodeEditorTakesItsPlace) {
    test::TempDir dir;
    const std::string editor = dir.File("editor.sh");
    std::ofstream(editor) << "#!/bin/sh\nprintf 'edited\\n' >> \"$1\"\n";
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
    Prefs().CodeEditorInternal = false;
    Prefs().CodeEditor = editor;
    MakeScratchFolder();
    QtEditorDialogs qtDialogs;
    auto result = qtDialogs.EditCode(request);
    RemoveScratchFolder();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->text, "x = 1;\r\nedited\r\n");
    EXPECT_EQ(result->appliesTo, -1);
}

}  // namespace
}  // namespace kestrin
