// Which window edits which kind.

#include "editors/resource_forms.h"

#include "code_editors/script_form.h"
#include "editors/object_form.h"
#include "editors/path_form.h"
#include "editors/resource_form.h"
#include "editors/room_form.h"
#include "editors/time_line_form.h"
#include "image_editors/background_form.h"
#include "image_editors/data_file_form.h"
#include "image_editors/sound_form.h"
#include "image_editors/sprite_form.h"

namespace kestrin {

TResourceForm* MakeResourceForm(Game& game, ResourceKind kind, int index) {
    switch (kind) {
        case ResourceKind::Script: return new TScriptForm(game, index);
        case ResourceKind::Sprite: return new TSpriteForm(game, index);
        case ResourceKind::Sound: return new TSoundForm(game, index);
        case ResourceKind::Background: return new TBackgroundForm(game, index);
        case ResourceKind::DataFile: return new TDataFileForm(game, index);
        case ResourceKind::Room: return new TRoomForm(game, index);
        case ResourceKind::Object: return new TObjectForm(game, index);
        case ResourceKind::TimeLine: return new TTimeLineForm(game, index);
        case ResourceKind::Path: return new TPathForm(game, index);
        default: return nullptr;
    }
}

}  // namespace kestrin
