#pragma once
// How the game's message boxes and questions look, as the message settings
// functions leave it: the window shells show their dialogs with it where the
// toolkit allows; headless play has no boxes and keeps it only to be asked.

#include <string>
#include <vector>

#include "engine/canvas.h"

namespace kestrin::engine {

struct MessageFont {
    TextFont font;
    ColorValue color = 0;
};

struct MessageLook {
    int background = -1;    // a background resource behind the box, or -1
    int buttonSprite = -1;  // a sprite whose first frame is each button's face, or -1
    double alpha = 1;       // 0 invisible .. 1 opaque
    ColorValue mouseColor = MakeColor(128, 128, 128);  // a button under the mouse
    ColorValue inputColor = MakeColor(255, 255, 255);  // the field a question is typed into
    MessageFont textFont, buttonFont, inputFont;
    int x = -1, y = -1;           // top-left corner on the screen; -1 centred
    int width = -1, height = -1;  // -1 as the text needs
    bool showCaption = true;
    std::string caption;  // empty: the game window's
};

// The items of a menu text: separated by '|'.
std::vector<std::string> MenuItems(const std::string& text);

}  // namespace kestrin::engine
