// Text rendered unsmoothed to a mask, then set pixel by pixel.

#include "image_editors/image_text.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace kestrin {

namespace {

QFont Unsmoothed(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

int TextLineWidth(const QString& text, const QFont& font) {
    return QFontMetrics(Unsmoothed(font)).horizontalAdvance(text);
}

int TextLineHeight(const QFont& font) { return QFontMetrics(Unsmoothed(font)).height(); }

PixelArea DrawTextLine(Bitmap24& image, int x, int y, const QString& text, const QFont& font, TextAlign align,
                       ColorValue color) {
    QFont plain = Unsmoothed(font);
    QFontMetrics metrics(plain);
    int width = metrics.horizontalAdvance(text), height = metrics.height();
    if (width <= 0 || height <= 0) return {};
    int left = align == TextAlign::Left ? x : align == TextAlign::Center ? x - width / 2 : x - width;
    // Italic letters lean past their advance; leave them room.
    int margin = height / 2;
    QImage mask(width + 2 * margin, height, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(plain);
        painter.setPen(Qt::black);
        painter.drawText(margin, metrics.ascent(), text);
    }
    for (int row = 0; row < mask.height(); ++row) {
        int py = y + row;
        if (py < 0 || py >= image.Height()) continue;
        for (int col = 0; col < mask.width(); ++col) {
            int px = left - margin + col;
            if (px >= 0 && px < image.Width() && qAlpha(mask.pixel(col, row)) > 127) image.SetPixel(px, py, color);
        }
    }
    return {left - margin, y, left - margin + mask.width(), y + height};
}

}  // namespace kestrin
