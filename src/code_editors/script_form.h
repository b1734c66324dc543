#pragma once
// TScriptForm: the script editor, a child window on one script resource.
// Edits go straight into the script's code (lines ending with CR LF); the
// copy taken at opening lets "No" to the close question throw them away.

#include "editors/resource_form.h"
#include "language/game_names.h"
#include "resources/script.h"

namespace kestrin {

class TCodeEditorFrame;

class TScriptForm : public ResourceForm<CScript> {
    Q_OBJECT
public:
    TScriptForm(Game& game, int index, QWidget* parent = nullptr);

    TCodeEditorFrame* Frame() const { return mFrame; }
    void SelectLine(int line) override;
    void ResourcesChanged(ResourceKind kind) override;

protected:
    void FillControls() override;
    void Closing() override;

private:
    void OpenResourceAtCaret();

    GameNames mNames;
    TCodeEditorFrame* mFrame;
};

}  // namespace kestrin
