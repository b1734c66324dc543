#pragma once
// TRoomView: the room drawn for editing. It keeps a back buffer the size of
// the visible part of the room (in room pixels) and has the RoomRenderer
// draw only the dirty rectangles into it. Zoom scales the buffer with
// nearest pixels when shown.
// The view reports the mouse in room coordinates and leaves what it means
// to its owner, so the room and the path editor can share it.

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <cstdint>

#include "editors/room_renderer.h"

class QScrollBar;

namespace kestrin {

class CRoom;

inline constexpr int kMinRoomZoom = 25;
inline constexpr int kMaxRoomZoom = 400;

class TRoomView : public QWidget {
    Q_OBJECT
public:
    TRoomView(CRoom& room, const ResourceLookup& game, QWidget* parent = nullptr);

    const RoomShowRules& Rules() const { return mRules; }
    // Repaints everything when the rules differ.
    void SetRules(const RoomShowRules& rules);
    std::int64_t ScrollX() const { return mScrollX; }
    std::int64_t ScrollY() const { return mScrollY; }
    void SetScroll(std::int64_t x, std::int64_t y);
    int Zoom() const { return mZoom; }
    // Percent, held to 25..400.
    void SetZoom(int percent);
    // The part of the room the view shows, in room pixels.
    std::int64_t VisibleWidth() const;
    std::int64_t VisibleHeight() const;

    // A room area changed; an empty area means the whole view.
    void RepaintArea(const RoomArea& area);
    void RepaintAll();
    // Renders what is dirty into the back buffer (painting does this too).
    void Render();
    const QImage& BackBuffer() const { return mBuffer; }
    RoomImageCache& Images() { return mRenderer.Images(); }

    // A picture that follows the mouse (the current object or tile), drawn
    // over the view at a room position; a null image hides it.
    void SetGhost(const QImage& image, std::int64_t x, std::int64_t y);

    // Room coordinates of a point of the widget.
    std::int64_t RoomX(int x) const;
    std::int64_t RoomY(int y) const;

signals:
    void MousePressed(Qt::MouseButton button, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void MouseMoved(Qt::MouseButtons buttons, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    void MouseReleased(Qt::MouseButton button, qint64 x, qint64 y, Qt::KeyboardModifiers modifiers);
    // The wheel or the middle button asks to scroll by room pixels.
    void ScrollRequested(qint64 dx, qint64 dy);
    void ZoomRequested(int percent);
    // The visible part of the room changed size.
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void ResizeBuffer();
    QRect WidgetRectOf(const QRect& bufferRect) const;

    RoomRenderer mRenderer;
    RoomShowRules mRules;
    std::int64_t mScrollX = 0, mScrollY = 0;
    int mZoom = 100;
    QImage mBuffer;
    QRegion mDirty;  // buffer pixels
    QImage mGhost;
    std::int64_t mGhostX = 0, mGhostY = 0;
    bool mPanning = false;
    QPoint mPanFrom;
};

}  // namespace kestrin
