// The sprite resource: frames, box, icon, import and the stored record.

#include "resources/sprite.h"

#include <algorithm>
#include <cstdint>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/picture_frames.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "resources/resource_icon.h"
#include "stream/stream.h"

namespace kestrin {

void CSprite::Clear() {
    BoxMode = kBoxAutomatic;
    ClearImages();
    BoxLeft = BoxTop = BoxRight = BoxBottom = 0;
    XOrigin = YOrigin = 0;
    PreciseCollision = true;
    VideoMemory = true;
    LoadOnUse = false;
    Transparent = true;
    TransparentColor = kWhite;
}

void CSprite::ClearImages() {
    mFrames.clear();
    DropDisplayCache();
    Width = Height = 32;
    if (BoxMode != kBoxManual) BoxLeft = BoxTop = BoxRight = BoxBottom = 0;
}

void CSprite::Assign(const CSprite* other) {
    if (other == this) return;
    Clear();
    if (!other) return;
    BoxMode = other->BoxMode;
    BoxLeft = other->BoxLeft;
    BoxTop = other->BoxTop;
    BoxRight = other->BoxRight;
    BoxBottom = other->BoxBottom;
    Width = other->Width;
    Height = other->Height;
    Transparent = other->Transparent;
    TransparentColor = other->TransparentColor;
    PreciseCollision = other->PreciseCollision;
    VideoMemory = other->VideoMemory;
    LoadOnUse = other->LoadOnUse;
    XOrigin = other->XOrigin;
    YOrigin = other->YOrigin;
    // Every frame is kept in the writer's own BMP layout, so a copy of the
    // bytes is the same deep copy a decode and re-encode would make.
    mFrames = other->mFrames;
}

void CSprite::AddImage(const Bitmap24* image) {
    if (!image) {
        ShowMessage("Internal Error:Adding bitmap that is not 24 bits");
        return;
    }
    if (mFrames.empty()) {
        Width = image->Width();
        Height = image->Height();
    }
    mFrames.push_back(EncodeBmp(*image));
    DropDisplayCache();
    UpdateTransparentColor();
    UpdateBoundingBox();
}

Image CSprite::GetImage(int i) const {
    if (i < 0 || i >= FrameCount()) return nullptr;
    return DecodeBmp(mFrames[static_cast<std::size_t>(i)]);
}

Image CSprite::GetDisplayImage(int i) const {
    Image frame = GetImage(i);
    if (!frame) return nullptr;
    return MakeDisplayImage(*frame, Width, Height, TransparentColor, Transparent);
}

void CSprite::DrawAt(DrawTarget& target, int x, int y) const {
    if (mFrames.empty()) return;
    if (!mDisplayCache) mDisplayCache = GetDisplayImage(0);
    // Positions and origins from files may lie anywhere in 32 bits; a corner
    // beyond them is held at the edge of the range, far off any canvas.
    auto corner = [](std::int32_t at, std::int32_t origin) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{at} - origin, INT32_MIN, INT32_MAX));
    };
    if (mDisplayCache) target.DrawImage(*mDisplayCache, corner(x, XOrigin), corner(y, YOrigin), Transparent);
}

Image CSprite::MakeIcon() const {
    Image display = GetDisplayImage(0);
    return MakeResourceIcon(display.get(), Transparent);
}

void CSprite::SetTransparent(bool transparent) {
    Transparent = transparent;
    DropDisplayCache();
    UpdateBoundingBox();
}

void CSprite::UpdateTransparentColor() {
    Image first = GetImage(0);
    TransparentColor = first ? first->TransparentColor() : 0;
}

void CSprite::UpdateBoundingBox() {
    if (BoxMode == kBoxManual) return;
    if (BoxMode == kBoxFullImage || !Transparent) {
        BoxLeft = 0;
        BoxTop = 0;
        BoxRight = Width - 1;
        BoxBottom = Height - 1;
        return;
    }
    if (mFrames.empty()) {
        BoxLeft = BoxTop = BoxRight = BoxBottom = 0;
        return;
    }
    ImageBox box{Width - 1, Height - 1, 0, 0};
    for (int i = 0; i < FrameCount(); ++i) {
        Image frame = GetImage(i);
        WidenBox(box, Bitmap24_BoundingBox(frame.get()));
    }
    BoxLeft = box.left;
    BoxTop = box.top;
    BoxRight = box.right;
    BoxBottom = box.bottom;
}

bool CSprite::LoadFromFile(const std::string& name) {
    if (!FileExists(name)) return false;
    auto frames = ImportPictureFrames(name);
    if (!frames || frames->empty()) return false;
    ClearImages();
    Width = frames->front()->Width();
    Height = frames->front()->Height();
    for (const Image& frame : *frames) mFrames.push_back(EncodeBmp(*frame));
    UpdateTransparentColor();
    UpdateBoundingBox();
    return true;
}

bool CSprite::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kSpriteVersion) return false;
    Width = stream.ReadInteger();
    Height = stream.ReadInteger();
    BoxLeft = stream.ReadInteger();
    BoxRight = stream.ReadInteger();
    BoxBottom = stream.ReadInteger();
    BoxTop = stream.ReadInteger();
    Transparent = stream.ReadBoolean();
    BoxMode = stream.ReadInteger();
    PreciseCollision = stream.ReadBoolean();
    VideoMemory = stream.ReadBoolean();
    LoadOnUse = stream.ReadBoolean();
    XOrigin = stream.ReadInteger();
    YOrigin = stream.ReadInteger();
    std::int32_t count = stream.ReadInteger();
    // Each frame takes at least its marker, so the count cannot promise more
    // than the bytes left; a forged size may not make display images huge.
    if (count < 0 || static_cast<std::size_t>(count) > stream.Remaining() / 4 ||
        (count > 0 && !WithinImageLimits(Width, Height))) {
        Clear();
        return false;
    }
    mFrames.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        // A frame marked as no image cannot be a frame: the record is broken.
        auto frame = ReadStoredBmp(stream);
        if (!frame) {
            Clear();
            return false;
        }
        mFrames.push_back(std::move(*frame));
    }
    UpdateTransparentColor();
    return true;
}

bool CSprite::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kSpriteVersion);
    stream.WriteInteger(Width);
    stream.WriteInteger(Height);
    stream.WriteInteger(BoxLeft);
    stream.WriteInteger(BoxRight);
    stream.WriteInteger(BoxBottom);
    stream.WriteInteger(BoxTop);
    stream.WriteBoolean(Transparent);
    stream.WriteInteger(BoxMode);
    stream.WriteBoolean(PreciseCollision);
    stream.WriteBoolean(VideoMemory);
    stream.WriteBoolean(LoadOnUse);
    stream.WriteInteger(XOrigin);
    stream.WriteInteger(YOrigin);
    stream.WriteInteger(FrameCount());
    for (const auto& frame : mFrames) WriteStoredBmp(stream, frame.data(), frame.size());
    return true;
}

}  // namespace kestrin
