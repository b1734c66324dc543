// The colour picker and palette images of the image editor.

#include <cmath>

#include "imaging/bitmap24_ops.h"

namespace kestrin {

Image Bitmap24_ColorPicker(int width, int height) {
    auto result = std::make_unique<Bitmap24>(width, height);
    int W = result->Width(), H = result->Height();
    for (int y = 0; y < H; ++y) {
        std::uint8_t* p = result->Row(y);
        HsvTriple hsv;
        hsv.hue = static_cast<std::uint8_t>(static_cast<int>(std::nearbyint(256.0 * y / H)) & 0xff);
        for (int x = 0; x < W; ++x, p += 3) {
            if (x < W / 2.0) {
                hsv.saturation = 255;
                hsv.value = static_cast<std::uint8_t>(static_cast<int>(std::nearbyint(512.0 * x / W)) & 0xff);
            } else {
                hsv.value = 255;
                hsv.saturation = static_cast<std::uint8_t>(static_cast<int>(std::nearbyint(255 - 512.0 * x / W)) & 0xff);
            }
            HsvToRgb(hsv, p[2], p[1], p[0]);
        }
    }
    return result;
}

Image Bitmap24_Palette(int width, int height) {
    auto result = std::make_unique<Bitmap24>(width, height);
    int W = result->Width(), H = result->Height();
    int cw = W / 6, ch = H / 9;
    static const int kPairs[7][2] = {{255, 0}, {64, 0}, {128, 0}, {192, 0}, {255, 64}, {255, 128}, {255, 192}};
    for (int row = 0; row < 7; ++row) {
        int m = kPairs[row][0], n = kPairs[row][1];
        ColorValue colors[6] = {MakeColor(m, n, n), MakeColor(m, m, n), MakeColor(n, m, n),
                                MakeColor(n, m, m), MakeColor(n, n, m), MakeColor(m, n, m)};
        for (int column = 0; column < 6; ++column)
            result->FillRect(column * cw, row * ch, (column + 1) * cw, (row + 1) * ch, colors[column]);
    }
    static const int kGreys[6] = {0, 32, 64, 128, 192, 255};
    for (int column = 0; column < 6; ++column)
        result->FillRect(column * cw, 7 * ch, (column + 1) * cw, 8 * ch, MakeColor(kGreys[column], kGreys[column], kGreys[column]));
    for (int i = 0; i < 256; ++i)
        result->FillRect(i * W / 255, 8 * ch, (i + 1) * W / 255, 9 * ch, MakeColor(i, i, i));
    return result;
}

}  // namespace kestrin
