// TRoomForm: building the window, the toolbar, the mouse on the room view,
// the pop-up menus, the status bar, remembered settings and closing.

#include "editors/room_form.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "editors/room_tile_image.h"
#include "editors/room_tile_settings_form.h"
#include "editors/room_view.h"
#include "editors/room_view_panel.h"
#include "image_editors/value_edit.h"
#include "platform/external_program.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "resources/object.h"

namespace kestrin {

namespace {

QToolButton* ToolButton(QToolBar* bar, const char* name, const QString& text, const QString& hint) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

QAction* MenuAction(QMenu& menu, const char* name, const QString& text) {
    QAction* action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The last existing index of a kind, or -1.
std::int32_t LastExisting(const Game& game, ResourceKind kind) {
    for (int i = game.ResourceCount(kind) - 1; i >= 0; --i)
        if (game.ResourceExists(kind, i)) return i;
    return -1;
}

std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high) { return std::clamp(value, low, high); }

}  // namespace

TRoomForm::TRoomForm(Game& game, int index, QWidget* parent) : ResourceForm<CRoom>(game, index, parent) {
    setObjectName(QStringLiteral("TRoomForm"));
    CRoom& room = *Resource();
    mController = std::make_unique<RoomEditController>(room, game, game);
    mController->currentObject = LastExisting(game, ResourceKind::Object);
    mController->currentTileset = LastExisting(game, ResourceKind::Background);
    runMenu = [](QMenu& menu, const QPoint& at) { return menu.exec(at); };
    askTileSettings = [this](TileSettings& settings) {
        TTileSettingsForm dialog(settings, this);
        if (dialog.exec() != QDialog::Accepted) return false;
        settings = dialog.Settings();
        return true;
    };

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolbar());

    auto* split = new QSplitter(Qt::Horizontal, body);
    mTabs = new QTabWidget(split);
    mTabs->setObjectName(QStringLiteral("TabPages"));
    mPages = {BuildObjectsTab(), BuildSettingsTab(), BuildTilesTab(), BuildBackgroundsTab(), BuildViewsTab()};
    const QString captions[] = {QStringLiteral("objects"), QStringLiteral("settings"), QStringLiteral("tiles"),
                                QStringLiteral("backgrounds"), QStringLiteral("views")};
    for (int i = 0; i < 5; ++i) {
        // The tiles and views pages exist only in advanced mode.
        if (!Prefs().Advanced && (i == 2 || i == 4)) {
            mPages[i]->setParent(this);
            mPages[i]->hide();
            continue;
        }
        mTabs->addTab(mPages[i], captions[i]);
    }
    mView = new TRoomView(room, game);
    mPanel = new TRoomViewPanel(room, mView, split);
    split->addWidget(mTabs);
    split->addWidget(mPanel);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    auto* status = new QStatusBar(body);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        mStatus[i] = new QLabel(status);
        mStatus[i]->setMinimumWidth(i < 2 ? 70 : 160);
        status->addWidget(mStatus[i]);
    }
    mCounts = new QLabel(status);
    mCounts->setObjectName(QStringLiteral("CountsLabel"));
    status->addPermanentWidget(mCounts);
    layout->addWidget(status);
    setWidget(body);
    AttachNameEdit(mNameEdit);

    mController->onMark = [this] { Mark(); };
    mController->onRepaint = [this](const RoomArea& area) {
        mView->RepaintArea(area);
        mCounts->setText(QStringLiteral("instances: %1   tiles: %2")
                             .arg(Resource()->InstanceCount())
                             .arg(Resource()->TileCount()));
    };
    connect(mView, &TRoomView::MousePressed, this, &TRoomForm::OnPress);
    connect(mView, &TRoomView::MouseMoved, this, &TRoomForm::OnMove);
    connect(mView, &TRoomView::MouseReleased, this, &TRoomForm::OnRelease);
    connect(mPanel, &TRoomViewPanel::ZoomChanged, this,
            [this](int percent) { mZoomLabel->setText(QStringLiteral("%1 %").arg(percent)); });
    connect(mTabs, &QTabWidget::currentChanged, this, [this] {
        UpdateToolbar();
        UpdateRules();
    });
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates old, Qt::WindowStates now) {
        if ((now & Qt::WindowActive) && !(old & Qt::WindowActive)) Activated();
    });
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this, [this] { ToolUndo(); });
    undo->setContext(Qt::WidgetWithChildrenShortcut);
    auto* grid = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this, [this] { mGridBtn->toggle(); });
    grid->setContext(Qt::WidgetWithChildrenShortcut);
    resize(900, 620);
    Open();
}

TRoomForm::~TRoomForm() = default;

QWidget* TRoomForm::BuildToolbar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    auto* ok = ToolButton(bar, "OKBtn", QStringLiteral("OK"), QStringLiteral("Close, saving the changes"));
    connect(ok, &QToolButton::clicked, this, [this] { CloseWithOk(); });
    bar->addSeparator();
    mUndoBtn = ToolButton(bar, "UndoBtn", QStringLiteral("Undo"), QStringLiteral("Undo the last change (Ctrl+Z)"));
    connect(mUndoBtn, &QToolButton::clicked, this, [this] { ToolUndo(); });
    mClearBtn = ToolButton(bar, "ClearBtn", QStringLiteral("Clear"), QString());
    connect(mClearBtn, &QToolButton::clicked, this, [this] { ToolClear(); });
    mShiftBtn = ToolButton(bar, "ShiftBtn", QStringLiteral("Shift"), QString());
    connect(mShiftBtn, &QToolButton::clicked, this, [this] { ToolShift(); });
    mSortXBtn = ToolButton(bar, "SortXBtn", QStringLiteral("Sort X"), QString());
    connect(mSortXBtn, &QToolButton::clicked, this, [this] { ToolSort(1); });
    mSortYBtn = ToolButton(bar, "SortYBtn", QStringLiteral("Sort Y"), QString());
    connect(mSortYBtn, &QToolButton::clicked, this, [this] { ToolSort(2); });
    mLockAllBtn = ToolButton(bar, "LockAllBtn", QStringLiteral("Lock"), QString());
    connect(mLockAllBtn, &QToolButton::clicked, this, [this] { ToolLock(true); });
    mUnlockAllBtn = ToolButton(bar, "UnlockAllBtn", QStringLiteral("Unlock"), QString());
    connect(mUnlockAllBtn, &QToolButton::clicked, this, [this] { ToolLock(false); });
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" Snap X: "), bar));
    mHSnap = new TValueEdit(bar);
    mHSnap->setObjectName(QStringLiteral("HSnapValue"));
    mHSnap->SetMinValue(1);
    mHSnap->SetMaxValue(999);
    mHSnap->setMaximumWidth(48);
    bar->addWidget(mHSnap);
    bar->addWidget(new QLabel(QStringLiteral(" Snap Y: "), bar));
    mVSnap = new TValueEdit(bar);
    mVSnap->setObjectName(QStringLiteral("VSnapValue"));
    mVSnap->SetMinValue(1);
    mVSnap->SetMaxValue(999);
    mVSnap->setMaximumWidth(48);
    bar->addWidget(mVSnap);
    auto snapEdited = [this] {
        if (Filling()) return;
        CRoom& room = *Resource();
        if (mHSnap->HasError() || mVSnap->HasError()) return;
        if (room.SnapX == mHSnap->Value() && room.SnapY == mVSnap->Value()) return;
        room.SnapX = mHSnap->Value();
        room.SnapY = mVSnap->Value();
        Mark();
        if (mGridBtn->isChecked()) mView->RepaintAll();
    };
    connect(mHSnap, &TValueEdit::ValueChanged, this, snapEdited);
    connect(mVSnap, &TValueEdit::ValueChanged, this, snapEdited);
    mGridBtn = ToolButton(bar, "GridBtn", QStringLiteral("Grid"), QStringLiteral("Toggle the grid (Ctrl+G)"));
    mGridBtn->setCheckable(true);
    mGridBtn->setChecked(true);
    connect(mGridBtn, &QToolButton::toggled, this, [this] { UpdateRules(); });
    mIsometricBtn = ToolButton(bar, "IsometricBtn", QStringLiteral("Iso"), QStringLiteral("Isometric grid"));
    mIsometricBtn->setCheckable(true);
    connect(mIsometricBtn, &QToolButton::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->Isometric = on;
        // Stored with the room, so it marks like every other change.
        Mark();
        mView->RepaintAll();
    });
    mNoSnapBtn = ToolButton(bar, "NoSnapBtn", QStringLiteral("No snap"),
                            QStringLiteral("Place and move without the grid (as with Alt)"));
    mNoSnapBtn->setCheckable(true);
    connect(mNoSnapBtn, &QToolButton::toggled, this, [this](bool on) { mController->noSnap = on; });
    mShowBtn = ToolButton(bar, "ShowBtn", QStringLiteral("Show"), QStringLiteral("What the view shows"));
    mShowMenu = new QMenu(mShowBtn);
    mShowMenu->setObjectName(QStringLiteral("ShowMenu"));
    auto showItem = [this](const char* name, const QString& text, bool on) {
        QAction* action = MenuAction(*mShowMenu, name, text);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, [this] { UpdateRules(); });
        return action;
    };
    mShowObjects = showItem("ShowObjects1", QStringLiteral("Objects"), true);
    mShowTiles = showItem("ShowTiles1", QStringLiteral("Tiles"), true);
    mShowBackgrounds = showItem("ShowBackgrounds1", QStringLiteral("Backgrounds"), true);
    mShowForegrounds = showItem("ShowForegrounds1", QStringLiteral("Foregrounds"), true);
    mShowViews = showItem("ShowViews1", QStringLiteral("Views"), false);
    mShowBtn->setMenu(mShowMenu);
    mShowBtn->setPopupMode(QToolButton::InstantPopup);
    bar->addSeparator();
    auto* zoomOut = ToolButton(bar, "ZoomOutBtn", QStringLiteral("-"), QStringLiteral("Zoom out (Ctrl+wheel)"));
    mZoomLabel = new QLabel(QStringLiteral("100 %"), bar);
    mZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    bar->addWidget(mZoomLabel);
    auto* zoomIn = ToolButton(bar, "ZoomInBtn", QStringLiteral("+"), QStringLiteral("Zoom in (Ctrl+wheel)"));
    connect(zoomOut, &QToolButton::clicked, this, [this] { mPanel->SetZoom(mView->Zoom() / 2); });
    connect(zoomIn, &QToolButton::clicked, this, [this] { mPanel->SetZoom(mView->Zoom() * 2); });
    // Simple mode hides the advanced buttons.
    const bool advanced = Prefs().Advanced;
    for (QAction* action : bar->actions()) {
        QWidget* widget = bar->widgetForAction(action);
        if (widget == mIsometricBtn || widget == mSortXBtn || widget == mSortYBtn || widget == mLockAllBtn ||
            widget == mUnlockAllBtn)
            action->setVisible(advanced);
    }
    return bar;
}

RoomTab TRoomForm::ActiveTab() const {
    QWidget* page = mTabs->currentWidget();
    for (int i = 0; i < 5; ++i)
        if (mPages[i] == page) return static_cast<RoomTab>(i);
    return RoomTab::Objects;
}

void TRoomForm::SetActiveTab(RoomTab tab) {
    const int at = mTabs->indexOf(mPages[static_cast<int>(tab)]);
    mTabs->setCurrentIndex(at >= 0 ? at : 0);
}

bool TRoomForm::OnItemTab() const { return ActiveTab() == RoomTab::Objects || ActiveTab() == RoomTab::Tiles; }

RoomItemKind TRoomForm::MouseKind() const {
    return ActiveTab() == RoomTab::Tiles ? RoomItemKind::Tile : RoomItemKind::Instance;
}

void TRoomForm::UpdateToolbar() {
    const bool onItems = OnItemTab();
    const bool tiles = ActiveTab() == RoomTab::Tiles;
    for (QToolButton* button : {mClearBtn, mShiftBtn, mSortXBtn, mSortYBtn, mLockAllBtn, mUnlockAllBtn})
        button->setEnabled(onItems);
    mClearBtn->setToolTip(tiles ? QStringLiteral("Clear all tiles in the current layer")
                                : QStringLiteral("Clear all instances from the room"));
    mShiftBtn->setToolTip(tiles ? QStringLiteral("Shift all tiles in the current layer by a given amount")
                                : QStringLiteral("Shift all instances by a given amount"));
    mSortXBtn->setToolTip(tiles ? QStringLiteral("Sort all tiles in the current layer by x-coordinate")
                                : QStringLiteral("Sort all instances by x-coordinate"));
    mSortYBtn->setToolTip(tiles ? QStringLiteral("Sort all tiles in the current layer by y-coordinate")
                                : QStringLiteral("Sort all instances by y-coordinate"));
    mLockAllBtn->setToolTip(tiles ? QStringLiteral("Lock all tiles in the current layer")
                                  : QStringLiteral("Lock all instances"));
    mUnlockAllBtn->setToolTip(tiles ? QStringLiteral("Unlock all tiles in the current layer")
                                    : QStringLiteral("Unlock all instances"));
    mUndoBtn->setEnabled(mController->HasUndo());
}

void TRoomForm::UpdateRules() {
    RoomShowRules rules;
    rules.grid = mGridBtn->isChecked();
    rules.objects = mShowObjects->isChecked();
    rules.tiles = mShowTiles->isChecked();
    rules.backgrounds = mShowBackgrounds->isChecked();
    rules.foregrounds = mShowForegrounds->isChecked();
    rules.views = mShowViews->isChecked();
    rules.tab = ActiveTab();
    rules.currentLayer = mController->layers.CurrentDepth();
    if (CRoom* room = Resource()) rules.selectedLayerForeground = room->GetLayer(mBackgroundLayer).Foreground;
    mView->SetRules(rules);
}

// The mouse on the room view.

void TRoomForm::OnPress(Qt::MouseButton button, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers) {
    if (!OnItemTab()) return;
    const RoomModifiers mods{(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0,
                             (modifiers & Qt::AltModifier) != 0};
    const RoomItemKind kind = MouseKind();
    if (button == Qt::LeftButton) {
        mLeftHeld = true;
        mView->SetGhost(QImage(), 0, 0);
        mController->LeftDown(kind, x, y, mods);
    } else if (button == Qt::RightButton) {
        mRightHeld = !mods.ctrl;
        if (mController->RightDown(kind, x, y, mods)) {
            if (kind == RoomItemKind::Instance)
                ShowObjectPopup(QCursor::pos());
            else
                ShowTilePopup(QCursor::pos());
            return;
        }
    }
    UpdateToolbar();
}

void TRoomForm::OnMove(Qt::MouseButtons buttons, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers) {
    UpdateStatus(x, y, modifiers);
    if (!OnItemTab()) return;
    const RoomModifiers mods{(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0,
                             (modifiers & Qt::AltModifier) != 0};
    if (mLeftHeld && (buttons & Qt::LeftButton))
        mController->LeftMove(MouseKind(), x, y, mods);
    else if (mRightHeld && (buttons & Qt::RightButton))
        mController->RightMove(MouseKind(), x, y, mods);
    else
        UpdateGhost(x, y, modifiers);
}

void TRoomForm::OnRelease(Qt::MouseButton button, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers) {
    if (button == Qt::RightButton) mRightHeld = false;
    if (button != Qt::LeftButton || !mLeftHeld) return;
    mLeftHeld = false;
    if (!OnItemTab()) return;
    mController->LeftUp(MouseKind(), x, y, {false, false, (modifiers & Qt::AltModifier) != 0});
    UpdateToolbar();
}

void TRoomForm::UpdateStatus(qint64 x, qint64 y, Qt::KeyboardModifiers modifiers) {
    const RoomStatus status =
        mController->Status(MouseKind(), x, y, (modifiers & Qt::AltModifier) != 0,
                            [this](ResourceKind kind, int index) { return GameData().ResourceName(kind, index); });
    mStatus[0]->setText(ToQt(status.x));
    mStatus[1]->setText(ToQt(status.y));
    mStatus[2]->setText(ToQt(status.resource));
    mStatus[3]->setText(ToQt(status.id));
}

void TRoomForm::UpdateGhost(qint64 x, qint64 y, Qt::KeyboardModifiers modifiers) {
    const bool alt = (modifiers & Qt::AltModifier) || mController->noSnap;
    const RoomPoint at = alt ? RoomPoint{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)} : mController->Snap(x, y);
    if (ActiveTab() == RoomTab::Objects) {
        const CObject* object = GameData().ObjectAt(mController->currentObject);
        const CSprite* sprite = object ? GameData().SpriteAt(object->Sprite) : nullptr;
        if (!sprite) {
            mView->SetGhost(QImage(), 0, 0);
            return;
        }
        mView->SetGhost(mView->Images().Sprite(object->Sprite), std::int64_t{at.x} - sprite->XOrigin,
                        std::int64_t{at.y} - sprite->YOrigin);
    } else {
        const QImage& tileset = mView->Images().Background(mController->currentTileset);
        const TileSelection& s = mController->tileSelection;
        mView->SetGhost(tileset.isNull() ? QImage() : tileset.copy(s.x, s.y, s.width, s.height), at.x, at.y);
    }
}

// Pop-up menus.

void TRoomForm::ShowObjectPopup(const QPoint& global) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ObjectPopup"));
    QAction* del = MenuAction(menu, "ObjectDelete1", QStringLiteral("Delete"));
    QAction* delAll = MenuAction(menu, "ObjectDeleteAll1", QStringLiteral("Delete All"));
    QAction* position = MenuAction(menu, "ChangePosition1", QStringLiteral("Change Position..."));
    QAction* snap = MenuAction(menu, "SnaptoGrid1", QStringLiteral("Snap to Grid"));
    menu.addSeparator();
    QAction* back = MenuAction(menu, "ObjectSendtoBack1", QStringLiteral("Send to Back"));
    QAction* front = MenuAction(menu, "ObjectBringtoFront1", QStringLiteral("Bring to Front"));
    menu.addSeparator();
    QAction* lock = MenuAction(menu, "ObjectLock1", QStringLiteral("Lock"));
    lock->setCheckable(true);
    lock->setChecked(mController->MenuItemLocked(RoomItemKind::Instance));
    QAction* code = MenuAction(menu, "ObjectCreationCode1", QStringLiteral("Creation Code..."));
    lock->setVisible(Prefs().Advanced);
    code->setVisible(Prefs().Advanced);
    QAction* chosen;
    {
        BusyScope busy(*this);
        chosen = runMenu(menu, global);
    }
    if (Forgotten() || !chosen) return;
    mController->SaveUndo();
    const RoomItemKind kind = RoomItemKind::Instance;
    if (chosen == del) mController->DeleteOne(kind);
    if (chosen == delAll) mController->DeleteAllAtMenuPoint(kind);
    if (chosen == position) {
        mController->ChangePosition(kind, [this](std::int32_t& x, std::int32_t& y) {
            BusyScope busy(*this);
            return AskValues2("Change the position of the instance", "X:", x, "Y:", y) && !Forgotten();
        });
    }
    if (chosen == snap) mController->SnapToGrid(kind);
    if (chosen == back) mController->SendToBack();
    if (chosen == front) mController->BringToFront();
    if (chosen == lock) mController->ToggleLock(kind);
    if (chosen == code) {
        const int index = mController->MenuItem(kind);
        const std::string objectName =
            GameData().ResourceName(ResourceKind::Object, Resource()->GetInstance(index).Object);
        mController->EditInstanceCode(
            [this](const std::string& text, const std::string& caption) -> std::optional<std::string> {
                BusyScope busy(*this);
                std::optional<std::string> result;
                if (ExternalCodeEditorChosen()) {
                    result = EditTextExternally(text, Prefs().CodeEditor);
                } else if (auto edited = EditCode({text, caption, true, false, -1})) {
                    result = edited->text;
                }
                if (Forgotten()) return std::nullopt;
                return result;
            },
            objectName);
    }
    UpdateToolbar();
}

void TRoomForm::ShowTilePopup(const QPoint& global) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("TilePopup"));
    QAction* del = MenuAction(menu, "TileDelete1", QStringLiteral("Delete"));
    QAction* delAll = MenuAction(menu, "TileDeleteAll1", QStringLiteral("Delete All"));
    QAction* position = MenuAction(menu, "TileChangePosition2", QStringLiteral("Change Position..."));
    QAction* snap = MenuAction(menu, "TileSnapToGrid1", QStringLiteral("Snap to Grid"));
    menu.addSeparator();
    QAction* lock = MenuAction(menu, "TileLocked1", QStringLiteral("Lock"));
    lock->setCheckable(true);
    lock->setChecked(mController->MenuItemLocked(RoomItemKind::Tile));
    lock->setVisible(Prefs().Advanced);
    QAction* chosen;
    {
        BusyScope busy(*this);
        chosen = runMenu(menu, global);
    }
    if (Forgotten() || !chosen) return;
    mController->SaveUndo();
    const RoomItemKind kind = RoomItemKind::Tile;
    if (chosen == del) mController->DeleteOne(kind);
    if (chosen == delAll) mController->DeleteAllAtMenuPoint(kind);
    if (chosen == position) {
        mController->ChangePosition(kind, [this](std::int32_t& x, std::int32_t& y) {
            BusyScope busy(*this);
            return AskValues2("Change the position of the tile", "X:", x, "Y:", y) && !Forgotten();
        });
    }
    if (chosen == snap) mController->SnapToGrid(kind);
    if (chosen == lock) mController->ToggleLock(kind);
    UpdateToolbar();
}

// Toolbar commands.

void TRoomForm::ToolClear() {
    if (!OnItemTab()) return;
    const bool tiles = MouseKind() == RoomItemKind::Tile;
    bool yes;
    {
        BusyScope busy(*this);
        yes = AskYesNo(tiles ? "Are you sure you want to delete all tiles in the current layer?"
                             : "Are you sure you want to delete all object instances?");
    }
    if (Forgotten() || !yes) return;
    mController->ClearAll(MouseKind());
    UpdateToolbar();
}

void TRoomForm::ToolShift() {
    if (!OnItemTab()) return;
    std::int32_t dx = Resource()->SnapX, dy = Resource()->SnapY;
    bool confirmed;
    {
        BusyScope busy(*this);
        confirmed = AskValues2(MouseKind() == RoomItemKind::Tile ? "Shifting all tiles in the layer" : "Shifting all instances",
                               "Horizontal:", dx, "Vertical:", dy);
    }
    if (Forgotten() || !confirmed) return;
    mController->ShiftAll(MouseKind(), dx, dy);
    UpdateToolbar();
}

void TRoomForm::ToolSort(int mode) {
    if (!OnItemTab()) return;
    mController->SortAll(MouseKind(), mode);
    UpdateToolbar();
}

void TRoomForm::ToolLock(bool locked) {
    if (!OnItemTab()) return;
    mController->LockAll(MouseKind(), locked);
    UpdateToolbar();
}

void TRoomForm::ToolUndo() {
    mController->Undo();
    FillLayerList();
    UpdateRules();
    UpdateToolbar();
}

// Opening, becoming active, news, closing.

void TRoomForm::FillControls() {
    CRoom& room = *Resource();
    mHSnap->SetValue(room.SnapX);
    mVSnap->SetValue(room.SnapY);
    mIsometricBtn->setChecked(room.Isometric);
    mCaption->setText(ToQt(room.Caption));
    mWidth->SetValue(room.Width);
    mHeight->SetValue(room.Height);
    mSpeed->SetValue(room.Speed);
    mPersistent->setChecked(room.Persistent);
    ShowCurrentObject();
    ShowCurrentTileset();
    mController->layers.Derive(room);
    FillLayerList();
    mDrawColor->setChecked(room.DrawColor);
    ShowColor();
    FillBackground();
    mEnableViews->setChecked(room.ViewsEnabled);
    FillViews();
    ApplyRememberedSettings();
    UpdateToolbar();
    UpdateRules();
    mCounts->setText(QStringLiteral("instances: %1   tiles: %2").arg(room.InstanceCount()).arg(room.TileCount()));
}

void TRoomForm::ApplyRememberedSettings() {
    const RoomEditorSettings& s = Resource()->EditorSettings;
    if (!Prefs().RememberRoomSettings || !s.Remembered) return;
    resize(Clamp(s.WindowWidth, 300, 10000), Clamp(s.WindowHeight, 200, 10000));
    mGridBtn->setChecked(s.ShowGrid);
    mShowObjects->setChecked(s.ShowObjects);
    mShowTiles->setChecked(s.ShowTiles);
    mShowBackgrounds->setChecked(s.ShowBackgrounds);
    mShowForegrounds->setChecked(s.ShowForegrounds);
    mShowViews->setChecked(s.ShowViews);
    mUnderlyingObj->setChecked(s.DeleteUnderlyingObjects);
    mUnderlyingTile->setChecked(s.DeleteUnderlyingTiles);
    mController->deleteUnderlyingObjects = s.DeleteUnderlyingObjects;
    mController->deleteUnderlyingTiles = s.DeleteUnderlyingTiles;
    // Held to the tile settings dialog's ranges: a file may hold anything.
    TileSettings& tiles = mController->tileSettings;
    tiles = {Clamp(s.TileWidth, 1, 32000),   Clamp(s.TileHeight, 1, 32000), Clamp(s.TileXOffset, 0, 32000),
             Clamp(s.TileYOffset, 0, 32000), Clamp(s.TileHSep, 0, 32000),   Clamp(s.TileVSep, 0, 32000)};
    mController->tileSelection.width = tiles.width;
    mController->tileSelection.height = tiles.height;
    mTileImage->settings = tiles;
    mTileImage->SetSelection(mController->tileSelection);
    SetActiveTab(static_cast<RoomTab>(Clamp(s.ActiveTab, 0, 4)));
    // The scroll bars know their ranges once the view has its size.
    const std::int32_t h = s.HScroll, v = s.VScroll;
    QTimer::singleShot(0, this, [this, h, v] {
        if (!Forgotten()) mPanel->ScrollTo(h, v);
    });
}

void TRoomForm::WriteRememberedSettings() {
    RoomEditorSettings& s = Resource()->EditorSettings;
    s.Remembered = true;
    s.WindowWidth = width();
    s.WindowHeight = height();
    s.ShowGrid = mGridBtn->isChecked();
    s.ShowObjects = mShowObjects->isChecked();
    s.ShowTiles = mShowTiles->isChecked();
    s.ShowBackgrounds = mShowBackgrounds->isChecked();
    s.ShowForegrounds = mShowForegrounds->isChecked();
    s.ShowViews = mShowViews->isChecked();
    s.DeleteUnderlyingObjects = mController->deleteUnderlyingObjects;
    s.DeleteUnderlyingTiles = mController->deleteUnderlyingTiles;
    const TileSettings& tiles = mController->tileSettings;
    s.TileWidth = tiles.width;
    s.TileHeight = tiles.height;
    s.TileXOffset = tiles.xOffset;
    s.TileYOffset = tiles.yOffset;
    s.TileHSep = tiles.hSep;
    s.TileVSep = tiles.vSep;
    s.ActiveTab = static_cast<std::int32_t>(ActiveTab());
    s.HScroll = static_cast<std::int32_t>(mView->ScrollX());
    s.VScroll = static_cast<std::int32_t>(mView->ScrollY());
}

void TRoomForm::Activated() {
    if (Forgotten()) return;
    // Pictures may have been edited meanwhile.
    mView->Images().Clear();
    ShowCurrentObject();
    ShowCurrentTileset();
    mPanel->UpdateRanges();
    mView->RepaintAll();
}

void TRoomForm::ResourcesChanged(ResourceKind kind) {
    if (kind == ResourceKind::Sprite || kind == ResourceKind::Background || kind == ResourceKind::Object) {
        mView->Images().Clear();
        ShowCurrentObject();
        ShowCurrentTileset();
        FillBackground();
        FillView();
        mView->RepaintAll();
    }
}

void TRoomForm::RestoreBackup() {
    mRestored = true;
    ResourceForm<CRoom>::RestoreBackup();
}

void TRoomForm::Closing() {
    if (Forgotten()) return;
    CRoom& room = *Resource();
    if (!mRestored && Edited() && Prefs().RemoveOutside &&
        (room.HasInstancesOutside(GameData()) || room.HasTilesOutside())) {
        bool remove;
        {
            BusyScope busy(*this);
            remove = AskYesNo(kRoomOutsideQuestion);
        }
        if (Forgotten()) return;
        if (remove) {
            room.RemoveInstancesOutside(GameData());
            room.RemoveTilesOutside();
            Mark();
        }
    }
    if (Prefs().RememberRoomSettings) WriteRememberedSettings();
}

}  // namespace kestrin
