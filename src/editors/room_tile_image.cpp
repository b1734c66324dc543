// The tileset picture and its selection.

#include "editors/room_tile_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrin {

TTileImage::TTileImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TileImage"));
    setMinimumSize(16, 16);
}

void TTileImage::SetPicture(const QImage& picture) {
    mPicture = picture;
    setFixedSize(std::max(16, picture.width() + 4), std::max(16, picture.height() + 4));
    update();
}

void TTileImage::SetSelection(const TileSelection& selection) {
    mSelection = selection;
    update();
}

void TTileImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (mPicture.isNull()) return;
    painter.drawImage(QPoint(0, 0), mPicture);
    // Three pixels wide, one pixel outside the selection, XOR so it shows on
    // any picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 3; ++ring)
        painter.drawRect(QRect(mSelection.x - ring, mSelection.y - ring, mSelection.width + 2 * ring - 1,
                               mSelection.height + 2 * ring - 1));
}

void TTileImage::Pick(QMouseEvent* event, bool press) {
    const QPoint at = event->position().toPoint();
    TileSelection selection;
    if (event->modifiers() & Qt::AltModifier)
        selection = press ? FreeSelectionCorner(mSelection, at.x(), at.y()) : FreeSelectionSize(mSelection, at.x(), at.y());
    else
        selection = TileCellAt(at.x(), at.y(), settings);
    if (selection == mSelection) return;
    SetSelection(selection);
    emit SelectionChanged(selection);
}

void TTileImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Pick(event, true);
}

void TTileImage::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) Pick(event, false);
}

}  // namespace kestrin
