#pragma once
// The sprite editor (TEditSpriteForm): the frames of a sprite as a frame set,
// with thumbnails, preview and the menus of frame operations.

#include <QDialog>
#include <map>
#include <memory>

#include "image_editors/sprite_edit_session.h"

class QAction;
class QCheckBox;
class QLabel;
class QTimer;

namespace kestrin {

class CSprite;
class TSpriteFrameList;
class TValueEdit;

// The preview background at every opening: grey 128.
inline constexpr ColorValue kPreviewStartColor = 8421504;

class TEditSpriteForm : public QDialog {
    Q_OBJECT
public:
    // changed: the set already differs from what it was made of.
    TEditSpriteForm(std::unique_ptr<TAnimation> frames, bool changed, QWidget* parent = nullptr);
    ~TEditSpriteForm() override;

    SpriteEditSession& Session() { return mSession; }
    QAction* Action(const char* name) const;
    // The thumbnails, status bar, selection and enabled states from the session.
    void Refresh();
    void RefreshThumbnails();
    // The preview's next frame (the timer's tick; also the step buttons).
    void StepPreview(int by);
    int PreviewFrame() const { return mPreviewFrame; }
    int PreviewInterval() const;
    QTimer* PreviewTimer() const { return mPreviewTimer; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void BuildMenus();
    void BuildBody();
    void RunItem(const SpriteMenuItem& item);
    void UpdateEnabled();
    void ShowPreview();
    void PreviewToggled(bool on);
    void SpeedChanged();
    void ChoosePreviewColor();

    std::unique_ptr<BitmapClipboard> mClipboard;
    SpriteEditSession mSession;
    std::map<const SpriteMenuItem*, QAction*> mActions;
    TSpriteFrameList* mList = nullptr;
    QLabel* mPreview = nullptr;
    QCheckBox* mPreviewCheck = nullptr;
    TValueEdit* mSpeed = nullptr;
    QLabel* mFramesLabel = nullptr;
    QLabel* mSizeLabel = nullptr;
    QLabel* mTransparentLabel = nullptr;
    QTimer* mPreviewTimer = nullptr;
    QTimer* mEnableTimer = nullptr;
    ColorValue mPreviewColor = kPreviewStartColor;
    int mPreviewFrame = 0;
    bool mClosing = false;
};

// The frame set the editor starts from: the sprite's frames, or one empty
// 32 x 32 frame when it has none.
std::unique_ptr<TAnimation> FramesForEditing(const CSprite& sprite);

// Edits the sprite's frames modally; true when they were replaced.
bool RunEditSpriteForm(CSprite& sprite);

}  // namespace kestrin
