#pragma once
// The text tool's one use of Qt drawing: a line of text rendered without
// antialiasing and copied onto the image in one colour, so that sprites get
// no fringe of blended pixels around the letters.

#include <QFont>
#include <QString>

#include "image_editors/image_edit_session.h"

namespace kestrin {

enum class TextAlign { Left, Center, Right };

// Pixel width and height of the line in the font.
int TextLineWidth(const QString& text, const QFont& font);
int TextLineHeight(const QFont& font);

// Draws the line see-through with its top at y; x is the left edge, the
// centre or the right edge by the alignment. Returns the area drawn over.
PixelArea DrawTextLine(Bitmap24& image, int x, int y, const QString& text, const QFont& font, TextAlign align,
                       ColorValue color);

}  // namespace kestrin
