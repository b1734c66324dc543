// The tile settings dialog.

#include "editors/room_tile_settings_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "image_editors/value_edit.h"

namespace kestrin {

namespace {

TValueEdit* Field(QWidget* parent, const char* name, std::int32_t value, std::int32_t min) {
    auto* edit = new TValueEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetMinValue(min);
    edit->SetMaxValue(32000);
    edit->SetValue(value);
    return edit;
}

}  // namespace

TTileSettingsForm::TTileSettingsForm(const TileSettings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TTileSettingsForm"));
    setWindowTitle(QStringLiteral("Tile Settings"));
    auto* layout = new QFormLayout(this);
    mWidth = Field(this, "TileWidthValue", settings.width, 1);
    mHeight = Field(this, "TileHeightValue", settings.height, 1);
    mXOffset = Field(this, "TileXoffValue", settings.xOffset, 0);
    mYOffset = Field(this, "TileYoffValue", settings.yOffset, 0);
    mHSep = Field(this, "TileHSepValue", settings.hSep, 0);
    mVSep = Field(this, "TileVSepValue", settings.vSep, 0);
    layout->addRow(QStringLiteral("Tile width:"), mWidth);
    layout->addRow(QStringLiteral("Tile height:"), mHeight);
    layout->addRow(QStringLiteral("Horizontal offset:"), mXOffset);
    layout->addRow(QStringLiteral("Vertical offset:"), mYOffset);
    layout->addRow(QStringLiteral("Horizontal sep:"), mHSep);
    layout->addRow(QStringLiteral("Vertical sep:"), mVSep);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

TileSettings TTileSettingsForm::Settings() const {
    return {mWidth->Value(), mHeight->Value(), mXOffset->Value(), mYOffset->Value(), mHSep->Value(), mVSep->Value()};
}

}  // namespace kestrin
