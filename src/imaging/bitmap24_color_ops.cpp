// The colour operations (grey, hue, value, saturation, fade, replace) and the
// composition operations (screen door, overlay, morph, bounding box).

#include <algorithm>
#include <array>
#include <cstring>

#include "imaging/bitmap24_ops.h"

namespace kestrin {

namespace {

// A result filled with the transparent colour, then every pixel (except
// transparent-colour pixels when t) given by change(bytes) in place.
template <typename Change>
Image MapPixels(const Bitmap24& image, bool t, Change change) {
    ColorValue tc = image.TransparentColor();
    auto result = std::make_unique<Bitmap24>(image.Width(), image.Height(), tc);
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* s = image.Row(y);
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < image.Width(); ++x, s += 3, d += 3) {
            if (t && PixelColor(s) == tc) continue;
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            change(d);
        }
    }
    return result;
}

template <typename ChangeHsv>
Image MapHsv(const Bitmap24& image, bool t, ChangeHsv change) {
    return MapPixels(image, t, [&change](std::uint8_t* p) {
        HsvTriple hsv = RgbToHsv(p[2], p[1], p[0]);
        change(hsv);
        HsvToRgb(hsv, p[2], p[1], p[0]);
    });
}

// The value and saturation rule: above the neutral point it moves toward
// 255, below it scales toward 0; the result is taken as a byte.
std::uint8_t Amplify(int amount, int channel) {
    int k = 2 * amount - 255;
    int v = k > 0 ? channel + k * (255 - channel) / 255 : 2 * amount * channel / 255;
    return static_cast<std::uint8_t>(v & 0xff);
}

// Marks count cells of a size x size square, spread evenly over its quadrants.
void Mark(std::array<bool, 256>& cells, int count, int x, int y, int size) {
    if (count <= 0) return;
    if (size == 1) {
        cells[static_cast<std::size_t>(y) * 16 + x] = true;
        return;
    }
    int q = count / 4, r = count % 4, s = size / 2;
    Mark(cells, q + (r > 0 ? 1 : 0), x, y, s);
    Mark(cells, q + (r > 1 ? 1 : 0), x + s, y + s, s);
    Mark(cells, q + (r > 2 ? 1 : 0), x + s, y, s);
    Mark(cells, q, x, y + s, s);
}

}  // namespace

Image Bitmap24_BW(const Bitmap24* image, bool t) {
    if (!Bitmap24Guard(image, "BW")) return nullptr;
    return MapPixels(*image, t, [](std::uint8_t* p) {
        std::uint8_t grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
        p[0] = p[1] = p[2] = grey;
    });
}

Image Bitmap24_SetHue(const Bitmap24* image, int hue, bool t) {
    if (!Bitmap24Guard(image, "SetHue")) return nullptr;
    return MapHsv(*image, t, [hue](HsvTriple& hsv) { hsv.hue = static_cast<std::uint8_t>(hue & 0xff); });
}

Image Bitmap24_SetHueRange(const Bitmap24* image, int fromHue, int toHue, bool t, int hue) {
    if (!Bitmap24Guard(image, "SetHue")) return nullptr;
    if (fromHue < 0) fromHue += 255;
    if (toHue > 255) toHue -= 255;
    return MapHsv(*image, t, [=](HsvTriple& hsv) {
        int h = hsv.hue;
        bool inRange = toHue < fromHue ? (h <= toHue || h >= fromHue) : (fromHue <= h && h <= toHue);
        if (inRange) hsv.hue = static_cast<std::uint8_t>(hue & 0xff);
    });
}

Image Bitmap24_ShiftHue(const Bitmap24* image, int amount, bool t) {
    if (!Bitmap24Guard(image, "ShiftHue")) return nullptr;
    return MapHsv(*image, t, [amount](HsvTriple& hsv) { hsv.hue = static_cast<std::uint8_t>((hsv.hue + amount) & 0xff); });
}

Image Bitmap24_ChangeValue(const Bitmap24* image, int amount, bool t) {
    if (!Bitmap24Guard(image, "ChangeValue")) return nullptr;
    return MapHsv(*image, t, [amount](HsvTriple& hsv) { hsv.value = Amplify(amount, hsv.value); });
}

Image Bitmap24_ChangeSaturation(const Bitmap24* image, int amount, bool t) {
    if (!Bitmap24Guard(image, "ChangeSaturation")) return nullptr;
    return MapHsv(*image, t, [amount](HsvTriple& hsv) { hsv.saturation = Amplify(amount, hsv.saturation); });
}

Image Bitmap24_Fade(const Bitmap24* image, ColorValue color, int amount, bool t) {
    if (!Bitmap24Guard(image, "Fade")) return nullptr;
    Image solid = MapPixels(*image, t, [color](std::uint8_t* p) { PutPixel(p, color); });
    return Bitmap24_Morph(image, solid.get(), amount, t);
}

Image Bitmap24_ReplaceColor(const Bitmap24* image, ColorValue oldColor, ColorValue newColor) {
    if (!Bitmap24Guard(image, "Fade")) return nullptr;
    auto result = std::make_unique<Bitmap24>(*image);
    for (int y = 0; y < result->Height(); ++y) {
        std::uint8_t* p = result->Row(y);
        for (int x = 0; x < result->Width(); ++x, p += 3)
            if (PixelColor(p) == oldColor) PutPixel(p, newColor);
    }
    return result;
}

Image Bitmap24_Transparency(const Bitmap24* image, int amount) {
    if (!Bitmap24Guard(image, "Transparency")) return nullptr;
    auto result = std::make_unique<Bitmap24>(*image);
    if (amount <= 0) return result;
    std::array<bool, 256> cells{};
    Mark(cells, amount > 256 ? 256 : amount, 0, 0, 16);
    ColorValue tc = image->TransparentColor();
    for (int y = 0; y < result->Height(); ++y) {
        std::uint8_t* p = result->Row(y);
        const bool* line = &cells[static_cast<std::size_t>(y % 16) * 16];
        for (int x = 0; x < result->Width(); ++x, p += 3)
            if (line[x % 16]) PutPixel(p, tc);
    }
    return result;
}

Image Bitmap24_Overlay(const Bitmap24* image, const Bitmap24* overlay, int amount) {
    if (!Bitmap24Guard(image, "Overlay") || !Bitmap24Guard(overlay, "Overlay")) return nullptr;
    auto result = std::make_unique<Bitmap24>(*image);
    Image door = Bitmap24_Transparency(overlay, amount);
    result->DrawSeeThrough(*door, 0, 0, door->TransparentColor());
    return result;
}

Image Bitmap24_Morph(const Bitmap24* image, const Bitmap24* target, int amount, bool t) {
    if (!Bitmap24Guard(image, "Morph") || !Bitmap24Guard(target, "Morph")) return nullptr;
    ColorValue ta = image->TransparentColor(), tb = target->TransparentColor();
    auto result = std::make_unique<Bitmap24>(image->Width(), image->Height(), ta);
    int w = std::min(image->Width(), target->Width()), h = std::min(image->Height(), target->Height());
    double x = amount / 256.0;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* pa = image->Row(y);
        const std::uint8_t* pb = target->Row(y);
        std::uint8_t* d = result->Row(y);
        for (int col = 0; col < w; ++col, pa += 3, pb += 3, d += 3) {
            ColorValue a = PixelColor(pa), b = PixelColor(pb);
            if (t) {
                bool aClear = a == ta, bClear = b == tb;
                if (aClear && bClear) continue;
                if (aClear) {
                    if (amount >= 128) PutPixel(d, b);
                    continue;
                }
                if (bClear) {
                    if (amount <= 128) PutPixel(d, a);
                    continue;
                }
            }
            PutPixel(d, BlendColor(a, b, x));
        }
    }
    return result;
}

ImageBox Bitmap24_BoundingBox(const Bitmap24* image) {
    if (!Bitmap24Guard(image, "BoundingBox")) return {0, 0, -1, -1};
    int w = image->Width(), h = image->Height();
    ImageBox box{w - 1, h - 1, 0, 0};
    ColorValue tc = image->TransparentColor();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* p = image->Row(y);
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x, p += 3)
            if (PixelColor(p) != tc) {
                if (first < 0) first = x;
                last = x;
            }
        if (first < 0) continue;
        WidenBox(box, {first, y, last, y});
    }
    return box;
}

void WidenBox(ImageBox& box, const ImageBox& other) {
    box.left = std::min(box.left, other.left);
    box.top = std::min(box.top, other.top);
    box.right = std::max(box.right, other.right);
    box.bottom = std::max(box.bottom, other.bottom);
}

}  // namespace kestrin
