// The runner's settings store keeps strings and reals apart across runs and
// stops taking new values when full; the game's clipboard is the system's.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "runner/runner_screen.h"
#include "runner/runner_shell.h"
#include "support/temp_dir.h"

namespace kestrin::runner {
namespace {

TEST(RunnerSettings, ValuesReadBackAsTheTypeTheyWereWrittenInALaterRun) {
    kestrin::test::TempDir dir;
    const QString file = QString::fromStdString(dir.File("games.conf"));
    {
        RunnerSettings settings(file);
        EXPECT_TRUE(settings.Write("user/games/7/name", {true, "Caf\xe9 12", 0}));
        EXPECT_TRUE(settings.Write("user/games/7/best", {false, {}, 1500.25}));
        EXPECT_TRUE(settings.Write("user/games/7/digits", {true, "42", 0}));
        EXPECT_TRUE(settings.Write("machine/Soft ware/x", {false, {}, -3}));
    }
    RunnerSettings later(file);
    engine::SettingValue value;
    ASSERT_TRUE(later.Read("user/games/7/name", value));
    EXPECT_TRUE(value.isText);
    EXPECT_EQ(value.text, "Caf\xe9 12");
    ASSERT_TRUE(later.Read("user/games/7/best", value));
    EXPECT_FALSE(value.isText);
    EXPECT_EQ(value.real, 1500.25);
    ASSERT_TRUE(later.Read("user/games/7/digits", value));
    EXPECT_TRUE(value.isText);  // text of digits stays text
    EXPECT_EQ(value.text, "42");
    ASSERT_TRUE(later.Read("machine/Soft ware/x", value));
    EXPECT_EQ(value.real, -3);
    EXPECT_FALSE(later.Read("user/games/7/missing", value));
}

TEST(RunnerSettings, AFullStoreStillChangesValuesItHas) {
    kestrin::test::TempDir dir;
    RunnerSettings settings(QString::fromStdString(dir.File("full.conf")));
    for (std::size_t i = 0; i < engine::SettingsStore::kMaxValues; ++i)
        ASSERT_TRUE(settings.Write("k/" + std::to_string(i), {false, {}, 1}));
    EXPECT_FALSE(settings.Write("k/new", {false, {}, 1}));
    EXPECT_TRUE(settings.Write("k/0", {true, "changed", 0}));
}

TEST(RunnerScreen, TheClipboardIsTheSystemsInLatin1) {
    RunnerScreen screen;
    screen.SetClipboardText("na\xefve");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("na\xc3\xafve"));
    EXPECT_TRUE(screen.HasClipboardText());
    QGuiApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
    EXPECT_EQ(screen.ClipboardText(), "from elsewhere");
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(screen.HasClipboardText());
}

}  // namespace
}  // namespace kestrin::runner
