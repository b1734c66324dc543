// Converting sprites and backgrounds for the room view, once per change.

#include "editors/room_image_cache.h"

#include "image_editors/qt_draw_target.h"
#include "resources/background.h"
#include "resources/sprite.h"

namespace kestrin {

namespace {

QImage Premultiplied(const Bitmap24& image, bool seeThrough) {
    return ToQImage(image, seeThrough).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

const QImage& RoomImageCache::Sprite(std::int32_t index) {
    const CSprite* sprite = index >= 0 ? mGame.SpriteAt(index) : nullptr;
    if (!sprite) return mNone;
    const Signature signature{sprite, sprite->Width, sprite->Height, sprite->FrameCount(), sprite->Transparent,
                              sprite->TransparentColor};
    Entry& entry = mSprites[index];
    if (!(entry.signature == signature)) {
        entry.signature = signature;
        Image display = sprite->GetDisplayImage(0);
        entry.image = display ? Premultiplied(*display, sprite->Transparent) : QImage();
    }
    return entry.image;
}

const QImage& RoomImageCache::Background(std::int32_t index) {
    const CBackground* background = index >= 0 ? mGame.BackgroundAt(index) : nullptr;
    if (!background) return mNone;
    const Signature signature{background, background->Width, background->Height, background->HasImage() ? 1 : 0,
                              background->Transparent, background->TransparentColor};
    Entry& entry = mBackgrounds[index];
    if (!(entry.signature == signature)) {
        entry.signature = signature;
        Image display = background->GetDisplayImage();
        entry.image = display ? Premultiplied(*display, background->Transparent) : QImage();
    }
    return entry.image;
}

void RoomImageCache::Clear() {
    mSprites.clear();
    mBackgrounds.clear();
}

}  // namespace kestrin
