#pragma once
// ImagePanel: the room view with its two scroll bars. The bars run from 0
// to the room's size minus the visible part, so scrolling stops at the
// room's end; wheel, Shift+wheel and middle-button panning move them.

#include <QWidget>

class QScrollBar;

namespace kestrin {

class CRoom;
class TRoomView;

class TRoomViewPanel : public QWidget {
    Q_OBJECT
public:
    TRoomViewPanel(CRoom& room, TRoomView* view, QWidget* parent = nullptr);

    TRoomView* View() const { return mView; }
    QScrollBar* HScrollBar() const { return mHBar; }
    QScrollBar* VScrollBar() const { return mVBar; }
    // The room's size, the zoom or the panel changed: new ranges.
    void UpdateRanges();
    void ScrollTo(qint64 x, qint64 y);
    void SetZoom(int percent);

signals:
    void Scrolled();
    void ZoomChanged(int percent);

private:
    CRoom& mRoom;
    TRoomView* mView;
    QScrollBar* mHBar;
    QScrollBar* mVBar;
};

}  // namespace kestrin
