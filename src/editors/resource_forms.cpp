// Which window edits which kind.

#include "editors/resource_forms.h"

#include "editors/object_form.h"
#include "editors/resource_form.h"
#include "editors/time_line_form.h"

namespace kestrin {

TResourceForm* MakeResourceForm(Game& game, ResourceKind kind, int index) {
    (void)game;
    (void)index;
    switch (kind) {
        case ResourceKind::Object: return new TObjectForm(game, index);
        case ResourceKind::TimeLine: return new TTimeLineForm(game, index);
        default: return nullptr;
    }
}

}  // namespace kestrin
