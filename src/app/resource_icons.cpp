// Resource icons: small pictures drawn in code, and thumbnails.

#include "app/resource_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "storage/game.h"

namespace kestrin {

QImage MaskedImage(const Bitmap24& image) {
    QImage result(image.Width(), image.Height(), QImage::Format_ARGB32);
    if (image.Width() <= 0 || image.Height() <= 0) return result;
    ColorValue clear = image.TransparentColor();
    for (int y = 0; y < image.Height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        const std::uint8_t* in = image.Row(y);
        for (int x = 0; x < image.Width(); ++x, in += 3) {
            ColorValue c = PixelColor(in);
            out[x] = c == clear ? qRgba(0, 0, 0, 0) : qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        }
    }
    return result;
}

namespace {

// A folder, a page with a mark, a note and so on: enough to tell the kinds apart.
QPixmap DrawPredefined(int number) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    auto letterBox = [&](QColor fill, const char* letter) {
        p.setPen(fill.darker(160));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
        QFont font = p.font();
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(letter));
    };
    switch (number) {
        case 1:
        case 2: {
            p.setPen(QColor(150, 110, 20));
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(QRectF(1.5, 4.5, 13, 9));
            p.drawRect(QRectF(1.5, 2.5, 5, 2));
            if (number == 2) {
                p.setBrush(QColor(255, 225, 120));
                QPolygonF open({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
                p.drawPolygon(open);
            }
            break;
        }
        case 4: letterBox(QColor(120, 120, 120), "?"); break;
        case 8: letterBox(QColor(60, 140, 60), "R"); break;
        case 9: letterBox(QColor(120, 90, 60), "D"); break;
        case 11: letterBox(QColor(60, 90, 170), "S"); break;
        case 12: letterBox(QColor(40, 120, 200), "i"); break;
        case 13: letterBox(QColor(90, 90, 90), "G"); break;
        case 14: letterBox(QColor(200, 80, 40), "W"); break;
        case 15: letterBox(QColor(170, 60, 160), "M"); break;
        case 16: letterBox(QColor(200, 140, 20), "3"); break;
        case 17: letterBox(QColor(40, 150, 150), "P"); break;
        case 18: letterBox(QColor(150, 60, 60), "T"); break;
        default: break;
    }
    return pixmap;
}

}  // namespace

QIcon LetterIcon(const char* letter, const QColor& color) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(color.darker(160));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 3, 3);
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, QString::fromLatin1(letter));
    return QIcon(pixmap);
}

QIcon ResourceIconImage(const Game& game, int iconNumber) {
    if (iconNumber <= 0) return {};
    if (iconNumber < ResourceIconList::kFirstThumbnailIcon) {
        static std::array<QIcon, ResourceIconList::kFirstThumbnailIcon> predefined;
        QIcon& icon = predefined[static_cast<std::size_t>(iconNumber)];
        if (icon.isNull()) icon = QIcon(DrawPredefined(iconNumber));
        return icon;
    }
    const Bitmap24* thumbnail = game.Icons.Thumbnail(iconNumber);
    if (!thumbnail) return {};
    return QIcon(QPixmap::fromImage(MaskedImage(*thumbnail)));
}

}  // namespace kestrin
