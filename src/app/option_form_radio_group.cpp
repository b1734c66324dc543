// TRadioGroup.

#include "app/option_form_radio_group.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrin {

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), mButtons(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        layout->addWidget(button);
        mButtons->addButton(button, i);
    }
    layout->addStretch();
}

int TRadioGroup::ItemIndex() const { return mButtons->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = mButtons->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button directly.
    mButtons->setExclusive(false);
    for (QAbstractButton* button : mButtons->buttons()) button->setChecked(false);
    mButtons->setExclusive(true);
}

}  // namespace kestrin
