// The find and replace dialogs.

#include "code_editors/find_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text_convert.h"

namespace kestrin {

TFindDialog::TFindDialog(QWidget* parent, bool withReplace) : QDialog(parent) {
    setObjectName(withReplace ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setWindowTitle(withReplace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);
    auto* fields = new QFormLayout;
    mFind = new QLineEdit(this);
    mFind->setObjectName(QStringLiteral("FindText"));
    fields->addRow(QStringLiteral("Find what:"), mFind);
    if (withReplace) {
        mReplace = new QLineEdit(this);
        mReplace->setObjectName(QStringLiteral("ReplaceText"));
        fields->addRow(QStringLiteral("Replace with:"), mReplace);
    }
    mMatchCase = new QCheckBox(QStringLiteral("Match case"), this);
    mMatchCase->setObjectName(QStringLiteral("MatchCase"));
    mWholeWord = new QCheckBox(QStringLiteral("Match whole word only"), this);
    mWholeWord->setObjectName(QStringLiteral("WholeWord"));

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* findNext = addButton("FindNextBtn", QStringLiteral("Find Next"));
    findNext->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
    if (withReplace) {
        connect(addButton("ReplaceBtn", QStringLiteral("Replace")), &QPushButton::clicked, this, &TFindDialog::Replace);
        connect(addButton("ReplaceAllBtn", QStringLiteral("Replace All")), &QPushButton::clicked, this,
                &TFindDialog::ReplaceAll);
    }
    connect(addButton("CancelBtn", QStringLiteral("Cancel")), &QPushButton::clicked, this, &QDialog::hide);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(mMatchCase);
    left->addWidget(mWholeWord);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

std::string TFindDialog::FindText() const { return FromQt(mFind->text()); }
void TFindDialog::SetFindText(const std::string& text) { mFind->setText(ToQt(text)); }
std::string TFindDialog::ReplaceText() const { return mReplace ? FromQt(mReplace->text()) : std::string(); }

SearchOptions TFindDialog::Options() const { return {mMatchCase->isChecked(), mWholeWord->isChecked()}; }

void TFindDialog::SetOptions(SearchOptions options) {
    mMatchCase->setChecked(options.matchCase);
    mWholeWord->setChecked(options.wholeWord);
}

}  // namespace kestrin
