// TMainForm: the build, check, run and help commands, and the windows of the
// game options and the game information.

#include <QApplication>
#include <QMenu>
#include <QSettings>

#include "app/about_form.h"
#include "app/app_dialogs.h"
#include "app/busy_cursor.h"
#include "app/help_form.h"
#include "app/help_window.h"
#include "app/main_form.h"
#include "app/option_form.h"
#include "app/preferences_form.h"
#include "app/qt_settings_store.h"
#include "app/script_info_form.h"
#include "app/tutorials.h"
#include "build/executable_name.h"
#include "build/game_source.h"
#include "build/run_game.h"
#include "build/stand_alone.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "storage/game.h"

namespace kestrin {

namespace {

// The main window (and the information window) step aside while a game runs.
class MainFormRunHost : public RunGameHost {
public:
    explicit MainFormRunHost(QWidget* window) : mWindow(window) {}
    void HideWindows() override {
        HideHelpForm();
        mWindow->hide();
    }
    void ShowWindows() override { mWindow->show(); }
    void SetBusy(bool busy) override {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    QWidget* mWindow;
};

}  // namespace

void TMainForm::OnPreferences() {
    std::unique_ptr<QSettings> settings = OpenUserSettings();
    QtSettingsStore store(*settings);
    ShowPreferencesDialog(this, store);
}

void TMainForm::OnCreateStandAlone() {
    FileDialogSpec spec;
    spec.objectName = "StandAloneDialog";
    spec.title = "Create a stand-alone executable";
    // Any name is taken as it is; only where executables have an extension
    // is it added and offered as the filter.
    const std::string extension = kExecutableExtension;
    if (!extension.empty()) {
        spec.defaultExtension = extension.substr(1);
        spec.filter = "Executables (*" + extension + ");;";
    }
    spec.filter += "All files (*)";
    spec.save = true;
    // Beside the game file and named after it, so the dialog starts in its folder.
    spec.proposedName = ExecutableNameFor(mFileName);
    std::optional<std::string> target = mDialogs->ChooseFile(spec);
    if (!target) return;
    BusyCursor busy;
    CreateStandAlone(*target, false, GameStandAloneSource(mGame));
}

ScriptInfoWindows& TMainForm::InfoWindows() {
    if (!mInfoWindows)
        mInfoWindows = std::make_unique<ScriptInfoWindows>(GameInfoLines(mGame), OpenGameInfoLine(mGame), mClientArea);
    return *mInfoWindows;
}

void TMainForm::OnShowListing(ListingKind kind) {
    switch (kind) {
    case ListingKind::BuiltinVariables: InfoWindows().Show(InfoType::BuiltinVariables); break;
    case ListingKind::BuiltinFunctions: InfoWindows().Show(InfoType::BuiltinFunctions); break;
    case ListingKind::Constants: InfoWindows().Show(InfoType::Constants); break;
    case ListingKind::ResourceNames: InfoWindows().Show(InfoType::ResourceNames); break;
    }
}

void TMainForm::OnSearchInScripts() {
    std::optional<std::string> text = mDialogs->InputText("Search in All Scripts", "Search String:", "");
    if (text) InfoWindows().Show(InfoType::SearchScripts, *text);
}

void TMainForm::OnCheckResourceNames() { InfoWindows().Show(InfoType::CheckResourceNames); }

void TMainForm::OnCheckAllScripts() { InfoWindows().Show(InfoType::CheckScripts); }

void TMainForm::OnRun(bool debug) {
    RunGameFacts facts;
    for (int i = 0; i < mGame.Rooms().ResourceCount() && !facts.HasRoom; ++i)
        facts.HasRoom = mGame.Rooms().ResourceExists(i);
    facts.ExclusiveGraphics = mGame.Options.Exclusive;
    facts.GameFileName = mFileName;
    MainFormRunHost host(this);
    RunGame(debug, facts, host, [this](const std::string& path, bool withDebug) {
        return CreateStandAlone(path, withDebug, GameStandAloneSource(mGame));
    });
}

void TMainForm::OnHelpContents() { ShowHelpContents(); }

void TMainForm::OnWebsite() { OpenWebSite(); }

void TMainForm::OnForum() { OpenForum(); }

void TMainForm::OnAbout() { ShowAboutBox(this); }

void TMainForm::BuildTutorialsMenu() {
    FillTutorialsMenu(mTutorialsMenu, [this](const std::string& path) { OpenExampleCommand(path); });
}

void TMainForm::OpenExampleCommand(const std::string& fileName) {
    if (!CloseAllChildWindows() || !AskSaveChanges()) return;
    if (LoadFile(fileName)) AddRecentFile(Prefs().Recent, fileName);
}

void TMainForm::OpenGameInformation() {
    if (!HelpForm()) CreateHelpForm(mGame, this);
    EditGameInformation();
}

void TMainForm::OpenGameOptions() { EditGameOptions(mGame, this); }

}  // namespace kestrin
