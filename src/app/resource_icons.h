#pragma once
// The pictures of the resource icon list: the predefined images (folders,
// sounds, rooms, scripts, ...) drawn once, and the sprite and background
// thumbnails the game keeps, see-through on their bottom-left colour.

#include <QIcon>

namespace kestrin {

class Game;

// The icon of a number of the resource icon list; an empty icon for 0 and
// numbers nobody gave out.
QIcon ResourceIconImage(const Game& game, int iconNumber);

// A small square of the colour with a letter on it (tool bar buttons).
QIcon LetterIcon(const char* letter, const QColor& color);

}  // namespace kestrin
