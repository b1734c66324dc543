// EditorWindows: the editor window of each kind, and news for open editors.

#include "app/editor_windows.h"

#include <QMdiArea>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "editors/resource_form.h"
#include "editors/resource_forms.h"
#include "storage/game.h"

namespace kestrin {

EditorWindows::EditorWindows(Game& game, QMdiArea& area, Hooks hooks)
    : mGame(game), mArea(area), mHooks(std::move(hooks)) {}

ResourceEditor* EditorWindows::CreateEditor(ResourceKind kind, int index) {
    TResourceForm* form = MakeResourceForm(mGame, kind, index);
    if (form) ShowChild(form);
    return form;
}

void EditorWindows::ShowChild(QMdiSubWindow* window) {
    mArea.addSubWindow(window);
    if (mHooks.PlaceChildWindow) mHooks.PlaceChildWindow(window);
    window->show();
    mArea.setActiveSubWindow(window);
}

void EditorWindows::SetMainWindowVisible(bool visible) {
    if (mHooks.SetMainWindowVisible) mHooks.SetMainWindowVisible(visible);
}

void EditorWindows::RepaintResourceTree() {
    if (mHooks.RepaintResourceTree) mHooks.RepaintResourceTree();
}

void EditorWindows::ResourcesChanged(ResourceKind kind) {
    bool scheduled = !mChangedKinds.empty();
    mChangedKinds.insert(kind);
    if (!scheduled) QTimer::singleShot(0, &mArea, [this] { TellResourcesChanged(); });
}

void EditorWindows::TellResourcesChanged() {
    std::set<ResourceKind> kinds = std::move(mChangedKinds);
    mChangedKinds.clear();
    // An editor may close another while it refreshes.
    std::vector<QPointer<TResourceForm>> forms;
    for (QMdiSubWindow* window : mArea.subWindowList())
        if (auto* form = qobject_cast<TResourceForm*>(window)) forms.emplace_back(form);
    for (const QPointer<TResourceForm>& form : forms)
        for (ResourceKind kind : kinds)
            if (form && !form->Forgotten()) form->ResourcesChanged(kind);
}

void EditorWindows::GameSaved() {
    for (QMdiSubWindow* window : mArea.subWindowList())
        if (auto* form = qobject_cast<TResourceForm*>(window)) form->GameSaved();
}

}  // namespace kestrin
