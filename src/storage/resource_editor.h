#pragma once
// The seam between the resource lists and the editor windows. The GUI
// implements EditorHost (making the kind's window for a slot) and
// ResourceEditor (one open window); the lists only open, bring to front,
// rename and close windows, and forget them when they close.

#include <string>

#include "resources/resource_kind.h"

namespace kestrin {

class ResourceEditor {
public:
    virtual ~ResourceEditor() = default;
    virtual void BringToFront() = 0;
    // Closes and frees the window. The list has forgotten it already, so the
    // window may call EditorClosed on its way out.
    virtual void CloseEditor() = 0;
    // The resource was renamed: show it in the name field.
    virtual void ShowName(const std::string& name) = 0;
    // Script editors: select line (counted from 1) and scroll it into view.
    virtual void SelectLine(int line) { (void)line; }
};

class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Makes and shows the kind's editor window for the slot; null when none
    // could be made. The window stays the host's to free.
    virtual ResourceEditor* CreateEditor(ResourceKind kind, int index) = 0;
    // Hidden while an external program edits a resource.
    virtual void SetMainWindowVisible(bool visible) { (void)visible; }
    // An editor closed: the resource tree repaints (its names and icons).
    virtual void RepaintResourceTree() {}
    // A kind's resources were added, deleted, renamed, loaded, merged or got
    // a new icon: open editors refresh what they show of that kind.
    virtual void ResourcesChanged(ResourceKind kind) { (void)kind; }
    // The game was saved: what the editors hold is now the saved state.
    virtual void GameSaved() {}
};

}  // namespace kestrin
