#pragma once
// The sprite editor's thumbnails: one captioned picture per frame, at a size
// that stays readable for tiny and for large frames, reordered by dragging.

#include <QListWidget>

namespace kestrin {

class Bitmap24;
class TAnimation;

// Side of the square every thumbnail fits in.
inline constexpr int kThumbnailSide = 96;

// The frame fitted into side x side: small frames grow by a whole factor so
// pixels stay sharp, large ones shrink smoothly; see-through on the frame's
// transparent colour over a checkerboard when asked; outlined.
QImage FrameThumbnail(const Bitmap24& frame, bool seeThrough, int side = kThumbnailSide);

class TSpriteFrameList : public QListWidget {
    Q_OBJECT
public:
    explicit TSpriteFrameList(QWidget* parent = nullptr);

    // Rebuilds every thumbnail, reusing the items there are.
    void ShowFrames(const TAnimation& frames, int selected);

signals:
    // A frame was dragged from one place to another.
    void FrameDropped(int from, int to);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Only the list's own items are dropped on it.
    bool CarriesFrame(const QDropEvent* event) const;
};

}  // namespace kestrin
