#pragma once
// The small pictures of the game information window's tool bar, drawn by code
// so they look the same on every platform and need no files.

#include <QIcon>

namespace kestrin {

// Names: "open", "save", "print", "ok", "cut", "copy", "paste", "bold",
// "italic", "underline", "color", "backcolor", "left", "center", "right",
// "bullets". An unknown name gives an empty icon.
QIcon HelpFormIcon(const char* name);

}  // namespace kestrin
