#pragma once
// THueDialog: the new hue (set), the amount (shift), or the new hue for
// the pixels near an old hue (partial), with a live preview.

#include <QDialog>
#include <optional>

#include "image_editors/image_dialogs.h"

class QLabel;
class QGridLayout;
class QSlider;

namespace kestrin {

class TValueEdit;

class THueDialog : public QDialog {
    Q_OBJECT
public:
    THueDialog(HueMode mode, const Bitmap24& image, bool t, QWidget* parent = nullptr);

    HueChoice Choice() const;
    // Modal; the choice on OK (kept for the next use), nothing on Cancel.
    static std::optional<HueChoice> Ask(HueMode mode, const Bitmap24& image, bool t);

private:
    // A bar and a field kept equal.
    std::pair<QSlider*, TValueEdit*> AddRow(const char* name, const QString& caption, int maximum, int value);
    void Refresh();

    HueMode mMode;
    bool mTransparent;
    Bitmap24 mReduced;
    QSlider* mHueBar = nullptr;
    QSlider* mOldHueBar = nullptr;
    QSlider* mPrecisionBar = nullptr;
    QLabel* mSample = nullptr;
    QLabel* mPreview = nullptr;
    QGridLayout* mGrid = nullptr;
};

}  // namespace kestrin
