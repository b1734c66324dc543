// TValuesDialog: rows of caption and value field, OK and Cancel.

#include "image_editors/values_dialog.h"

#include <QApplication>
#include <algorithm>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text_convert.h"
#include "image_editors/value_edit.h"

namespace kestrin {

TValuesDialog::TValuesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TValuesDialog"));
    setWindowTitle(QStringLiteral("Provide Values"));
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        mLabels[i] = new QLabel(QStringLiteral("Value %1:").arg(i + 1), this);
        mLabels[i]->setObjectName(QStringLiteral("CaptionLabel%1").arg(i + 1));
        mLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        mEdits[i] = new TValueEdit(this);
        mEdits[i]->setObjectName(QStringLiteral("ValueEdit%1").arg(i + 1));
        mLabels[i]->setBuddy(mEdits[i]);
        grid->addWidget(mLabels[i], i, 0);
        grid->addWidget(mEdits[i], i, 1);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // not resizable
}

bool TValuesDialog::Ask(const std::string& title, int count, const std::array<std::string, 3>& captions,
                        std::array<std::int32_t, 3>& values) {
    int shown = std::clamp(count, 1, 3);
    setWindowTitle(ToQt(title));
    for (int i = 0; i < 3; ++i) {
        if (i < shown) {
            mLabels[i]->setText(ToQt(captions[i]));
            mValues[i] = values[i];
        }
        mEdits[i]->SetValue(mValues[i]);
        mLabels[i]->setVisible(i < shown);
        mEdits[i]->setVisible(i < shown);
    }
    mEdits[0]->setFocus();
    mEdits[0]->selectAll();
    if (exec() != QDialog::Accepted) return false;
    for (int i = 0; i < 3; ++i) mValues[i] = mEdits[i]->Value();
    for (int i = 0; i < shown; ++i) values[i] = mValues[i];
    return true;
}

TValuesDialog& TValuesDialog::Instance() {
    static QPointer<TValuesDialog> dialog;
    if (!dialog) {
        dialog = new TValuesDialog;
        // Gone before the application's windows are.
        qAddPostRoutine([] { delete dialog.data(); });
    }
    return *dialog;
}

}  // namespace kestrin
