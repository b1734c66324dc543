#pragma once
// Where a window of its own (help, game information) appears the first time:
// over the window it belongs to, not wherever the desktop puts new windows.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kestrin {

// Centres the window over the anchor, kept on the anchor's screen, unless it
// was shown before (the user's own place then stands) or there is no anchor.
inline void CenterOnFirstShow(QWidget* window, const QWidget* anchor) {
    if (!anchor || window->property("kestrinPlaced").toBool()) return;
    window->setProperty("kestrinPlaced", true);
    QRect area = anchor->frameGeometry();
    QRect place(QPoint(0, 0), window->size());
    place.moveCenter(area.center());
    if (const QScreen* screen = anchor->screen()) {
        const QRect available = screen->availableGeometry();
        place.moveLeft(std::max(available.left(), std::min(place.left(), available.right() - place.width())));
        place.moveTop(std::max(available.top(), std::min(place.top(), available.bottom() - place.height())));
    }
    window->move(place.topLeft());
}

}  // namespace kestrin
