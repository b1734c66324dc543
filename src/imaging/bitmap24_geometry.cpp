// Creation, canvas changes and exact pixel moves.

#include <algorithm>
#include <cstring>
#include <string>

#include "imaging/bitmap24_ops.h"
#include "platform/user_interface.h"

namespace kestrin {

bool Bitmap24Guard(const Bitmap24* image, const char* name) {
    if (image) return true;
    ShowMessage(std::string("Internal error in Bitmap24_") + name + ".");
    return false;
}

void PlacementPosition(int placement, int canvasWidth, int canvasHeight, int width, int height, int& x, int& y) {
    int column = 0, row = 0;  // 0 first, 1 centre, 2 last
    switch (placement) {
    case 7: column = 0; row = 0; break;
    case 8: column = 1; row = 0; break;
    case 9: column = 2; row = 0; break;
    case 4: column = 0; row = 1; break;
    case 5: column = 1; row = 1; break;
    case 6: column = 2; row = 1; break;
    case 1: column = 0; row = 2; break;
    case 2: column = 1; row = 2; break;
    case 3: column = 2; row = 2; break;
    default: break;
    }
    auto at = [](int which, int canvas, int size) { return which == 0 ? 0 : which == 1 ? (canvas - size) / 2 : canvas - size; };
    x = at(column, canvasWidth, width);
    y = at(row, canvasHeight, height);
}

ColorValue Bitmap24_TransparentColor(const Bitmap24* image) {
    if (!Bitmap24Guard(image, "TransparentColor")) return 0;
    return image->TransparentColor();
}

Image Bitmap24_Create(int width, int height) { return std::make_unique<Bitmap24>(width, height); }

Image Bitmap24_CreateFilled(int width, int height, ColorValue color) {
    return std::make_unique<Bitmap24>(width, height, color);
}

Image Bitmap24_CreateCopy(const Bitmap24* image) {
    if (!Bitmap24Guard(image, "CreateCopy")) return nullptr;
    return std::make_unique<Bitmap24>(*image);
}

Image Bitmap24_Resize(const Bitmap24* image, int width, int height, int placement) {
    if (!Bitmap24Guard(image, "Resize")) return nullptr;
    auto result = std::make_unique<Bitmap24>(width, height, image->TransparentColor());
    int x, y;
    PlacementPosition(placement, result->Width(), result->Height(), image->Width(), image->Height(), x, y);
    result->Draw(*image, x, y);
    return result;
}

Image Bitmap24_Shift(const Bitmap24* image, int dx, int dy) {
    if (!Bitmap24Guard(image, "Shift")) return nullptr;
    auto result = std::make_unique<Bitmap24>(image->Width(), image->Height(), image->TransparentColor());
    result->Draw(*image, dx, dy);
    return result;
}

Image Bitmap24_Mirror(const Bitmap24* image) {
    if (!Bitmap24Guard(image, "Mirror")) return nullptr;
    int w = image->Width(), h = image->Height();
    auto result = std::make_unique<Bitmap24>(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = image->Row(y);
        std::uint8_t* d = result->Row(y) + 3 * (w - 1);
        for (int x = 0; x < w; ++x, s += 3, d -= 3) std::memcpy(d, s, 3);
    }
    return result;
}

Image Bitmap24_Flip(const Bitmap24* image) {
    if (!Bitmap24Guard(image, "Flip")) return nullptr;
    int h = image->Height();
    auto result = std::make_unique<Bitmap24>(image->Width(), h);
    for (int y = 0; y < h; ++y) std::memcpy(result->Row(y), image->Row(h - 1 - y), image->RowBytes());
    return result;
}

Image Bitmap24_Rotate180(const Bitmap24* image) {
    if (!Bitmap24Guard(image, "Rotate180")) return nullptr;
    int w = image->Width(), h = image->Height();
    auto result = std::make_unique<Bitmap24>(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = image->Row(h - 1 - y);
        std::uint8_t* d = result->Row(y) + 3 * (w - 1);
        for (int x = 0; x < w; ++x, s += 3, d -= 3) std::memcpy(d, s, 3);
    }
    return result;
}

Image Bitmap24_Rotate90(const Bitmap24* image, bool clockwise, bool swapSize) {
    if (!Bitmap24Guard(image, "Rotate90")) return nullptr;
    int w = image->Width(), h = image->Height();
    int W = swapSize ? h : w, H = swapSize ? w : h;
    auto result = std::make_unique<Bitmap24>(W, H, image->TransparentColor());
    // Doubled coordinates keep the centre exact for odd and even sizes.
    for (int y = 0; y < H; ++y) {
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < W; ++x, d += 3) {
            int sx, sy;
            if (clockwise) {
                sx = (2 * y - (H - 1) + (w - 1)) / 2;
                sy = ((h - 1) - (2 * x - (W - 1))) / 2;
            } else {
                sx = ((w - 1) - (2 * y - (H - 1))) / 2;
                sy = (2 * x - (W - 1) + (h - 1)) / 2;
            }
            if (image->Contains(sx, sy)) std::memcpy(d, image->Row(sy) + 3 * sx, 3);
        }
    }
    return result;
}

}  // namespace kestrin
