#pragma once
// EditorWindows: the app's side of the lists' editor seam. It makes the
// kind's editor window for a slot inside the main window's client area, and
// passes on to open editors what changed in the game.

#include <functional>
#include <set>

#include "storage/resource_editor.h"

class QMdiArea;
class QMdiSubWindow;

namespace kestrin {

class Game;

class EditorWindows : public EditorHost {
public:
    struct Hooks {
        std::function<void(QMdiSubWindow*)> PlaceChildWindow;
        std::function<void(bool)> SetMainWindowVisible;
        std::function<void()> RepaintResourceTree;
    };

    EditorWindows(Game& game, QMdiArea& area, Hooks hooks);

    ResourceEditor* CreateEditor(ResourceKind kind, int index) override;
    void SetMainWindowVisible(bool visible) override;
    void RepaintResourceTree() override;
    // Gathered and told to every open editor once control is back in the
    // event loop, so a merge of many resources refreshes each editor once.
    void ResourcesChanged(ResourceKind kind) override;
    void GameSaved() override;

    // Shows a window that is already made as a child window.
    void ShowChild(QMdiSubWindow* window);

private:
    void TellResourcesChanged();

    Game& mGame;
    QMdiArea& mArea;
    Hooks mHooks;
    std::set<ResourceKind> mChangedKinds;
};

}  // namespace kestrin
