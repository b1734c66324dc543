// TValueEdit: reading the text on every change and colouring the field.

#include "image_editors/value_edit.h"

#include <QPalette>

#include "app/color_value.h"
#include "image_editors/value_text.h"

namespace kestrin {

TValueEdit::TValueEdit(QWidget* parent) : QLineEdit(parent) {
    setText(QStringLiteral("0"));
    connect(this, &QLineEdit::textChanged, this, [this] {
        Validate();
        emit ValueChanged(mValue);
    });
    Validate();
}

void TValueEdit::SetValue(std::int32_t value) {
    QString text = QString::number(value);
    // Setting the same text fires no change; read it again all the same.
    if (text == this->text())
        Validate();
    else
        setText(text);
}

void TValueEdit::SetMinValue(std::int32_t value) {
    mMinValue = value;
    Validate();
}

void TValueEdit::SetMaxValue(std::int32_t value) {
    mMaxValue = value;
    Validate();
}

void TValueEdit::SetNormalColor(std::int32_t color) {
    mNormalColor = color;
    Validate();
}

void TValueEdit::SetErrorColor(std::int32_t color) {
    mErrorColor = color;
    Validate();
}

void TValueEdit::Validate() {
    ParsedValue parsed = ParseValueText(text().toLatin1().toStdString(), mMinValue, mMaxValue);
    mValue = parsed.value;
    mError = parsed.error;
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(mError ? mErrorColor : mNormalColor));
    setPalette(p);
}

}  // namespace kestrin
