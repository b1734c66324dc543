#pragma once
// Editing an image in the paint program the preferences name: through a
// scratch BMP file the program is started with.

#include <functional>
#include <string>

#include "imaging/bitmap24.h"

namespace kestrin {

inline constexpr const char* kImageReadBackFailed = "Failed to read back the image file.";
inline constexpr const char* kImageWriteFailed = "Failed to write the image file.";

// Writes the image to a scratch ".bmp" file, hides the main window (through
// showMainWindow(false)), runs the program on the file and waits for it,
// shows the window again and reads the file back: with allowResize the image
// takes the file's size, and the file's picture is drawn at 0,0. True only
// when the file was read back and decoded; the program is not started when
// the file could not be written.
bool EditImageExternally(Bitmap24& image, bool allowResize, const std::string& program,
                         const std::function<void(bool)>& showMainWindow);

}  // namespace kestrin
