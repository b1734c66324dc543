// The intensity dialog: both bars start at 127 at every opening.

#include "image_editors/value_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "image_editors/image_preview.h"

namespace kestrin {

TValueDialog::TValueDialog(const Bitmap24& image, bool t, QWidget* parent)
    : QDialog(parent), mTransparent(t), mReduced(ReducedForPreview(image, t)) {
    setObjectName(QStringLiteral("TValueDialog"));
    setWindowTitle(QStringLiteral("Change the Intensity"));
    auto* layout = new QVBoxLayout(this);
    mGrid = new QGridLayout;
    layout->addLayout(mGrid);
    mValueBar = AddBar("ValueBar", QStringLiteral("Value:"));
    mSaturationBar = AddBar("SaturationBar", QStringLiteral("Saturation:"));
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

QSlider* TValueDialog::AddBar(const char* name, const QString& caption) {
    int row = mGrid->rowCount();
    auto* bar = new QSlider(Qt::Horizontal, this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 255);
    bar->setValue(kIntensityOpening);
    bar->setMinimumWidth(220);
    connect(bar, &QSlider::valueChanged, this, &TValueDialog::Refresh);
    mGrid->addWidget(new QLabel(caption, this), row, 0);
    mGrid->addWidget(bar, row, 1);
    return bar;
}

IntensityChoice TValueDialog::Choice() const {
    IntensityChoice choice;
    if (mValueBar->value() != kIntensityOpening) choice.value = mValueBar->value();
    if (mSaturationBar->value() != kIntensityOpening) choice.saturation = mSaturationBar->value();
    return choice;
}

void TValueDialog::Refresh() {
    Image applied = ApplyIntensity(mReduced, Choice(), mTransparent);
    if (applied) mPreview->setPixmap(PreviewPixmap(*applied));
}

std::optional<IntensityChoice> TValueDialog::Ask(const Bitmap24& image, bool t) {
    TValueDialog dialog(image, t, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace kestrin
