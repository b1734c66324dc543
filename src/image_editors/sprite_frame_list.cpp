// Thumbnails of the frames, and dragging them into a new order.

#include "image_editors/sprite_frame_list.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QSignalBlocker>
#include <algorithm>

#include "image_editors/qt_draw_target.h"
#include "resources/animation.h"

namespace kestrin {

QImage FrameThumbnail(const Bitmap24& frame, bool seeThrough, int side) {
    QImage image = ToQImage(frame, seeThrough);
    int longest = std::max(frame.Width(), frame.Height());
    if (longest <= side) {
        int factor = std::max(side / longest, 1);
        if (factor > 1)
            image = image.scaled(frame.Width() * factor, frame.Height() * factor, Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation);
    } else {
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    // A checkerboard behind see-through pixels and a thin outline, so the
    // frame's extent shows on the list's background.
    QImage framed(image.width() + 2, image.height() + 2, QImage::Format_RGB32);
    framed.fill(QColor(160, 160, 160));
    QPainter painter(&framed);
    if (seeThrough) {
        constexpr int kSquare = 6;
        painter.fillRect(1, 1, image.width(), image.height(), Qt::white);
        for (int y = 0; y < image.height(); y += kSquare)
            for (int x = (y / kSquare) % 2 ? 0 : kSquare; x < image.width(); x += 2 * kSquare)
                painter.fillRect(1 + x, 1 + y, std::min(kSquare, image.width() - x),
                                 std::min(kSquare, image.height() - y), QColor(204, 204, 204));
    }
    painter.drawImage(1, 1, image);
    return framed;
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
