// Resource icons: small pictures drawn in code, and thumbnails.

#include "app/resource_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "image_editors/qt_draw_target.h"
#include "storage/game.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

// A rounded square of the colour filling the painter's square of `size`
// pixels, with the letter on it.
void DrawLetterBox(QPainter& p, int size, const QColor& fill, const char* letter) {
    const qreal inset = size / 8 - 0.5;
    p.setPen(fill.darker(160));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), size / 8, size / 8);
    QFont font = p.font();
    font.setPixelSize(6 + size / 4);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(letter));
}

// A folder, a page with a mark, a note and so on: enough to tell the kinds apart.
QPixmap DrawPredefined(int number) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    auto letterBox = [&](const QColor& fill, const char* letter) { DrawLetterBox(p, 16, fill, letter); };
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

// A thumbnail that is its see-through colour all over shows nothing.
bool ShowsNothing(const Bitmap24& thumbnail) {
    const ColorValue clear = thumbnail.TransparentColor();
    for (int y = 0; y < thumbnail.Height(); ++y)
        for (int x = 0; x < thumbnail.Width(); ++x)
            if (thumbnail.Pixel(x, y) != clear) return false;
    return true;
}

// A pale letter box: the kind's sign, told apart from a picture of its own.
QPixmap DrawDefault(const char* letter, const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawLetterBox(p, 16, color.lighter(125), letter);
    return pixmap;
}

}  // namespace

QIcon DefaultResourceIcon(std::int32_t type) {
    struct Sign {
        std::int32_t type;
        const char* letter;
        QColor color;
    };
    // The letters and colours of the tool bar's add buttons.
    static const Sign kSigns[] = {
        {kTypeSprites, "S", QColor(200, 60, 110)},     {kTypeSounds, "U", QColor(200, 80, 40)},
        {kTypeBackgrounds, "B", QColor(70, 130, 190)}, {kTypePaths, "P", QColor(40, 150, 150)},
        {kTypeScripts, "C", QColor(60, 90, 170)},      {kTypeDataFiles, "D", QColor(120, 90, 60)},
        {kTypeTimeLines, "T", QColor(150, 60, 60)},    {kTypeObjects, "O", QColor(60, 150, 60)},
        {kTypeRooms, "R", QColor(30, 110, 30)},
    };
    for (const Sign& sign : kSigns)
        if (sign.type == type) return QIcon(DrawDefault(sign.letter, sign.color));
    return {};
}

QIcon HelpIcon() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(20, 80, 160));
        p.setBrush(QColor(50, 120, 210));
        p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
        QFont font = p.font();
        font.setPixelSize(17);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    }
    return QIcon(pixmap);
}

QIcon LetterIcon(const char* letter, const QColor& color) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        DrawLetterBox(p, 24, color, letter);
    }
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
    if (!thumbnail || ShowsNothing(*thumbnail)) return {};
    return QIcon(QPixmap::fromImage(ToQImage(*thumbnail, true)));
}

}  // namespace kestrin
