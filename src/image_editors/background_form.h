#pragma once
// TBackgroundForm: the window of one background: its name, size and picture,
// the transparent setting, the runner's settings (advanced mode), loading a
// picture and editing it in the image editor.

#include "editors/resource_form.h"
#include "resources/background.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace kestrin {

class TBackgroundForm : public ResourceForm<CBackground> {
    Q_OBJECT
public:
    TBackgroundForm(Game& game, int index, QWidget* parent = nullptr);

protected:
    void FillControls() override;

private:
    void LoadBackground();
    void EditBackground();
    // The picture and the size texts, after the image changed.
    void ShowPicture();
    // The image changed: marked, shown, and the icon made again.
    void ImageChanged();

    QLineEdit* mNameEdit;
    QLabel* mWidthLabel;
    QLabel* mHeightLabel;
    QCheckBox* mTransparentCheck;
    QGroupBox* mAdvancedPanel;
    QCheckBox* mVideoCheck;
    QCheckBox* mLoadOnUseCheck;
    QScrollArea* mPictureArea;
    QLabel* mPicture;
};

}  // namespace kestrin
