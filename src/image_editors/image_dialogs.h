#pragma once
// The image editor's own dialogs behind one seam, so that tests can answer
// them: the hue, value (intensity), resize and gradient dialogs. Each
// returns the choice on OK and nothing on Cancel.

#include <optional>

#include "imaging/bitmap24.h"

namespace kestrin {

enum class HueMode { Set, Shift, Partial };

struct HueChoice {
    int hue = 0;
    int oldHue = 0;      // partial only
    int precision = 16;  // partial only
};

// A bar left at its opening value is not applied.
struct IntensityChoice {
    std::optional<int> value;
    std::optional<int> saturation;
};

enum class ResizeKind { Canvas, Stretch, Scale };

struct ResizeChoice {
    int width = 1;
    int height = 1;
    int placement = 5;  // keypad layout
    int quality = 2;    // 1 poor .. 5 excellent
};

struct GradientChoice {
    ColorValue color1 = kWhite;
    ColorValue color2 = 0;
    int kind = 0;
};

// Applies a hue choice in a mode to an image: what OK and the preview do.
Image ApplyHue(const Bitmap24& image, HueMode mode, const HueChoice& choice, bool t);
Image ApplyIntensity(const Bitmap24& image, const IntensityChoice& choice, bool t);

class ImageDialogs {
public:
    virtual ~ImageDialogs() = default;
    virtual std::optional<HueChoice> AskHue(HueMode mode, const Bitmap24& image, bool t) = 0;
    virtual std::optional<IntensityChoice> AskIntensity(const Bitmap24& image, bool t) = 0;
    virtual std::optional<ResizeChoice> AskResize(ResizeKind kind, int width, int height) = 0;
    virtual std::optional<GradientChoice> AskGradient() = 0;
};

// The dialogs in use: the Qt ones unless tests installed others.
ImageDialogs& UsedImageDialogs();
ImageDialogs* InstallImageDialogs(ImageDialogs* dialogs);

class ScopedImageDialogs {
public:
    explicit ScopedImageDialogs(ImageDialogs& dialogs) : mPrevious(InstallImageDialogs(&dialogs)) {}
    ~ScopedImageDialogs() { InstallImageDialogs(mPrevious); }
    ScopedImageDialogs(const ScopedImageDialogs&) = delete;
    ScopedImageDialogs& operator=(const ScopedImageDialogs&) = delete;

private:
    ImageDialogs* mPrevious;
};

}  // namespace kestrin
