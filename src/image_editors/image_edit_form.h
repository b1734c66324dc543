#pragma once
// The image editor: a small paint program for one 24-bit image, or the
// external paint program the preferences name.

namespace kestrin {

class Bitmap24;

// Edits the image modally; true when it was changed (the image then holds
// the result). Editors reach it through EditImage (editors/editor_dialogs.h)
// so that tests can answer for it.
bool RunImageEditor(Bitmap24& image, bool allowResize, bool transparent);

}  // namespace kestrin
