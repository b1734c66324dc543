// EditorWindows: the editor window of each kind.

#include "app/editor_windows.h"

#include <QMdiArea>

#include "app/placeholder_editor.h"
#include "storage/game.h"

namespace kestrin {

EditorWindows::EditorWindows(Game& game, QMdiArea& area, Hooks hooks)
    : mGame(game), mArea(area), mHooks(std::move(hooks)) {}

ResourceEditor* EditorWindows::CreateEditor(ResourceKind kind, int index) {
    // Each kind's own editor goes here once it exists.
    auto* window = new TPlaceholderForm(mGame, kind, index);
    ShowChild(window);
    return window;
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

}  // namespace kestrin
