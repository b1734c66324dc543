// The Qt image dialogs behind the seam, and the operations their choices stand for.

#include "image_editors/image_dialogs.h"

#include <utility>

#include "image_editors/gradient_dialog.h"
#include "image_editors/hue_dialog.h"
#include "image_editors/resize_dialog.h"
#include "image_editors/value_dialog.h"
#include "imaging/bitmap24_ops.h"

namespace kestrin {

namespace {

class QtImageDialogs : public ImageDialogs {
public:
    std::optional<HueChoice> AskHue(HueMode mode, const Bitmap24& image, bool t) override {
        return THueDialog::Ask(mode, image, t);
    }
    std::optional<IntensityChoice> AskIntensity(const Bitmap24& image, bool t) override {
        return TValueDialog::Ask(image, t);
    }
    std::optional<ResizeChoice> AskResize(ResizeKind kind, int width, int height) override {
        return TResizeDialog::Ask(kind, width, height);
    }
    std::optional<GradientChoice> AskGradient() override { return TGradientDialog::Ask(); }
};

ImageDialogs* gInstalled = nullptr;

}  // namespace

Image ApplyHue(const Bitmap24& image, HueMode mode, const HueChoice& choice, bool t) {
    switch (mode) {
    case HueMode::Set:
        return Bitmap24_SetHue(&image, choice.hue, t);
    case HueMode::Shift:
        return Bitmap24_ShiftHue(&image, choice.hue, t);
    case HueMode::Partial:
        return Bitmap24_SetHueRange(&image, choice.oldHue - choice.precision, choice.oldHue + choice.precision, t,
                                    choice.hue);
    }
    return nullptr;
}

Image ApplyIntensity(const Bitmap24& image, const IntensityChoice& choice, bool t) {
    Image result = Bitmap24_CreateCopy(&image);
    if (choice.value) result = Bitmap24_ChangeValue(result.get(), *choice.value, t);
    if (choice.saturation) result = Bitmap24_ChangeSaturation(result.get(), *choice.saturation, t);
    return result;
}

ImageDialogs& UsedImageDialogs() {
    static QtImageDialogs qtDialogs;
    return gInstalled ? *gInstalled : qtDialogs;
}

ImageDialogs* InstallImageDialogs(ImageDialogs* dialogs) { return std::exchange(gInstalled, dialogs); }

}  // namespace kestrin
