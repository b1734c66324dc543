// The ground every editor window stands on, with a small script editor:
// opening, marking, renaming both ways, the close question, restoring, the
// list's own close and the news editors get from the game.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "app/text_convert.h"
#include "storage/game_file.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class TestScriptForm : public ResourceForm<CScript> {
public:
    TestScriptForm(Game& game, int index) : ResourceForm<CScript>(game, index) {
        setObjectName(QStringLiteral("TestScriptForm"));
        auto* body = new QWidget(this);
        auto* layout = new QVBoxLayout(body);
        mName = new QLineEdit(body);
        mName->setObjectName(QStringLiteral("NameEdit"));
        mCode = new QLineEdit(body);
        mCode->setObjectName(QStringLiteral("CodeEdit"));
        auto* ok = new QPushButton(QStringLiteral("OK"), body);
        ok->setObjectName(QStringLiteral("OKBtn"));
        layout->addWidget(mName);
        layout->addWidget(mCode);
        layout->addWidget(ok);
        setWidget(body);
        AttachNameEdit(mName);
        connect(mCode, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (Filling()) return;
            Resource()->Code = FromQt(text);
            Mark();
        });
        connect(ok, &QPushButton::clicked, this, [this] { CloseWithOk(); });
        Open();
    }
    std::vector<ResourceKind> News;
    using TResourceForm::BusyScope;

protected:
    void FillControls() override { mCode->setText(ToQt(Resource()->Code)); }
    void ResourcesChanged(ResourceKind kind) override { News.push_back(kind); }

private:
    QLineEdit* mName;
    QLineEdit* mCode;
};

class ResourceFormTest : public test::EditorTest {
protected:
    ResourceFormTest() {
        windows.MakeForm = [](Game& g, ResourceKind, int index) { return new TestScriptForm(g, index); };
        index = game.Scripts().AddResource();
        game.Scripts().RenameResource(index, "scr_move");
        game.Scripts().ResourceAt(index)->Code = "x = 1";
        game.ClearChangedFlags();
    }
    TestScriptForm* OpenScript() { return Open<TestScriptForm>(ResourceKind::Script, index); }
    QLineEdit* Field(TestScriptForm* form, const char* name) {
        return form->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    const CScript& Script() { return *game.Scripts().ResourceAt(index); }
    void TypeCode(TestScriptForm* form, const char* text) {
        QLineEdit* code = Field(form, "CodeEdit");
        code->selectAll();
        QTest::keyClicks(code, QString::fromLatin1(text));
    }

    int index = 0;
};

TEST_F(ResourceFormTest, OpeningFillsTheControlsWithoutMarking) {
    TestScriptForm* form = OpenScript();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Field(form, "NameEdit")->text(), QStringLiteral("scr_move"));
    EXPECT_EQ(Field(form, "CodeEdit")->text(), QStringLiteral("x = 1"));
    EXPECT_FALSE(form->Edited());
    EXPECT_FALSE(game.GameChanged());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Script Properties: scr_move"));
    // Opening again brings the same window forward.
    EXPECT_EQ(OpenScript(), form);
}

// Whether closing asks, for each state of the window's flag, the kind's flag
// and the way it closes; and what each answer leaves.
TEST_F(ResourceFormTest, CloseQuestionMatrix) {
    struct Case {
        bool edit;
        bool flagCleared;  // the kind's flag cleared after the edit (not by a save)
        bool withOk;
        Answer answer;
        bool asks, closes, restores;
    };
    const Case cases[] = {
        {false, false, false, Answer::Yes, false, true, false},
        {true, false, false, Answer::Yes, true, true, false},
        {true, false, false, Answer::No, true, true, true},
        {true, false, false, Answer::Cancel, true, false, false},
        {true, true, false, Answer::No, false, true, false},
        {true, false, true, Answer::No, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "edit " << c.edit << " cleared " << c.flagCleared << " ok " << c.withOk
                                        << " answer " << static_cast<int>(c.answer));
        game.Scripts().ResourceAt(index)->Code = "x = 1";
        game.ClearChangedFlags();
        ui.Reset();
        QPointer<TestScriptForm> form = OpenScript();
        ASSERT_TRUE(form);
        if (c.edit) TypeCode(form, "y = 2");
        if (c.flagCleared) game.Scripts().SetChanged(false);
        ui.ScriptAnswers({c.answer});
        if (c.withOk)
            QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        else
            form->close();
        Settle();
        EXPECT_EQ(!ui.Questions().empty(), c.asks);
        if (c.asks) {
            EXPECT_EQ(ui.Questions().front(), "Save the changes to scr_move?");
        }
        EXPECT_EQ(form.isNull(), c.closes);
        EXPECT_EQ(game.Scripts().EditorAt(index) == nullptr, c.closes);
        if (c.edit) {
            EXPECT_EQ(Script().Code, c.restores ? "x = 1" : "y = 2");
        }
        if (form) delete form.data();
    }
}

TEST_F(ResourceFormTest, NoRestoresTheCopyAndTheNameAtOpening) {
    TestScriptForm* form = OpenScript();
    QLineEdit* name = Field(form, "NameEdit");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("scr_jump"));
    TypeCode(form, "z = 3");
    EXPECT_EQ(game.Scripts().ResourceName(index), "scr_jump");
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions(), std::vector<std::string>{"Save the changes to scr_jump?"});
    EXPECT_EQ(game.Scripts().ResourceName(index), "scr_move");
    EXPECT_EQ(Script().Code, "x = 1");
}

// What a save wrote is what No goes back to afterwards.
TEST_F(ResourceFormTest, NoAfterASaveKeepsTheSavedState) {
    test::TempDir dir;
    NewGame(game);
    index = game.Scripts().AddResource();
    game.Scripts().ResourceAt(index)->Code = "x = 1";
    TestScriptForm* form = OpenScript();
    TypeCode(form, "saved = 1");
    ASSERT_TRUE(SaveGame(game, dir.File("g.ksd")));
    EXPECT_FALSE(form->Edited());
    TypeCode(form, "later = 1");
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions().size(), 1u);
    EXPECT_EQ(Script().Code, "saved = 1");
}

TEST_F(ResourceFormTest, RenamingGoesBothWaysWithoutALoop) {
    TestScriptForm* form = OpenScript();
    QLineEdit* name = Field(form, "NameEdit");
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, QStringLiteral("_fast"));
    EXPECT_EQ(game.Scripts().ResourceName(index), "scr_move_fast");
    EXPECT_EQ(name->cursorPosition(), name->text().size());  // typing never jumps the caret
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Scripts().Changed());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Script Properties: scr_move_fast"));

    // A rename from the tree shows in the field and the title and does not
    // count as this window's change.
    game.ClearChangedFlags();
    game.Scripts().RenameResource(index, "scr_other");
    EXPECT_EQ(name->text(), QStringLiteral("scr_other"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Script Properties: scr_other"));
    EXPECT_EQ(game.Scripts().ResourceName(index), "scr_other");
}

// Deleting the resource, clearing or cutting back the list closes the window
// with no question and without touching the freed resource (ASan watches).
TEST_F(ResourceFormTest, TheListsOwnCloseAsksNothing) {
    const std::function<void()> closers[] = {
        [&] { game.Scripts().DeleteResource(index); },
        [&] { game.Scripts().ClearList(); },
        [&] { game.Scripts().TruncateList(index); },
    };
    for (const auto& closeByList : closers) {
        game.Scripts().ClearList();
        index = game.Scripts().AddResource();
        QPointer<TestScriptForm> form = OpenScript();
        ASSERT_TRUE(form);
        TypeCode(form, "changed = 1");
        closeByList();
        EXPECT_TRUE(form->Forgotten());
        Settle();
        EXPECT_TRUE(form.isNull());
        EXPECT_TRUE(ui.Questions().empty());
    }
}

// A list close while the window has a dialog or menu open waits for it to end.
TEST_F(ResourceFormTest, TheListsCloseDuringANestedDialogWaitsForIt) {
    QPointer<TestScriptForm> form = OpenScript();
    {
        TestScriptForm::BusyScope dialogOpen(*form);
        game.Scripts().DeleteResource(index);
        Settle();
        ASSERT_TRUE(form);  // still on the stack below
        EXPECT_TRUE(form->Forgotten());
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(form->Resource(), nullptr);
    }
    Settle();
    EXPECT_TRUE(form.isNull());
}

TEST_F(ResourceFormTest, TheUsersCloseIsRefusedWhileBusy) {
    QPointer<TestScriptForm> form = OpenScript();
    {
        TestScriptForm::BusyScope menuOpen(*form);
        EXPECT_FALSE(form->close());
    }
    EXPECT_TRUE(form->close());
}

TEST_F(ResourceFormTest, OpenEditorsHearOfChangedResourcesOncePerKind) {
    TestScriptForm* form = OpenScript();
    Settle();
    form->News.clear();
    int sprite = game.Sprites().AddResource();
    game.Sprites().RenameResource(sprite, "spr_a");
    game.Objects().AddResource();
    EXPECT_TRUE(form->News.empty());  // told once the event loop runs
    Settle();
    EXPECT_EQ(form->News, (std::vector<ResourceKind>{ResourceKind::Sprite, ResourceKind::Object}));
}

}  // namespace
}  // namespace kestrin

namespace kestrin {
namespace {

// New, Open and Exit stop when an editor stays open because its question
// was cancelled.
TEST_F(ResourceFormTest, ACancelledEditorQuestionStopsTheMainWindowsCommand) {
    TMainForm main(game);
    main.show();
    QApplication::processEvents();
    test::EditorTestWindows host(game, *main.ClientArea());
    host.MakeForm = windows.MakeForm;
    game.SetEditors(&host);
    index = game.Scripts().AddResource();
    game.ClearChangedFlags();
    QPointer<TestScriptForm> form = Open<TestScriptForm>(ResourceKind::Script, index);
    ASSERT_TRUE(form);
    TypeCode(form, "changed = 1");

    ui.ScriptAnswers({Answer::Cancel});
    main.NewCommand();
    Settle();
    EXPECT_TRUE(form);
    EXPECT_TRUE(game.Scripts().ResourceExists(index));
    EXPECT_EQ(ui.Questions(), std::vector<std::string>{"Save the changes to script" + std::to_string(index) + "?"});

    ui.Reset();
    ui.ScriptAnswers({Answer::No, Answer::No});  // the editor's question, then the game's
    main.NewCommand();
    Settle();
    EXPECT_FALSE(form);
    EXPECT_EQ(game.Scripts().ResourceCount(), 0);
    game.SetEditors(&windows);
}

}  // namespace
}  // namespace kestrin
