// Display images and icons of sprites and backgrounds.

#include "resources/resource_icon.h"

#include <cmath>

#include "imaging/draw_target.h"

namespace kestrin {

Image MakeDisplayImage(const Bitmap24& picture, int width, int height, ColorValue fill, bool transparent) {
    auto display = std::make_unique<Bitmap24>(width, height, fill);
    if (transparent)
        display->DrawSeeThrough(picture, 0, 0, picture.TransparentColor());
    else
        display->Draw(picture, 0, 0);
    return display;
}

Image MakeResourceIcon(const Bitmap24* display, bool transparent) {
    auto icon = std::make_unique<Bitmap24>(16, 16, kIconBackgroundColor);
    if (!display) return icon;
    int w = display->Width(), h = display->Height();
    int a, b;
    if (h < w) {
        a = 16;
        b = static_cast<int>(std::nearbyint(16.0 * h / w));
    } else {
        a = static_cast<int>(std::nearbyint(16.0 * w / h));
        b = 16;
    }
    // The rectangle runs from 8 - a div 2 to 8 + a div 2, right and bottom
    // exclusive, so an odd size loses a column or row.
    ImageDrawTarget target(*icon);
    target.DrawStretched(*display, 8 - a / 2, 8 - b / 2, 2 * (a / 2), 2 * (b / 2), transparent);
    icon->SetPixel(0, 15, kIconBackgroundColor);
    return icon;
}

}  // namespace kestrin
