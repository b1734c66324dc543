// The script editor.

#include "code_editors/script_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "code_editors/code_edit.h"
#include "code_editors/code_editor_frame.h"

namespace kestrin {

TScriptForm::TScriptForm(Game& game, int index, QWidget* parent)
    : ResourceForm<CScript>(game, index, parent), mNames(game) {
    setObjectName(QStringLiteral("TScriptForm"));
    mFrame = new TCodeEditorFrame(mNames, true, this);
    auto* nameLabel = new QLabel(QStringLiteral("Name:"), mFrame);
    auto* nameEdit = new QLineEdit(mFrame);
    nameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameEdit->setMaximumWidth(200);
    // The name sits right after the OK button.
    mFrame->ToolRow()->insertWidget(1, nameLabel);
    mFrame->ToolRow()->insertWidget(2, nameEdit);
    AttachNameEdit(nameEdit);
    setWidget(mFrame);
    setMinimumSize(500, 200);
    resize(640, 480);

    connect(mFrame->Button("OKBtn"), &QToolButton::clicked, this, [this] { CloseWithOk(); });
    mFrame->Edited = [this] {
        if (Filling()) return;
        if (CScript* script = Resource()) {
            script->Code = mFrame->Text()->Code();
            Mark();
        }
    };
    mFrame->ResourceProperties = [this] { OpenResourceAtCaret(); };
    mFrame->Nested = [this](const std::function<void()>& work) {
        BusyScope busy(*this);
        work();
        return !Forgotten();
    };
    Open();
}

void TScriptForm::FillControls() {
    if (CScript* script = Resource()) mFrame->LoadCode(script->Code);
}

void TScriptForm::SelectLine(int line) {
    mFrame->Text()->SelectLine(line - 1);
    mFrame->Text()->setFocus();
}

void TScriptForm::ResourcesChanged(ResourceKind kind) {
    (void)kind;
    mNames.Refresh();
    mFrame->Recolor();
}

void TScriptForm::Closing() { mFrame->CloseDialogs(); }

void TScriptForm::OpenResourceAtCaret() {
    const std::string word = mFrame->Text()->WordAtCaret();
    if (word.empty()) return;
    static constexpr ResourceKind kOrder[] = {
        ResourceKind::Script, ResourceKind::Object, ResourceKind::Sprite,   ResourceKind::Sound,
        ResourceKind::Background, ResourceKind::Path, ResourceKind::DataFile, ResourceKind::TimeLine,
        ResourceKind::Room};
    for (ResourceKind kind : kOrder) {
        ResourceListBase& list = *GameData().ListOf(kind);
        const int found = list.FindResource(word);
        if (found >= 0) {
            list.OpenResource(found);
            return;
        }
    }
}

}  // namespace kestrin
