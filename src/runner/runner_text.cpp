// The game's fonts and text measures in Qt.

#include "runner/runner_text.h"

#include <QFontMetrics>

#include <algorithm>

namespace kestrin::runner {

QFont GameFont(const engine::TextFont& font) {
    QFont qfont(QString::fromLatin1(font.name.data(), static_cast<qsizetype>(font.name.size())));
    qfont.setPointSizeF(std::clamp(font.size, 1.0, 500.0));
    qfont.setBold(font.style & 1);
    qfont.setItalic(font.style & 2);
    qfont.setUnderline(font.style & 4);
    qfont.setStrikeOut(font.style & 8);
    return qfont;
}

int QtTextMetrics::Width(const std::string& line, const engine::TextFont& font) const {
    return QFontMetrics(GameFont(font))
        .horizontalAdvance(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

int QtTextMetrics::LineHeight(const engine::TextFont& font) const { return QFontMetrics(GameFont(font)).height(); }

}  // namespace kestrin::runner
