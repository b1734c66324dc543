// Stands in for the image editor until it is written: says so and changes
// nothing.

#include "image_editors/image_edit_form.h"

#include "platform/user_interface.h"

namespace kestrin {

bool RunImageEditor(Bitmap24&, bool, bool) {
    ShowMessage("The image editor is not available in this version yet.");
    return false;
}

}  // namespace kestrin
