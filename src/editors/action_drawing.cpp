// Action icons and list lines on a painter.

#include "editors/action_drawing.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "actions/action_description.h"
#include "actions/action_registry.h"
#include "app/text_convert.h"
#include "resources/action.h"

namespace kestrin {

QPixmap ActionIconPixmap(std::int32_t iconIndex) {
    const ActionIcon* icon = ActionIcons().IconAt(iconIndex);
    if (!icon) return {};
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) image.setPixel(x, y, icon->At(x, y));
    return QPixmap::fromImage(image);
}

void DrawActionIcon(QPainter& painter, const CAction& action, int x, int y) {
    const CActionDefinition* definition = action.GetDefinition();
    if (!definition) return;
    const QPixmap pixmap = ActionIconPixmap(definition->IconIndex);
    if (!pixmap.isNull()) painter.drawPixmap(x, y, pixmap);
}

void DrawActionLine(QPainter& painter, const CAction& action, const ResourceLookup& game, int x, int y) {
    const ActionListLine line = ActionListText(action, game);
    QFont font = painter.font();
    font.setBold(line.bold);
    font.setItalic(line.italic);
    painter.save();
    painter.setFont(font);
    // A list line is one line high: a line break in the template reads as a blank.
    QString text = ToQt(line.text);
    text.replace(QChar('\r'), QChar(' '));
    painter.drawText(x, y + QFontMetrics(font).ascent(), text);
    painter.restore();
}

}  // namespace kestrin
