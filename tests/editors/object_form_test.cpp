// The object editor: listing, adding, changing and deleting events; adding,
// editing, moving, copying and pasting actions; the properties with the
// parent rules; what activation and closing do.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "editor_library.h"
#include "editors/action_argument_form.h"
#include "editors/action_clipboard.h"
#include "editors/action_list_view.h"
#include "editors/edit_action.h"
#include "editors/event_chooser.h"
#include "editors/object_form.h"
#include "editors/popup_menu.h"
#include "support/editor_fixture.h"

namespace kestrin {
namespace {

class ObjectFormTest : public test::EditorTest {
protected:
    ObjectFormTest() {
        ActionClipboard().Clear();
        ball = test::AddNamedResource(game, kTypeObjects, "ball");
        wall = test::AddNamedResource(game, kTypeObjects, "wall");
        game.ClearChangedFlags();
    }
    ~ObjectFormTest() override { ActionClipboard().Clear(); }

    CObject& Object(int index) { return *game.Objects().ResourceAt(index); }
    // Actions told apart by their first argument.
    void AddActions(int object, int type, int number, std::initializer_list<const char*> names) {
        for (const char* name : names)
            Object(object).GetEvent(type, number)->AddAction(test::kMainLibrary, test::kMoveAction).ArgValue[0] = name;
    }
    static std::string Order(const CEvent* event) {
        std::string order;
        for (int i = 0; event && i < event->ActionCount(); ++i) order += event->GetAction(i)->ArgValue[0] + " ";
        return order;
    }
    std::vector<EventKey> Listed(TObjectForm* form) {
        std::vector<EventKey> keys;
        for (int i = 0; i < form->Listed().Count(); ++i) keys.push_back(form->Listed().At(i));
        return keys;
    }
    TObjectForm* OpenObject(int index) { return Open<TObjectForm>(ResourceKind::Object, index); }
    static QListWidget* EventList(TObjectForm* form) { return form->findChild<QListWidget*>(QStringLiteral("EventList")); }
    static QPoint LinePoint(QListWidget* list, int row, bool lowerHalf = false) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        return {rect.center().x(), lowerHalf ? rect.bottom() - 2 : rect.top() + 2};
    }

    test::LoadedEditorLibrary library;
    int ball = 0, wall = 0;
};

TEST_F(ObjectFormTest, ListsEveryEventSortedWhateverItsNumber) {
    AddActions(ball, 8, 0, {"draw"});
    AddActions(ball, 0, 0, {"create"});
    AddActions(ball, 3, 2, {"end step"});
    AddActions(ball, 7, 4000, {"far"});  // beyond any menu, still listed and deletable
    Object(ball).GetEvent(2, 1);         // empty: not listed
    TObjectForm* form = OpenObject(ball);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Listed(form), (std::vector<EventKey>{{0, 0}, {3, 2}, {7, 4000}, {8, 0}}));
    EXPECT_EQ(form->SelectedEvent(), 0);
    EXPECT_EQ(form->Actions().count(), 1);
    EXPECT_FALSE(form->Edited());
}

TEST_F(ObjectFormTest, AddingEventsInsertsSortedWithoutMarking) {
    AddActions(ball, 3, 0, {"step"});
    TObjectForm* form = OpenObject(ball);
    ScopedEventChoice choice([] { return ChosenEvent{2, 1}; });
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("AddEventBtn")), Qt::LeftButton);
    EXPECT_EQ(Listed(form), (std::vector<EventKey>{{2, 1}, {3, 0}}));
    EXPECT_EQ(form->SelectedEvent(), 0);
    EXPECT_EQ(form->Actions().count(), 0);
    EXPECT_FALSE(form->Edited());
    // Already listed: nothing moves.
    form->SelectEvent(1);
    form->AddEvent();
    EXPECT_EQ(form->Listed().Count(), 2);
    EXPECT_EQ(form->SelectedEvent(), 1);
}

TEST_F(ObjectFormTest, ChangingAnEventTakesItsActionsAlong) {
    AddActions(ball, 0, 0, {"a", "b", "c"});
    AddActions(ball, 3, 0, {"s"});
    TObjectForm* form = OpenObject(ball);
    ScopedEventChoice choice([] { return ChosenEvent{2, 1}; });
    form->ChangeEvent();
    EXPECT_EQ(Listed(form), (std::vector<EventKey>{{2, 1}, {3, 0}}));
    EXPECT_EQ(form->SelectedEvent(), 0);
    EXPECT_EQ(Order(Object(ball).FindEvent(2, 1)), "a b c ");
    EXPECT_FALSE(Object(ball).HasEvent(0, 0));
    EXPECT_TRUE(form->Edited());
}

TEST_F(ObjectFormTest, DeletingAnEventAsksOnlyWhenItHasActions) {
    AddActions(ball, 0, 0, {"a"});
    AddActions(ball, 3, 0, {"s"});
    TObjectForm* form = OpenObject(ball);
    ui.ScriptAnswers({Answer::No});
    form->DeleteEvent();
    EXPECT_EQ(form->Listed().Count(), 2);
    ui.ScriptAnswers({Answer::Yes});
    // Del in the event list deletes the selected event.
    form->SelectEvent(1);
    EventList(form)->setFocus();
    QTest::keyClick(EventList(form), Qt::Key_Delete);
    EXPECT_EQ(Listed(form), (std::vector<EventKey>{{0, 0}}));
    EXPECT_EQ(form->SelectedEvent(), 0);
    EXPECT_FALSE(Object(ball).HasEvent(3, 0));
    EXPECT_EQ(ui.Questions().size(), 2u);
    EXPECT_TRUE(form->Edited());
}

TEST_F(ObjectFormTest, RightClickMakesTheLineUnderTheMouseCurrent) {
    AddActions(ball, 0, 0, {"a"});
    AddActions(ball, 3, 0, {"s1", "s2"});
    TObjectForm* form = OpenObject(ball);
    QListWidget* events = EventList(form);
    ui.ScriptAnswers({Answer::Yes});
    {
        ScopedPopupMenuAnswer answer([](QMenu& menu) { return FindMenuItem(menu, QStringLiteral("Delete Event")); });
        QTest::mousePress(events->viewport(), Qt::RightButton, {}, LinePoint(events, 1));
    }
    // The shown event is the one deleted.
    EXPECT_EQ(Listed(form), (std::vector<EventKey>{{0, 0}}));
    EXPECT_EQ(Order(Object(ball).FindEvent(0, 0)), "a ");
    EXPECT_EQ(Order(form->Actions().Event()), "a ");
    {
        // Over empty space nothing is selected, and Change and Delete are off.
        ScopedPopupMenuAnswer answer([](QMenu& menu) {
            EXPECT_EQ(FindMenuItem(menu, QStringLiteral("Delete Event")), nullptr);
            return nullptr;
        });
        QTest::mousePress(events->viewport(), Qt::RightButton, {}, QPoint(5, events->viewport()->height() - 3));
    }
    EXPECT_EQ(form->SelectedEvent(), -1);
    EXPECT_EQ(form->Actions().Event(), nullptr);
}

TEST_F(ObjectFormTest, PaletteAddsAndEditsOrSaysThereIsNoEvent) {
    TObjectForm* form = OpenObject(ball);
    auto* button = form->findChild<QToolButton*>(
        QStringLiteral("PaletteBtn_%1_%2").arg(test::kMainLibrary).arg(test::kMoveAction));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kNoEventForActions});
    EXPECT_FALSE(form->Edited());

    ScopedEventChoice choice([] { return ChosenEvent{0, 0}; });
    form->AddEvent();
    int edits = 0;
    ScopedActionFormAnswer answer([&](TActionForm&) { return ++edits, false; });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(edits, 1);
    // The new action stays even though its editor was cancelled.
    EXPECT_EQ(Object(ball).FindEvent(0, 0)->ActionCount(), 1);
    EXPECT_EQ(form->Actions().Selected(), 0);
    EXPECT_TRUE(form->Edited());
}

TEST_F(ObjectFormTest, DraggingWithinAListMovesOrCopiesWithCtrl) {
    AddActions(ball, 0, 0, {"1", "2", "3"});
    TObjectForm* form = OpenObject(ball);
    TActionListView& list = form->Actions();
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, LinePoint(&list, 0));
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, LinePoint(&list, 0));
    list.DropFromList(LinePoint(&list, 2, true));
    EXPECT_EQ(Order(Object(ball).FindEvent(0, 0)), "2 3 1 ");
    EXPECT_EQ(list.Selected(), 2);

    QTest::mousePress(list.viewport(), Qt::LeftButton, Qt::ControlModifier, LinePoint(&list, 0));
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::ControlModifier, LinePoint(&list, 0));
    list.DropFromList(LinePoint(&list, 2, true));
    EXPECT_EQ(Order(Object(ball).FindEvent(0, 0)), "2 3 1 2 ");
    EXPECT_TRUE(form->Edited());
}

TEST_F(ObjectFormTest, MovingToAnotherEditorMarksBothAndNoThereKeepsNothingLost) {
    AddActions(ball, 0, 0, {"b1", "b2"});
    AddActions(wall, 0, 0, {"w1"});
    TObjectForm* source = OpenObject(ball);
    TObjectForm* target = OpenObject(wall);
    TActionListView& from = source->Actions();
    QTest::mousePress(from.viewport(), Qt::LeftButton, {}, LinePoint(&from, 0));
    QTest::mouseRelease(from.viewport(), Qt::LeftButton, {}, LinePoint(&from, 0));
    target->Actions().DropFromList(LinePoint(&target->Actions(), 0, true));
    EXPECT_EQ(Order(Object(ball).FindEvent(0, 0)), "b2 ");
    EXPECT_EQ(Order(Object(wall).FindEvent(0, 0)), "w1 b1 ");
    EXPECT_EQ(source->Actions().count(), 1);
    EXPECT_TRUE(source->Edited());
    EXPECT_TRUE(target->Edited());
    // No in both windows: each object gets its own actions back.
    ui.ScriptAnswers({Answer::No, Answer::No});
    source->close();
    target->close();
    Settle();
    EXPECT_EQ(Order(Object(ball).FindEvent(0, 0)), "b1 b2 ");
    EXPECT_EQ(Order(Object(wall).FindEvent(0, 0)), "w1 ");
}

TEST_F(ObjectFormTest, ClipboardKeysPasteBeforeTheSelectionAndSelectTheFirstPasted) {
    AddActions(ball, 0, 0, {"p1", "p2"});
    AddActions(wall, 0, 0, {"1", "2", "3", "4"});
    TObjectForm* source = OpenObject(ball);
    TActionListView& from = source->Actions();
    from.setFocus();
    QTest::keyClick(&from, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Order(&ActionClipboard()), "p1 p2 ");

    TObjectForm* target = OpenObject(wall);
    TActionListView& list = target->Actions();
    list.setFocus();
    list.Refill(1);
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Order(Object(wall).FindEvent(0, 0)), "1 p1 p2 2 3 4 ");
    EXPECT_EQ(list.Selected(), 1);

    // Delete on the last line selects the new last line.
    list.Refill(5);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(Order(Object(wall).FindEvent(0, 0)), "1 p1 p2 2 3 ");
    EXPECT_EQ(list.Selected(), 4);
    // Cut puts that one action in the clipboard.
    QTest::keyClick(&list, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Order(&ActionClipboard()), "3 ");
    EXPECT_EQ(Order(Object(wall).FindEvent(0, 0)), "1 p1 p2 2 ");
}

TEST_F(ObjectFormTest, ListMenuEnablesByStateAndShortcutsStayOn) {
    AddActions(ball, 0, 0, {"1"});
    TObjectForm* form = OpenObject(ball);
    TActionListView& list = form->Actions();
    bool pasteEnabled = true, editEnabled = false;
    {
        ScopedPopupMenuAnswer answer([&](QMenu& menu) {
            pasteEnabled = menu.findChild<QAction*>(QStringLiteral("Paste1"))->isEnabled();
            editEnabled = menu.findChild<QAction*>(QStringLiteral("EditProperties1"))->isEnabled();
            return nullptr;
        });
        const QPoint at = LinePoint(&list, 0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &event);
    }
    EXPECT_FALSE(pasteEnabled);
    EXPECT_TRUE(editEnabled);
    for (QAction* action : list.ListMenu()->actions()) EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
}

TEST_F(ObjectFormTest, ParentChoicesRefuseLoopsAndStoreNoneAsMinus100) {
    Object(wall).Parent = ball;
    TObjectForm* form = OpenObject(ball);
    {
        ScopedPopupMenuAnswer answer([](QMenu& menu) { return FindMenuItem(menu, QStringLiteral("ball")); });
        form->ChooseParent({});
    }
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kParentLoopMessage});
    EXPECT_EQ(Object(ball).Parent, kNoObject);
    {
        ScopedPopupMenuAnswer answer([](QMenu& menu) { return FindMenuItem(menu, QStringLiteral("wall")); });
        form->ChooseParent({});
    }
    EXPECT_EQ(Object(ball).Parent, kNoObject);
    EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("ParentName"))->text(), QStringLiteral("<no parent>"));

    Object(wall).Parent = kNoObject;
    {
        ScopedPopupMenuAnswer answer([](QMenu& menu) { return FindMenuItem(menu, QStringLiteral("wall")); });
        form->ChooseParent({});
    }
    EXPECT_EQ(Object(ball).Parent, wall);
    {
        ScopedPopupMenuAnswer answer([](QMenu& menu) { return FindMenuItem(menu, QStringLiteral("<no parent>")); });
        form->ChooseParent({});
    }
    EXPECT_EQ(Object(ball).Parent, kNoObject);
}

TEST_F(ObjectFormTest, NoDoesNotBringBackAParentLoop) {
    Object(ball).Parent = wall;
    TObjectForm* form = OpenObject(ball);
    {
        ScopedPopupMenuAnswer answer([](QMenu& menu) { return FindMenuItem(menu, QStringLiteral("<no parent>")); });
        form->ChooseParent({});
    }
    // Meanwhile the old parent takes this object as its own parent.
    Object(wall).Parent = ball;
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(Object(ball).Parent, kNoObject);
    EXPECT_FALSE(Object(ball).HasParentLoop(game));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kParentLoopMessage});
}

TEST_F(ObjectFormTest, CollisionEventsOfDeletedObjectsLeaveOnActivation) {
    const int third = test::AddNamedResource(game, kTypeObjects, "third");
    AddActions(ball, 0, 0, {"c"});
    AddActions(ball, kCollisionEventType, wall, {"hit wall"});
    AddActions(ball, kCollisionEventType, third, {"hit third"});
    TObjectForm* form = OpenObject(ball);
    form->SelectEvent(1);
    game.Objects().DeleteResource(wall);
    form->Reactivated();
    EXPECT_EQ(Listed(form), (std::vector<EventKey>{{0, 0}, {kCollisionEventType, third}}));
    // The selection moves to the line before the dropped one.
    EXPECT_EQ(form->SelectedEvent(), 0);
    EXPECT_EQ(Order(form->Actions().Event()), "c ");
}

TEST_F(ObjectFormTest, PropertiesMarkAndNoRestoresTheObject) {
    TObjectForm* form = OpenObject(ball);
    QTest::mouseClick(form->findChild<QCheckBox*>(QStringLiteral("SolidCheck")), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Object(ball).Solid);
    EXPECT_TRUE(form->Edited());
    // A new sprite is the object's sprite and counts as a change.
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("NewSpriteBtn")), Qt::LeftButton);
    EXPECT_GE(Object(ball).Sprite, 0);
    EXPECT_TRUE(game.IsChanged(FlagIndex(ResourceKind::Object)));
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions().front(), "Save the changes to ball?");
    EXPECT_FALSE(Object(ball).Solid);
    EXPECT_EQ(Object(ball).Sprite, -1);
}

TEST_F(ObjectFormTest, SimpleModeHidesTheAdvancedPanel) {
    Prefs().Advanced = false;
    TObjectForm* form = OpenObject(ball);
    EXPECT_TRUE(form->findChild<QWidget*>(QStringLiteral("AdvancedPanel"))->isHidden());
    EXPECT_FALSE(form->findChild<QWidget*>(QStringLiteral("SolidCheck"))->isHidden());
}

}  // namespace
}  // namespace kestrin
