// kestrin: the authoring environment.

#include <QApplication>
#include <QSettings>

#include "app/main_form.h"
#include "app/qt_user_interface.h"
#include "app/startup.h"
#include "app/termination_signals.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrin"));
    QApplication::setOrganizationName(QStringLiteral("Kestrin"));

    kestrin::QtUserInterface ui;
    kestrin::InstallUI(&ui);
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kestrin"),
                       QStringLiteral("Kestrin"));
    int result;
    {
        kestrin::Session session(settings, ui);
        kestrin::TMainForm mainForm;
        ui.SetParentWindow(&mainForm);
        kestrin::QuitOnTerminationSignals(&mainForm);
        mainForm.show();
        result = app.exec();
        ui.SetParentWindow(nullptr);
    }
    kestrin::InstallUI(nullptr);
    return result;
}
