// The event selector: the sub-number every button and menu item gives.

#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "editor_library.h"
#include "editors/event_chooser.h"
#include "editors/popup_menu.h"
#include "support/editor_fixture.h"

namespace kestrin {
namespace {

class EventChooserTest : public test::EditorTest {
protected:
    ChosenEvent Choose(const char* button, const QString& item) {
        TEventForm form(game);
        ScopedPopupMenuAnswer answer([item](QMenu& menu) { return FindMenuItem(menu, item); });
        QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        return form.Chosen();
    }
};

TEST_F(EventChooserTest, ButtonsAndMenuItemsGiveTheirSubNumbers) {
    const int wall = test::AddNamedResource(game, kTypeObjects, "wall");
    struct Case {
        const char* button;
        const char* item;
        int type;
        int number;
    };
    const Case cases[] = {
        {"CreateBtn", "", 0, 0},
        {"DrawingBtn", "", 8, 0},
        {"AlarmBtn", "Alarm 7", 2, 7},
        {"StepBtn", "End step", 3, 2},
        {"CollisionBtn", "wall", 4, wall},
        {"KeyboardBtn", "<Left>", 5, 37},
        {"KeyboardBtn", "Keypad /", 5, 111},
        {"KeyPressBtn", "Z", 9, 90},
        {"KeyReleaseBtn", "F12", 10, 123},
        {"KeyboardBtn", "<Page Down>", 5, 34},
        {"KeyboardBtn", "<Any key>", 5, 1},
        {"MouseBtn", "Middle released", 6, 9},
        {"MouseBtn", "Joystick 1 button 8", 6, 28},
        {"MouseBtn", "Joystick 2 left", 6, 31},
        {"OtherBtn", "No more health", 7, 9},
        {"OtherBtn", "User defined 7", 7, 17},
    };
    for (const Case& c : cases) {
        const ChosenEvent chosen = Choose(c.button, QString::fromLatin1(c.item));
        EXPECT_EQ(chosen.type, c.type) << c.button << " " << c.item;
        EXPECT_EQ(chosen.number, c.number) << c.button << " " << c.item;
    }
}

TEST_F(EventChooserTest, GroupHeadsAndDismissedMenusChooseNothing) {
    EXPECT_TRUE(Choose("KeyboardBtn", QStringLiteral("Letters")).Cancelled());
    EXPECT_TRUE(Choose("MouseBtn", QStringLiteral("nothing like this")).Cancelled());
}

}  // namespace
}  // namespace kestrin
