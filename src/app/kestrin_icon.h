#pragma once
// Kestrin's application icon, drawn in code so every size is sharp.
// data/desktop/kestrin.svg is the same picture for the desktop; the PNG sizes
// installed beside it are rendered from this code at build time.

#include <QIcon>

class QPainter;
class QRectF;

namespace kestrin {

// Draws the icon into the square.
void DrawKestrinIcon(QPainter& painter, const QRectF& square);
// The icon in the usual sizes, 16 to 256 pixels.
QIcon KestrinIcon();

}  // namespace kestrin
