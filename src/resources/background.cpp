// The background resource: image, drawing, import and the stored record.

#include "resources/background.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/picture.h"
#include "platform/file_system.h"
#include "resources/resource_icon.h"
#include "stream/stream.h"

namespace kestrin {

void CBackground::Clear() {
    mImage.reset();
    mDisplayCache.reset();
    Width = Height = 0;
    Transparent = false;
    TransparentColor = kWhite;
    VideoMemory = true;
    LoadOnUse = true;
}

void CBackground::Assign(const CBackground* other) {
    if (other == this) return;
    Clear();
    if (!other) return;
    Width = other->Width;
    Height = other->Height;
    Transparent = other->Transparent;
    TransparentColor = other->TransparentColor;
    VideoMemory = other->VideoMemory;
    LoadOnUse = other->LoadOnUse;
    // The image is kept in the writer's own BMP layout, so copying the bytes
    // is a deep copy.
    mImage = other->mImage;
}

Image CBackground::GetImage() const {
    if (!mImage) return nullptr;
    return DecodeBmp(*mImage);
}

Image CBackground::GetDisplayImage() const {
    Image image = GetImage();
    if (!image) return nullptr;
    return MakeDisplayImage(*image, Width, Height, TransparentColor, Transparent);
}

void CBackground::UpdateTransparentColor() {
    Image image = GetImage();
    TransparentColor = image ? image->TransparentColor() : 0;
}

void CBackground::SetImage(const Bitmap24* image) {
    mImage.reset();
    mDisplayCache.reset();
    if (!image) return;
    Width = image->Width();
    Height = image->Height();
    mImage = EncodeBmp(*image);
    UpdateTransparentColor();
}

bool CBackground::LoadFromFile(const std::string& name) {
    if (!FileExists(name)) return false;
    auto picture = ReadPictureFile(name);
    if (!picture) return false;
    Clear();
    Image image = Bitmap24_FromGraphic(*picture, true);
    SetImage(image.get());
    return true;
}

const Bitmap24* CBackground::Cache() const {
    if (!mDisplayCache) mDisplayCache = GetDisplayImage();
    return mDisplayCache.get();
}

void CBackground::DrawAt(DrawTarget& target, int x, int y) const {
    if (const Bitmap24* cache = Cache()) target.DrawImage(*cache, x, y, Transparent);
}

void CBackground::DrawStretched(DrawTarget& target, int x, int y, int width, int height) const {
    if (const Bitmap24* cache = Cache()) target.DrawStretched(*cache, x, y, width, height, Transparent);
}

void CBackground::DrawPart(DrawTarget& target, int x, int y, DrawRect rect) const {
    const Bitmap24* cache = Cache();
    if (!cache) return;
    // Only the part inside the picture can show; tile rectangles come from
    // room files and may reach far outside it.
    // In 64 bits, as the corner moves by the part cut off.
    std::int64_t px = x, py = y;
    if (rect.left < 0) { px -= rect.left; rect.left = 0; }
    if (rect.top < 0) { py -= rect.top; rect.top = 0; }
    rect.right = std::min(rect.right, cache->Width());
    rect.bottom = std::min(rect.bottom, cache->Height());
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    // A corner pushed past the int range lies beyond any canvas.
    if (px > INT32_MAX || py > INT32_MAX) return;
    x = static_cast<int>(px);
    y = static_cast<int>(py);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!Transparent) {
        Bitmap24 part(w, h);
        part.CopyRect(*cache, rect.left, rect.top, rect.right, rect.bottom, 0, 0);
        target.DrawImage(part, x, y, false);
        return;
    }
    // One extra row in the background's transparent colour makes that colour
    // the tile's own, whatever its bottom-left pixel holds.
    Bitmap24 part(w, h + 1, cache->TransparentColor());
    part.CopyRect(*cache, rect.left, rect.top, rect.right, rect.bottom, 0, 0);
    target.DrawImage(part, x, y, true);
}

void CBackground::DrawTiled(DrawTarget& target, int x, int y, bool tileH, bool tileV, double xScale,
                            double yScale) const {
    if (!mImage || Width == 0 || Height == 0 || !(xScale > 0) || !(yScale > 0)) return;
    int w = static_cast<int>(std::nearbyint(xScale * Width));
    int hr = static_cast<int>(std::nearbyint(yScale * Height));
    // A scale that shrinks the picture below a pixel would never advance.
    if (w < 1 || hr < 1) return;
    bool stretched = xScale != 1 || yScale != 1;
    DrawRect clip = target.ClipRect();
    if (tileH) {
        x %= w;
        if (x > 0) x -= w;
    }
    for (;;) {
        if (x >= clip.right) break;
        int y0 = y;
        if (tileV) {
            y0 %= hr;
            if (y0 > 0) y0 -= hr;
        }
        while (y0 < clip.bottom) {
            if (stretched)
                DrawStretched(target, x, y0, w, hr);
            else
                DrawAt(target, x, y0);
            y0 += hr;
            if (!tileV) break;
        }
        if (!tileH) break;
        x += w;
    }
}

Image CBackground::MakeIcon() const {
    Image display = GetDisplayImage();
    return MakeResourceIcon(display.get(), Transparent);
}

bool CBackground::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kBackgroundVersion) return false;
    Width = stream.ReadInteger();
    Height = stream.ReadInteger();
    Transparent = stream.ReadBoolean();
    VideoMemory = stream.ReadBoolean();
    LoadOnUse = stream.ReadBoolean();
    if (stream.ReadBoolean()) {
        // A forged size may not make the display image huge; an image marked
        // as none where one was promised means a broken record.
        auto image = WithinImageLimits(Width, Height) ? ReadStoredBmp(stream) : std::nullopt;
        if (!image) {
            Clear();
            return false;
        }
        mImage = std::move(*image);
    }
    UpdateTransparentColor();
    return true;
}

bool CBackground::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kBackgroundVersion);
    stream.WriteInteger(Width);
    stream.WriteInteger(Height);
    stream.WriteBoolean(Transparent);
    stream.WriteBoolean(VideoMemory);
    stream.WriteBoolean(LoadOnUse);
    stream.WriteBoolean(mImage.has_value());
    if (mImage) WriteStoredBmp(stream, mImage->data(), mImage->size());
    return true;
}

}  // namespace kestrin
