#pragma once
// The operations on 24-bit images. Each takes its images by pointer (an
// absent image is the one fault the types cannot rule out: it shows
// "Internal error in Bitmap24_<name>." and gives no image) and returns a new
// image the caller owns; inputs are never changed. "t" is the transparent
// flag: pixels of the source's transparent colour are see-through.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

class CStream;

// A box of pixel positions, all four inclusive.
struct ImageBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ImageBox&) const = default;
};

// Position of a w x h picture inside a W x H canvas for a placement code laid
// out like a numeric keypad (7 8 9 / 4 5 6 / 1 2 3; anything else top-left).
void PlacementPosition(int placement, int canvasWidth, int canvasHeight, int width, int height, int& x, int& y);

ColorValue Bitmap24_TransparentColor(const Bitmap24* image);
Image Bitmap24_Create(int width, int height);
Image Bitmap24_CreateFilled(int width, int height, ColorValue color);
Image Bitmap24_CreateCopy(const Bitmap24* image);

// Geometry.
Image Bitmap24_Resize(const Bitmap24* image, int width, int height, int placement);
Image Bitmap24_Shift(const Bitmap24* image, int dx, int dy);
Image Bitmap24_Mirror(const Bitmap24* image);
Image Bitmap24_Flip(const Bitmap24* image);
Image Bitmap24_Rotate180(const Bitmap24* image);
Image Bitmap24_Rotate90(const Bitmap24* image, bool clockwise, bool swapSize);

// Sampling: quality n takes n x n samples per pixel.
Image Bitmap24_Stretch(const Bitmap24* image, int width, int height, bool t, int quality);
Image Bitmap24_Rotate(const Bitmap24* image, int quality, bool t, double degrees);
Image Bitmap24_Scale(const Bitmap24* image, int quality, int placement, bool t, bool newSize, double factorX,
                     double factorY);
Image Bitmap24_ScaleSize(const Bitmap24* image, int width, int height, bool t, bool newSize, int placement,
                         int quality);
// weights: kernelWidth x kernelHeight values, row by row.
Image Bitmap24_Filter(const Bitmap24* image, int kernelWidth, int kernelHeight, bool t,
                      const std::vector<double>& weights);
Image Bitmap24_Blur(const Bitmap24* image, int amount, bool t);

// Colour.
Image Bitmap24_BW(const Bitmap24* image, bool t);
Image Bitmap24_SetHue(const Bitmap24* image, int hue, bool t);
Image Bitmap24_SetHueRange(const Bitmap24* image, int fromHue, int toHue, bool t, int hue);
Image Bitmap24_ShiftHue(const Bitmap24* image, int amount, bool t);
Image Bitmap24_ChangeValue(const Bitmap24* image, int amount, bool t);
Image Bitmap24_ChangeSaturation(const Bitmap24* image, int amount, bool t);
Image Bitmap24_Fade(const Bitmap24* image, ColorValue color, int amount, bool t);
Image Bitmap24_ReplaceColor(const Bitmap24* image, ColorValue oldColor, ColorValue newColor);

// Composition.
Image Bitmap24_Transparency(const Bitmap24* image, int amount);
Image Bitmap24_Overlay(const Bitmap24* image, const Bitmap24* overlay, int amount);
Image Bitmap24_Morph(const Bitmap24* image, const Bitmap24* target, int amount, bool t);
// The extent of the pixels that differ from the transparent colour; the
// inverted box w-1, h-1, 0, 0 when there are none; left 0, top 0, right -1,
// bottom -1 for no image.
ImageBox Bitmap24_BoundingBox(const Bitmap24* image);
// Left and top to the smaller, right and bottom to the larger of the two
// boxes: how the boxes of several frames combine.
void WidenBox(ImageBox& box, const ImageBox& other);

// Stored image: int 10 and a zblock holding a 24-bit BMP file, or int -1.
void Bitmap24_SaveToStream(const Bitmap24* image, CStream& stream);
// Gives no image for -1 or an undecodable file; stream errors are raised.
Image Bitmap24_LoadFromStream(CStream& stream);
// The stored form of a BMP file that is already encoded (int 10 and its zblock).
void WriteStoredBmp(CStream& stream, const std::uint8_t* bmp, std::size_t size);
// A stored image as the BMP file EncodeBmp would write for it (a file in that
// layout is taken as it is, any other is decoded and written anew); none for
// -1 or an undecodable file. Stream errors are raised.
std::optional<std::vector<std::uint8_t>> ReadStoredBmp(CStream& stream);

// Pickers of the image editor.
Image Bitmap24_ColorPicker(int width, int height);
Image Bitmap24_Palette(int width, int height);

// Shows "Internal error in Bitmap24_<name>." and returns whether the image is there.
bool Bitmap24Guard(const Bitmap24* image, const char* name);

}  // namespace kestrin
