#pragma once
// The user's preferences: one plain struct read by the core, loaded from and
// saved to a per-user settings store. The store itself (QSettings in the app,
// a map in tests) sits behind SettingsStore.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kestrin {

inline constexpr const char* kPreferencesKey = "Kestrin/Version 5/Preferences";
inline constexpr const char* kOlderPreferencesKey = "Kestrin 4/Preferences";
inline constexpr int kRecentFileCount = 8;
inline constexpr int kColorClassCount = 16;

inline constexpr const char* kAdvancedModeQuestion =
    "Kestrin can run in simple mode or advanced mode. If you are an inexperienced user you better use simple "
    "mode.  The mode can be changed later in the File menu.\r\rDo you want to enable Advanced mode?";

// Colours of the sixteen colour classes of code (red in the low byte).
inline constexpr std::array<std::int32_t, kColorClassCount> kDefaultCodeColors = {
    0, 0, 32768, 8388736, 8388736, 8388736, 8388736, 8388736, 8388736,
    16711680, 16711680, 8388608, 128, 8388736, 8388736, 8388736};

struct Preferences {
    std::array<std::string, kRecentFileCount> Recent{};
    bool ShowRecent = true;
    bool LoadLast = false;
    bool Backup = true;
    int MaxBackup = 1;
    bool ShowProgress = true;
    bool RemoveTemp = true;
    bool HideWait = true;
    bool Warning = false;
    bool ActionHints = true;
    bool RemoveOutside = true;
    bool RememberRoomSettings = false;
    bool SpriteOrigin = true;
    std::string SoundDir, SpriteDir, BackgroundDir, GameDir, ScriptDir, TileDir, StripDir;
    int FormLeft = 0, FormTop = 0, FormWidth = 780, FormHeight = 560;
    bool FormMaximized = false;
    bool ColorCode = true;
    std::array<std::int32_t, kColorClassCount> Colors = kDefaultCodeColors;
    std::string FontName = "Courier New";
    int FontSize = 10;
    bool GroupUndo = true;
    bool AutomaticIndent = true;
    bool SmartTabs = false;
    int UndoValue = 32;
    int IndentValue = 4;
    bool CodeEditorInternal = true;
    std::string CodeEditor;
    bool FunctionHelp = true;
    bool ImageEditorInternal = true;
    std::string ImageEditor;
    std::string WaveEditor;  // no system sound recorder to point at here
    std::string MidiEditor;
    std::string Mp3Editor;
    bool Advanced = false;
};

// Defaults; the folder defaults are the executable's folder (ending with a
// separator) followed by their names, and the window is centred on the screen.
Preferences DefaultPreferences(const std::string& executableFolder, int screenWidth, int screenHeight);

// Puts stored window bounds onto the screen: a left or top below 0 or beyond
// the screen becomes 0, and one beyond the screen size less 200 becomes that.
int ClampFormLeft(int left, int screenWidth);
int ClampFormTop(int top, int screenHeight);

// A per-user store of named values under keys such as kPreferencesKey.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool KeyExists(const std::string& key) const = 0;
    virtual std::optional<std::int32_t> ReadInteger(const std::string& key, const std::string& name) const = 0;
    virtual std::optional<std::string> ReadText(const std::string& key, const std::string& name) const = 0;
    virtual void WriteInteger(const std::string& key, const std::string& name, std::int32_t value) = 0;
    virtual void WriteText(const std::string& key, const std::string& name, const std::string& value) = 0;
};

// Reads the preferences from the current key, or from the older one when the
// current key is missing; asks the advanced-mode question through the seam
// when the key read has no mode; then marks Kestrin as running in that key.
Preferences LoadPreferences(SettingsStore& store, const std::string& executableFolder, int screenWidth,
                            int screenHeight);

// Writes every value to the current key.
void SavePreferences(SettingsStore& store, const Preferences& preferences);

// Clears the running flag at the end of a run.
void MarkNotRunning(SettingsStore& store);

// The process-wide preferences, read by every part that needs them.
Preferences& Prefs();

}  // namespace kestrin
