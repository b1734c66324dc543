#pragma once
// TPathForm: the path editor window. The drawing adds, picks, drags and
// deletes control points on the snap grid, the point list and its fields edit
// them by number, and the toolbar shifts, mirrors, flips, rotates, scales and
// reverses the whole path, with one level of undo. A room can be shown behind
// the path.

#include <QImage>
#include <memory>

#include "editors/path_edit_controller.h"
#include "editors/resource_form.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace kestrin {

class CRoom;
class PathPointModel;
class RoomRenderer;
class TPathView;
class TValueEdit;

class TPathForm : public ResourceForm<CPath> {
    Q_OBJECT
public:
    TPathForm(Game& game, int index, QWidget* parent = nullptr);
    ~TPathForm() override;

    const PathEditController& Controller() const { return *mEdit; }
    TPathView* View() const { return mView; }
    PathPointModel* PointModel() const { return mPointModel; }
    void ResourcesChanged(ResourceKind kind) override;

protected:
    void FillControls() override;
    void Closing() override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildSidePanel();
    void Connect();

    // After an edit that changed the path: list, fields, drawing and mark.
    void Changed();
    void RefillList();
    void SelectLine(int index);
    void ShowValues();
    void Redraw();
    // A fresh copy of the room behind the path, drawn anew.
    void TakeRoomCopy();
    void ShowArea();
    void SetOrigin(QPoint origin);
    void CentreOnPath();

    void MousePressed(QPoint roomPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MouseMoved(QPoint roomPos, Qt::KeyboardModifiers modifiers);
    void MouseReleased();
    void KeyPressed(int key, Qt::KeyboardModifiers modifiers);
    void FieldEdited();
    void ChooseRoom();
    void Undo();
    void ClearPath();
    void ShiftPath();
    void RotatePath();
    void ScalePath();

    std::unique_ptr<PathEditController> mEdit;
    bool mCentred = false;
    // Drawing a room sorts its instances and tiles: the room behind the path
    // is drawn from a copy, so that showing it never changes the room.
    std::unique_ptr<CRoom> mRoomCopy;
    std::unique_ptr<RoomRenderer> mRoomRenderer;

    QLineEdit* mNameEdit = nullptr;
    QButtonGroup* mKindGroup = nullptr;
    QCheckBox* mClosedCheck = nullptr;
    TValueEdit* mPrecisionValue = nullptr;
    QListView* mPointList = nullptr;
    PathPointModel* mPointModel = nullptr;
    TValueEdit* mXValue = nullptr;
    TValueEdit* mYValue = nullptr;
    TValueEdit* mSpeedValue = nullptr;
    TValueEdit* mHSnapValue = nullptr;
    TValueEdit* mVSnapValue = nullptr;
    QToolButton* mGridBtn = nullptr;
    QToolButton* mRoomBtn = nullptr;
    TPathView* mView = nullptr;
    QStatusBar* mStatusBar = nullptr;
    QLabel* mPanels[4] = {};
};

}  // namespace kestrin
