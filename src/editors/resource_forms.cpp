// Which window edits which kind.

#include "editors/resource_forms.h"

#include "editors/path_form.h"
#include "editors/resource_form.h"

namespace kestrin {

TResourceForm* MakeResourceForm(Game& game, ResourceKind kind, int index) {
    (void)game;
    (void)index;
    switch (kind) {
        case ResourceKind::Path: return new TPathForm(game, index);
        default: return nullptr;
    }
}

}  // namespace kestrin
