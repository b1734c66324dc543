// TStripForm: every field writes its setting at once, so what the user set
// stays for the next import even when this one is cancelled.

#include "image_editors/strip_form.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "image_editors/named_controls.h"
#include "image_editors/pointing_picture.h"
#include "image_editors/qt_draw_target.h"
#include "image_editors/value_edit.h"
#include "image_editors/xor_marks.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

constexpr int kMaxStripField = 100000;

}  // namespace

const std::array<TStripForm::Field, 10> TStripForm::kFields = {{
    {"NumberEdit", "Number of images:", &StripSettings::number, true},
    {"RowNumberEdit", "Images per row:", &StripSettings::perRow, true},
    {"WidthEdit", "Image width:", &StripSettings::width, true},
    {"HeightEdit", "Image height:", &StripSettings::height, true},
    {"XOffsetEdit", "Horizontal pixel offset:", &StripSettings::xOffset, false},
    {"YOffsetEdit", "Vertical pixel offset:", &StripSettings::yOffset, false},
    {"HCellEdit", "Horizontal cell offset:", &StripSettings::hCell, false},
    {"VCellEdit", "Vertical cell offset:", &StripSettings::vCell, false},
    {"XSepEdit", "Horizontal separation:", &StripSettings::xSep, false},
    {"YSepEdit", "Vertical separation:", &StripSettings::ySep, false},
}};

TStripForm::TStripForm(const Bitmap24& picture, bool lockSize, QWidget* parent)
    : QDialog(parent), mPicture(picture) {
    setObjectName(QStringLiteral("TStripForm"));
    setWindowTitle(QStringLiteral("Loading a strip image"));
    auto* columns = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    auto* fields = new QFormLayout;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        auto* edit = new TValueEdit(this);
        edit->setObjectName(QString::fromLatin1(kFields[i].name));
        edit->setFixedWidth(70);
        if (kFields[i].counted) {
            edit->SetMinValue(1);
            edit->SetMaxValue(kMaxStripField);
        }
        fields->addRow(QString::fromLatin1(kFields[i].caption), edit);
        connect(edit, &TValueEdit::ValueChanged, this, [this] { FieldEdited(); });
        mEdits[i] = edit;
    }
    mEdits[2]->setEnabled(!lockSize);
    mEdits[3]->setEnabled(!lockSize);
    side->addLayout(fields);
    side->addWidget(new QLabel(QStringLiteral("Click on the image to place the first frame."), this));
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    auto* okButton = MakeButton("OKBtn", "OK", this);
    auto* cancelButton = MakeButton("CancelBtn", "Cancel", this);
    okButton->setDefault(true);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    side->addLayout(buttons);
    columns->addLayout(side);

    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("ImageArea"));
    mImage = new TPointingPicture;
    mImage->setObjectName(QStringLiteral("TheImage"));
    area->setWidget(mImage);
    area->setMinimumSize(320, 320);
    columns->addWidget(area, 1);

    connect(okButton, &QPushButton::clicked, this, &TStripForm::accept);
    connect(cancelButton, &QPushButton::clicked, this, &TStripForm::reject);
    connect(mImage, &TPointingPicture::Pointed, this, [this](int x, int y) { SetOffsets(x, y); });
    ShowFields();
    ShowOutlines();
}

void TStripForm::FieldEdited() {
    if (mShowing) return;
    StripSettings& settings = CurrentStripSettings();
    for (std::size_t i = 0; i < kFields.size(); ++i) settings.*kFields[i].setting = mEdits[i]->Value();
    ShowOutlines();
}

void TStripForm::SetOffsets(int x, int y) {
    StripSettings& settings = CurrentStripSettings();
    settings.xOffset = x;
    settings.yOffset = y;
    settings.hCell = 0;
    settings.vCell = 0;
    ShowFields();
    ShowOutlines();
}

void TStripForm::ShowFields() {
    mShowing = true;
    const StripSettings& settings = CurrentStripSettings();
    for (std::size_t i = 0; i < kFields.size(); ++i) mEdits[i]->SetValue(settings.*kFields[i].setting);
    mShowing = false;
}

void TStripForm::ShowOutlines() {
    Bitmap24 marked = mPicture;
    XorStripOutlines(marked, CurrentStripSettings());
    mImage->SetImage(ToQImage(marked, false));
}

void TStripForm::accept() {
    // Refused here with a reason, rather than cut into nothing afterwards.
    if (!StripFramesFit(CurrentStripSettings())) {
        ShowMessage(kFramesTooLargeMessage);
        return;
    }
    QDialog::accept();
}

bool RunStripForm(const Bitmap24& picture, bool lockSize) {
    TStripForm form(picture, lockSize, QApplication::activeWindow());
    return form.exec() == QDialog::Accepted;
}

}  // namespace kestrin
