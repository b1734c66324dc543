// Preference defaults, the older key as fallback, window bounds, the
// first-start question and the running flag.

#include <gtest/gtest.h>

#include <map>

#include "platform/preferences.h"
#include "platform/recording_ui.h"

namespace kestrin {
namespace {

// The settings store as a map of "key/name" to integer or text.
class MapStore : public SettingsStore {
public:
    std::map<std::string, std::int32_t> ints;
    std::map<std::string, std::string> texts;

    bool KeyExists(const std::string& key) const override {
        auto has = [&](const auto& m) {
            auto it = m.lower_bound(key + "/");
            return it != m.end() && it->first.rfind(key + "/", 0) == 0;
        };
        return has(ints) || has(texts);
    }
    std::optional<std::int32_t> ReadInteger(const std::string& key, const std::string& name) const override {
        auto it = ints.find(key + "/" + name);
        return it == ints.end() ? std::nullopt : std::optional<std::int32_t>(it->second);
    }
    std::optional<std::string> ReadText(const std::string& key, const std::string& name) const override {
        auto it = texts.find(key + "/" + name);
        return it == texts.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void WriteInteger(const std::string& key, const std::string& name, std::int32_t value) override {
        ints[key + "/" + name] = value;
    }
    void WriteText(const std::string& key, const std::string& name, const std::string& value) override {
        texts[key + "/" + name] = value;
    }
};

const std::string kCurrent = kPreferencesKey;
const std::string kOlder = kOlderPreferencesKey;

TEST(Preferences, DefaultsOnAFirstStartAndTheModeQuestionOnce) {
    MapStore store;
    RecordingUI ui;
    ScopedUI installed(ui);
    ui.ScriptAnswers({Answer::Yes});
    Preferences p = LoadPreferences(store, "/opt/kestrin/", 1024, 768);

    EXPECT_EQ(ui.Questions(), std::vector<std::string>{kAdvancedModeQuestion});
    EXPECT_TRUE(p.Advanced);
    EXPECT_TRUE(p.ShowRecent && p.Backup && p.ShowProgress && p.RemoveTemp && p.HideWait && p.ActionHints);
    EXPECT_FALSE(p.LoadLast || p.Warning || p.RememberRoomSettings || p.SmartTabs || p.FormMaximized);
    EXPECT_EQ(p.MaxBackup, 1);
    EXPECT_EQ(p.SoundDir, "/opt/kestrin/Sounds");
    EXPECT_EQ(p.StripDir, "/opt/kestrin/Strips");
    EXPECT_EQ(p.GameDir, "/opt/kestrin/Examples");
    EXPECT_EQ(p.FormLeft, 122);
    EXPECT_EQ(p.FormTop, 104);
    EXPECT_EQ(p.FormWidth, 780);
    EXPECT_EQ(p.FormHeight, 560);
    EXPECT_EQ(p.FontName, "Courier New");
    EXPECT_EQ(p.FontSize, 10);
    EXPECT_EQ(p.UndoValue, 32);
    EXPECT_EQ(p.IndentValue, 4);
    EXPECT_EQ(p.Colors[2], 32768);
    EXPECT_EQ(p.Colors[11], 8388608);
    EXPECT_EQ(p.WaveEditor, "");
    EXPECT_EQ(store.ints[kOlder + "/KestrinRunning"], 1);  // the key that was read

    SavePreferences(store, p);
    MarkNotRunning(store);
    EXPECT_EQ(store.ints[kCurrent + "/KestrinRunning"], 0);
    ui.Reset();
    Preferences again = LoadPreferences(store, "/opt/kestrin/", 1024, 768);
    EXPECT_TRUE(ui.Questions().empty());
    EXPECT_TRUE(again.Advanced);
}

TEST(Preferences, OlderKeyIsReadWhenTheCurrentOneIsMissingAndSavedToTheCurrent) {
    MapStore store;
    store.ints[kOlder + "/MaxBackup"] = 5;
    store.ints[kOlder + "/Advanced"] = 0;
    store.texts[kOlder + "/Recent0"] = "/games/old.ksd";
    RecordingUI ui;
    ScopedUI installed(ui);
    Preferences p = LoadPreferences(store, "/x/", 1024, 768);
    EXPECT_EQ(p.MaxBackup, 5);
    EXPECT_EQ(p.Recent[0], "/games/old.ksd");
    EXPECT_TRUE(ui.Questions().empty());

    SavePreferences(store, p);
    EXPECT_EQ(store.ints[kCurrent + "/MaxBackup"], 5);
    EXPECT_EQ(store.texts[kCurrent + "/Recent0"], "/games/old.ksd");
    EXPECT_EQ(store.ints[kCurrent + "/Advanced"], 0);
    EXPECT_EQ(store.ints.count(kOlder + "/Backup"), 0u);  // the older key is never written

    // Once the current key exists, the older one is ignored.
    store.ints[kOlder + "/MaxBackup"] = 9;
    EXPECT_EQ(LoadPreferences(store, "/x/", 1024, 768).MaxBackup, 5);
}

TEST(Preferences, StoredWindowBoundsAreKeptOnScreen) {
    struct Case {
        int left, top, expectedLeft, expectedTop;
    } cases[] = {
        {5000, 10, 0, 10}, {900, 10, 824, 10}, {-3, 700, 0, 568}, {100, 800, 100, 0}, {824, 568, 824, 568},
    };
    for (const auto& c : cases) {
        MapStore store;
        store.ints[kCurrent + "/Advanced"] = 1;
        store.ints[kCurrent + "/FormLeft"] = c.left;
        store.ints[kCurrent + "/FormTop"] = c.top;
        store.ints[kCurrent + "/FormWidth"] = 5000;
        Preferences p = LoadPreferences(store, "/x/", 1024, 768);
        EXPECT_EQ(p.FormLeft, c.expectedLeft) << c.left;
        EXPECT_EQ(p.FormTop, c.expectedTop) << c.top;
        EXPECT_EQ(p.FormWidth, 5000);  // taken as stored
    }
}

TEST(Preferences, MaximizedWindowKeepsTheCentredNormalBounds) {
    MapStore store;
    store.ints[kCurrent + "/Advanced"] = 1;
    store.ints[kCurrent + "/FormMaximized"] = 1;
    store.ints[kCurrent + "/FormLeft"] = 7;
    store.ints[kCurrent + "/FormWidth"] = 300;
    Preferences p = LoadPreferences(store, "/x/", 1280, 1024);
    EXPECT_TRUE(p.FormMaximized);
    EXPECT_EQ(p.FormLeft, 250);
    EXPECT_EQ(p.FormTop, 232);
    EXPECT_EQ(p.FormWidth, 780);
}

TEST(Preferences, EveryValueRoundTripsThroughTheStore) {
    MapStore store;
    Preferences p = DefaultPreferences("/x/", 1024, 768);
    p.Recent[7] = "/r7.ksd";
    p.Backup = false;
    p.MaxBackup = 9;
    p.Colors[15] = 0x123456;
    p.FontName = "Mono";
    p.CodeEditorInternal = false;
    p.CodeEditor = "/usr/bin/editor";
    p.Mp3Editor = "/usr/bin/mp3";
    p.Advanced = true;
    p.FormLeft = 10;
    p.FormTop = 20;
    SavePreferences(store, p);
    Preferences q = LoadPreferences(store, "/other/", 1024, 768);
    EXPECT_EQ(q.Recent[7], "/r7.ksd");
    EXPECT_FALSE(q.Backup);
    EXPECT_EQ(q.MaxBackup, 9);
    EXPECT_EQ(q.Colors[15], 0x123456);
    EXPECT_EQ(q.FontName, "Mono");
    EXPECT_FALSE(q.CodeEditorInternal);
    EXPECT_EQ(q.CodeEditor, "/usr/bin/editor");
    EXPECT_EQ(q.Mp3Editor, "/usr/bin/mp3");
    EXPECT_EQ(q.SoundDir, "/x/Sounds");  // stored folders win over the new defaults
    EXPECT_TRUE(q.Advanced);
    EXPECT_EQ(q.FormLeft, 10);
    EXPECT_EQ(q.FormTop, 20);
}

}  // namespace
}  // namespace kestrin
