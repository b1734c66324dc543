#pragma once
// The sprite editor's own dialogs behind one seam, so that tests can answer
// them: the hue and intensity dialogs previewing a frame, and the resize
// dialog under the command's title. Each returns the choice on OK and
// nothing on Cancel.

#include <optional>
#include <string>

#include "image_editors/image_dialogs.h"

namespace kestrin {

class SpriteEditDialogs {
public:
    virtual ~SpriteEditDialogs() = default;
    virtual std::optional<HueChoice> AskHue(HueMode mode, const Bitmap24& preview, bool t) = 0;
    virtual std::optional<IntensityChoice> AskIntensity(const Bitmap24& preview, bool t) = 0;
    virtual std::optional<ResizeChoice> AskResize(const std::string& title, ResizeKind kind, int width,
                                                  int height) = 0;
};

// The dialogs in use: the Qt ones unless tests installed others.
SpriteEditDialogs& UsedSpriteEditDialogs();
SpriteEditDialogs* InstallSpriteEditDialogs(SpriteEditDialogs* dialogs);

class ScopedSpriteEditDialogs {
public:
    explicit ScopedSpriteEditDialogs(SpriteEditDialogs& dialogs)
        : mPrevious(InstallSpriteEditDialogs(&dialogs)) {}
    ~ScopedSpriteEditDialogs() { InstallSpriteEditDialogs(mPrevious); }
    ScopedSpriteEditDialogs(const ScopedSpriteEditDialogs&) = delete;
    ScopedSpriteEditDialogs& operator=(const ScopedSpriteEditDialogs&) = delete;

private:
    SpriteEditDialogs* mPrevious;
};

}  // namespace kestrin
