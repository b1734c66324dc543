// Not built yet: the sprite editor comes with the sprite windows.
#include "image_editors/edit_sprite_form.h"

namespace kestrin {

bool RunEditSpriteForm(CSprite&) { return false; }

}  // namespace kestrin
