// TMainForm: the build, check, run and help commands. Their windows (the
// preferences dialog, the listings, the help viewer, the about window) are
// still to come; until then these commands do nothing.

#include <QMenu>

#include "app/main_form.h"

namespace kestrin {

void TMainForm::OnPreferences() {}

void TMainForm::OnCreateStandAlone() {}

void TMainForm::OnShowListing(ListingKind kind) { (void)kind; }

void TMainForm::OnSearchInScripts() {}

void TMainForm::OnCheckResourceNames() {}

void TMainForm::OnCheckAllScripts() {}

void TMainForm::OnRun(bool debug) { (void)debug; }

void TMainForm::OnHelpContents() {}

void TMainForm::OnWebsite() {}

void TMainForm::OnForum() {}

void TMainForm::OnAbout() {}

// One item per file of the tutorials folder; hidden while there is none.
void TMainForm::BuildTutorialsMenu() { mTutorialsMenu->menuAction()->setVisible(false); }

}  // namespace kestrin
