// The room editor window: tabs per mode, the mouse on the room view with
// real events, the pop-up menus, toolbar, layers, the tileset, remembered
// settings, the close matrix, and the view's incremental rendering.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <QToolButton>

#include "app/text_convert.h"
#include "editors/room_form.h"
#include "editors/room_tile_image.h"
#include "editors/room_tile_settings_form.h"
#include "editors/room_view.h"
#include "editors/room_view_panel.h"
#include "image_editors/value_edit.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/sprite.h"
#include "storage/game_file.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

class RoomFormTest : public test::EditorTest {
protected:
    RoomFormTest() {
        const int sprite = game.Sprites().AddResource();
        Bitmap24 picture(16, 16, 0x0000FF);
        picture.FillRect(4, 4, 12, 12, 0x00FF00);
        game.Sprites().ResourceAt(sprite)->AddImage(&picture);
        object = game.Objects().AddResource();
        game.Objects().RenameResource(object, "obj_wall");
        game.Objects().ResourceAt(object)->Sprite = sprite;
        tileset = game.Backgrounds().AddResource();
        Bitmap24 tiles(64, 32, 0xFF0000);
        tiles.FillRect(17, 0, 33, 16, 0x00FFFF);
        game.Backgrounds().ResourceAt(tileset)->SetImage(&tiles);
        index = game.Rooms().AddResource();
        game.Rooms().RenameResource(index, "room_hall");
        game.ClearChangedFlags();
    }
    CRoom& Room() { return *game.Rooms().ResourceAt(index); }
    TRoomForm* OpenRoom() {
        TRoomForm* form = Open<TRoomForm>(ResourceKind::Room, index);
        form->showMaximized();
        QApplication::processEvents();
        return form;
    }
    template <class W>
    W* Find(TRoomForm* form, const char* name) {
        W* widget = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Widget point of a room point at 100 % and no scrolling.
    static QPoint At(int x, int y) { return QPoint(x, y); }
    void Click(TRoomForm* form, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(form->View(), button, mods, at);
    }
    // Picks the named item when the pop-up menu is run.
    void ChooseInMenu(TRoomForm* form, const char* item) {
        const QString name = QString::fromLatin1(item);
        form->runMenu = [name, this](QMenu& menu, const QPoint&) -> QAction* {
            menuItems.clear();
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                if (!action->objectName().isEmpty()) menuItems.push_back(action->objectName());
                if (action->objectName() == name) chosen = action;
            }
            return chosen;
        };
    }

    int object = 0, tileset = 0, index = 0;
    QStringList menuItems;
};

TEST_F(RoomFormTest, TabsPerModeAndTheFirstState) {
    TRoomForm* form = OpenRoom();
    auto* tabs = Find<QTabWidget>(form, "TabPages");
    EXPECT_EQ(tabs->count(), 5);
    EXPECT_EQ(Find<QPushButton>(form, "ObjectName")->text(), "obj_wall");
    EXPECT_EQ(Find<QPushButton>(form, "TilesetName")->text(), "background0");
    EXPECT_EQ(Find<QListWidget>(form, "LayerList")->item(0)->text(), "Layer 1000000");
    EXPECT_FALSE(form->Edited());
    form->close();
    Settle();

    Prefs().Advanced = false;
    form = OpenRoom();
    tabs = Find<QTabWidget>(form, "TabPages");
    EXPECT_EQ(tabs->count(), 3);
    EXPECT_FALSE(Find<QPushButton>(form, "CodeBtn")->isVisible());
    form->SetActiveTab(RoomTab::Tiles);  // not there: the objects tab
    EXPECT_EQ(form->ActiveTab(), RoomTab::Objects);
}

TEST_F(RoomFormTest, MouseOnTheViewPlacesMovesAndDeletes) {
    TRoomForm* form = OpenRoom();
    Click(form, Qt::LeftButton, At(37, 70));
    ASSERT_EQ(Room().InstanceCount(), 1);
    EXPECT_EQ(Room().GetInstance(0).X, 32);
    EXPECT_EQ(Room().GetInstance(0).Y, 64);
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Rooms().Changed());
    Click(form, Qt::LeftButton, At(37, 70), Qt::AltModifier);
    EXPECT_EQ(Room().InstanceCount(), 1);  // dropped on the first: it went
    EXPECT_EQ(Room().GetInstance(0).X, 37);

    // Status bar for the instance under the mouse.
    Click(form, Qt::RightButton, At(300, 300));  // on nothing; lets go of Alt
    QTest::mouseMove(form->View(), At(40, 75));
    QApplication::processEvents();
    QStringList texts;
    for (QLabel* label : Find<QWidget>(form, "StatusBar1")->findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(" object: obj_wall")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(" x: 32")) << texts.join('|').toStdString();

    Click(form, Qt::RightButton, At(40, 75));
    EXPECT_EQ(Room().InstanceCount(), 0);
    // The toolbar's undo brings it back.
    QTest::mouseClick(Find<QToolButton>(form, "UndoBtn"), Qt::LeftButton);
    EXPECT_EQ(Room().InstanceCount(), 1);
}

TEST_F(RoomFormTest, PopupCommandsThroughTheMenu) {
    TRoomForm* form = OpenRoom();
    Room().AddInstance(32, 32, object, game);
    Room().AddInstance(32, 32, object, game);
    game.ClearChangedFlags();
    ChooseInMenu(form, "ObjectDelete1");
    Click(form, Qt::RightButton, At(40, 40), Qt::ControlModifier);
    EXPECT_EQ(menuItems, (QStringList{"ObjectDelete1", "ObjectDeleteAll1", "ChangePosition1", "SnaptoGrid1",
                                      "ObjectSendtoBack1", "ObjectBringtoFront1", "ObjectLock1",
                                      "ObjectCreationCode1"}));
    EXPECT_EQ(Room().InstanceCount(), 1);
    EXPECT_TRUE(game.Rooms().Changed());

    ChooseInMenu(form, "ChangePosition1");
    dialogs.AnswerValues({100, 120, 0});
    Click(form, Qt::RightButton, At(40, 40), Qt::ControlModifier);
    ASSERT_EQ(dialogs.ValuesQuestions.size(), 1u);
    EXPECT_EQ(dialogs.ValuesQuestions[0].title, "Change the position of the instance");
    EXPECT_EQ(Room().GetInstance(0).X, 100);
    EXPECT_EQ(Room().GetInstance(0).Y, 120);

    ChooseInMenu(form, "ObjectCreationCode1");
    dialogs.Code.push_back(CodeEditResult{"hp = 3", -1});
    Click(form, Qt::RightButton, At(101, 121), Qt::ControlModifier);
    ASSERT_EQ(dialogs.CodeRequests.size(), 1u);
    EXPECT_EQ(dialogs.CodeRequests[0].caption, "Instance Creation Code for Instance of obj_wall");
    EXPECT_EQ(Room().GetInstance(0).Code, "hp = 3");

    // A dismissed menu keeps the undo copy of the change before.
    ChooseInMenu(form, "nothing");
    Click(form, Qt::RightButton, At(101, 121), Qt::ControlModifier);
    QTest::mouseClick(Find<QToolButton>(form, "UndoBtn"), Qt::LeftButton);
    EXPECT_EQ(Room().GetInstance(0).Code, "");
}

TEST_F(RoomFormTest, ToolbarFollowsTheTabAndUndoKeepsOtherFields) {
    TRoomForm* form = OpenRoom();
    auto* clear = Find<QToolButton>(form, "ClearBtn");
    EXPECT_EQ(clear->toolTip(), "Clear all instances from the room");
    form->SetActiveTab(RoomTab::Tiles);
    EXPECT_EQ(clear->toolTip(), "Clear all tiles in the current layer");
    form->SetActiveTab(RoomTab::Settings);
    EXPECT_FALSE(clear->isEnabled());
    form->SetActiveTab(RoomTab::Objects);

    Click(form, Qt::LeftButton, At(5, 5));
    ui.ScriptAnswers({Answer::Yes});
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(ui.Questions().back(), "Are you sure you want to delete all object instances?");
    EXPECT_EQ(Room().InstanceCount(), 0);
    auto* caption = Find<QLineEdit>(form, "RoomCaption");
    QTest::keyClicks(caption, "Hall");
    QTest::keyClick(form->View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Room().InstanceCount(), 1);
    EXPECT_EQ(Room().Caption, "Hall");

    // Shift acts only on OK.
    dialogs.CancelValues();
    QTest::mouseClick(Find<QToolButton>(form, "ShiftBtn"), Qt::LeftButton);
    EXPECT_EQ(Room().GetInstance(0).X, 0);
    dialogs.AnswerValues({10, 20, 0});
    QTest::mouseClick(Find<QToolButton>(form, "ShiftBtn"), Qt::LeftButton);
    EXPECT_EQ(dialogs.ValuesQuestions.back().values[0], 16);  // starts at the snap
    EXPECT_EQ(Room().GetInstance(0).X, 10);
}

TEST_F(RoomFormTest, TilesLayersAndTheTileset) {
    TRoomForm* form = OpenRoom();
    form->SetActiveTab(RoomTab::Tiles);
    auto* picture = Find<TTileImage>(form, "TileImage");
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(20, 3));
    EXPECT_EQ(form->Controller().tileSelection, (TileSelection{17, 0, 16, 16}));
    Click(form, Qt::LeftButton, At(3, 3));
    ASSERT_EQ(Room().TileCount(), 1);
    EXPECT_EQ(Room().GetTile(0).Left, 17);
    EXPECT_EQ(Room().GetTile(0).Depth, 1000000);

    dialogs.AnswerValue(50);
    QTest::mouseClick(Find<QPushButton>(form, "AddLayerBtn"), Qt::LeftButton);
    auto* layers = Find<QListWidget>(form, "LayerList");
    ASSERT_EQ(layers->count(), 2);
    EXPECT_EQ(layers->item(1)->text(), "Layer 50");
    EXPECT_EQ(layers->currentRow(), 1);
    Click(form, Qt::LeftButton, At(3, 3));  // on the new layer; the other stays
    EXPECT_EQ(Room().TileCount(), 2);

    // Merging layer 50 into 1000000.
    dialogs.AnswerValue(1000000);
    QTest::mouseClick(Find<QPushButton>(form, "ChangeLayerBtn"), Qt::LeftButton);
    EXPECT_EQ(layers->count(), 1);
    EXPECT_EQ(Room().GetTile(0).Depth, 1000000);
    EXPECT_EQ(Room().GetTile(1).Depth, 1000000);

    // The tile settings: the selection takes the new size.
    form->askTileSettings = [](TileSettings& settings) {
        settings.width = 8;
        settings.height = 4;
        return true;
    };
    QTest::mouseClick(Find<QPushButton>(form, "TileSettingsBtn"), Qt::LeftButton);
    EXPECT_EQ(form->Controller().tileSelection.width, 8);
    EXPECT_EQ(form->Controller().tileSelection.height, 4);

    // The tile menu acts on the tile under the point in the current layer.
    ChooseInMenu(form, "TileChangePosition2");
    dialogs.AnswerValues({40, 48, 0});
    Click(form, Qt::RightButton, At(3, 3), Qt::ControlModifier);
    EXPECT_EQ(menuItems, (QStringList{"TileDelete1", "TileDeleteAll1", "TileChangePosition2", "TileSnapToGrid1",
                                      "TileLocked1"}));
    EXPECT_EQ(dialogs.ValuesQuestions.back().title, "Change the position of the tile");
    EXPECT_EQ(Room().GetTile(Room().TileCount() - 1).X, 40);
    ChooseInMenu(form, "TileDelete1");
    Click(form, Qt::RightButton, At(3, 3), Qt::ControlModifier);  // the other one
    EXPECT_EQ(Room().TileCount(), 1);

    ui.ScriptAnswers({Answer::Yes});
    QTest::mouseClick(Find<QPushButton>(form, "DeleteLayerBtn"), Qt::LeftButton);
    EXPECT_EQ(Room().TileCount(), 0);
    EXPECT_EQ(layers->item(0)->text(), "Layer 1000000");
}

TEST_F(RoomFormTest, SettingsBackgroundsAndViewsWriteTheRoom) {
    TRoomForm* form = OpenRoom();
    auto* width = Find<TValueEdit>(form, "WidthValue");
    width->selectAll();
    QTest::keyClicks(width, "2000");
    EXPECT_EQ(Room().Width, 2000);
    EXPECT_TRUE(Find<QScrollBar>(form, "HScrollBar")->isEnabled());
    EXPECT_EQ(Find<QScrollBar>(form, "HScrollBar")->maximum(), 2000 - form->View()->VisibleWidth());

    form->SetActiveTab(RoomTab::Backgrounds);
    game.ClearChangedFlags();
    Find<QCheckBox>(form, "DrawBackgroundColorCheck")->click();
    EXPECT_FALSE(Room().DrawColor);
    EXPECT_TRUE(game.Rooms().Changed());
    dialogs.Colors.push_back(static_cast<std::int32_t>(0xFF000005u));  // a system colour
    Find<QPushButton>(form, "BackgroundColor")->click();
    EXPECT_EQ(Room().Color, 0);
    Find<QListWidget>(form, "BackgroundList")->setCurrentRow(3);
    Find<QCheckBox>(form, "ForegroundCheck")->click();
    EXPECT_TRUE(Room().GetLayer(3).Foreground);

    form->SetActiveTab(RoomTab::Views);
    game.ClearChangedFlags();
    Find<QCheckBox>(form, "EnableViewsCheck")->click();
    EXPECT_TRUE(Room().ViewsEnabled);
    EXPECT_TRUE(game.Rooms().Changed());
    Find<QListWidget>(form, "ViewList")->setCurrentRow(2);
    auto* left = Find<TValueEdit>(form, "LeftEdit");
    left->selectAll();
    QTest::keyClicks(left, "64");
    EXPECT_EQ(Room().GetView(2).ViewX, 64);

    form->SetActiveTab(RoomTab::Settings);
    dialogs.Code.push_back(CodeEditResult{"global.level = 1", -1});
    Find<QPushButton>(form, "CodeBtn")->click();
    EXPECT_EQ(dialogs.CodeRequests.back().caption, "Room Creation Code");
    EXPECT_EQ(Room().CreationCode, "global.level = 1");
}

TEST_F(RoomFormTest, CloseMatrix) {
    // No restores the room and asks nothing about instances outside.
    TRoomForm* form = OpenRoom();
    Click(form, Qt::LeftButton, At(5, 5));
    Room().AddInstance(-100, 5, object, game);
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions(), std::vector<std::string>{"Save the changes to room_hall?"});
    EXPECT_EQ(Room().InstanceCount(), 0);

    // Yes, then the outside question; Yes removes it and marks.
    form = OpenRoom();
    Click(form, Qt::LeftButton, At(5, 5));
    Room().AddInstance(-100, 5, object, game);
    ui.ScriptAnswers({Answer::Yes, Answer::Yes});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions().back(), kRoomOutsideQuestion);
    EXPECT_EQ(Room().InstanceCount(), 1);

    // After a save there is nothing to ask.
    test::TempDir dir;
    form = OpenRoom();
    Click(form, Qt::LeftButton, At(50, 50));
    ASSERT_TRUE(SaveGame(game, dir.File("g.ksd")));
    const std::size_t asked = ui.Questions().size();
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions().size(), asked);
    EXPECT_EQ(Room().InstanceCount(), 2);

    // The list's own close asks nothing.
    form = OpenRoom();
    Click(form, Qt::LeftButton, At(100, 100));
    game.Rooms().DeleteResource(index);
    Settle();
    EXPECT_EQ(ui.Questions().size(), asked);
    EXPECT_EQ(game.Rooms().EditorAt(index), nullptr);
}

TEST_F(RoomFormTest, RememberedSettingsAreClampedAndWrittenBack) {
    Prefs().RememberRoomSettings = true;
    Room().Width = 3000;
    RoomEditorSettings& s = Room().EditorSettings;
    s.Remembered = true;
    s.WindowWidth = 700;
    s.WindowHeight = 500;
    s.ShowGrid = false;
    s.ShowObjects = true;
    s.DeleteUnderlyingObjects = false;
    s.TileWidth = 0;  // beyond the dialog's range
    s.TileHeight = 99999;
    s.TileHSep = -4;
    s.ActiveTab = 3;
    s.HScroll = 400;
    game.ClearChangedFlags();
    TRoomForm* form = Open<TRoomForm>(ResourceKind::Room, index);
    Settle();
    EXPECT_EQ(form->ActiveTab(), RoomTab::Backgrounds);
    EXPECT_FALSE(Find<QToolButton>(form, "GridBtn")->isChecked());
    EXPECT_FALSE(form->Controller().deleteUnderlyingObjects);
    EXPECT_EQ(form->Controller().tileSettings, (TileSettings{1, 32000, 0, 0, 0, 0}));
    EXPECT_EQ(form->Controller().tileSelection.width, 1);
    EXPECT_EQ(form->View()->ScrollX(), 400);
    form->SetActiveTab(RoomTab::Tiles);
    form->close();
    Settle();
    EXPECT_EQ(Room().EditorSettings.ActiveTab, 2);
    EXPECT_EQ(Room().EditorSettings.TileWidth, 1);
    EXPECT_EQ(Room().EditorSettings.HScroll, 400);
    EXPECT_FALSE(game.Rooms().Changed());
}

TEST_F(RoomFormTest, WheelPanningAndZoomStopAtTheRoomsEnds) {
    Room().Width = 5000;
    Room().Height = 4000;
    TRoomForm* form = OpenRoom();
    TRoomView* view = form->View();
    auto* hBar = Find<QScrollBar>(form, "HScrollBar");
    auto* vBar = Find<QScrollBar>(form, "VScrollBar");
    QWheelEvent down(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &down);
    EXPECT_EQ(view->ScrollY(), 48);
    QWheelEvent right(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &right);
    EXPECT_EQ(view->ScrollX(), 48);
    // Middle-button panning moves the other way to the mouse.
    QTest::mousePress(view, Qt::MiddleButton, {}, QPoint(200, 200));
    QTest::mouseMove(view, QPoint(180, 150));
    QTest::mouseRelease(view, Qt::MiddleButton, {}, QPoint(180, 150));
    EXPECT_EQ(view->ScrollX(), 68);
    EXPECT_EQ(view->ScrollY(), 98);
    EXPECT_EQ(Room().InstanceCount(), 0);  // the middle button places nothing

    hBar->setValue(hBar->maximum());
    EXPECT_EQ(view->ScrollX() + view->VisibleWidth(), 5000);
    QTest::mouseClick(Find<QToolButton>(form, "ZoomInBtn"), Qt::LeftButton);
    EXPECT_EQ(view->Zoom(), 200);
    EXPECT_EQ(hBar->maximum(), 5000 - view->VisibleWidth());
    // Ctrl+wheel zooms out, not below 25 %.
    for (int i = 0; i < 5; ++i) {
        QWheelEvent out(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &out);
    }
    EXPECT_EQ(view->Zoom(), 25);
    // At 25 % a click lands four room pixels per screen pixel away.
    vBar->setValue(0);
    hBar->setValue(0);
    Click(form, Qt::LeftButton, At(10, 20));
    ASSERT_EQ(Room().InstanceCount(), 1);
    EXPECT_EQ(Room().GetInstance(0).X, 32);
    EXPECT_EQ(Room().GetInstance(0).Y, 80);
}

TEST(TileSettingsForm, FieldsAndRanges) {
    TTileSettingsForm form({16, 16, 0, 0, 1, 1});
    auto* width = form.findChild<TValueEdit*>(QStringLiteral("TileWidthValue"));
    auto* hSep = form.findChild<TValueEdit*>(QStringLiteral("TileHSepValue"));
    ASSERT_TRUE(width && hSep);
    width->SetValue(0);  // below the range: held at 1
    hSep->SetValue(40000);
    form.findChild<TValueEdit*>(QStringLiteral("TileYoffValue"))->SetValue(3);
    EXPECT_EQ(form.Settings(), (TileSettings{1, 16, 0, 3, 32000, 1}));
}

// After any series of edits the back buffer, updated only where things
// changed, equals one rendered from scratch.
TEST_F(RoomFormTest, IncrementalRenderEqualsFullRender) {
    Room().Width = 400;
    Room().Height = 300;
    Room().SnapX = Room().SnapY = 8;
    const int deep = game.Objects().AddResource();
    game.Objects().ResourceAt(deep)->Depth = 50;
    game.Objects().ResourceAt(deep)->Sprite = game.Objects().ResourceAt(object)->Sprite;
    TRoomForm* form = OpenRoom();
    TRoomView* view = form->View();
    RoomEditController& edit = form->Controller();
    view->Render();
    auto check = [&](const char* step) {
        view->Render();
        const QImage incremental = view->BackBuffer().copy();
        view->RepaintAll();
        view->Render();
        EXPECT_TRUE(incremental == view->BackBuffer()) << step;
    };
    edit.currentTileset = tileset;
    edit.LeftDown(RoomItemKind::Instance, 20, 20, {});
    edit.LeftMove(RoomItemKind::Instance, 60, 44, {});
    edit.LeftUp(RoomItemKind::Instance, 60, 44, {});
    check("place and drag");
    edit.currentObject = deep;
    for (int x = 0; x < 120; x += 5) edit.LeftMove(RoomItemKind::Instance, x, 50, {true, false, false});
    edit.LeftDown(RoomItemKind::Instance, 50, 50, {true, false, false});
    for (int x = 50; x < 200; x += 3) edit.LeftMove(RoomItemKind::Instance, x, 52, {true, false, false});
    edit.LeftUp(RoomItemKind::Instance, 200, 52, {});
    check("Shift-drag painting under the first");
    edit.LeftDown(RoomItemKind::Tile, 58, 46, {});
    edit.LeftMove(RoomItemKind::Tile, 90, 90, {false, false, true});
    edit.LeftUp(RoomItemKind::Tile, 90, 90, {false, false, true});
    check("tile");
    edit.RightDown(RoomItemKind::Instance, 62, 46, {true, false, false});
    check("Shift+right");
    edit.LeftDown(RoomItemKind::Instance, 100, 52, {false, true, false});
    edit.LeftMove(RoomItemKind::Instance, 150, 150, {false, true, false});
    edit.LeftUp(RoomItemKind::Instance, 150, 150, {false, true, false});
    check("Ctrl-drag");
    edit.Undo();
    check("undo");
    Find<QScrollBar>(form, "VScrollBar")->setValue(0);
    check("scroll");
}

}  // namespace
}  // namespace kestrin
