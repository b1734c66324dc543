// The colour model: HSV on bytes computed in double precision, and blending.

#include "imaging/color.h"

#include <cmath>

namespace kestrin {

HsvTriple RgbToHsv(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    double mx = r, mn = r;
    if (g > mx) mx = g;
    if (b > mx) mx = b;
    if (g < mn) mn = g;
    if (b < mn) mn = b;
    double d = mx - mn;
    double s = mx == 0 ? 0.0 : d / mx;
    double h = 0;
    if (s != 0) {
        // Ties favour red, then green.
        if (r == mx)
            h = 60 * (g - b) / d;
        else if (g == mx)
            h = 60 * (b - r) / d + 120;
        else
            h = 60 * (r - g) / d + 240;
        if (h < 0) h += 360;
    }
    HsvTriple out;
    out.hue = static_cast<std::uint8_t>(static_cast<int>(std::trunc(255 * h / 360)) & 0xff);
    out.saturation = static_cast<std::uint8_t>(static_cast<int>(std::trunc(255 * s)) & 0xff);
    out.value = static_cast<std::uint8_t>(static_cast<int>(std::trunc(255 * mx)) & 0xff);
    return out;
}

void HsvToRgb(HsvTriple hsv, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
    double h = 360.0 * hsv.hue / 255;
    if (h == 360) h = 0;
    double s = hsv.saturation / 255.0, v = hsv.value / 255.0;
    double r, g, b;
    if (s == 0) {
        r = g = b = v;
    } else {
        int k = static_cast<int>(std::trunc(h / 60));
        double f = h / 60 - k;
        double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
        switch (k) {
        case 0: r = v; g = t; b = p; break;
        case 1: r = q; g = v; b = p; break;
        case 2: r = p; g = v; b = t; break;
        case 3: r = p; g = q; b = v; break;
        case 4: r = t; g = p; b = v; break;
        default: r = v; g = p; b = q; break;
        }
    }
    red = static_cast<std::uint8_t>(static_cast<int>(std::trunc(255 * r)) & 0xff);
    green = static_cast<std::uint8_t>(static_cast<int>(std::trunc(255 * g)) & 0xff);
    blue = static_cast<std::uint8_t>(static_cast<int>(std::trunc(255 * b)) & 0xff);
}

ColorValue BlendColor(ColorValue a, ColorValue b, double x) {
    auto mix = [x](int ca, int cb) {
        double v = std::nearbyint((1 - x) * ca + x * cb);
        if (v < 0) v = 0;
        if (v > 255) v = 255;
        return static_cast<int>(v);
    };
    return MakeColor(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

}  // namespace kestrin
