#pragma once
// TValueDialog: the intensity dialog, a value bar and a saturation bar
// (128 neutral) with a live preview.

#include <QDialog>
#include <optional>

#include "image_editors/image_dialogs.h"

class QLabel;
class QGridLayout;
class QSlider;

namespace kestrin {

inline constexpr int kIntensityOpening = 127;

class TValueDialog : public QDialog {
    Q_OBJECT
public:
    TValueDialog(const Bitmap24& image, bool t, QWidget* parent = nullptr);

    // A bar still at its opening value is left out, so an untouched OK
    // changes nothing.
    IntensityChoice Choice() const;
    static std::optional<IntensityChoice> Ask(const Bitmap24& image, bool t);

private:
    QSlider* AddBar(const char* name, const QString& caption);
    void Refresh();

    bool mTransparent;
    Bitmap24 mReduced;
    QSlider* mValueBar = nullptr;
    QSlider* mSaturationBar = nullptr;
    QLabel* mPreview = nullptr;
    QGridLayout* mGrid = nullptr;
};

}  // namespace kestrin
