// Not built yet: the placement window comes with the sprite windows.
#include "image_editors/placement_form.h"

#include "imaging/strip.h"

namespace kestrin {

int RunPlacementForm() { return kPlacementCancel; }

}  // namespace kestrin
