#pragma once
// The pictures of the resource icon list: the predefined images (folders,
// sounds, rooms, scripts, ...) drawn once, and the sprite and background
// thumbnails the game keeps, see-through on their bottom-left colour.

#include <QIcon>
#include <cstdint>

namespace kestrin {

class Game;

// The icon of a number of the resource icon list; an empty icon for 0 and
// numbers nobody gave out, and for a thumbnail that shows nothing (a sprite
// without images).
QIcon ResourceIconImage(const Game& game, int iconNumber);

// What a resource of the type (sprites, sounds, ...) shows in the tree while
// it has no picture of its own; an empty icon for other types.
QIcon DefaultResourceIcon(std::int32_t type);

// The tool bar's help button: a question mark on a blue disc.
QIcon HelpIcon();

// A small square of the colour with a letter on it (tool bar buttons).
QIcon LetterIcon(const char* letter, const QColor& color);

}  // namespace kestrin
