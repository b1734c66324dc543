// The resize dialog. Fields hold whole numbers; the factors behind them do
// not, so typing 33 % three times gives the same pixels each time.

#include "image_editors/resize_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "image_editors/value_edit.h"
#include "platform/saturating_round.h"

namespace kestrin {

namespace {

struct Kept {
    int placement = 5;
    int quality = 2;
};

Kept& Remembered() {
    static Kept kept;
    return kept;
}

TValueEdit* MakeField(QWidget* parent, const char* name, int value) {
    auto* edit = new TValueEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetMinValue(1);
    edit->SetMaxValue(kMaxResizePixels);
    edit->SetValue(value);
    edit->setFixedWidth(70);
    return edit;
}

}  // namespace

TResizeDialog::TResizeDialog(ResizeKind kind, int width, int height, QWidget* parent)
    : QDialog(parent), mWidth(width), mHeight(height), mPlacement(Remembered().placement) {
    setObjectName(QStringLiteral("TResizeDialog"));
    setWindowTitle(kind == ResizeKind::Canvas    ? QStringLiteral("Resize")
                   : kind == ResizeKind::Stretch ? QStringLiteral("Stretch Image")
                                                 : QStringLiteral("Scale Image"));
    auto* layout = new QVBoxLayout(this);
    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(QStringLiteral("Percent"), this), 0, 1);
    sizes->addWidget(new QLabel(QStringLiteral("Pixels"), this), 0, 2);
    sizes->addWidget(new QLabel(QStringLiteral("Width:"), this), 1, 0);
    sizes->addWidget(new QLabel(QStringLiteral("Height:"), this), 2, 0);
    mWidthPercent = MakeField(this, "WidthPercentEdit", 100);
    mHeightPercent = MakeField(this, "HeightPercentEdit", 100);
    mWidthPixels = MakeField(this, "WidthEdit", width);
    mHeightPixels = MakeField(this, "HeightEdit", height);
    sizes->addWidget(mWidthPercent, 1, 1);
    sizes->addWidget(mHeightPercent, 2, 1);
    sizes->addWidget(mWidthPixels, 1, 2);
    sizes->addWidget(mHeightPixels, 2, 2);
    layout->addLayout(sizes);
    mAspect = new QCheckBox(QStringLiteral("Keep aspect ratio"), this);
    mAspect->setObjectName(QStringLiteral("AspectCheck"));
    mAspect->setChecked(true);
    layout->addWidget(mAspect);
    connect(mWidthPercent, &TValueEdit::ValueChanged, this, [this] { PercentEdited(Side::Width); });
    connect(mHeightPercent, &TValueEdit::ValueChanged, this, [this] { PercentEdited(Side::Height); });
    connect(mWidthPixels, &TValueEdit::ValueChanged, this, [this] { PixelsEdited(Side::Width); });
    connect(mHeightPixels, &TValueEdit::ValueChanged, this, [this] { PixelsEdited(Side::Height); });

    if (kind != ResizeKind::Stretch) {
        auto* box = new QGroupBox(QStringLiteral("Position"), this);
        auto* grid = new QGridLayout(box);
        // Laid out like a numeric keypad.
        for (int placement = 1; placement <= 9; ++placement) {
            auto* button = new QToolButton(box);
            button->setObjectName(QStringLiteral("Pos%1Btn").arg(placement));
            button->setCheckable(true);
            button->setAutoExclusive(true);
            button->setChecked(placement == mPlacement);
            button->setFixedSize(24, 24);
            connect(button, &QToolButton::clicked, this, [this, placement] { mPlacement = placement; });
            grid->addWidget(button, 2 - (placement - 1) / 3, (placement - 1) % 3);
            mPositions[static_cast<std::size_t>(placement - 1)] = button;
        }
        layout->addWidget(box);
    }
    if (kind != ResizeKind::Canvas) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("Quality:"), this));
        mQuality = new QComboBox(this);
        mQuality->setObjectName(QStringLiteral("QualityBox"));
        for (const char* text : {"Poor", "Normal", "Good", "Very good", "Excellent"})
            mQuality->addItem(QString::fromLatin1(text));
        mQuality->setCurrentIndex(Remembered().quality - 1);
        row->addWidget(mQuality);
        layout->addLayout(row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TResizeDialog::PercentEdited(Side side) {
    if (mUpdating) return;
    TValueEdit* edit = side == Side::Width ? mWidthPercent : mHeightPercent;
    double factor = edit->Value() / 100.0;
    if (side == Side::Width || mAspect->isChecked()) mFactorX = factor;
    if (side == Side::Height || mAspect->isChecked()) mFactorY = factor;
    ShowFactors(edit);
}

void TResizeDialog::PixelsEdited(Side side) {
    if (mUpdating) return;
    TValueEdit* edit = side == Side::Width ? mWidthPixels : mHeightPixels;
    double factor = static_cast<double>(edit->Value()) / (side == Side::Width ? mWidth : mHeight);
    if (side == Side::Width || mAspect->isChecked()) mFactorX = factor;
    if (side == Side::Height || mAspect->isChecked()) mFactorY = factor;
    ShowFactors(edit);
}

void TResizeDialog::ShowFactors(const TValueEdit* typing) {
    mUpdating = true;
    auto show = [typing](TValueEdit* edit, double value) {
        if (edit != typing) edit->SetValue(std::clamp(RoundToInt32(value), 1, kMaxResizePixels));
    };
    show(mWidthPercent, mFactorX * 100);
    show(mHeightPercent, mFactorY * 100);
    show(mWidthPixels, mWidth * mFactorX);
    show(mHeightPixels, mHeight * mFactorY);
    mUpdating = false;
}

ResizeChoice TResizeDialog::Choice() const {
    ResizeChoice choice;
    choice.width = std::clamp(RoundToInt32(mWidth * mFactorX), 1, kMaxResizePixels);
    choice.height = std::clamp(RoundToInt32(mHeight * mFactorY), 1, kMaxResizePixels);
    choice.placement = mPlacement;
    choice.quality = mQuality ? mQuality->currentIndex() + 1 : Remembered().quality;
    return choice;
}

std::optional<ResizeChoice> TResizeDialog::Ask(ResizeKind kind, int width, int height, const QString& title) {
    TResizeDialog dialog(kind, width, height, QApplication::activeWindow());
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    ResizeChoice choice = dialog.Choice();
    if (kind != ResizeKind::Stretch) Remembered().placement = choice.placement;
    if (kind != ResizeKind::Canvas) Remembered().quality = choice.quality;
    return choice;
}

}  // namespace kestrin
