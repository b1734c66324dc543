#pragma once
// TResizeDialog: the new size in percent and in pixels, linked by one
// factor per side; with the aspect box on both factors follow the one
// edited. The position grid and the quality list show as the command needs
// them, and what was chosen there stays for the next use.

#include <QDialog>
#include <array>
#include <optional>

#include "image_editors/image_dialogs.h"

class QCheckBox;
class QComboBox;
class QToolButton;

namespace kestrin {

class TValueEdit;

inline constexpr int kMaxResizePixels = 100000;

class TResizeDialog : public QDialog {
    Q_OBJECT
public:
    TResizeDialog(ResizeKind kind, int width, int height, QWidget* parent = nullptr);

    ResizeChoice Choice() const;
    // An empty title keeps the one of the kind.
    static std::optional<ResizeChoice> Ask(ResizeKind kind, int width, int height, const QString& title = {});

private:
    enum class Side { Width, Height };
    void PercentEdited(Side side);
    void PixelsEdited(Side side);
    // Writes the fields from the factors, leaving the one being typed in alone.
    void ShowFactors(const TValueEdit* typing);

    int mWidth, mHeight;
    double mFactorX = 1.0, mFactorY = 1.0;
    bool mUpdating = false;
    int mPlacement;
    TValueEdit* mWidthPercent = nullptr;
    TValueEdit* mHeightPercent = nullptr;
    TValueEdit* mWidthPixels = nullptr;
    TValueEdit* mHeightPixels = nullptr;
    QCheckBox* mAspect = nullptr;
    QComboBox* mQuality = nullptr;
    std::array<QToolButton*, 9> mPositions{};
};

}  // namespace kestrin
