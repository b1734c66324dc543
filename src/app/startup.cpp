// Session: what happens before the first window and after the last.

#include "app/startup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "app/qt_settings_store.h"
#include "actions/action_registry.h"
#include "image_editors/qt_picture_decoder.h"
#include "language/builtin_names.h"
#include "language/function_help.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/scratch_folder.h"

namespace kestrin {

Session::Session(QSettings& settings) : mSettings(settings) {
    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->size();
    QtSettingsStore store(mSettings);
    Prefs() = LoadPreferences(store, ExecutableFolder(), screen.width(), screen.height());
    MakeScratchFolder();
    LoadActionLibraries();
    NameTables();  // filled on first use: now, before any window
    LoadFunctionHelp(ExecutableFolder());
    RegisterQtPictureDecoder();
}

Session::~Session() {
    RemoveScratchFolder();
    QtSettingsStore store(mSettings);
    SavePreferences(store, Prefs());
    MarkNotRunning(store);
    mSettings.sync();
}

}  // namespace kestrin
