// The game options: defaults, the stored record in all its versions, and the
// resolution tables.

#include "resources/game_options.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "imaging/bitmap24_ops.h"
#include "resources/default_icon.h"

namespace kestrin {

namespace {

// A picture that cannot be decoded reads as none.
std::optional<Bitmap24> ReadPicture(CStream& stream) {
    Image image = Bitmap24_LoadFromStream(stream);
    if (!image) return std::nullopt;
    return std::move(*image);
}

void WritePicture(CStream& stream, const std::optional<Bitmap24>& picture) {
    Bitmap24_SaveToStream(picture ? &*picture : nullptr, stream);
}

}  // namespace

int ResolutionPosition(int code) {
    if (code < 0 || code >= kResolutionCount) code = 1;
    return kResolutionCodeToPosition[code];
}

int ResolutionCode(int position) {
    if (position < 0 || position >= kResolutionCount) return 1;
    return kResolutionPositionToCode[position];
}

double LocalDateTimeNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const year_month_day date{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                              day{static_cast<unsigned>(local.tm_mday)}};
    const auto epochDays = sys_days(date).time_since_epoch().count();
    constexpr double kDaysFrom1899To1970 = 25569.0;
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const double secondOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0;
    return kDaysFrom1899To1970 + static_cast<double>(epochDays) + secondOfDay / 86400.0;
}

void CGameOptions::ResetOptions() {
    Fullscreen = false;
    NoBorder = false;
    ShowCursor = true;
    WinScale = 100;
    FullScale = 100;
    ScaleHardware = true;
    SetResolution = false;
    Exclusive = false;
    ColorDepth = 0;
    Resolution = 1;
    Frequency = 4;
    WaitVBlank = false;
    FullscreenCaption = true;
    NoClose = false;
    ScreenKey = true;
    HelpKey = true;
    QuitKey = true;
    SaveKey = true;
    Priority = 0;
    FlagA = true;
    FlagB = true;
    Freeze = false;
    ProgressBar = 1;
    BackImage.reset();
    FrontImage.reset();
    ShowLoadImage = false;
    LoadImage.reset();
    LoadTransparent = false;
    LoadAlpha = 255;
    ScaleProgress = true;
    GameIcon = DefaultGameIcon();
    DisplayErrors = true;
    WriteErrors = false;
    AbortErrors = false;
    VariableErrors = false;
    Author.clear();
    Version = 100;
    LastChanged = LocalDateTimeNow();
    Information.clear();
    Constants.clear();
}

void CGameOptions::ReadFields(CStream& stream, std::int32_t version) {
    Fullscreen = stream.ReadBoolean();
    NoBorder = stream.ReadBoolean();
    ShowCursor = stream.ReadBoolean();
    WinScale = stream.ReadInteger();
    FullScale = stream.ReadInteger();
    ScaleHardware = stream.ReadBoolean();
    SetResolution = stream.ReadBoolean();
    Exclusive = stream.ReadBoolean();
    ColorDepth = stream.ReadInteger();
    Resolution = stream.ReadInteger();
    Frequency = stream.ReadInteger();
    WaitVBlank = stream.ReadBoolean();
    FullscreenCaption = stream.ReadBoolean();
    NoClose = stream.ReadBoolean();
    ScreenKey = stream.ReadBoolean();
    HelpKey = stream.ReadBoolean();
    QuitKey = stream.ReadBoolean();
    SaveKey = stream.ReadBoolean();
    if (version >= 520) Priority = stream.ReadInteger();
    FlagA = stream.ReadBoolean();
    FlagB = stream.ReadBoolean();
    Freeze = stream.ReadBoolean();
    ProgressBar = stream.ReadInteger();
    if (ProgressBar == 2) {
        BackImage = ReadPicture(stream);
        FrontImage = ReadPicture(stream);
    }
    ShowLoadImage = stream.ReadBoolean();
    if (ShowLoadImage) LoadImage = ReadPicture(stream);
    if (version >= 510) {
        LoadTransparent = stream.ReadBoolean();
        LoadAlpha = stream.ReadInteger();
        ScaleProgress = stream.ReadBoolean();
    }
    GameIcon = std::string(stream.ReadBlock().View());
    DisplayErrors = stream.ReadBoolean();
    WriteErrors = stream.ReadBoolean();
    AbortErrors = stream.ReadBoolean();
    VariableErrors = stream.ReadBoolean();
    Author = stream.ReadString();
    Version = stream.ReadInteger();
    LastChanged = stream.ReadReal();
    Information = stream.ReadString();
    if (version >= 530) {
        // Each constant takes at least its two counts, which bounds the count.
        std::size_t count = static_cast<std::size_t>(std::max(0, stream.ReadInteger()));
        if (count > stream.Remaining() / 8) throw StreamReadError();
        Constants.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            UserConstant constant;
            constant.Name = stream.ReadString();
            constant.Value = stream.ReadString();
            Constants.push_back(std::move(constant));
        }
    }
}

bool CGameOptions::LoadOptions(CStream& stream) {
    ResetOptions();
    const std::int32_t version = stream.ReadInteger();
    if (version < kOptionsOldestVersion || version > kOptionsVersion) return false;
    try {
        ReadFields(stream, version);
    } catch (...) {
        ResetOptions();
        throw;
    }
    return true;
}

bool CGameOptions::SkipOptions(CStream& stream) {
    const std::int32_t version = stream.ReadInteger();
    if (version < kOptionsOldestVersion || version > kOptionsVersion) return false;
    CGameOptions discarded;
    discarded.ReadFields(stream, version);
    return true;
}

void CGameOptions::SaveOptions(CStream& stream) const {
    stream.WriteInteger(kOptionsVersion);
    stream.WriteBoolean(Fullscreen);
    stream.WriteBoolean(NoBorder);
    stream.WriteBoolean(ShowCursor);
    stream.WriteInteger(WinScale);
    stream.WriteInteger(FullScale);
    stream.WriteBoolean(ScaleHardware);
    stream.WriteBoolean(SetResolution);
    stream.WriteBoolean(Exclusive);
    stream.WriteInteger(ColorDepth);
    stream.WriteInteger(Resolution);
    stream.WriteInteger(Frequency);
    stream.WriteBoolean(WaitVBlank);
    stream.WriteBoolean(FullscreenCaption);
    stream.WriteBoolean(NoClose);
    stream.WriteBoolean(ScreenKey);
    stream.WriteBoolean(HelpKey);
    stream.WriteBoolean(QuitKey);
    stream.WriteBoolean(SaveKey);
    stream.WriteInteger(Priority);
    stream.WriteBoolean(FlagA);
    stream.WriteBoolean(FlagB);
    stream.WriteBoolean(Freeze);
    stream.WriteInteger(ProgressBar);
    if (ProgressBar == 2) {
        WritePicture(stream, BackImage);
        WritePicture(stream, FrontImage);
    }
    stream.WriteBoolean(ShowLoadImage);
    if (ShowLoadImage) WritePicture(stream, LoadImage);
    stream.WriteBoolean(LoadTransparent);
    stream.WriteInteger(LoadAlpha);
    stream.WriteBoolean(ScaleProgress);
    stream.WriteBlock(CStream(GameIcon));
    stream.WriteBoolean(DisplayErrors);
    stream.WriteBoolean(WriteErrors);
    stream.WriteBoolean(AbortErrors);
    stream.WriteBoolean(VariableErrors);
    stream.WriteString(Author);
    stream.WriteInteger(Version);
    stream.WriteReal(LocalDateTimeNow());
    stream.WriteString(Information);
    stream.WriteInteger(static_cast<std::int32_t>(Constants.size()));
    for (const UserConstant& constant : Constants) {
        stream.WriteString(constant.Name);
        stream.WriteString(constant.Value);
    }
}

}  // namespace kestrin
