// Not built yet: the strip window comes with the sprite windows.
#include "image_editors/strip_form.h"

namespace kestrin {

bool RunStripForm(const Bitmap24&, bool) { return false; }

}  // namespace kestrin
