#pragma once
// Qt's image reader behind the core's general image reader, for the picture
// formats the core does not read itself (ICO, TIFF, ...). The app registers
// it once at start-up.

namespace kestrin {

void RegisterQtPictureDecoder();

}  // namespace kestrin
