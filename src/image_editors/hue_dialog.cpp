// The hue dialog. The values stay for the next use only when confirmed.

#include "image_editors/hue_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "image_editors/image_preview.h"
#include "image_editors/value_edit.h"
#include "imaging/color.h"

namespace kestrin {

namespace {

HueChoice& Remembered() {
    static HueChoice choice;
    return choice;
}

}  // namespace

THueDialog::THueDialog(HueMode mode, const Bitmap24& image, bool t, QWidget* parent)
    : QDialog(parent), mMode(mode), mTransparent(t), mReduced(ReducedForPreview(image, t)) {
    setObjectName(QStringLiteral("THueDialog"));
    setWindowTitle(mode == HueMode::Set     ? QStringLiteral("Set the Hue")
                   : mode == HueMode::Shift ? QStringLiteral("Shift the Hue")
                                            : QStringLiteral("Set the Hue Partially"));
    auto* layout = new QVBoxLayout(this);
    mGrid = new QGridLayout;
    layout->addLayout(mGrid);
    const HueChoice& start = Remembered();
    if (mode == HueMode::Partial) {
        mOldHueBar = AddRow("OldHue", QStringLiteral("Old:"), 255, start.oldHue).first;
        mPrecisionBar = AddRow("Precision", QStringLiteral("Precision:"), 128, start.precision).first;
    }
    mHueBar = AddRow("Hue", mode == HueMode::Shift ? QStringLiteral("Add:") : QStringLiteral("New:"), 255, start.hue).first;
    mSample = new QLabel(this);
    mSample->setObjectName(QStringLiteral("HueSample"));
    mSample->setFixedSize(32, 20);
    mGrid->addWidget(mSample, mGrid->rowCount() - 1, 3);
    mPreview = new QLabel(this);
    mPreview->setObjectName(QStringLiteral("Preview"));
    mPreview->setFixedSize(kPreviewSize, kPreviewSize);
    layout->addWidget(mPreview, 0, Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Refresh();
}

std::pair<QSlider*, TValueEdit*> THueDialog::AddRow(const char* name, const QString& caption, int maximum, int value) {
    int row = mGrid->rowCount();
    auto* bar = new QSlider(Qt::Horizontal, this);
    bar->setObjectName(QString::fromLatin1(name) + QStringLiteral("Bar"));
    bar->setRange(0, maximum);
    bar->setValue(value);
    bar->setMinimumWidth(200);
    auto* edit = new TValueEdit(this);
    edit->setObjectName(QString::fromLatin1(name) + QStringLiteral("Edit"));
    edit->SetMinValue(0);
    edit->SetMaxValue(maximum);
    edit->SetValue(value);
    edit->setFixedWidth(50);
    connect(bar, &QSlider::valueChanged, this, [this, edit](int v) {
        if (edit->Value() != v) edit->SetValue(v);
        Refresh();
    });
    connect(edit, &TValueEdit::ValueChanged, bar, [bar](std::int32_t v) { bar->setValue(v); });
    mGrid->addWidget(new QLabel(caption, this), row, 0);
    mGrid->addWidget(bar, row, 1);
    mGrid->addWidget(edit, row, 2);
    return {bar, edit};
}

HueChoice THueDialog::Choice() const {
    HueChoice choice = Remembered();
    choice.hue = mHueBar->value();
    if (mOldHueBar) choice.oldHue = mOldHueBar->value();
    if (mPrecisionBar) choice.precision = mPrecisionBar->value();
    return choice;
}

void THueDialog::Refresh() {
    std::uint8_t r, g, b;
    HsvToRgb({static_cast<std::uint8_t>(mHueBar->value()), 255, 255}, r, g, b);
    QPixmap sample(mSample->size());
    sample.fill(QColor(r, g, b));
    mSample->setPixmap(sample);
    Image applied = ApplyHue(mReduced, mMode, Choice(), mTransparent);
    if (applied) mPreview->setPixmap(PreviewPixmap(*applied));
}

std::optional<HueChoice> THueDialog::Ask(HueMode mode, const Bitmap24& image, bool t) {
    THueDialog dialog(mode, image, t, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    Remembered() = dialog.Choice();
    return dialog.Choice();
}

}  // namespace kestrin
