// The action argument dialog: how each argument kind shows and is written
// back, choosing values, the direction dialog, applies-to, and EditAction's
// choice of editor.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "editor_library.h"
#include "editors/action_argument_form.h"
#include "editors/argument_row.h"
#include "editors/edit_action.h"
#include "editors/popup_menu.h"
#include "support/editor_fixture.h"

namespace kestrin {
namespace {

class ArgumentRowTable : public test::EditorTest {};

TEST_F(ArgumentRowTable, ShowsAndWritesBackEveryKind) {
    game.Sprites().AddResource();
    game.Sprites().RenameResource(0, "ball");
    struct Case {
        int kind;
        const char* value;
        const char* menu;
        int editKind;
        const char* shown;
        const char* written;
    };
    const Case cases[] = {
        {kArgText, "hello", "", kArgText, "hello", "hello"},
        {kArgText1, "x+1", "", kArgText, "x+1", "x+1"},
        {kArgBoolean, "5", "", kArgBoolean, "true", "5"},
        {kArgBoolean, "0", "", kArgBoolean, "false", "0"},
        {kArgBoolean, "abc", "", kArgBoolean, "false", "-1"},
        {kArgMenu, "1", "a|b|c", kArgMenu, "b", "1"},
        {kArgMenu, "7", "a|b|c", kArgMenu, "", "7"},
        {kArgMenu, "1", "a|-|b", kArgMenu, "-", "1"},
        {kArgSprite, "-1", "", kArgSprite, "No sprite", "-1"},
        {kArgSprite, "0", "", kArgSprite, "ball", "0"},
        {kArgObject, "-1", "", kArgObject, "No object", "-1"},
        {kArgTimeLine, "x", "", kArgTimeLine, "No time line", "-1"},
        {kArgColor, "255", "", kArgColor, "", "255"},
        {kArgFont, "Arial,12,0,0,0,0,0", "", kArgFont, kFontSampleText, "Arial,12,0,0,0,0,0"},
        {99, "kept", "", kArgText, "kept", "kept"},
        {-4, "kept too", "", kArgText, "kept too", "kept too"},
    };
    for (const Case& c : cases) {
        const ArgumentRow row = MakeArgumentRow(c.kind, c.value, c.menu);
        EXPECT_EQ(row.editKind, c.editKind) << c.kind << " " << c.value;
        EXPECT_EQ(ShownRowText(row, game), c.shown) << c.kind << " " << c.value;
        EXPECT_EQ(RowValueText(row), c.written) << c.kind << " " << c.value;
    }
}

TEST(DirectionText, ButtonsFromAndToTheFirstArgument) {
    const std::vector<bool> down = DirectionsFromText("1000");
    ASSERT_EQ(down.size(), 9u);
    EXPECT_TRUE(down[0]);
    for (int i = 1; i < 9; ++i) EXPECT_FALSE(down[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(DirectionText(DirectionsFromText("1x0000001")), "110000001");
    EXPECT_EQ(DirectionText(DirectionsFromText("")), "000000000");
}

class ActionFormTest : public test::EditorTest {
protected:
    ActionFormTest() {
        test::AddNamedResource(game, kTypeSprites, "ball");
        for (const char* name : {"wall", "player"}) test::AddNamedResource(game, kTypeObjects, name);
    }

    // Runs EditAction, answering the dialog with `drive`.
    bool Edit(CAction& action, const std::function<bool(TActionForm&)>& drive) {
        ScopedActionFormAnswer answer([&](TActionForm& form) {
            form.show();
            QApplication::processEvents();
            const bool ok = drive(form);
            form.hide();
            return ok;
        });
        return EditAction(game, action);
    }

    static QLineEdit* Box(TActionForm& form, int n) {
        return form.findChild<QLineEdit*>(QStringLiteral("ValueVal%1").arg(n));
    }

    test::LoadedEditorLibrary library;
};

// Answers menus by choosing the item with that text.
PopupMenuAnswer Choose(const QString& text) {
    return [text](QMenu& menu) { return FindMenuItem(menu, text); };
}

TEST_F(ActionFormTest, TextAndSpriteRowsShowAndChoose) {
    ASSERT_TRUE(library.Loaded());
    CAction action(test::kMainLibrary, test::kMoveAction);
    const bool changed = Edit(action, [&](TActionForm& form) {
        EXPECT_EQ(form.RowCount(), 2);
        EXPECT_TRUE(Box(form, 0)->isVisible());
        EXPECT_FALSE(Box(form, 2)->isVisible());
        EXPECT_FALSE(Box(form, 0)->isReadOnly());
        EXPECT_TRUE(Box(form, 1)->isReadOnly());
        EXPECT_FALSE(form.findChild<QToolButton*>(QStringLiteral("MenuBtn0"))->isVisible());
        EXPECT_EQ(Box(form, 1)->text(), QStringLiteral("No sprite"));
        Box(form, 0)->clear();
        QTest::keyClicks(Box(form, 0), QStringLiteral("x+5"));
        ScopedPopupMenuAnswer answer(Choose(QStringLiteral("ball")));
        QTest::mouseClick(Box(form, 1), Qt::LeftButton);
        EXPECT_EQ(Box(form, 1)->text(), QStringLiteral("ball"));
        return true;
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(action.ArgValue[0], "x+5");
    EXPECT_EQ(action.ArgValue[1], "0");
}

TEST_F(ActionFormTest, ChoosingBooleanMenuColourFontAndResources) {
    CAction action(test::kMainLibrary, test::kAllKindsAction);
    action.ArgValue[0] = "5";
    action.ArgValue[2] = "-1";
    dialogs.Colors.push_back(65280);
    QFont courier(QStringLiteral("Courier"));
    courier.setPointSize(10);
    courier.setBold(true);
    dialogs.Fonts.push_back(courier);
    Edit(action, [&](TActionForm& form) {
        EXPECT_EQ(Box(form, 0)->text(), QStringLiteral("true"));
        {
            ScopedPopupMenuAnswer answer(Choose(QStringLiteral("true")));
            form.ChooseValue(0, {});
        }
        {
            // Separators get no number: c is the second real item, 2.
            ScopedPopupMenuAnswer answer([](QMenu& menu) {
                int separators = 0;
                for (QAction* item : menu.actions()) separators += item->isSeparator();
                EXPECT_EQ(separators, 1);
                return FindMenuItem(menu, QStringLiteral("c"));
            });
            QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("MenuBtn1")), Qt::LeftButton);
        }
        EXPECT_EQ(Box(form, 1)->text(), QStringLiteral("b"));  // piece 2 of a|-|b|c
        EXPECT_EQ(Box(form, 2)->text(), QStringLiteral("No object"));
        {
            ScopedPopupMenuAnswer answer(Choose(QStringLiteral("player")));
            form.ChooseValue(2, {});
        }
        form.ChooseValue(3, {});
        form.ChooseValue(4, {});
        {
            ScopedPopupMenuAnswer dismiss([](QMenu&) { return nullptr; });
            form.ChooseValue(5, {});  // a dismissed menu changes nothing
        }
        EXPECT_EQ(Box(form, 4)->text(), QStringLiteral("AaBbCcDd"));
        EXPECT_TRUE(Box(form, 4)->font().bold());
        return true;
    });
    EXPECT_EQ(action.ArgValue[0], "1");
    EXPECT_EQ(action.ArgValue[1], "2");
    EXPECT_EQ(action.ArgValue[2], "1");
    EXPECT_EQ(action.ArgValue[3], "65280");
    // The colour item stays: the font chooser cannot show it.
    EXPECT_EQ(action.ArgValue[4], "Courier,10,255,1,0,0,0");
    EXPECT_EQ(action.ArgValue[5], "0");
}

TEST_F(ActionFormTest, DirectionDialogReadsAndWritesTheNineButtons) {
    CAction action(test::kMainLibrary, test::kDirectionAction);
    action.ArgValue[0] = "100000001";
    action.Relative = true;
    const bool changed = Edit(action, [&](TActionForm& form) {
        EXPECT_TRUE(form.findChild<QGroupBox*>(QStringLiteral("MotionBox"))->isVisible());
        EXPECT_FALSE(form.findChild<QGroupBox*>(QStringLiteral("ValueBox"))->isVisible());
        EXPECT_TRUE(form.findChild<QGroupBox*>(QStringLiteral("WhoBox"))->isVisible());
        for (int i = 1; i <= 9; ++i)
            EXPECT_EQ(form.findChild<QToolButton*>(QStringLiteral("Motion%1").arg(i))->isChecked(), i == 1 || i == 9)
                << i;
        EXPECT_TRUE(form.findChild<QCheckBox*>(QStringLiteral("Relative2Btn"))->isChecked());
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("Motion5")), Qt::LeftButton);
        auto* speed = form.findChild<QLineEdit*>(QStringLiteral("SpeedEdit"));
        EXPECT_EQ(speed->text(), QStringLiteral("4"));
        speed->setText(QStringLiteral("8"));
        return true;
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(action.ArgValue[0], "100010001");
    EXPECT_EQ(action.ArgValue[1], "8");
    EXPECT_TRUE(action.Relative);
}

TEST_F(ActionFormTest, AppliesToSelfOtherAndAnObject) {
    CAction action(test::kMainLibrary, test::kMoveAction);
    Edit(action, [&](TActionForm& form) {
        auto* name = form.findChild<QLineEdit*>(QStringLiteral("WhoName"));
        EXPECT_FALSE(name->isVisible());
        QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("WhoObject")), Qt::LeftButton);
        EXPECT_TRUE(name->isVisible());
        ScopedPopupMenuAnswer answer(Choose(QStringLiteral("player")));
        QTest::mouseClick(name, Qt::LeftButton);
        EXPECT_EQ(name->text(), QStringLiteral("player"));
        return true;
    });
    EXPECT_EQ(action.AppliesTo, 1);
    Edit(action, [&](TActionForm& form) {
        EXPECT_TRUE(form.findChild<QRadioButton*>(QStringLiteral("WhoObject"))->isChecked());
        auto* other = form.findChild<QRadioButton*>(QStringLiteral("WhoOther"));
        QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(6, other->height() / 2));
        return true;
    });
    EXPECT_EQ(action.AppliesTo, kObjectOther);

    // Without CanApplyTo the choice is hidden and the value stays.
    CAction plain(test::kMainLibrary, test::kPlainAction);
    plain.AppliesTo = 1;
    const bool changed = Edit(plain, [&](TActionForm& form) {
        EXPECT_FALSE(form.findChild<QGroupBox*>(QStringLiteral("WhoBox"))->isVisible());
        EXPECT_FALSE(form.findChild<QCheckBox*>(QStringLiteral("RelativeBtn"))->isVisible());
        return true;
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(plain.AppliesTo, 1);
}

TEST_F(ActionFormTest, CancelAndUntouchedOkChangeNothing) {
    CAction action(test::kMainLibrary, test::kAllKindsAction);
    action.ArgValue[6] = "some text";
    CAction before;
    before.Assign(action);
    EXPECT_FALSE(Edit(action, [&](TActionForm& form) {
        ScopedPopupMenuAnswer answer(Choose(QStringLiteral("true")));
        form.ChooseValue(0, {});
        form.findChild<QCheckBox*>(QStringLiteral("RelativeBtn"))->setChecked(true);
        return false;
    }));
    EXPECT_FALSE(Edit(action, [](TActionForm&) { return true; }));
    EXPECT_EQ(action.ArgValue, before.ArgValue);
    EXPECT_EQ(action.Relative, before.Relative);
    EXPECT_EQ(action.AppliesTo, before.AppliesTo);
}

TEST_F(ActionFormTest, HostileDefinitionEditsEightRowsAsTextAndKeepsValues) {
    CAction action(test::kMainLibrary, test::kHostileAction);
    for (int i = 0; i < kActionSlots; ++i) action.ArgValue[static_cast<std::size_t>(i)] = "v" + std::to_string(i);
    const CAction before = [&] { CAction copy; copy.Assign(action); return copy; }();
    EXPECT_FALSE(Edit(action, [&](TActionForm& form) {
        EXPECT_EQ(form.RowCount(), kArgumentRows);
        EXPECT_EQ(form.Row(0).editKind, kArgText);
        EXPECT_EQ(form.Row(1).editKind, kArgText);
        EXPECT_EQ(Box(form, 0)->text(), QStringLiteral("v0"));
        return true;
    }));
    EXPECT_EQ(action.ArgValue, before.ArgValue);
}

TEST_F(ActionFormTest, UnknownActionsAndCodeActions) {
    CAction unknown(77, 1);
    EXPECT_FALSE(EditAction(game, unknown));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kCannotEditUnknownAction});

    CAction code(test::kMainLibrary, test::kCodeAction);
    code.ArgValue[0] = "x = 1;";
    dialogs.Code.push_back(CodeEditResult{"x = 2;", 1});
    EXPECT_TRUE(EditAction(game, code));
    ASSERT_EQ(dialogs.CodeRequests.size(), 1u);
    EXPECT_EQ(dialogs.CodeRequests[0].text, "x = 1;");
    EXPECT_EQ(dialogs.CodeRequests[0].caption, "Execute code");
    EXPECT_TRUE(dialogs.CodeRequests[0].codeMode);
    EXPECT_EQ(code.ArgValue[0], "x = 2;");
    EXPECT_EQ(code.AppliesTo, 1);
    // Confirmed without a difference is no change.
    dialogs.Code.push_back(CodeEditResult{"x = 2;", 1});
    EXPECT_FALSE(EditAction(game, code));
    EXPECT_FALSE(EditAction(game, code));  // cancelled
}

}  // namespace
}  // namespace kestrin
