// Tool bar pictures of the game information window.

#include "app/help_form_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cstring>

namespace kestrin {

namespace {

constexpr int kSize = 16;

void Letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline) {
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, kSize, kSize - 1), Qt::AlignCenter, text);
}

// Four lines of text laid out left, centred or right.
void Lines(QPainter& p, int alignment) {
    p.setPen(QPen(Qt::black, 1));
    const int widths[] = {12, 8, 12, 8};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = alignment == 0 ? 2 : alignment == 1 ? (kSize - w) / 2 : kSize - 2 - w;
        p.drawLine(x, 3 + 3 * i, x + w - 1, 3 + 3 * i);
    }
}

void Page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(x, y, w, h);
    for (int line = y + 3; line < y + h - 1; line += 2) p.drawLine(x + 2, line, x + w - 2, line);
}

}  // namespace

QIcon HelpFormIcon(const char* name) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    auto is = [name](const char* n) { return std::strcmp(name, n) == 0; };
    if (is("open")) {
        p.setPen(QColor(128, 96, 0));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(1, 5, 13, 9);
        p.drawRect(1, 3, 5, 2);
    } else if (is("save")) {
        p.setPen(Qt::black);
        p.setBrush(QColor(40, 60, 160));
        p.drawRect(1, 1, 13, 13);
        p.setBrush(Qt::white);
        p.drawRect(4, 2, 7, 5);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(4, 10, 7, 4);
    } else if (is("print")) {
        Page(p, 4, 1, 8, 6);
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(1, 7, 13, 6);
    } else if (is("ok")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawPolyline(QPolygonF({QPointF(2, 8), QPointF(6, 12), QPointF(14, 3)}));
    } else if (is("cut")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(4, 1, 10, 10);
        p.drawLine(11, 1, 5, 10);
        p.drawEllipse(QRectF(1.5, 10, 4, 4));
        p.drawEllipse(QRectF(9.5, 10, 4, 4));
    } else if (is("copy")) {
        Page(p, 1, 1, 8, 10);
        Page(p, 6, 5, 8, 10);
    } else if (is("paste")) {
        p.setPen(Qt::black);
        p.setBrush(QColor(180, 130, 60));
        p.drawRect(1, 2, 10, 12);
        Page(p, 6, 6, 8, 9);
    } else if (is("bold")) {
        Letter(p, QStringLiteral("B"), true, false, false);
    } else if (is("italic")) {
        Letter(p, QStringLiteral("I"), false, true, false);
    } else if (is("underline")) {
        Letter(p, QStringLiteral("U"), false, false, true);
    } else if (is("color")) {
        Letter(p, QStringLiteral("A"), true, false, false);
        p.fillRect(1, 13, 14, 3, Qt::red);
    } else if (is("backcolor")) {
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 170));
        p.drawRect(1, 1, 13, 13);
        p.fillRect(3, 3, 10, 2, Qt::darkGray);
        p.fillRect(3, 7, 7, 2, Qt::darkGray);
    } else if (is("left")) {
        Lines(p, 0);
    } else if (is("center")) {
        Lines(p, 1);
    } else if (is("right")) {
        Lines(p, 2);
    } else if (is("bullets")) {
        p.setPen(Qt::black);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(Qt::black);
            p.drawEllipse(1, 2 + 5 * i, 2, 2);
            p.drawLine(6, 3 + 5 * i, 14, 3 + 5 * i);
        }
    } else {
        return QIcon();
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace kestrin
