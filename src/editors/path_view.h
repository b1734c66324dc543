#pragma once
// The path editor's drawing: shows the picture of path_drawing.h over the
// room behind the path, and turns the mouse, the wheel and the keys into
// room positions for the window.

#include <QImage>
#include <QWidget>
#include <vector>

#include "editors/path_drawing.h"
#include "editors/path_index.h"

namespace kestrin {

class CPath;
class RoomRenderer;

class TPathView : public QWidget {
    Q_OBJECT
public:
    explicit TPathView(QWidget* parent = nullptr);

    void SetPath(const CPath* path) {
        mPath = path;
        mIndexStale = true;
    }
    // The path's points or its curve changed: the next paint indexes it
    // anew. Moving the marks or the view keeps the index.
    void PathChanged() { mIndexStale = true; }
    // Only control point i moved: the next paint enters again just what it
    // shapes.
    void PointMoved(int i) { mMovedPoints.push_back(i); }
    PathPictureState& State() { return mState; }
    const PathPictureState& State() const { return mState; }
    QPoint Origin() const { return mState.origin; }
    void SetOrigin(QPoint origin);
    // The room behind the path, or none; set again after the room changed.
    // Its picture is drawn at the next paint after the room, the origin or
    // the size changed, never for a change of the path.
    void SetRoom(RoomRenderer* room);
    // Changes the selected and the hovered point while the path stays as it
    // is: only the places of the marks are drawn again.
    void SetMarks(int selected, int hovered);
    // The room position under a point of the drawing.
    QPoint RoomPosition(QPoint viewPos) const { return viewPos + mState.origin; }

    QSize sizeHint() const override { return {480, 400}; }

signals:
    void Pressed(QPoint roomPos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Moved(QPoint roomPos, Qt::KeyboardModifiers modifiers);
    void Released();
    // Whole steps of the wheel: positive is up or left.
    void Wheeled(int horizontalSteps, int verticalSteps);
    void KeyPressed(int key, Qt::KeyboardModifiers modifiers);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdatePoint(int index);
    void UpdateIndex();
    void DrawRoomPicture();

    const CPath* mPath = nullptr;
    PathPictureState mState;
    RoomRenderer* mRoom = nullptr;
    QImage mRoomPicture;
    bool mRoomStale = true;
    QImage mBuffer;
    PathIndex mIndex;
    bool mIndexStale = true;
    std::vector<int> mMovedPoints;
    QPoint mWheelRest;  // eighths of a degree not yet a whole step
};

}  // namespace kestrin
