#pragma once
// A resource editor under test: a game whose lists open their editors in a
// client area, the user interface recorded with scripted answers, the
// editors' dialogs scripted. By default the real editor of each kind opens;
// a test may give its own maker.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

#include "app/editor_windows.h"
#include "editors/resource_form.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "support/scripted_editor_dialogs.h"

namespace kestrin::test {

class EditorTestWindows : public EditorWindows {
public:
    using Maker = std::function<TResourceForm*(Game&, ResourceKind, int)>;
    EditorTestWindows(Game& game, QMdiArea& area) : EditorWindows(game, area, {}), mGame(game) {}
    Maker MakeForm;
    ResourceEditor* CreateEditor(ResourceKind kind, int index) override {
        if (!MakeForm) return EditorWindows::CreateEditor(kind, index);
        TResourceForm* form = MakeForm(mGame, kind, index);
        if (form) ShowChild(form);
        return form;
    }

private:
    Game& mGame;
};

class EditorTest : public ::testing::Test {
protected:
    EditorTest() {
        Prefs() = Preferences{};
        Prefs().Advanced = true;
        area.resize(1000, 800);
        area.show();
        game.SetEditors(&windows);
    }
    ~EditorTest() override {
        for (QMdiSubWindow* window : area.subWindowList()) delete window;
        game.SetEditors(nullptr);
        Prefs() = Preferences{};
    }

    // Opens the slot through its list, as the tree does; the window is the
    // kind's editor (or null when none opened).
    template <class Form = TResourceForm>
    Form* Open(ResourceKind kind, int index) {
        game.ListOf(kind)->OpenResource(index);
        QApplication::processEvents();
        return dynamic_cast<Form*>(game.ListOf(kind)->EditorAt(index));
    }
    // Lets queued work (news for editors, deferred deletes) run.
    static void Settle() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    RecordingUI ui;
    ScopedUI installedUi{ui};
    ScriptedEditorDialogs dialogs;
    ScopedEditorDialogs installedDialogs{dialogs};
    Game game;
    QMdiArea area;
    EditorTestWindows windows{game, area};
};

}  // namespace kestrin::test
