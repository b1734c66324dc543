#pragma once
// TRoomForm: the room editor window. A toolbar, the side panel's tabs
// (objects, settings, tiles, backgrounds, views), the room view and a status
// bar. The mouse scheme, undo and layers live in RoomEditController; this
// window turns events into its calls, its hooks into repaints and marks, and
// keeps the controls in step with the room.

#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "editors/resource_form.h"
#include "editors/room_edit_controller.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;

namespace kestrin {

class TRoomView;
class TRoomViewPanel;
class TTileImage;
class TValueEdit;

inline constexpr const char* kRoomOutsideQuestion =
    "There are instances or tiles outside the room. Should I remove them? (You can switch this test off in the "
    "Preferences.)";

class TRoomForm : public ResourceForm<CRoom> {
    Q_OBJECT
public:
    TRoomForm(Game& game, int index, QWidget* parent = nullptr);
    ~TRoomForm() override;

    RoomEditController& Controller() { return *mController; }
    TRoomView* View() const { return mView; }
    TRoomViewPanel* Panel() const { return mPanel; }
    RoomTab ActiveTab() const;
    void SetActiveTab(RoomTab tab);
    // Runs a pop-up menu at a global point and returns the chosen action; tests
    // replace it to choose without a real menu.
    std::function<QAction*(QMenu&, const QPoint&)> runMenu;
    // Shows the tile settings dialog; tests may replace it.
    std::function<bool(TileSettings&)> askTileSettings;

    void ResourcesChanged(ResourceKind kind) override;

protected:
    void FillControls() override;
    void Closing() override;
    void RestoreBackup() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildObjectsTab();
    QWidget* BuildSettingsTab();
    QWidget* BuildTilesTab();
    QWidget* BuildBackgroundsTab();
    QWidget* BuildViewsTab();

    void ApplyRememberedSettings();
    void WriteRememberedSettings();
    void UpdateToolbar();
    void UpdateRules();
    void UpdateStatus(qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void UpdateGhost(qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void Activated();

    void OnPress(Qt::MouseButton button, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void OnMove(Qt::MouseButtons buttons, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void OnRelease(Qt::MouseButton button, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void ShowObjectPopup(const QPoint& global);
    void ShowTilePopup(const QPoint& global);
    RoomItemKind MouseKind() const;
    bool OnItemTab() const;

    void ToolClear();
    void ToolShift();
    void ToolSort(int mode);
    void ToolLock(bool locked);
    void ToolUndo();

    void ChooseObject();
    void ShowCurrentObject();
    void ChooseTileset();
    void ShowCurrentTileset();
    void FillLayerList();
    void AddLayer();
    void DeleteLayer();
    void ChangeLayer();
    void EditTileSettings();
    void EditCreationCode();

    void FillBackground();
    void WriteBackground();
    void ChooseLayerBackground();
    void FillViews();
    void FillView();
    void WriteView(bool repaint);
    void ChooseViewObject();
    void ChooseColor();
    void ShowColor();
    // The view follows the room's size.
    void SizeChanged();

    std::unique_ptr<RoomEditController> mController;
    TRoomView* mView = nullptr;
    TRoomViewPanel* mPanel = nullptr;
    QTabWidget* mTabs = nullptr;
    std::array<QWidget*, 5> mPages{};
    std::array<QLabel*, 4> mStatus{};

    // Toolbar.
    QToolButton* mClearBtn = nullptr;
    QToolButton* mShiftBtn = nullptr;
    QToolButton* mSortXBtn = nullptr;
    QToolButton* mSortYBtn = nullptr;
    QToolButton* mLockAllBtn = nullptr;
    QToolButton* mUnlockAllBtn = nullptr;
    QToolButton* mUndoBtn = nullptr;
    QToolButton* mGridBtn = nullptr;
    QToolButton* mIsometricBtn = nullptr;
    QToolButton* mNoSnapBtn = nullptr;
    QToolButton* mShowBtn = nullptr;
    QMenu* mShowMenu = nullptr;
    QAction* mShowObjects = nullptr;
    QAction* mShowTiles = nullptr;
    QAction* mShowBackgrounds = nullptr;
    QAction* mShowForegrounds = nullptr;
    QAction* mShowViews = nullptr;
    TValueEdit* mHSnap = nullptr;
    TValueEdit* mVSnap = nullptr;
    QLabel* mZoomLabel = nullptr;
    QLabel* mCounts = nullptr;

    // Objects tab.
    QLabel* mObjectImage = nullptr;
    QPushButton* mObjectName = nullptr;
    QCheckBox* mUnderlyingObj = nullptr;
    // Settings tab.
    QLineEdit* mNameEdit = nullptr;
    QLineEdit* mCaption = nullptr;
    TValueEdit* mWidth = nullptr;
    TValueEdit* mHeight = nullptr;
    TValueEdit* mSpeed = nullptr;
    QCheckBox* mPersistent = nullptr;
    QPushButton* mCodeBtn = nullptr;
    // Tiles tab.
    QPushButton* mTilesetName = nullptr;
    TTileImage* mTileImage = nullptr;
    QCheckBox* mUnderlyingTile = nullptr;
    QListWidget* mLayerList = nullptr;
    // Backgrounds tab.
    QCheckBox* mDrawColor = nullptr;
    QPushButton* mColorBtn = nullptr;
    QListWidget* mBackgroundList = nullptr;
    QCheckBox* mLayerVisible = nullptr;
    QCheckBox* mLayerForeground = nullptr;
    QPushButton* mLayerBackground = nullptr;
    QCheckBox* mTileH = nullptr;
    QCheckBox* mTileV = nullptr;
    QCheckBox* mStretch = nullptr;
    TValueEdit* mLayerX = nullptr;
    TValueEdit* mLayerY = nullptr;
    TValueEdit* mLayerHSpeed = nullptr;
    TValueEdit* mLayerVSpeed = nullptr;
    // Views tab.
    QCheckBox* mEnableViews = nullptr;
    QListWidget* mViewList = nullptr;
    QCheckBox* mViewDefined = nullptr;
    std::array<TValueEdit*, 10> mViewFields{};
    QPushButton* mViewObject = nullptr;

    int mBackgroundLayer = 0;
    int mViewIndex = 0;
    bool mRestored = false;
    bool mRightHeld = false;
    bool mLeftHeld = false;
};

}  // namespace kestrin
