// The path editor window: its controls, the mouse on the drawing, the point
// list and its fields, the toolbar with its dialogs and undo, the room behind
// the path, closing, and the colours of the drawing.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "editors/path_drawing.h"
#include "editors/path_form.h"
#include "editors/path_index.h"
#include "editors/path_point_model.h"
#include "editors/path_view.h"
#include "editors/room_view.h"
#include "image_editors/value_edit.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/room.h"
#include "resources/sprite.h"
#include "storage/resource_tree.h"
#include "storage/tree_codes.h"
#include "support/editor_fixture.h"

namespace kestrin {
namespace {

class PathFormTest : public test::EditorTest {
protected:
    PathFormTest() {
        index = game.Paths().AddResource();
        game.Paths().RenameResource(index, "path_round");
        game.ClearChangedFlags();
    }
    CPath& Path() { return *game.Paths().ResourceAt(index); }
    TPathForm* OpenPath() {
        TPathForm* form = Open<TPathForm>(ResourceKind::Path, index);
        Settle();
        return form;
    }
    template <class W = QWidget>
    W* Child(TPathForm* form, const char* name) {
        W* child = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Click(TPathForm* form, const char* name) { QTest::mouseClick(Child<QAbstractButton>(form, name), Qt::LeftButton); }
    // A press on the drawing at a room position.
    void Press(TPathForm* form, QPoint room, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        TPathView* view = form->View();
        QTest::mousePress(view, button, modifiers, room - view->Origin());
    }
    void Release(TPathForm* form, QPoint room) {
        TPathView* view = form->View();
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, room - view->Origin());
    }
    void MoveMouse(TPathForm* form, QPoint room) {
        TPathView* view = form->View();
        QMouseEvent move(QEvent::MouseMove, QPointF(room - view->Origin()), view->mapToGlobal(QPointF(room - view->Origin())),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QStringList Lines(TPathForm* form) {
        QStringList lines;
        PathPointModel* model = form->PointModel();
        for (int row = 0; row < model->rowCount(); ++row) lines << model->data(model->index(row)).toString();
        return lines;
    }
    int ListRow(TPathForm* form) {
        QModelIndex current = Child<QListView>(form, "PointList")->selectionModel()->currentIndex();
        return current.isValid() ? current.row() : -1;
    }
    QString Panel(TPathForm* form, int i) {
        return Child<QLabel>(form, QStringLiteral("StatusPanel%1").arg(i).toLatin1().constData())->text();
    }
    void AddTriangle() {
        Path().AddPoint(32, 32, 100);
        Path().AddPoint(128, 32, 50);
        Path().AddPoint(128, 128, 25);
    }

    int index = 0;
};

TEST_F(PathFormTest, OpeningShowsThePathWithoutMarking) {
    AddTriangle();
    Path().SetKind(kPathSmooth);
    Path().SetClosed(false);
    Path().SetPrecision(6);
    Path().SnapX = 8;
    TPathForm* form = OpenPath();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), "TPathForm");
    for (const char* name : {"NameEdit", "KindGroup", "ClosedCheck", "PrecisionValue", "PointList", "XValue", "YValue",
                             "SpeedValue", "AddBtn", "InsertBtn", "DeleteBtn", "OKBtn", "UndoBtn", "ClearBtn",
                             "ReverseBtn", "ShiftBtn", "MirrorBtn", "FlipBtn", "RotateBtn", "ScaleBtn", "ViewLeftBtn",
                             "ViewRightBtn", "ViewTopBtn", "ViewBottomBtn", "CenterBtn", "HSnapValue", "VSnapValue",
                             "GridBtn", "RoomBtn", "PathImage", "StatusBar1"})
        Child(form, name);
    EXPECT_EQ(Child<QLineEdit>(form, "NameEdit")->text(), "path_round");
    EXPECT_TRUE(Child<QAbstractButton>(form, "KindSmooth")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(form, "ClosedCheck")->isChecked());
    EXPECT_EQ(Child<TValueEdit>(form, "PrecisionValue")->Value(), 6);
    EXPECT_EQ(Child<TValueEdit>(form, "HSnapValue")->Value(), 8);
    EXPECT_EQ(Child<TValueEdit>(form, "VSnapValue")->Value(), 16);
    EXPECT_TRUE(Child<QToolButton>(form, "GridBtn")->isChecked());
    EXPECT_EQ(Lines(form), QStringList({"(32,32)     sp: 100", "(128,32)    sp: 50", "(128,128)   sp: 25"}));
    EXPECT_EQ(ListRow(form), -1);
    EXPECT_EQ(form->View()->Origin(), QPoint(0, 0));  // the centre lies in the drawing
    EXPECT_FALSE(form->Edited());
    EXPECT_FALSE(game.Paths().Changed());
    // The window never gets smaller than it opened.
    EXPECT_EQ(form->minimumSize(), form->size());
    EXPECT_TRUE(Panel(form, 2).startsWith("Area: (0,0)->("));
}

TEST_F(PathFormTest, OpeningCentresAFarPath) {
    Path().AddPoint(2000, -1000, 100);
    Path().AddPoint(2100, -900, 100);
    TPathForm* form = OpenPath();
    QSize size = form->View()->size();
    ASSERT_GT(size.width(), 100);
    QPoint expected(qRound(2050 - size.width() / 2.0), qRound(-950 - size.height() / 2.0));
    EXPECT_LE((form->View()->Origin() - expected).manhattanLength(), 1);
    EXPECT_FALSE(form->Edited());
    // Center on an empty path goes back to (0, 0).
    Path().ClearPoints();
    Click(form, "CenterBtn");
    EXPECT_EQ(form->View()->Origin(), QPoint(0, 0));
    Click(form, "ViewRightBtn");
    EXPECT_EQ(form->View()->Origin(), QPoint(size.width() / 4, 0));
    Click(form, "ViewTopBtn");
    EXPECT_EQ(form->View()->Origin(), QPoint(size.width() / 4, -size.height() / 4));
}

TEST_F(PathFormTest, MouseAddsPicksDragsInsertsAndDeletes) {
    TPathForm* form = OpenPath();
    // A click on an empty path adds a snapped point with speed 100 and marks.
    Press(form, {8, 24});
    Release(form, {8, 24});
    ASSERT_EQ(Path().PointCount(), 1);
    EXPECT_EQ(Path().GetPoint(0).x, 0);
    EXPECT_EQ(Path().GetPoint(0).y, 32);
    EXPECT_EQ(Path().GetPoint(0).speed, 100);
    EXPECT_TRUE(game.Paths().Changed());
    EXPECT_EQ(ListRow(form), 0);
    EXPECT_EQ(Child<TValueEdit>(form, "YValue")->Value(), 32);

    // With Alt the point goes where the mouse is.
    Press(form, {200, 100}, Qt::LeftButton, Qt::AltModifier);
    Release(form, {200, 100});
    EXPECT_EQ(Path().GetPoint(1).x, 200);
    EXPECT_EQ(Path().GetPoint(1).y, 100);

    // A click that only picks a point neither marks nor replaces the undo copy.
    game.ClearChangedFlags();
    Press(form, {3, 30});
    Release(form, {3, 30});
    EXPECT_EQ(ListRow(form), 0);
    EXPECT_FALSE(game.Paths().Changed());
    EXPECT_EQ(Path().PointCount(), 2);

    // Dragging moves the picked point on the grid, marks, and shows its values.
    Press(form, {3, 30});
    MoveMouse(form, {60, 70});
    EXPECT_EQ(Path().GetPoint(0).x, 64);
    EXPECT_EQ(Path().GetPoint(0).y, 64);
    EXPECT_EQ(Child<TValueEdit>(form, "XValue")->Value(), 64);
    EXPECT_TRUE(game.Paths().Changed());
    EXPECT_EQ(Panel(form, 0), "x: 64");
    EXPECT_EQ(Panel(form, 1), "y: 64");
    Release(form, {60, 70});
    EXPECT_EQ(Lines(form).at(0), "(64,64)     sp: 100");

    // Shift inserts before the picked point with its speed.
    Path().ChangePoint(1, 200, 100, 70);
    Press(form, {198, 101}, Qt::LeftButton, Qt::ShiftModifier);
    Release(form, {198, 101});
    ASSERT_EQ(Path().PointCount(), 3);
    EXPECT_EQ(Path().GetPoint(1).x, 192);
    EXPECT_EQ(Path().GetPoint(1).speed, 70);
    EXPECT_EQ(ListRow(form), 1);

    // Right and middle delete the picked point; far from every point, nothing.
    Press(form, {500, 500}, Qt::RightButton);
    EXPECT_EQ(Path().PointCount(), 3);
    Press(form, {201, 99}, Qt::RightButton);
    EXPECT_EQ(Path().PointCount(), 2);
    Press(form, {64, 64}, Qt::MiddleButton);
    EXPECT_EQ(Path().PointCount(), 1);
    EXPECT_EQ(Lines(form).size(), 1);
}

TEST_F(PathFormTest, RightClickDuringADragEndsIt) {
    AddTriangle();
    TPathForm* form = OpenPath();
    Press(form, {128, 128});  // drags point 2
    Press(form, {32, 32}, Qt::RightButton);
    MoveMouse(form, {300, 300});
    ASSERT_EQ(Path().PointCount(), 2);
    EXPECT_EQ(Path().GetPoint(0).x, 128);
    EXPECT_EQ(Path().GetPoint(1).x, 128);
    EXPECT_EQ(Path().GetPoint(1).y, 128);
}

TEST_F(PathFormTest, ListAndFields) {
    AddTriangle();
    TPathForm* form = OpenPath();
    auto* list = Child<QListView>(form, "PointList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(form->PointModel()->index(1)).center());
    EXPECT_EQ(form->Controller().Selected(), 1);
    EXPECT_EQ(Child<TValueEdit>(form, "SpeedValue")->Value(), 50);
    EXPECT_FALSE(form->Edited());

    // Typing a value changes the point; the same value again changes nothing.
    auto* x = Child<TValueEdit>(form, "XValue");
    x->selectAll();
    QTest::keyClicks(x, "140");
    EXPECT_EQ(Path().GetPoint(1).x, 140);
    EXPECT_EQ(Lines(form).at(1), "(140,32)    sp: 50");
    EXPECT_EQ(ListRow(form), 1);
    EXPECT_TRUE(form->Edited());
    game.ClearChangedFlags();
    x->SetValue(140);
    EXPECT_FALSE(game.Paths().Changed());

    // Insert goes before the selected point and becomes the selected line.
    Click(form, "InsertBtn");
    ASSERT_EQ(Path().PointCount(), 4);
    EXPECT_EQ(ListRow(form), 1);
    EXPECT_EQ(Path().GetPoint(2).x, 140);
    Click(form, "AddBtn");
    EXPECT_EQ(Path().PointCount(), 5);
    EXPECT_EQ(ListRow(form), 4);
    Click(form, "DeleteBtn");
    Click(form, "DeleteBtn");
    EXPECT_EQ(Path().PointCount(), 3);
    EXPECT_EQ(ListRow(form), 2);  // moved to the last line

    // The settings apply whether or not a point is selected.
    list->selectionModel()->clear();
    auto* precision = Child<TValueEdit>(form, "PrecisionValue");
    precision->selectAll();
    QTest::keyClicks(precision, "7");
    EXPECT_EQ(Path().Precision, 7);
    Child<QAbstractButton>(form, "KindSmooth")->click();
    EXPECT_EQ(Path().Kind, kPathSmooth);
    Child<QCheckBox>(form, "ClosedCheck")->click();
    EXPECT_FALSE(Path().Closed);
    auto* snap = Child<TValueEdit>(form, "VSnapValue");
    snap->selectAll();
    QTest::keyClicks(snap, "5");
    EXPECT_EQ(Path().SnapY, 5);
}

TEST_F(PathFormTest, ToolbarDialogsAndUndo) {
    AddTriangle();
    TPathForm* form = OpenPath();
    auto points = [&] {
        std::vector<std::pair<double, double>> all;
        for (int i = 0; i < Path().PointCount(); ++i) all.push_back({Path().GetPoint(i).x, Path().GetPoint(i).y});
        return all;
    };
    const auto original = points();

    // Cancelled dialogs change nothing and do not mark.
    dialogs.CancelValues();
    Click(form, "RotateBtn");
    dialogs.CancelValues();
    Click(form, "ScaleBtn");
    dialogs.CancelValues();
    Click(form, "ShiftBtn");
    ui.ScriptAnswers({Answer::No});
    Click(form, "ClearBtn");
    EXPECT_EQ(points(), original);
    EXPECT_FALSE(form->Edited());
    ASSERT_EQ(dialogs.ValuesQuestions.size(), 3u);
    EXPECT_EQ(dialogs.ValuesQuestions[0].title, "Rotate the path");
    EXPECT_EQ(dialogs.ValuesQuestions[0].captions[0], "angle:");
    EXPECT_EQ(dialogs.ValuesQuestions[1].title, "Scale the path");
    EXPECT_EQ(dialogs.ValuesQuestions[1].values[0], 100);
    EXPECT_EQ(dialogs.ValuesQuestions[1].values[1], 100);
    EXPECT_EQ(dialogs.ValuesQuestions[2].title, "Shift the path");
    EXPECT_EQ(ui.Questions().back(), "Are you sure you want to clear the entire path?");
    // Nothing to undo yet.
    Click(form, "UndoBtn");
    EXPECT_FALSE(form->Edited());

    dialogs.AnswerValues({200, 100, 0});
    Click(form, "ScaleBtn");
    EXPECT_EQ(Path().GetPoint(0).x, -16);
    EXPECT_EQ(Path().GetPoint(1).x, 176);
    EXPECT_EQ(Lines(form).at(0), "(-16,32)    sp: 100");
    EXPECT_TRUE(form->Edited());

    // Undo swaps, so a second undo returns to the state after the change;
    // each undo marks.
    Click(form, "UndoBtn");
    EXPECT_EQ(points(), original);
    game.ClearChangedFlags();
    Click(form, "UndoBtn");
    EXPECT_EQ(Path().GetPoint(0).x, -16);
    EXPECT_TRUE(game.Paths().Changed());
    QTest::keyClick(form->View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(points(), original);

    dialogs.AnswerValue(90);
    Click(form, "RotateBtn");
    EXPECT_NE(points(), original);
    Click(form, "MirrorBtn");
    Click(form, "FlipBtn");
    Click(form, "ReverseBtn");
    dialogs.AnswerValues({5, -5, 0});
    Click(form, "ShiftBtn");
    ui.ScriptAnswers({Answer::Yes});
    Click(form, "ClearBtn");
    EXPECT_EQ(Path().PointCount(), 0);
    EXPECT_TRUE(Lines(form).isEmpty());
    Click(form, "UndoBtn");
    EXPECT_EQ(Path().PointCount(), 3);
    EXPECT_EQ(Lines(form).size(), 3);

    // Ctrl+G toggles the grid.
    QTest::keyClick(form->View(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_FALSE(Child<QToolButton>(form, "GridBtn")->isChecked());
    EXPECT_FALSE(form->View()->State().showGrid);
}

TEST_F(PathFormTest, KeysNudgeAndDelete) {
    AddTriangle();
    TPathForm* form = OpenPath();
    Press(form, {32, 32});
    Release(form, {32, 32});
    QTest::keyClick(form->View(), Qt::Key_Right);
    EXPECT_EQ(Path().GetPoint(0).x, 48);
    QTest::keyClick(form->View(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Path().GetPoint(0).y, 33);
    QTest::keyClick(form->View(), Qt::Key_Delete);
    EXPECT_EQ(Path().PointCount(), 2);
    Click(form, "UndoBtn");
    EXPECT_EQ(Path().PointCount(), 3);
}

class PathRoomTest : public PathFormTest {
protected:
    PathRoomTest() {
        for (int depth : {0, 50}) {
            int object = game.Objects().AddResource();
            game.Objects().ResourceAt(object)->Depth = depth;
        }
        game.Tree().ResetTree();
        room = CResourceTree::NodeIndex(game.Tree().AddResourceNode(nullptr, kTypeRooms));
        game.Rooms().RenameResource(room, "room_first");
        CRoom& r = *game.Rooms().ResourceAt(room);
        r.Color = 0x336699;
        r.DrawColor = true;
        // Drawing sorts by depth: the deeper object would move first.
        r.AddInstance(10, 10, 0, game);
        r.AddInstance(20, 20, 1, game);
        game.ClearChangedFlags();
    }
    // Answers the room menu that the button shows with the item of that
    // caption, or dismisses it.
    void AnswerRoomMenu(const QString& caption) {
        auto* poll = new QTimer(&area);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, caption] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            poll->stop();
            poll->deleteLater();
            for (QAction* action : menu->actions()) {
                if (action->text().remove('&') == caption) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            }
            menu->close();
        });
        poll->start(20);
    }
    int room = 0;
};

TEST_F(PathRoomTest, RoomBehindThePath) {
    Path().BackgroundRoom = room;
    CRoom before;
    before.Assign(game.Rooms().ResourceAt(room));
    TPathForm* form = OpenPath();
    EXPECT_EQ(Panel(form, 3), "Room: room_first");
    QImage shown = form->View()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(3, 3), QColor(0x99, 0x66, 0x33));
    // The room was drawn from a copy: its own order is as it was.
    EXPECT_EQ(*game.Rooms().ResourceAt(room), before);

    AnswerRoomMenu("No Room");
    Click(form, "RoomBtn");
    EXPECT_EQ(Path().BackgroundRoom, -1);
    EXPECT_EQ(Panel(form, 3), "");
    EXPECT_FALSE(form->Edited());
    AnswerRoomMenu("");
    Click(form, "RoomBtn");
    EXPECT_EQ(Path().BackgroundRoom, -1);
    AnswerRoomMenu("room_first");
    Click(form, "RoomBtn");
    EXPECT_EQ(Path().BackgroundRoom, room);
    EXPECT_EQ(Panel(form, 3), "Room: room_first");

    // A deleted room leaves the drawing.
    game.Rooms().DeleteResource(room);
    Settle();
    EXPECT_EQ(Panel(form, 3), "");
}

// The room behind the path looks as the room editor shows it (without its
// grid): layers, sprites and placeholders in depth order, white beyond the
// room's end.
TEST_F(PathRoomTest, RoomLooksAsInTheRoomEditor) {
    int sprite = game.Sprites().AddResource();
    Bitmap24 picture(16, 16, 0x0000FF);
    picture.FillRect(4, 4, 12, 12, 0x00FF00);
    game.Sprites().ResourceAt(sprite)->AddImage(&picture);
    game.Objects().ResourceAt(1)->Sprite = sprite;
    int back = game.Backgrounds().AddResource();
    Bitmap24 tiles(48, 32, 0x804020);
    tiles.FillRect(0, 0, 24, 16, 0xC0C0C0);
    game.Backgrounds().ResourceAt(back)->SetImage(&tiles);
    CRoom& r = *game.Rooms().ResourceAt(room);
    RoomBackground layer;
    layer.Visible = true;
    layer.Background = back;
    layer.X = 5;
    layer.Y = -3;
    r.SetLayer(0, layer);
    r.AddInstance(30, 12, 1, game);
    r.Width = 300;
    r.Height = 200;
    Path().BackgroundRoom = room;
    TPathForm* form = OpenPath();
    Click(form, "GridBtn");
    QImage shown = form->View()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    CRoom copy;
    copy.Assign(&r);
    TRoomView editor(copy, game);
    RoomShowRules rules;
    rules.grid = false;
    editor.SetRules(rules);
    editor.resize(shown.size());
    editor.Render();
    QImage expected = editor.BackBuffer().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(shown.width(), 320);
    ASSERT_GE(shown.height(), 220);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            QRgb want = x < r.Width && y < r.Height ? expected.pixel(x, y) : qRgb(255, 255, 255);
            ASSERT_EQ(shown.pixel(x, y), want) << x << "," << y;
        }
    }
    // The sprite is there, over the layer.
    EXPECT_EQ(shown.pixelColor(30 + 6, 12 + 6), QColor(0, 255, 0));
}

// Editing the path never draws the room again; Undo and a new choice of
// room take it afresh.
TEST_F(PathRoomTest, RoomIsDrawnAgainOnUndoNotForPathEdits) {
    Path().BackgroundRoom = room;
    TPathForm* form = OpenPath();
    auto corner = [&] { return form->View()->grab().toImage().pixelColor(3, 3); };
    const QColor before(0x99, 0x66, 0x33);
    EXPECT_EQ(corner(), before);
    // Changed behind the window's back.
    game.Rooms().ResourceAt(room)->Color = 0x00FF00;
    Press(form, {200, 150});
    Release(form, {200, 150});
    ASSERT_EQ(Path().PointCount(), 1);
    EXPECT_EQ(corner(), before);
    Click(form, "UndoBtn");
    EXPECT_EQ(Path().PointCount(), 0);
    EXPECT_EQ(corner(), QColor(0, 255, 0));

    game.Rooms().ResourceAt(room)->Color = 0xFF0000;
    AnswerRoomMenu("room_first");
    Click(form, "RoomBtn");
    EXPECT_EQ(corner(), QColor(0, 0, 255));
}

TEST_F(PathFormTest, CloseWithNoRestoresThePath) {
    AddTriangle();
    TPathForm* form = OpenPath();
    Click(form, "ReverseBtn");
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions().back(), "Save the changes to path_round?");
    EXPECT_EQ(Path().GetPoint(0).x, 32);
    EXPECT_EQ(Path().PointCount(), 3);
    EXPECT_EQ(game.Paths().EditorAt(index), nullptr);
}

TEST_F(PathFormTest, OkClosesWithoutAskingAndListCloseLeavesThePathAlone) {
    AddTriangle();
    TPathForm* form = OpenPath();
    Click(form, "FlipBtn");
    Click(form, "OKBtn");
    Settle();
    EXPECT_TRUE(ui.Questions().empty());
    EXPECT_EQ(Path().GetPoint(0).y, 128);
    EXPECT_EQ(game.Paths().EditorAt(index), nullptr);

    QPointer<TPathForm> again = OpenPath();
    Press(again, {600, 400});
    game.Paths().DeleteResource(index);
    Settle();
    EXPECT_TRUE(again.isNull());
    EXPECT_TRUE(ui.Questions().empty());
}

// The colours of the drawing, probed pixel by pixel.
TEST(PathDrawing, Colours) {
    CPath path;
    path.SetClosed(false);
    path.AddPoint(20, 20, 100);
    path.AddPoint(60, 20, 100);
    path.AddPoint(100, 20, 100);
    path.AddPoint(60, 60, 100);
    QImage image(120, 80, QImage::Format_RGB32);
    PathPictureState state;
    state.selected = 2;
    state.showGrid = false;
    DrawPathPicture(image, path, nullptr, state);
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::green));  // the start
    EXPECT_EQ(image.pixelColor(60, 20), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(100, 20), QColor(Qt::red));   // selected
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(40, 20), QColor(Qt::yellow));  // the line...
    EXPECT_EQ(image.pixelColor(40, 19), QColor(Qt::black));   // ...on its black edge
    EXPECT_EQ(image.pixelColor(40, 22), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 70), QColor(Qt::white));

    // The grid: exclusive-or lines on the multiples of the snap that lie in
    // the view, also left of and above the origin.
    path.SnapX = 16;
    path.SnapY = 3;  // too fine to draw
    path.ClearPoints();
    state.showGrid = true;
    state.origin = QPoint(-20, -7);
    QImage room(120, 80, QImage::Format_RGB32);
    room.fill(QColor(0x10, 0x20, 0x30));
    DrawPathPicture(image, path, &room, state);
    for (int x : {4, 20, 36}) EXPECT_EQ(image.pixelColor(x, 40), QColor(0xef, 0xdf, 0xcf)) << x;
    for (int x : {3, 5, 19, 21}) EXPECT_EQ(image.pixelColor(x, 40), QColor(0x10, 0x20, 0x30)) << x;
    EXPECT_EQ(image.pixelColor(10, 7), QColor(0x10, 0x20, 0x30));

    // A path whose length is not finite draws nothing.
    path.AddPoint(0, 0, 100);
    path.AddPoint(1e308, 0, 100);
    path.AddPoint(-1e308, 0, 100);
    ASSERT_FALSE(std::isfinite(path.Length()));
    state.showGrid = false;
    state.origin = QPoint(0, 0);
    DrawPathPicture(image, path, nullptr, state);
    EXPECT_EQ(image.pixelColor(60, 0), QColor(Qt::white));
}

// Only what comes near the view is drawn: a path reaching far beyond it on
// every side still shows its line up to the borders and the parts of the
// discs that overlap them, wherever the view lies.
TEST(PathDrawing, ViewEdges) {
    CPath path;
    path.SetClosed(false);
    path.AddPoint(-20000, 50, 100);
    path.AddPoint(-3, 50, 100);  // its disc reaches 1 pixel into the view
    path.AddPoint(122, 50, 100);
    path.AddPoint(20000, 50, 100);
    path.AddPoint(20000, 20000, 100);
    path.AddPoint(60, 20000, 100);
    path.AddPoint(60, -20000, 100);
    QImage image(120, 80, QImage::Format_RGB32);
    PathPictureState state;
    state.showGrid = false;
    for (QPoint origin : {QPoint(0, 0), QPoint(-40000, 7), QPoint(40000, 7)}) {
        // The same picture, shifted: the view at another place shows its
        // own piece of the shifted path.
        CPath shifted;
        shifted.Assign(path);
        shifted.Shift(origin.x(), origin.y());
        state.origin = origin;
        DrawPathPicture(image, shifted, nullptr, state);
        SCOPED_TRACE(origin.x());
        EXPECT_EQ(image.pixelColor(0, 50), QColor(Qt::blue));
        EXPECT_EQ(image.pixelColor(1, 50), QColor(Qt::black));  // the disc's outline
        EXPECT_EQ(image.pixelColor(119, 50), QColor(Qt::blue));
        for (int x : {8, 30, 110}) {
            EXPECT_EQ(image.pixelColor(x, 49), QColor(Qt::black)) << x;
            EXPECT_EQ(image.pixelColor(x, 50), QColor(Qt::yellow)) << x;
            EXPECT_EQ(image.pixelColor(x, 51), QColor(Qt::black)) << x;
            EXPECT_EQ(image.pixelColor(x, 52), QColor(Qt::white)) << x;
        }
        for (int y : {0, 20, 79}) {
            EXPECT_EQ(image.pixelColor(59, y), QColor(Qt::black)) << y;
            EXPECT_EQ(image.pixelColor(60, y), QColor(Qt::yellow)) << y;
            EXPECT_EQ(image.pixelColor(61, y), QColor(Qt::black)) << y;
        }
    }
}

// The drawing keeps an index of the path between paints, which a full
// redraw of a path larger than the view leans on: a point brought into view
// through the fields, and brought back by a second undo, is drawn with its
// lines, though the index made before held them far away.
TEST_F(PathFormTest, ChangesAfterTheFirstPaintAreDrawn) {
    for (int i = 0; i < 80; ++i) {
        double a = i * 2 * std::numbers::pi / 80;
        Path().AddPoint(std::round(200 + 100 * std::cos(a)), std::round(150 + 100 * std::sin(a)), 100);
    }
    for (int i = 0; i < 40; ++i) Path().AddPoint(3000 + 50 * i, 150 + (i % 2) * 40, 100);
    Path().SetClosed(false);
    TPathForm* form = OpenPath();
    TPathView* view = form->View();
    // Opening centred the view on the whole path; the ring is what matters.
    view->SetOrigin({0, 0});
    auto expectShowsThePath = [&](const char* when) {
        QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(view->size(), QImage::Format_RGB32);
        DrawPathPicture(expected, Path(), nullptr, view->State());
        EXPECT_EQ(shown, expected) << when;
    };
    expectShowsThePath("opened");
    // Right of the ring, off the grid lines.
    const QPoint to(403, 150);
    ASSERT_LT(to.x(), view->width());
    auto* list = Child<QListView>(form, "PointList");
    list->setCurrentIndex(form->PointModel()->index(100));
    ASSERT_EQ(form->Controller().Selected(), 100);
    // All at once, as a paste does: one change, one undo.
    Child<TValueEdit>(form, "XValue")->setText("403");
    ASSERT_EQ(Path().GetPoint(100).x, 403);
    expectShowsThePath("typed");
    EXPECT_EQ(view->grab().toImage().pixelColor(to), QColor(Qt::red));
    Click(form, "UndoBtn");
    ASSERT_EQ(Path().GetPoint(100).x, 4000);
    expectShowsThePath("undone");
    EXPECT_EQ(view->grab().toImage().pixelColor(to), QColor(Qt::white));
    Click(form, "UndoBtn");
    ASSERT_EQ(Path().GetPoint(100).x, 403);
    expectShowsThePath("redone");
}

// Redrawing a part of the picture, as a change of the selected point does,
// writes there exactly what a whole redraw writes, wherever the part cuts
// through lines, discs and grid, and with the index as without it.
TEST(PathDrawing, PartRedrawEqualsWhole) {
    CPath path;
    path.SetKind(kPathSmooth);
    for (int i = 0; i < 60; ++i) {
        double a = i * 0.7, r = 10 + i * 1.7;
        path.AddPoint(100 + r * std::cos(a), 70 + r * std::sin(a), 100);
    }
    PathPictureState state;
    state.origin = QPoint(-13, 5);
    QImage whole(220, 150, QImage::Format_RGB32);
    state.selected = 7;
    state.hovered = 30;
    DrawPathPicture(whole, path, nullptr, state);
    const PathIndex pathIndex(path);
    for (QRect part : {QRect(0, 0, 220, 150), QRect(37, 41, 15, 15), QRect(100, 3, 9, 140), QRect(-5, 60, 300, 2)}) {
        for (const PathIndex* index : {static_cast<const PathIndex*>(nullptr), &pathIndex}) {
            QImage picture(whole.size(), QImage::Format_RGB32);
            picture.fill(Qt::magenta);
            DrawPathPicture(picture, path, nullptr, state, part, index);
            QRect inside = part.intersected(picture.rect());
            EXPECT_EQ(picture.copy(inside), whole.copy(inside)) << part.x() << "," << part.y() << " " << bool(index);
            if (inside.right() + 1 < picture.width()) {
                EXPECT_EQ(picture.pixelColor(inside.right() + 1, inside.top()), QColor(Qt::magenta));
            }
        }
    }
}

// A slanted line is as wide across as a level one and has no gaps: every
// column holds one yellow pixel, where two segments meet too, between black
// edges.
TEST(PathDrawing, SlantedLines) {
    QImage image(120, 80, QImage::Format_RGB32);
    PathPictureState state;
    state.showGrid = false;
    struct Case {
        QPointF from, to;
    } cases[] = {{{10, 10}, {70, 70}}, {{10, 70}, {110, 20}}};
    for (const Case& c : cases) {
        CPath path;
        path.SetClosed(false);
        path.AddPoint(c.from.x(), c.from.y(), 100);
        path.AddPoint(c.to.x(), c.to.y(), 100);
        DrawPathPicture(image, path, nullptr, state);
        double slope = (c.to.y() - c.from.y()) / (c.to.x() - c.from.x());
        for (int x = int(c.from.x()) + 8; x <= int(c.to.x()) - 8; ++x) {
            int y = int(std::floor(c.from.y() + (x - c.from.x()) * slope + 0.5));
            std::vector<int> yellow;
            for (int row = y - 2; row <= y + 2; ++row)
                if (image.pixelColor(x, row) == QColor(Qt::yellow)) yellow.push_back(row);
            ASSERT_EQ(yellow.size(), 1u) << x;
            EXPECT_EQ(image.pixelColor(x, yellow[0] - 1), QColor(Qt::black)) << x;
            EXPECT_EQ(image.pixelColor(x, yellow[0] + 1), QColor(Qt::black)) << x;
            EXPECT_EQ(image.pixelColor(x, y - 4), QColor(Qt::white)) << x;
            EXPECT_EQ(image.pixelColor(x, y + 4), QColor(Qt::white)) << x;
        }
    }
}

}  // namespace
}  // namespace kestrin
