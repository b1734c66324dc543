#pragma once
// The strip window (TStripForm): the ten strip settings over the picture with
// every frame outlined, for cutting frames out of a strip.

namespace kestrin {

class Bitmap24;

// Shows the window modally over the picture with the run's settings; true on
// OK. Changes stay in the run's settings either way.
bool RunStripForm(const Bitmap24& picture, bool lockSize);

}  // namespace kestrin
