// Thumbnails of the frames, and dragging them into a new order.

#include "image_editors/sprite_frame_list.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <algorithm>

#include "image_editors/qt_draw_target.h"
#include "resources/animation.h"

namespace kestrin {

QImage FrameThumbnail(const Bitmap24& frame, bool seeThrough, int side) {
    QImage image = ToQImage(frame, seeThrough);
    int longest = std::max(frame.Width(), frame.Height());
    if (longest <= side) {
        int factor = side / longest;
        if (factor <= 1) return image;
        return image.scaled(frame.Width() * factor, frame.Height() * factor, Qt::IgnoreAspectRatio,
                            Qt::FastTransformation);
    }
    return image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

TSpriteFrameList::TSpriteFrameList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("ImageList"));
    setViewMode(QListView::IconMode);
    setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    setGridSize(QSize(kThumbnailSide + 16, kThumbnailSide + 24));
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Snap);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
}

void TSpriteFrameList::ShowFrames(const TAnimation& frames, int selected) {
    QSignalBlocker quiet(this);
    int count = frames.FrameCount();
    while (this->count() > count) delete takeItem(this->count() - 1);
    for (int i = 0; i < count; ++i) {
        QListWidgetItem* entry = i < this->count() ? item(i) : new QListWidgetItem(this);
        entry->setText(QStringLiteral("image %1").arg(i));
        entry->setIcon(QIcon(QPixmap::fromImage(FrameThumbnail(*frames.GetImage(i), frames.Transparent()))));
    }
    setCurrentRow(selected);
}

bool TSpriteFrameList::CarriesFrame(const QDropEvent* event) const {
    return event->mimeData()->hasFormat(model()->mimeTypes().value(0));
}

void TSpriteFrameList::dragEnterEvent(QDragEnterEvent* event) {
    if (CarriesFrame(event)) event->acceptProposedAction();
}

void TSpriteFrameList::dragMoveEvent(QDragMoveEvent* event) {
    if (CarriesFrame(event)) event->acceptProposedAction();
}

void TSpriteFrameList::dropEvent(QDropEvent* event) {
    // The frame set owns the order: the list only reports the move and is
    // rebuilt from the set afterwards.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    int from = currentRow();
    QListWidgetItem* target = itemAt(event->position().toPoint());
    int to = target ? row(target) : count() - 1;
    if (from >= 0 && to >= 0 && from != to) emit FrameDropped(from, to);
}

}  // namespace kestrin
