// A light frame with a red diagonal: plainly not a picture of the game's.

#include "editors/no_sprite_picture.h"

#include <QPainter>

namespace kestrin {

const QImage& NoSpritePicture() {
    // An image, not a pixmap: it may outlive the application object.
    static const QImage picture = [] {
        QImage p(16, 16, QImage::Format_ARGB32_Premultiplied);
        p.fill(Qt::transparent);
        QPainter painter(&p);
        painter.setPen(QColor(128, 128, 128));
        painter.setBrush(QColor(240, 240, 240));
        painter.drawRect(1, 1, 13, 13);
        painter.setPen(QPen(QColor(200, 0, 0), 2));
        painter.drawLine(4, 11, 11, 4);
        return p;
    }();
    return picture;
}

}  // namespace kestrin
