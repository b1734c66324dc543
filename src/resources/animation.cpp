// The frame set: single-frame and whole-set operations.

#include "resources/animation.h"

#include <algorithm>
#include <climits>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/gif_codec.h"
#include "imaging/picture_frames.h"
#include "platform/delayed_progress.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "resources/sprite.h"

namespace kestrin {

TAnimation::TAnimation(int width, int height) : mWidth(std::max(width, 1)), mHeight(std::max(height, 1)) {}

TAnimation::TAnimation(const Bitmap24& image) : TAnimation(image.Width(), image.Height()) { AddImage(image); }

std::unique_ptr<TAnimation> TAnimation::FromFile(const std::string& name) {
    if (!FileExists(name)) {
        ShowMessage("Cannot find the image file " + name);
        return std::make_unique<TAnimation>(32, 32);
    }
    auto frames = ImportPictureFrames(name);
    if (!frames || frames->empty()) return nullptr;
    auto animation = std::make_unique<TAnimation>(frames->front()->Width(), frames->front()->Height());
    for (const Image& frame : *frames) animation->AddImage(*frame);
    return animation;
}

std::unique_ptr<TAnimation> TAnimation::FromSprite(const CSprite& sprite) {
    auto animation = std::make_unique<TAnimation>(sprite.Width, sprite.Height);
    animation->mTransparent = sprite.Transparent;
    for (int i = 0; i < sprite.FrameCount(); ++i)
        if (Image frame = sprite.GetImage(i)) animation->AddImage(*frame);
    return animation;
}

void TAnimation::StoreInSprite(CSprite& sprite) const {
    sprite.ClearImages();
    sprite.Transparent = mTransparent;
    for (const Image& frame : mFrames) sprite.AddImage(frame.get());
    if (mFrames.empty()) {
        sprite.Width = mWidth;
        sprite.Height = mHeight;
    }
    sprite.UpdateTransparentColor();
    sprite.UpdateBoundingBox();
}

void TAnimation::Assign(const TAnimation& other) {
    if (&other == this) return;
    mWidth = other.mWidth;
    mHeight = other.mHeight;
    mTransparent = other.mTransparent;
    mFrames.clear();
    for (const Image& frame : other.mFrames) mFrames.push_back(Bitmap24_CreateCopy(frame.get()));
}

Bitmap24* TAnimation::GetImage(int i) const {
    if (i < 0 || i >= FrameCount()) return nullptr;
    return mFrames[static_cast<std::size_t>(i)].get();
}

Image TAnimation::EmptyFrame() const { return std::make_unique<Bitmap24>(mWidth, mHeight, kEmptyFrameColor); }

Image TAnimation::FrameOf(const Bitmap24& image) const {
    Image frame = EmptyFrame();
    frame->Draw(image, 0, 0);
    return frame;
}

void TAnimation::AddEmpty() { mFrames.push_back(EmptyFrame()); }
void TAnimation::AddImage(const Bitmap24& image) { mFrames.push_back(FrameOf(image)); }

void TAnimation::InsertEmpty(int i) {
    i = std::clamp(i, 0, FrameCount());
    mFrames.insert(mFrames.begin() + i, EmptyFrame());
}

void TAnimation::InsertImage(int i, const Bitmap24& image) {
    i = std::clamp(i, 0, FrameCount());
    mFrames.insert(mFrames.begin() + i, FrameOf(image));
}

void TAnimation::Delete(int i) {
    if (i < 0 || i >= FrameCount()) return;
    mFrames.erase(mFrames.begin() + i);
}

void TAnimation::Replace(int i, const Bitmap24& image) {
    if (i < 0 || i >= FrameCount()) return;
    mFrames[static_cast<std::size_t>(i)] = FrameOf(image);
}

void TAnimation::Move(int from, int to) {
    if (from < 0 || from >= FrameCount() || to < 0 || to >= FrameCount() || from == to) return;
    Image frame = std::move(mFrames[static_cast<std::size_t>(from)]);
    mFrames.erase(mFrames.begin() + from);
    mFrames.insert(mFrames.begin() + to, std::move(frame));
}

bool TAnimation::SaveAsStrip(const std::string& name) const {
    if (mFrames.empty() || std::int64_t{mWidth} * FrameCount() > INT_MAX / 4) return false;
    Bitmap24 strip(mWidth * FrameCount(), mHeight, kEmptyFrameColor);
    for (int i = 0; i < FrameCount(); ++i) strip.Draw(*mFrames[static_cast<std::size_t>(i)], i * mWidth, 0);
    std::vector<std::uint8_t> bmp = EncodeBmp(strip);
    try {
        WriteFileAtomically(name, bmp.data(), bmp.size());
    } catch (const FileError&) {
        return false;
    }
    return true;
}

bool TAnimation::SaveAsGif(const std::string& name) const {
    std::vector<const Bitmap24*> frames;
    for (const Image& frame : mFrames) frames.push_back(frame.get());
    std::vector<std::uint8_t> gif = EncodeGif(frames);
    if (gif.empty()) return false;
    try {
        WriteFileAtomically(name, gif.data(), gif.size());
    } catch (const FileError&) {
        return false;
    }
    return true;
}

template <typename Operation>
void TAnimation::ApplyToEach(Operation operation) {
    long long done = 0;
    for (Image& frame : mFrames) {
        if (Image result = operation(frame.get())) frame = std::move(result);
        ReportProgressStep(++done, FrameCount());
    }
}

void TAnimation::ResizeCanvas(int width, int height, int placement) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Resize(f, width, height, placement); });
    mWidth = std::max(width, 1);
    mHeight = std::max(height, 1);
}

void TAnimation::Stretch(int width, int height, int quality) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Stretch(f, width, height, mTransparent, quality); });
    mWidth = std::max(width, 1);
    mHeight = std::max(height, 1);
}

void TAnimation::Shift(int dx, int dy) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Shift(f, dx, dy); });
}
void TAnimation::Mirror() { ApplyToEach(Bitmap24_Mirror); }
void TAnimation::Flip() { ApplyToEach(Bitmap24_Flip); }
void TAnimation::Rotate(int quality, double degrees) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Rotate(f, quality, mTransparent, degrees); });
}
void TAnimation::Scale(int width, int height, int placement, int quality) {
    ApplyToEach([&](const Bitmap24* f) {
        return Bitmap24_ScaleSize(f, width, height, mTransparent, false, placement, quality);
    });
}
void TAnimation::BlackAndWhite() {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_BW(f, mTransparent); });
}
void TAnimation::Colorize(int hue) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_SetHue(f, hue, mTransparent); });
}
void TAnimation::ColorizePartially(int fromHue, int toHue, int hue) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_SetHueRange(f, fromHue, toHue, mTransparent, hue); });
}
void TAnimation::ShiftHue(int amount) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_ShiftHue(f, amount, mTransparent); });
}
void TAnimation::ChangeValue(int amount) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_ChangeValue(f, amount, mTransparent); });
}
void TAnimation::ChangeSaturation(int amount) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_ChangeSaturation(f, amount, mTransparent); });
}
void TAnimation::Fade(ColorValue color, int amount) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Fade(f, color, amount, mTransparent); });
}
void TAnimation::Transparency(int amount) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Transparency(f, amount); });
}
void TAnimation::Blur(int amount) {
    ApplyToEach([&](const Bitmap24* f) { return Bitmap24_Blur(f, amount, mTransparent); });
}

std::optional<ImageBox> TAnimation::ContentBox() const {
    ImageBox box{mWidth - 1, mHeight - 1, 0, 0};
    for (const Image& frame : mFrames) WidenBox(box, Bitmap24_BoundingBox(frame.get()));
    if (box.right < box.left || box.bottom < box.top) return std::nullopt;
    return box;
}

bool TAnimation::CropFits(int border) const {
    std::optional<ImageBox> box = ContentBox();
    if (!box) return true;
    std::int64_t margin = 2 * std::int64_t{std::max(border, 0)};
    return FrameSetWithinLimits(FrameCount(), box->right - box->left + 1 + margin, box->bottom - box->top + 1 + margin);
}

void TAnimation::Crop(int border) {
    if (border < 0) border = 0;
    std::optional<ImageBox> found = ContentBox();
    if (!found || !CropFits(border)) return;
    const ImageBox& box = *found;
    int width = box.right - box.left + 1 + 2 * border, height = box.bottom - box.top + 1 + 2 * border;
    for (Image& frame : mFrames) {
        auto cropped = std::make_unique<Bitmap24>(width, height, frame->TransparentColor());
        cropped->CopyRect(*frame, box.left, box.top, box.right + 1, box.bottom + 1, border, border);
        frame = std::move(cropped);
    }
    mWidth = width;
    mHeight = height;
}

}  // namespace kestrin
