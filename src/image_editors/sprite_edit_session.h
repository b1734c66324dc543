#pragma once
// What the sprite editor edits, without a window: the current frame set, the
// one undo set, the selected frame, the changed and save-on-close flags, and
// every menu command with the values it asks. The window shows the set and
// turns menu items, keys and drags into these calls.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image_editors/sprite_edit_menu.h"
#include "platform/delayed_progress.h"
#include "resources/animation.h"

namespace kestrin {

// The system clipboard as far as the editor needs it.
class BitmapClipboard {
public:
    virtual ~BitmapClipboard() = default;
    virtual void Put(const Bitmap24& picture) = 0;
    // None when the clipboard holds no picture.
    virtual Image Take() const = 0;
    virtual bool HasPicture() const = 0;
};

inline constexpr const char* kSpriteTooLargeMessage = "The sprite would be too large.";
inline constexpr const char* kCouldNotLoadParticularFile = "Could not load the particular file.";
inline constexpr const char* kFailedToSaveSpriteFile = "Failed to save the file.";

class SpriteEditSession {
public:
    // frames must not be null. pictureFilter is the open dialogs' filter.
    SpriteEditSession(std::unique_ptr<TAnimation> frames, BitmapClipboard& clipboard,
                      std::string pictureFilter = "All files (*)");

    const TAnimation& Frames() const { return *mFrames; }
    int Selected() const { return mSelected; }
    void Select(int index);
    bool Changed() const { return mChanged; }
    bool SaveOnClose() const { return mSaveOnClose; }
    void SetSaveOnClose() { mSaveOnClose = true; }
    void MarkChanged() { mChanged = true; }

    // Told true when a command starts its work (after its dialogs) and false
    // when it ends: the window shows a busy cursor meanwhile.
    void SetBusyHandler(std::function<void(bool)> busy) { mBusy = std::move(busy); }

    bool Enabled(SpriteCommand command) const;
    // Runs the item's command (asking what it needs); true when the frame
    // set changed.
    bool Run(const SpriteMenuItem& item);
    bool Run(SpriteCommand command) { return Run(SpriteMenuItemOf(command)); }
    // A frame dragged to another place.
    bool MoveFrame(int from, int to);

    // " Frames: 3", " Size: 32 x 32", " Transparent" / " not Transp.".
    std::string FramesText() const;
    std::string SizeText() const;
    std::string TransparentText() const;

private:
    // Fills the undo set from the current one and marks the change: every
    // command that changes frames in place starts here.
    void BeginChange();
    // Progress for the rest of the command, shown only if it turns out slow.
    void ShowProgressWhenSlow();
    void EndWork();
    void SetBusy(bool busy) const;
    // The new set becomes current; the old one is kept for undo.
    void ReplaceSet(std::unique_ptr<TAnimation> frames);
    void KeepSelectionInRange();
    bool SizeAllowed(long long count, int width, int height) const;
    // Asks the item's value dialog with its starting values; false on Cancel.
    bool AskItemValues(const SpriteMenuItem& item, std::array<int, 3>& values) const;
    // An incoming frame brought to the set's size; asks the placement once per
    // command (answer kept in mPlacement). None when the answer cancels.
    Image Fitted(const Bitmap24& frame);

    bool RunFile(const SpriteMenuItem& item);
    bool RunEdit(const SpriteMenuItem& item);
    bool RunTransform(const SpriteMenuItem& item);
    bool RunImages(const SpriteMenuItem& item);
    bool RunAnimation(const SpriteMenuItem& item);

    bool CreateFromFiles();
    bool AddFromFiles();
    // Adds the files' frames to the current set; false at the first failure.
    bool AddFiles(const std::vector<std::string>& files, std::size_t first, bool begun);
    bool SaveAs(bool gif);
    bool FromStrip(bool add);
    bool Paste();
    bool EditSelected();
    bool Resize(const SpriteMenuItem& item);
    // A set read from a chosen file, stretched to the current size (overlay, morph).
    std::unique_ptr<TAnimation> AskOtherSet();

    std::unique_ptr<TAnimation> mFrames;
    std::unique_ptr<TAnimation> mUndo;
    BitmapClipboard& mClipboard;
    std::string mPictureFilter;
    int mSelected = -1;
    bool mChanged = false;
    bool mSaveOnClose = false;
    int mPlacement = -2;
    std::optional<DelayedProgress> mProgress;
    std::function<void(bool)> mBusy;
};

}  // namespace kestrin
