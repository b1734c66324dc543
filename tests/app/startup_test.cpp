// The settings store on QSettings, the session's start and end, and the title.

#include <gtest/gtest.h>

#include <QSettings>

#include "app/qt_settings_store.h"
#include "app/startup.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "platform/scratch_folder.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

TEST(QtSettingsStore, KeysAreGroupPathsAndValuesKeepTheirKind) {
    test::TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("k.ini")), QSettings::IniFormat);
    QtSettingsStore store(settings);
    EXPECT_FALSE(store.KeyExists(kPreferencesKey));
    store.WriteInteger(kPreferencesKey, "MaxBackup", 3);
    store.WriteText(kPreferencesKey, "Recent0", "/g/\xe9t\xe9.ksd");
    EXPECT_TRUE(store.KeyExists(kPreferencesKey));
    EXPECT_FALSE(store.KeyExists(kOlderPreferencesKey));
    EXPECT_EQ(store.ReadInteger(kPreferencesKey, "MaxBackup"), 3);
    EXPECT_EQ(store.ReadText(kPreferencesKey, "Recent0"), "/g/\xe9t\xe9.ksd");
    EXPECT_EQ(store.ReadInteger(kPreferencesKey, "Missing"), std::nullopt);
    EXPECT_EQ(settings.value("Kestrin/Version 5/Preferences/MaxBackup").toInt(), 3);
}

TEST(Session, StartsWithPreferencesAndScratchAndLeavesNothingBehind) {
    test::TempDir dir, temp;
    ::setenv("temp", temp.Path().c_str(), 1);
    QSettings settings(QString::fromStdString(dir.File("k.ini")), QSettings::IniFormat);
    settings.setValue("Kestrin 4/Preferences/MaxBackup", 4);
    settings.setValue("Kestrin 4/Preferences/Advanced", 1);
    RecordingUI recorder;
    ScopedUI installed(recorder);
    std::string scratch;
    {
        Session session(settings);
        scratch = ScratchFolder();
        EXPECT_TRUE(FolderExists(scratch));
        EXPECT_EQ(Prefs().MaxBackup, 4);
        EXPECT_EQ(settings.value("Kestrin 4/Preferences/KestrinRunning").toInt(), 1);
    }
    EXPECT_FALSE(PathExists(scratch));
    EXPECT_EQ(settings.value("Kestrin/Version 5/Preferences/MaxBackup").toInt(), 4);
    EXPECT_EQ(settings.value("Kestrin/Version 5/Preferences/KestrinRunning").toInt(), 0);
    EXPECT_TRUE(recorder.Questions().empty());
    ::unsetenv("temp");
}

}  // namespace
}  // namespace kestrin
