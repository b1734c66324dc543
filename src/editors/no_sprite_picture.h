#pragma once
// The 16 x 16 picture that stands for "no sprite" wherever an object's
// sprite is shown (object editor, palettes, the room editor's object menu).

#include <QImage>

namespace kestrin {

const QImage& NoSpritePicture();

}  // namespace kestrin
