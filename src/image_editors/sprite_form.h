#pragma once
// TSpriteForm: the properties window of one sprite: its name, size and
// frames, transparency, and (advanced mode) the collision and memory flags,
// the origin and the bounding box, with the origin cross and the box drawn
// over the frame when the preference asks for them. Load imports a picture
// file as the frames; Edit opens the sprite editor.

#include "editors/resource_form.h"
#include "resources/sprite.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;
class QToolButton;

namespace kestrin {

class TPointingPicture;
class TValueEdit;

class TSpriteForm : public ResourceForm<CSprite> {
    Q_OBJECT
public:
    TSpriteForm(Game& game, int index, QWidget* parent = nullptr);

    // The frame shown, from 0.
    int ShownFrame() const { return mFrame; }

protected:
    void FillControls() override;

private:
    QWidget* BuildAdvancedPanel(QWidget* parent);
    void LoadSprite();
    void EditSprite();
    void ShowFrame(int frame);
    // The frames, size or transparency changed: texts, picture and icon follow.
    void FramesChanged();
    void ShowSizes();
    void ShowBox();
    void ShowPicture();
    void SetBoxMode(std::int32_t mode);
    void SetManualBox();
    void SetOrigin(int x, int y);
    // Origin cross and box are drawn, and a press on the picture moves the origin.
    bool MarksShown() const;

    QLineEdit* mNameEdit;
    QLabel* mWidthLabel;
    QLabel* mHeightLabel;
    QLabel* mCountLabel;
    QCheckBox* mTransparentCheck;
    QGroupBox* mAdvancedPanel;
    QCheckBox* mPreciseCheck;
    QCheckBox* mVideoCheck;
    QCheckBox* mLoadOnUseCheck;
    TValueEdit* mXEdit;
    TValueEdit* mYEdit;
    QRadioButton* mAutomaticButton;
    QRadioButton* mFullImageButton;
    QRadioButton* mManualButton;
    TValueEdit* mLeftEdit;
    TValueEdit* mRightEdit;
    TValueEdit* mTopEdit;
    TValueEdit* mBottomEdit;
    QScrollArea* mPictureArea;
    TPointingPicture* mPicture;
    QToolButton* mPreviousButton;
    QToolButton* mNextButton;
    QLabel* mFrameLabel;
    QLabel* mFrameNumber;
    int mFrame = 0;
    // The frame shown, decoded once per change of the frames, not per mouse move.
    Image mDisplay;
};

}  // namespace kestrin
