// The Qt dialogs of the sprite editor behind their seam.

#include "image_editors/sprite_edit_dialogs.h"

#include <utility>

#include "app/text_convert.h"
#include "image_editors/hue_dialog.h"
#include "image_editors/resize_dialog.h"
#include "image_editors/value_dialog.h"

namespace kestrin {

namespace {

class QtSpriteEditDialogs : public SpriteEditDialogs {
public:
    std::optional<HueChoice> AskHue(HueMode mode, const Bitmap24& preview, bool t) override {
        return THueDialog::Ask(mode, preview, t);
    }
    std::optional<IntensityChoice> AskIntensity(const Bitmap24& preview, bool t) override {
        return TValueDialog::Ask(preview, t);
    }
    std::optional<ResizeChoice> AskResize(const std::string& title, ResizeKind kind, int width,
                                          int height) override {
        return TResizeDialog::Ask(kind, width, height, ToQt(title));
    }
};

SpriteEditDialogs* gInstalled = nullptr;

}  // namespace

SpriteEditDialogs& UsedSpriteEditDialogs() {
    static QtSpriteEditDialogs qtDialogs;
    return gInstalled ? *gInstalled : qtDialogs;
}

SpriteEditDialogs* InstallSpriteEditDialogs(SpriteEditDialogs* dialogs) { return std::exchange(gInstalled, dialogs); }

}  // namespace kestrin
