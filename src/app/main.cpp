// kestrin: the authoring environment.

#include <QApplication>
#include <QSettings>

#include "app/kestrin_icon.h"
#include "app/main_form.h"
#include "app/qt_settings_store.h"
#include "app/qt_user_interface.h"
#include "app/startup.h"
#include "app/termination_signals.h"
#include "image_editors/sound_player.h"
#include "storage/game.h"

int main(int argc, char** argv) {
    kestrin::ChooseMediaBackend();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrin"));
    QApplication::setOrganizationName(QStringLiteral("Kestrin"));
    // Ties the windows to kestrin.desktop, so the desktop shows its icon and name.
    QApplication::setDesktopFileName(QStringLiteral("kestrin"));
    QApplication::setWindowIcon(kestrin::KestrinIcon());

    kestrin::QtUserInterface ui;
    kestrin::InstallUI(&ui);
    std::unique_ptr<QSettings> settings = kestrin::OpenUserSettings();
    int result;
    {
        kestrin::Session session(*settings);
        // The one game of the whole run: new, load and merge change its contents.
        kestrin::Game game;
        {
            kestrin::TMainForm mainForm(game);
            mainForm.SetCommandLine(QApplication::arguments().mid(1));
            ui.SetParentWindow(&mainForm);
            kestrin::QuitOnTerminationSignals(&mainForm);
            mainForm.show();
            result = app.exec();
            ui.SetParentWindow(nullptr);
        }
    }
    kestrin::InstallUI(nullptr);
    return result;
}
