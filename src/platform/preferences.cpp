// Preferences: defaults, loading with the older key as fallback, saving.

#include "platform/preferences.h"

#include "platform/user_interface.h"

namespace kestrin {

Preferences DefaultPreferences(const std::string& executableFolder, int screenWidth, int screenHeight) {
    Preferences p;
    p.SoundDir = executableFolder + "Sounds";
    p.SpriteDir = executableFolder + "Sprites";
    p.BackgroundDir = executableFolder + "Backgrounds";
    p.GameDir = executableFolder + "Examples";
    p.ScriptDir = executableFolder + "Scripts";
    p.TileDir = executableFolder + "Tiles";
    p.StripDir = executableFolder + "Strips";
    p.FormLeft = (screenWidth - 780) / 2;
    p.FormTop = (screenHeight - 560) / 2;
    return p;
}

int ClampFormLeft(int left, int screenWidth) {
    if (left < 0 || left > screenWidth) left = 0;
    if (left > screenWidth - 200) left = screenWidth - 200;
    return left;
}

int ClampFormTop(int top, int screenHeight) {
    if (top < 0 || top > screenHeight) top = 0;
    if (top > screenHeight - 200) top = screenHeight - 200;
    return top;
}

namespace {

// One table drives reading and writing, in the stored order.
template <typename Visitor>
void VisitValues(Preferences& p, Visitor&& v) {
    for (int i = 0; i < kRecentFileCount; ++i) v.Text("Recent" + std::to_string(i), p.Recent[i]);
    v.Bool("ShowRecent", p.ShowRecent);
    v.Bool("LoadLast", p.LoadLast);
    v.Bool("Backup", p.Backup);
    v.Int("MaxBackup", p.MaxBackup);
    v.Bool("ShowProgress", p.ShowProgress);
    v.Bool("RemoveTemp", p.RemoveTemp);
    v.Bool("HideWait", p.HideWait);
    v.Bool("Warning", p.Warning);
    v.Bool("ActionHints", p.ActionHints);
    v.Bool("RemoveOutside", p.RemoveOutside);
    v.Bool("RememberRoomSettings", p.RememberRoomSettings);
    v.Bool("SpriteOrigin", p.SpriteOrigin);
    v.Text("SoundDir", p.SoundDir);
    v.Text("SpriteDir", p.SpriteDir);
    v.Text("BackgroundDir", p.BackgroundDir);
    v.Text("GameDir", p.GameDir);
    v.Text("ScriptDir", p.ScriptDir);
    v.Text("TileDir", p.TileDir);
    v.Text("StripDir", p.StripDir);
    v.Bounds(p);
    v.Bool("ColorCode", p.ColorCode);
    for (int i = 0; i < kColorClassCount; ++i) v.Int("Color" + std::to_string(i), p.Colors[i]);
    v.Text("FontName", p.FontName);
    v.Int("FontSize", p.FontSize);
    v.Bool("GroupUndo", p.GroupUndo);
    v.Bool("AutomaticIndent", p.AutomaticIndent);
    v.Bool("SmartTabs", p.SmartTabs);
    v.Int("UndoValue", p.UndoValue);
    v.Int("IndentValue", p.IndentValue);
    v.Bool("CodeEditorInternal", p.CodeEditorInternal);
    v.Text("CodeEditor", p.CodeEditor);
    v.Bool("FunctionHelp", p.FunctionHelp);
    v.Bool("ImageEditorInternal", p.ImageEditorInternal);
    v.Text("ImageEditor", p.ImageEditor);
    v.Text("WaveEditor", p.WaveEditor);
    v.Text("MidiEditor", p.MidiEditor);
    v.Text("Mp3Editor", p.Mp3Editor);
}

struct Reader {
    const SettingsStore& store;
    std::string key;
    int screenWidth, screenHeight;

    void Text(const std::string& name, std::string& value) {
        if (auto stored = store.ReadText(key, name)) value = *stored;
    }
    void Int(const std::string& name, std::int32_t& value) {
        if (auto stored = store.ReadInteger(key, name)) value = *stored;
    }
    void Bool(const std::string& name, bool& value) {
        if (auto stored = store.ReadInteger(key, name)) value = *stored != 0;
    }
    void Bounds(Preferences& p) {
        Bool("FormMaximized", p.FormMaximized);
        if (p.FormMaximized) return;
        Int("FormLeft", p.FormLeft);
        Int("FormWidth", p.FormWidth);
        Int("FormTop", p.FormTop);
        Int("FormHeight", p.FormHeight);
        p.FormLeft = ClampFormLeft(p.FormLeft, screenWidth);
        p.FormTop = ClampFormTop(p.FormTop, screenHeight);
    }
};

struct Writer {
    SettingsStore& store;

    void Text(const std::string& name, std::string& value) { store.WriteText(kPreferencesKey, name, value); }
    void Int(const std::string& name, std::int32_t& value) { store.WriteInteger(kPreferencesKey, name, value); }
    void Bool(const std::string& name, bool& value) { store.WriteInteger(kPreferencesKey, name, value ? 1 : 0); }
    void Bounds(Preferences& p) {
        Int("FormLeft", p.FormLeft);
        Int("FormWidth", p.FormWidth);
        Int("FormTop", p.FormTop);
        Int("FormHeight", p.FormHeight);
        Bool("FormMaximized", p.FormMaximized);
    }
};

}  // namespace

Preferences LoadPreferences(SettingsStore& store, const std::string& executableFolder, int screenWidth,
                            int screenHeight) {
    Preferences p = DefaultPreferences(executableFolder, screenWidth, screenHeight);
    std::string key = store.KeyExists(kPreferencesKey) ? kPreferencesKey : kOlderPreferencesKey;
    Reader reader{store, key, screenWidth, screenHeight};
    VisitValues(p, reader);
    if (auto advanced = store.ReadInteger(key, "Advanced"))
        p.Advanced = *advanced != 0;
    else
        p.Advanced = AskYesNo(kAdvancedModeQuestion);
    store.WriteInteger(key, "KestrinRunning", 1);
    return p;
}

void SavePreferences(SettingsStore& store, const Preferences& preferences) {
    Preferences copy = preferences;
    Writer writer{store};
    VisitValues(copy, writer);
    store.WriteInteger(kPreferencesKey, "Advanced", copy.Advanced ? 1 : 0);
}

void MarkNotRunning(SettingsStore& store) { store.WriteInteger(kPreferencesKey, "KestrinRunning", 0); }

Preferences& Prefs() {
    static Preferences preferences;
    return preferences;
}

}  // namespace kestrin
