// Kestrin's application icon.

#include "app/kestrin_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kestrin {

void DrawKestrinIcon(QPainter& painter, const QRectF& square) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(square.topLeft());
    painter.scale(square.width() / 256.0, square.height() / 256.0);

    // Evening sky.
    QLinearGradient sky(0, 8, 0, 248);
    sky.setColorAt(0, QColor(0x2b, 0x6c, 0xa8));
    sky.setColorAt(1, QColor(0x14, 0x34, 0x58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // Sun.
    painter.setBrush(QColor(0xf6, 0xc3, 0x4a));
    painter.drawEllipse(QPointF(184, 74), 30, 30);

    // A kestrel gliding: wide swept wings, a small head and a long tail.
    QPainterPath bird;
    bird.moveTo(28, 140);
    bird.cubicTo(60, 112, 96, 98, 118, 112);
    bird.cubicTo(122, 100, 134, 100, 138, 112);
    bird.cubicTo(160, 98, 196, 112, 228, 140);
    bird.cubicTo(196, 132, 168, 134, 144, 148);
    bird.lineTo(150, 204);
    bird.lineTo(128, 214);
    bird.lineTo(106, 204);
    bird.lineTo(112, 148);
    bird.cubicTo(88, 134, 60, 132, 28, 140);
    bird.closeSubpath();
    painter.setBrush(QColor(0xe0, 0x7a, 0x32));
    painter.setPen(QPen(QColor(0x5a, 0x26, 0x0c), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(bird);

    // The dark tail band and wing tips.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5a, 0x26, 0x0c));
    QPainterPath band;
    band.moveTo(108, 192);
    band.lineTo(148, 192);
    band.lineTo(150, 204);
    band.lineTo(128, 214);
    band.lineTo(106, 204);
    band.closeSubpath();
    painter.drawPath(band);
    painter.restore();
}

QIcon KestrinIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        DrawKestrinIcon(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kestrin
