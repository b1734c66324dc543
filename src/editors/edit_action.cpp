// Choosing and running the editor of an action.

#include "editors/edit_action.h"

#include <QApplication>
#include <QWidget>

#include "actions/action_definition.h"
#include "actions/action_description.h"
#include "editors/action_argument_form.h"
#include "editors/editor_dialogs.h"
#include "platform/external_program.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "resources/action.h"
#include "storage/game.h"

namespace kestrin {

namespace {

ActionFormAnswer& InstalledAnswer() {
    static ActionFormAnswer answer;
    return answer;
}

bool EditArguments(Game& game, CAction& action, const CActionDefinition& definition) {
    TActionForm form(game, action, definition, QApplication::activeWindow());
    const bool ok = InstalledAnswer() ? InstalledAnswer()(form) : form.exec() == QDialog::Accepted;
    return ok && form.WriteBack(action);
}

bool EditCodeArgument(CAction& action, const CActionDefinition& definition) {
    const std::string text = action.GetArgValue(0);
    if (ExternalCodeEditorChosen()) {
        // The main window steps aside while the other program has the text.
        QWidget* main = QApplication::activeWindow();
        if (main) main->hide();
        const std::string edited = EditTextExternally(text, Prefs().CodeEditor);
        if (main) main->show();
        if (edited == text) return false;
        action.SetArgValue(0, edited);
        return true;
    }
    CodeEditRequest request;
    request.text = text;
    request.caption = ActionDescription(action);
    request.codeMode = definition.InterfaceKind == kInterfaceCode;
    request.showAppliesTo = true;
    request.appliesTo = action.AppliesTo;
    std::optional<CodeEditResult> result = EditCode(request);
    if (!result || (result->text == text && result->appliesTo == action.AppliesTo)) return false;
    action.SetArgValue(0, result->text);
    action.AppliesTo = result->appliesTo;
    return true;
}

}  // namespace

bool EditAction(Game& game, CAction& action) {
    const CActionDefinition* definition = action.GetDefinition();
    if (!definition) {
        ShowMessage(kCannotEditUnknownAction);
        return false;
    }
    switch (definition->InterfaceKind) {
    case kInterfaceArguments:
    case kInterfaceDirections: return EditArguments(game, action, *definition);
    case kInterfaceCode:
    case kInterfaceText: return EditCodeArgument(action, *definition);
    default: return false;
    }
}

ScopedActionFormAnswer::ScopedActionFormAnswer(ActionFormAnswer answer) : mPrevious(std::move(InstalledAnswer())) {
    InstalledAnswer() = std::move(answer);
}

ScopedActionFormAnswer::~ScopedActionFormAnswer() { InstalledAnswer() = std::move(mPrevious); }

}  // namespace kestrin
