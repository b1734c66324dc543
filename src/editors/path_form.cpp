// TPathForm: the controls, the mouse on the drawing and the toolbar.

#include "editors/path_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/resource_menu_popup.h"
#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "editors/path_edit_rules.h"
#include "editors/path_point_model.h"
#include "editors/path_view.h"
#include "editors/room_renderer.h"
#include "image_editors/value_edit.h"
#include "platform/saturating_round.h"
#include "platform/user_interface.h"
#include "resources/room.h"
#include "storage/resource_menu.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

constexpr int kSpeedMax = 1000000;
constexpr int kSnapMax = 999;
// Pixels the view moves for one step of the mouse wheel.
constexpr int kWheelStep = 48;

QToolButton* ToolButton(const char* name, const QString& text, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

TValueEdit* ValueField(const char* name, std::int32_t min, std::int32_t max, QWidget* parent) {
    auto* field = new TValueEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    if (min < max) {
        field->SetMinValue(min);
        field->SetMaxValue(max);
    }
    return field;
}

}  // namespace

TPathForm::TPathForm(Game& game, int index, QWidget* parent) : ResourceForm<CPath>(game, index, parent) {
    setObjectName(QStringLiteral("TPathForm"));
    mEdit = std::make_unique<PathEditController>(*Resource());
    mRoomCopy = std::make_unique<CRoom>();
    mRoomRenderer = std::make_unique<RoomRenderer>(*mRoomCopy, game);

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolbar());
    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(4, 4, 4, 4);
    middle->addWidget(BuildSidePanel());
    mView = new TPathView(content);
    mView->setObjectName(QStringLiteral("PathImage"));
    mView->SetPath(Resource());
    middle->addWidget(mView, 1);
    layout->addLayout(middle, 1);
    mStatusBar = new QStatusBar(content);
    mStatusBar->setObjectName(QStringLiteral("StatusBar1"));
    mStatusBar->setSizeGripEnabled(false);
    const int panelWidths[4] = {70, 70, 200, 0};
    for (int i = 0; i < 4; ++i) {
        mPanels[i] = new QLabel(mStatusBar);
        mPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        mPanels[i]->setMinimumWidth(panelWidths[i]);
        mStatusBar->addWidget(mPanels[i], i == 3 ? 1 : 0);
    }
    layout->addWidget(mStatusBar);
    setWidget(content);
    mPointModel = new PathPointModel(Resource(), this);
    mPointList->setModel(mPointModel);

    Connect();
    resize(760, 520);
    // The window never gets smaller than it opened.
    setMinimumSize(size());
    Open();
}

TPathForm::~TPathForm() = default;

QWidget* TPathForm::BuildToolbar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(1);
    auto add = [&](const char* name, const QString& text, const QString& tip) {
        QToolButton* button = ToolButton(name, text, tip, bar);
        row->addWidget(button);
        return button;
    };
    auto* ok = add("OKBtn", tr("OK"), tr("Close, keeping the changes"));
    connect(ok, &QToolButton::clicked, this, [this] { CloseWithOk(); });
    row->addSpacing(8);
    connect(add("UndoBtn", tr("Undo"), tr("Undo the last change (Ctrl+Z)")), &QToolButton::clicked, this,
            [this] { Undo(); });
    connect(add("ClearBtn", tr("Clear"), tr("Clear the path")), &QToolButton::clicked, this, [this] { ClearPath(); });
    row->addSpacing(8);
    auto simple = [this](bool (PathEditController::*op)()) {
        return [this, op] {
            if (Forgotten()) return;
            if (((*mEdit).*op)()) Changed();
        };
    };
    connect(add("ReverseBtn", tr("Reverse"), tr("Reverse the order of the points")), &QToolButton::clicked, this,
            simple(&PathEditController::Reverse));
    connect(add("ShiftBtn", tr("Shift"), tr("Shift the path")), &QToolButton::clicked, this, [this] { ShiftPath(); });
    connect(add("MirrorBtn", tr("Mirror"), tr("Mirror the path horizontally")), &QToolButton::clicked, this,
            simple(&PathEditController::Mirror));
    connect(add("FlipBtn", tr("Flip"), tr("Flip the path vertically")), &QToolButton::clicked, this,
            simple(&PathEditController::Flip));
    connect(add("RotateBtn", tr("Rotate"), tr("Rotate the path")), &QToolButton::clicked, this,
            [this] { RotatePath(); });
    connect(add("ScaleBtn", tr("Scale"), tr("Scale the path")), &QToolButton::clicked, this, [this] { ScalePath(); });
    row->addSpacing(8);
    auto shiftView = [this](int quarterX, int quarterY) {
        return [this, quarterX, quarterY] {
            SetOrigin(mView->Origin() + QPoint(quarterX * mView->width() / 4, quarterY * mView->height() / 4));
        };
    };
    connect(add("ViewLeftBtn", QStringLiteral("\u2190"), tr("Move the view left")), &QToolButton::clicked, this,
            shiftView(-1, 0));
    connect(add("ViewRightBtn", QStringLiteral("\u2192"), tr("Move the view right")), &QToolButton::clicked, this,
            shiftView(1, 0));
    connect(add("ViewTopBtn", QStringLiteral("\u2191"), tr("Move the view up")), &QToolButton::clicked, this,
            shiftView(0, -1));
    connect(add("ViewBottomBtn", QStringLiteral("\u2193"), tr("Move the view down")), &QToolButton::clicked, this,
            shiftView(0, 1));
    connect(add("CenterBtn", tr("Center"), tr("Center the view on the path")), &QToolButton::clicked, this,
            [this] { CentreOnPath(); });
    row->addSpacing(8);
    row->addWidget(new QLabel(tr("Snap X:"), bar));
    mHSnapValue = ValueField("HSnapValue", 1, kSnapMax, bar);
    mHSnapValue->setFixedWidth(40);
    row->addWidget(mHSnapValue);
    row->addWidget(new QLabel(tr("Snap Y:"), bar));
    mVSnapValue = ValueField("VSnapValue", 1, kSnapMax, bar);
    mVSnapValue->setFixedWidth(40);
    row->addWidget(mVSnapValue);
    mGridBtn = add("GridBtn", tr("Grid"), tr("Show the grid (Ctrl+G)"));
    mGridBtn->setCheckable(true);
    mGridBtn->setChecked(true);
    mRoomBtn = add("RoomBtn", tr("Room"), tr("The room shown behind the path"));
    row->addStretch(1);
    return bar;
}

QWidget* TPathForm::BuildSidePanel() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(210);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 4, 0);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Name:"), panel));
    mNameEdit = new QLineEdit(panel);
    mNameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameRow->addWidget(mNameEdit);
    column->addLayout(nameRow);
    AttachNameEdit(mNameEdit);

    auto* kindBox = new QGroupBox(tr("Connection kind"), panel);
    kindBox->setObjectName(QStringLiteral("KindGroup"));
    auto* kindColumn = new QVBoxLayout(kindBox);
    mKindGroup = new QButtonGroup(kindBox);
    auto* straight = new QRadioButton(tr("Straight lines"), kindBox);
    straight->setObjectName(QStringLiteral("KindStraight"));
    auto* smooth = new QRadioButton(tr("Smooth curve"), kindBox);
    smooth->setObjectName(QStringLiteral("KindSmooth"));
    mKindGroup->addButton(straight, kPathStraight);
    mKindGroup->addButton(smooth, kPathSmooth);
    kindColumn->addWidget(straight);
    kindColumn->addWidget(smooth);
    column->addWidget(kindBox);

    auto* closedRow = new QHBoxLayout;
    mClosedCheck = new QCheckBox(tr("Closed"), panel);
    mClosedCheck->setObjectName(QStringLiteral("ClosedCheck"));
    closedRow->addWidget(mClosedCheck);
    closedRow->addStretch(1);
    closedRow->addWidget(new QLabel(tr("Precision:"), panel));
    mPrecisionValue = ValueField("PrecisionValue", 1, kPathMaxPrecision, panel);
    mPrecisionValue->setFixedWidth(36);
    closedRow->addWidget(mPrecisionValue);
    column->addLayout(closedRow);

    mPointList = new QListView(panel);
    mPointList->setObjectName(QStringLiteral("PointList"));
    mPointList->setUniformItemSizes(true);
    mPointList->setSelectionMode(QAbstractItemView::SingleSelection);
    mPointList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mPointList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    column->addWidget(mPointList, 1);

    auto* fields = new QFormLayout;
    mXValue = ValueField("XValue", 0, 0, panel);
    mYValue = ValueField("YValue", 0, 0, panel);
    mSpeedValue = ValueField("SpeedValue", 1, kSpeedMax, panel);
    fields->addRow(tr("X:"), mXValue);
    fields->addRow(tr("Y:"), mYValue);
    fields->addRow(tr("Speed:"), mSpeedValue);
    column->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, panel);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    connect(button("AddBtn", tr("Add")), &QPushButton::clicked, this, [this] {
        if (Forgotten()) return;
        if (mEdit->Add(mXValue->Value(), mYValue->Value(), mSpeedValue->Value())) Changed();
    });
    connect(button("InsertBtn", tr("Insert")), &QPushButton::clicked, this, [this] {
        if (Forgotten()) return;
        if (mEdit->Insert(mXValue->Value(), mYValue->Value(), mSpeedValue->Value())) Changed();
    });
    connect(button("DeleteBtn", tr("Delete")), &QPushButton::clicked, this, [this] {
        if (Forgotten()) return;
        if (mEdit->DeleteSelected()) Changed();
    });
    column->addLayout(buttons);
    return panel;
}

void TPathForm::Connect() {
    connect(mKindGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (Filling() || Forgotten()) return;
        if (mEdit->SetKind(id)) Changed();
    });
    connect(mClosedCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling() || Forgotten()) return;
        if (mEdit->SetClosed(on)) Changed();
    });
    connect(mPrecisionValue, &TValueEdit::ValueChanged, this, [this](std::int32_t value) {
        if (Filling() || Forgotten()) return;
        if (mEdit->SetPrecision(value)) Changed();
    });
    for (TValueEdit* field : {mXValue, mYValue, mSpeedValue})
        connect(field, &TValueEdit::ValueChanged, this, [this] { FieldEdited(); });
    for (TValueEdit* field : {mHSnapValue, mVSnapValue}) {
        connect(field, &TValueEdit::ValueChanged, this, [this] {
            if (Filling() || Forgotten()) return;
            if (!mEdit->SetSnap(mHSnapValue->Value(), mVSnapValue->Value())) return;
            Redraw();
            Mark();
        });
    }
    connect(mPointList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (Filling() || Forgotten()) return;
                mEdit->Select(current.isValid() ? current.row() : -1);
                ShowValues();
                mView->SetMarks(mEdit->Selected(), mView->State().hovered);
            });
    connect(mGridBtn, &QToolButton::toggled, this, [this](bool on) {
        mView->State().showGrid = on;
        Redraw();
    });
    connect(mRoomBtn, &QToolButton::clicked, this, [this] { ChooseRoom(); });

    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    undo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(undo, &QShortcut::activated, this, [this] { Undo(); });
    auto* grid = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    grid->setContext(Qt::WidgetWithChildrenShortcut);
    connect(grid, &QShortcut::activated, mGridBtn, &QToolButton::toggle);

    connect(mView, &TPathView::Pressed, this, &TPathForm::MousePressed);
    connect(mView, &TPathView::Moved, this, &TPathForm::MouseMoved);
    connect(mView, &TPathView::Released, this, &TPathForm::MouseReleased);
    connect(mView, &TPathView::KeyPressed, this, &TPathForm::KeyPressed);
    connect(mView, &TPathView::Wheeled, this, [this](int h, int v) {
        SetOrigin(mView->Origin() - QPoint(h * kWheelStep, v * kWheelStep));
    });
    connect(mView, &TPathView::Resized, this, [this] {
        if (Forgotten()) return;
        ShowArea();
        Redraw();
    });
    // Another window may have changed the room meanwhile.
    connect(this, &QMdiSubWindow::aboutToActivate, this, [this] {
        if (Forgotten()) return;
        TakeRoomCopy();
    });
}

void TPathForm::FillControls() {
    CPath& path = mEdit->Path();
    if (QAbstractButton* kind = mKindGroup->button(path.Kind)) kind->setChecked(true);
    mClosedCheck->setChecked(path.Closed);
    mPrecisionValue->SetValue(path.Precision);
    mHSnapValue->SetValue(path.SnapX);
    mVSnapValue->SetValue(path.SnapY);
    RefillList();
    if (mEdit->Selected() < 0) {
        mXValue->SetValue(0);
        mYValue->SetValue(0);
        mSpeedValue->SetValue(static_cast<std::int32_t>(kFirstPointSpeed));
    }
    TakeRoomCopy();
    ShowArea();
    mView->PathChanged();
    Redraw();
}

void TPathForm::Changed() {
    mView->PathChanged();
    RefillList();
    Redraw();
    Mark();
}

void TPathForm::RefillList() {
    mPointModel->Refill();
    SelectLine(mEdit->Selected());
    ShowValues();
}

void TPathForm::SelectLine(int index) {
    FillScope muted(*this);
    QItemSelectionModel* selection = mPointList->selectionModel();
    if (index < 0) {
        selection->clear();
        return;
    }
    QModelIndex line = mPointModel->index(index);
    selection->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect);
    mPointList->scrollTo(line);
}

void TPathForm::ShowValues() {
    int selected = mEdit->Selected();
    if (selected < 0) return;
    FillScope muted(*this);
    PathPoint p = mEdit->Path().GetPoint(selected);
    mXValue->SetValue(RoundToInt32(p.x));
    mYValue->SetValue(RoundToInt32(p.y));
    mSpeedValue->SetValue(RoundToInt32(p.speed));
}

void TPathForm::Redraw() {
    mView->State().selected = mEdit->Selected();
    mView->update();
}

void TPathForm::TakeRoomCopy() {
    if (Forgotten()) return;
    const CPath& path = mEdit->Path();
    Game& game = GameData();
    if (!game.ResourceExists(ResourceKind::Room, path.BackgroundRoom)) {
        mView->SetRoom(nullptr);
        mRoomCopy->Assign(nullptr);
        mPanels[3]->clear();
        return;
    }
    mRoomCopy->Assign(game.Rooms().ResourceAt(path.BackgroundRoom));
    mRoomRenderer->Sort();
    // Pictures of sprites and backgrounds may have changed too.
    mRoomRenderer->Images().Clear();
    mView->SetRoom(mRoomRenderer.get());
    mPanels[3]->setText(QStringLiteral("Room: ") + ToQt(game.Rooms().ResourceName(path.BackgroundRoom)));
}

void TPathForm::ShowArea() {
    QPoint o = mView->Origin();
    mPanels[2]->setText(QStringLiteral("Area: (%1,%2)->(%3,%4)")
                            .arg(o.x())
                            .arg(o.y())
                            .arg(qint64(o.x()) + mView->width())
                            .arg(qint64(o.y()) + mView->height()));
}

void TPathForm::SetOrigin(QPoint origin) {
    if (Forgotten() || origin == mView->Origin()) return;
    mView->SetOrigin(origin);
    ShowArea();
    Redraw();
}

void TPathForm::CentreOnPath() {
    if (Forgotten()) return;
    const CPath& path = mEdit->Path();
    if (path.PointCount() == 0) {
        SetOrigin({0, 0});
        return;
    }
    double cx, cy;
    path.GetCenter(cx, cy);
    SetOrigin({RoundToInt32(cx - mView->width() / 2.0), RoundToInt32(cy - mView->height() / 2.0)});
}

void TPathForm::showEvent(QShowEvent* event) {
    ResourceForm<CPath>::showEvent(event);
    if (mCentred) return;
    mCentred = true;
    // Centre once the window has its place and the drawing its real size.
    QTimer::singleShot(0, this, [this] {
        if (Forgotten()) return;
        double cx, cy;
        mEdit->Path().GetCenter(cx, cy);
        if (cx < 0 || cy < 0 || cx >= mView->width() || cy >= mView->height()) CentreOnPath();
    });
}

void TPathForm::MousePressed(QPoint roomPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (Forgotten()) return;
    if (button == Qt::RightButton || button == Qt::MiddleButton) {
        if (mEdit->OtherDown(roomPos.x(), roomPos.y())) Changed();
        return;
    }
    if (button != Qt::LeftButton) return;
    bool changed = mEdit->LeftDown(roomPos.x(), roomPos.y(), modifiers.testFlag(Qt::ShiftModifier),
                                   modifiers.testFlag(Qt::AltModifier));
    if (changed) mView->PathChanged();
    if (!mEdit->Dragging()) return;  // a Shift+click away from every point
    RefillList();
    Redraw();
    if (changed) Mark();
}

void TPathForm::MouseMoved(QPoint roomPos, Qt::KeyboardModifiers modifiers) {
    if (Forgotten()) return;
    const CPath& path = mEdit->Path();
    bool alt = modifiers.testFlag(Qt::AltModifier);
    double x = alt ? roomPos.x() : SnapCoordinate(roomPos.x(), path.SnapX);
    double y = alt ? roomPos.y() : SnapCoordinate(roomPos.y(), path.SnapY);
    mPanels[0]->setText(QStringLiteral("x: %1").arg(RoundToInt32(x)));
    mPanels[1]->setText(QStringLiteral("y: %1").arg(RoundToInt32(y)));
    int hovered = mEdit->Dragging() ? -1 : PickPathPoint(path, roomPos.x(), roomPos.y());
    if (mEdit->MoveTo(roomPos.x(), roomPos.y(), alt)) {
        mView->PointMoved(mEdit->Selected());
        mView->State().hovered = hovered;
        ShowValues();
        Redraw();
        Mark();
    } else {
        mView->SetMarks(mEdit->Selected(), hovered);
    }
}

void TPathForm::MouseReleased() {
    if (Forgotten()) return;
    bool wasDragging = mEdit->Dragging();
    mEdit->Release();
    if (wasDragging) RefillList();
}

void TPathForm::KeyPressed(int key, Qt::KeyboardModifiers modifiers) {
    if (Forgotten() || mEdit->Selected() < 0) return;
    if (key == Qt::Key_Delete) {
        if (mEdit->DeleteSelected()) Changed();
        return;
    }
    const CPath& path = mEdit->Path();
    // Alt nudges by one pixel, as it places without snapping.
    bool alt = modifiers.testFlag(Qt::AltModifier);
    int dx = alt ? 1 : std::max(path.SnapX, 1), dy = alt ? 1 : std::max(path.SnapY, 1);
    PathPoint p = path.GetPoint(mEdit->Selected());
    double x = p.x, y = p.y;
    switch (key) {
        case Qt::Key_Left: x -= dx; break;
        case Qt::Key_Right: x += dx; break;
        case Qt::Key_Up: y -= dy; break;
        case Qt::Key_Down: y += dy; break;
        default: return;
    }
    if (!alt) {
        x = SnapCoordinate(x, path.SnapX);
        y = SnapCoordinate(y, path.SnapY);
    }
    if (mEdit->MoveSelected(x, y)) Changed();
}

void TPathForm::FieldEdited() {
    if (Filling() || Forgotten()) return;
    if (mEdit->ChangeSelected(mXValue->Value(), mYValue->Value(), mSpeedValue->Value())) {
        mView->PointMoved(mEdit->Selected());
        // The fields keep what is being typed.
        mPointModel->Refill();
        SelectLine(mEdit->Selected());
        Redraw();
        Mark();
    }
}

void TPathForm::ChooseRoom() {
    if (Forgotten()) return;
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ResourceMenu(GameData(), kTypeRooms, std::string("No Room"),
                              mRoomBtn->mapToGlobal(QPoint(0, mRoomBtn->height())));
    }
    if (Forgotten() || chosen == kMenuDismissed) return;
    mEdit->Path().BackgroundRoom = chosen;
    TakeRoomCopy();
}

void TPathForm::Undo() {
    if (Forgotten() || !mEdit->Undo()) return;
    {
        FillScope muted(*this);
        FillControls();
    }
    Mark();
}

void TPathForm::ClearPath() {
    if (Forgotten()) return;
    bool yes;
    {
        BusyScope busy(*this);
        yes = AskYesNo("Are you sure you want to clear the entire path?");
    }
    if (Forgotten() || !yes) return;
    if (mEdit->Clear()) Changed();
}

void TPathForm::ShiftPath() {
    if (Forgotten()) return;
    std::int32_t dx = 0, dy = 0;
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValues2("Shift the path", "horizontal:", dx, "vertical:", dy);
    }
    if (Forgotten() || !ok) return;
    if (mEdit->Shift(dx, dy)) Changed();
}

void TPathForm::RotatePath() {
    if (Forgotten()) return;
    std::int32_t angle = 0;
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValue("Rotate the path", "angle:", angle);
    }
    if (Forgotten() || !ok) return;
    if (mEdit->Rotate(angle)) Changed();
}

void TPathForm::ScalePath() {
    if (Forgotten()) return;
    std::int32_t xs = 100, ys = 100;
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValues2("Scale the path", "horizontal:", xs, "vertical:", ys);
    }
    if (Forgotten() || !ok) return;
    if (mEdit->Scale(xs, ys)) Changed();
}

void TPathForm::ResourcesChanged(ResourceKind kind) {
    if (Forgotten()) return;
    if (kind == ResourceKind::Room || kind == ResourceKind::Object || kind == ResourceKind::Sprite ||
        kind == ResourceKind::Background)
        TakeRoomCopy();
}

void TPathForm::Closing() {
    // The path may be freed right after a close by the list.
    mView->SetPath(nullptr);
    mPointModel->Detach();
}

}  // namespace kestrin
