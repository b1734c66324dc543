#pragma once
// CGameOptions: the one set of game settings the runner applies at start
// (graphics, resolution, keys, loading picture and bar, icon, error handling,
// author information, user constants), its stored record and the resolution
// code tables of the options editor.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"
#include "stream/stream.h"

namespace kestrin {

inline constexpr std::int32_t kOptionsVersion = 530;
inline constexpr std::int32_t kOptionsOldestVersion = 500;

struct UserConstant {
    std::string Name;
    std::string Value;
    bool operator==(const UserConstant&) const = default;
};

// Resolution codes as stored; the editor lists them by size with "no change" last.
inline constexpr int kResolutionCount = 7;
inline constexpr std::array<const char*, kResolutionCount> kResolutionNames = {
    "640 x 480", "800 x 600", "1024 x 768", "1280 x 1024", "no change", "320 x 240", "1600 x 1200"};
inline constexpr std::array<int, kResolutionCount> kResolutionCodeToPosition = {1, 2, 3, 4, 6, 0, 5};
inline constexpr std::array<int, kResolutionCount> kResolutionPositionToCode = {5, 0, 1, 2, 3, 6, 4};
// Out-of-range input gives the default code's position / the default code.
int ResolutionPosition(int code);
int ResolutionCode(int position);

// Local date and time as days since 30 December 1899, the time of day as fraction.
double LocalDateTimeNow();

class CGameOptions {
public:
    CGameOptions() { ResetOptions(); }

    bool Fullscreen, NoBorder, ShowCursor;
    std::int32_t WinScale, FullScale;
    bool ScaleHardware, SetResolution, Exclusive;
    std::int32_t ColorDepth, Resolution, Frequency;
    bool WaitVBlank, FullscreenCaption, NoClose, ScreenKey, HelpKey, QuitKey, SaveKey;
    std::int32_t Priority;
    bool FlagA, FlagB, Freeze;
    std::int32_t ProgressBar;
    std::optional<Bitmap24> BackImage, FrontImage;  // none when absent
    bool ShowLoadImage;
    std::optional<Bitmap24> LoadImage;
    bool LoadTransparent;
    std::int32_t LoadAlpha;
    bool ScaleProgress;
    std::string GameIcon;  // the bytes of an icon file
    bool DisplayErrors, WriteErrors, AbortErrors, VariableErrors;
    std::string Author;
    std::int32_t Version;
    double LastChanged;
    std::string Information;
    std::vector<UserConstant> Constants;
    // Whether the options changed since the last load or save is the game's
    // Options changed flag, not kept here.

    void ResetOptions();
    // Resets, then reads a record of version 500..530; false for any other
    // version (the options stay reset). Stream errors propagate, the options
    // reset.
    bool LoadOptions(CStream& stream);
    // Reads a whole record and drops it, leaving every option as it is.
    static bool SkipOptions(CStream& stream);
    // Writes version 530 with the current local time as the last change.
    void SaveOptions(CStream& stream) const;

    bool operator==(const CGameOptions&) const = default;

private:
    // Reads the fields after the version into this object.
    void ReadFields(CStream& stream, std::int32_t version);
};

}  // namespace kestrin
