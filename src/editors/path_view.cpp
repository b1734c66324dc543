// The path editor's drawing widget.

#include "editors/path_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <utility>

#include "editors/room_renderer.h"
#include "resources/path.h"

namespace kestrin {

TPathView::TPathView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPathView::SetOrigin(QPoint origin) {
    if (origin == mState.origin) return;
    mState.origin = origin;
    mRoomStale = true;
}

void TPathView::SetRoom(RoomRenderer* room) {
    mRoom = room;
    mRoomStale = true;
    update();
}

void TPathView::DrawRoomPicture() {
    mRoomStale = false;
    if (!mRoom || size().isEmpty()) {
        mRoomPicture = QImage();
        return;
    }
    if (mRoomPicture.size() != size()) mRoomPicture = QImage(size(), QImage::Format_RGB32);
    // The room as its editor shows it, without the room's own grid and
    // views; white beyond its end, as the drawing is white.
    RoomShowRules rules;
    rules.grid = false;
    rules.views = false;
    mRoom->Render(mRoomPicture, mRoomPicture.rect(), mState.origin.x(), mState.origin.y(), rules, Qt::white);
}

void TPathView::UpdateIndex() {
    if (mIndexStale) {
        mIndex = PathIndex(*mPath);
        mIndexStale = false;
    } else {
        for (int i : mMovedPoints) mIndex.PointMoved(*mPath, i);
    }
    mMovedPoints.clear();
}

void TPathView::paintEvent(QPaintEvent* event) {
    QRect area = event->rect();
    if (mBuffer.size() != size()) {
        mBuffer = QImage(size(), QImage::Format_RGB32);
        mRoomStale = true;
    }
    if (mBuffer.isNull()) return;
    if (mRoomStale) {
        DrawRoomPicture();
        area = rect();
    }
    if (mPath) {
        UpdateIndex();
        DrawPathPicture(mBuffer, *mPath, mRoomPicture.isNull() ? nullptr : &mRoomPicture, mState, area, &mIndex);
    } else {
        mBuffer.fill(Qt::white);
    }
    QPainter painter(this);
    painter.drawImage(area.topLeft(), mBuffer, area);
}

void TPathView::UpdatePoint(int index) {
    if (!mPath || index < 0 || index >= mPath->PointCount()) return;
    PathPoint p = mPath->GetPoint(index);
    update(PathMarkArea(QPointF(p.x - mState.origin.x(), p.y - mState.origin.y())));
}

void TPathView::SetMarks(int selected, int hovered) {
    int oldSelected = mState.selected, oldHovered = mState.hovered;
    mState.selected = selected;
    mState.hovered = hovered;
    if (oldSelected != selected) {
        UpdatePoint(oldSelected);
        UpdatePoint(selected);
    }
    if (oldHovered != hovered) {
        UpdatePoint(oldHovered);
        UpdatePoint(hovered);
    }
}

void TPathView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

void TPathView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    emit Pressed(RoomPosition(event->position().toPoint()), event->button(), event->modifiers());
}

void TPathView::mouseMoveEvent(QMouseEvent* event) {
    emit Moved(RoomPosition(event->position().toPoint()), event->modifiers());
}

void TPathView::mouseReleaseEvent(QMouseEvent*) { emit Released(); }

void TPathView::wheelEvent(QWheelEvent* event) {
    mWheelRest += event->angleDelta();
    int h = mWheelRest.x() / 120, v = mWheelRest.y() / 120;
    mWheelRest -= QPoint(h * 120, v * 120);
    // Shift turns the vertical wheel sideways, as most drawing programs do.
    if (event->modifiers().testFlag(Qt::ShiftModifier)) std::swap(h, v);
    if (h != 0 || v != 0) emit Wheeled(h, v);
    event->accept();
}

void TPathView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: emit KeyPressed(event->key(), event->modifiers()); break;
        default: QWidget::keyPressEvent(event);
    }
}

}  // namespace kestrin
