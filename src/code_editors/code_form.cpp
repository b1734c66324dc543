// The code editor dialog.

#include "code_editors/code_form.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/help_window.h"
#include "app/main_form.h"
#include "app/resource_menu_popup.h"
#include "app/text_convert.h"
#include "code_editors/code_edit.h"
#include "code_editors/code_editor_frame.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

Game* gCodeEditorGame = nullptr;

}  // namespace

void SetCodeEditorGame(Game* game) { gCodeEditorGame = game; }

Game* CodeEditorGame() {
    if (gCodeEditorGame) return gCodeEditorGame;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<TMainForm*>(widget)) return &main->GameData();
    return nullptr;
}

TCodeForm::TCodeForm(Game* game, const CodeEditRequest& request, QWidget* parent)
    : QDialog(parent),
      mNames(game ? std::make_unique<GameNames>(*game) : nullptr),
      mGame(game),
      mShowAppliesTo(request.showAppliesTo),
      mAppliesTo(request.appliesTo) {
    setObjectName(QStringLiteral("TCodeForm"));
    setWindowTitle(ToQt(request.caption));
    setSizeGripEnabled(true);
    const NameResolver& names = mNames ? static_cast<const NameResolver&>(*mNames) : NoGameNames();
    mFrame = new TCodeEditorFrame(names, false, this);

    auto* help = new QToolButton(mFrame);
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setText(QStringLiteral("Help"));
    help->setAutoRaise(true);
    mFrame->ToolRow()->insertWidget(mFrame->ToolRow()->count() - 1, help);
    connect(help, &QToolButton::clicked, this, [] { ShowHelpContents(); });

    auto* who = new QWidget(mFrame);
    who->setObjectName(QStringLiteral("WhoPanel"));
    auto* whoRow = new QHBoxLayout(who);
    whoRow->setContentsMargins(4, 0, 4, 0);
    auto* applies = new QLabel(QStringLiteral("Applies to:"), who);
    applies->setObjectName(QStringLiteral("AppliesLabel"));
    mWhoSelf = new QRadioButton(QStringLiteral("Self"), who);
    mWhoSelf->setObjectName(QStringLiteral("WhoSelf"));
    mWhoOther = new QRadioButton(QStringLiteral("Other"), who);
    mWhoOther->setObjectName(QStringLiteral("WhoOther"));
    mWhoObject = new QRadioButton(QStringLiteral("Object:"), who);
    mWhoObject->setObjectName(QStringLiteral("WhoObject"));
    mWhoName = new QLineEdit(who);
    mWhoName->setObjectName(QStringLiteral("WhoName"));
    mWhoName->setReadOnly(true);
    mWhoName->setMaximumWidth(140);
    mWhoName->installEventFilter(this);
    mWhoMenuBtn = new QToolButton(who);
    mWhoMenuBtn->setObjectName(QStringLiteral("WhoMenuBtn"));
    mWhoMenuBtn->setText(QStringLiteral("..."));
    mWhoMenuBtn->setEnabled(game != nullptr);
    for (QWidget* w : {static_cast<QWidget*>(applies), static_cast<QWidget*>(mWhoSelf),
                       static_cast<QWidget*>(mWhoOther), static_cast<QWidget*>(mWhoObject),
                       static_cast<QWidget*>(mWhoName), static_cast<QWidget*>(mWhoMenuBtn)})
        whoRow->addWidget(w);
    whoRow->addStretch();
    mFrame->AddRowBelowTools(who);
    who->setVisible(mShowAppliesTo);
    if (mAppliesTo == -1) mWhoSelf->setChecked(true);
    else if (mAppliesTo == -2) mWhoOther->setChecked(true);
    else mWhoObject->setChecked(true);
    ShowWho();
    for (QRadioButton* radio : {mWhoSelf, mWhoOther, mWhoObject}) {
        connect(radio, &QRadioButton::clicked, this, [this] {
            mModified = true;
            ShowWho();
        });
    }
    connect(mWhoMenuBtn, &QToolButton::clicked, this, &TCodeForm::ChooseObject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mFrame);
    setMinimumSize(500, 200);
    resize(640, 440);

    connect(mFrame->Button("OKBtn"), &QToolButton::clicked, this, [this] {
        mConfirmed = true;
        mFrame->CloseDialogs();
        accept();
    });
    mFrame->Edited = [this] { mModified = true; };
    mFrame->SetCodeMode(request.codeMode);
    mFrame->LoadCode(request.text);
    mModified = mConfirmed = false;
}

void TCodeForm::ShowWho() {
    const bool object = mWhoObject->isChecked();
    mWhoName->setVisible(object);
    mWhoMenuBtn->setVisible(object);
    std::string name;
    if (mGame && mAppliesTo >= 0) name = mGame->Objects().ResourceName(mAppliesTo);
    mWhoName->setText(ToQt(name));
}

void TCodeForm::ChooseObject() {
    if (!mGame) return;
    const QPoint at = mWhoMenuBtn->mapToGlobal(QPoint(0, mWhoMenuBtn->height()));
    const std::int32_t chosen = ResourceMenu(*mGame, kTypeObjects, std::nullopt, at);
    if (chosen < 0) return;
    mAppliesTo = chosen;
    mModified = true;
    ShowWho();
}

bool TCodeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mWhoName && event->type() == QEvent::MouseButtonPress) {
        ChooseObject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<CodeEditResult> TCodeForm::Result() const {
    if (!mConfirmed || !mModified) return std::nullopt;
    CodeEditResult result;
    result.text = mFrame->Text()->Code();
    if (mShowAppliesTo) {
        result.appliesTo = mWhoSelf->isChecked() ? -1 : mWhoOther->isChecked() ? -2 : mAppliesTo;
    } else {
        result.appliesTo = mAppliesTo;
    }
    return result;
}

void TCodeForm::reject() {
    if (mModified && !mConfirmed) {
        const Answer answer = AskYesNoCancel(kSaveChangesToCode);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) mConfirmed = true;
    }
    mFrame->CloseDialogs();
    QDialog::reject();
}

std::optional<CodeEditResult> RunCodeForm(const CodeEditRequest& request) {
    TCodeForm form(CodeEditorGame(), request, QApplication::activeWindow());
    form.exec();
    return form.Result();
}

}  // namespace kestrin
