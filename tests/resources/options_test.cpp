// Game options: defaults as stored, older record layouts, skipping, pictures
// of the progress bar, the default icon and the resolution tables.

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/bitmap24_ops.h"
#include "resources/default_icon.h"
#include "resources/game_options.h"

namespace kestrin {
namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}
std::uint16_t U16At(const std::string& bytes, std::size_t at) {
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + at, 2);
    return value;
}

TEST(GameOptionsTest, ResetOptionsAreStoredInOrder) {
    CGameOptions options;
    options.Author = "someone";
    options.ResetOptions();
    CStream stream;
    const double before = LocalDateTimeNow();
    options.SaveOptions(stream);
    const double after = LocalDateTimeNow();

    stream.SetPosition(0);
    const std::int32_t leading[] = {530, 0, 0, 1, 100, 100, 1, 0, 0, 0, 1, 4, 0, 1, 0,
                                    1,   1, 1, 1, 0,   1,   1, 0, 1, 0, 0, 255, 1};
    for (std::int32_t expected : leading) EXPECT_EQ(stream.ReadInteger(), expected) << "at " << stream.Position();
    CStream icon = stream.ReadBlock();
    EXPECT_EQ(icon.View(), DefaultGameIcon());
    for (std::int32_t expected : {1, 0, 0, 0}) EXPECT_EQ(stream.ReadInteger(), expected);
    EXPECT_EQ(stream.ReadString(), "");
    EXPECT_EQ(stream.ReadInteger(), 100);
    const double written = stream.ReadReal();
    EXPECT_GE(written, before);
    EXPECT_LE(written, after);
    EXPECT_EQ(stream.ReadString(), "");
    EXPECT_EQ(stream.ReadInteger(), 0);
    EXPECT_EQ(stream.Remaining(), 0u);
}

TEST(GameOptionsTest, LocalDateTimeNowCountsDaysSince1899) {
    // 2020-01-01 is day 43831; the clock of this machine is well past it.
    const double now = LocalDateTimeNow();
    EXPECT_GT(now, 43831.0);
    EXPECT_LT(now, 43831.0 + 365.0 * 100);
}

TEST(GameOptionsTest, EveryFieldSurvivesARoundTrip) {
    CGameOptions options;
    options.Fullscreen = true;
    options.NoBorder = true;
    options.ShowCursor = false;
    options.WinScale = 250;
    options.FullScale = 0;
    options.ScaleHardware = false;
    options.SetResolution = true;
    options.Exclusive = true;
    options.ColorDepth = 1;
    options.Resolution = 6;
    options.Frequency = 2;
    options.WaitVBlank = true;
    options.FullscreenCaption = false;
    options.NoClose = true;
    options.ScreenKey = false;
    options.HelpKey = false;
    options.QuitKey = false;
    options.SaveKey = false;
    options.Priority = 2;
    options.FlagA = false;
    options.FlagB = false;
    options.Freeze = true;
    options.ProgressBar = 2;
    options.BackImage = Bitmap24(3, 2, MakeColor(10, 20, 30));
    options.FrontImage = Bitmap24(1, 5, MakeColor(200, 0, 9));
    options.ShowLoadImage = true;
    options.LoadImage = Bitmap24(4, 4, MakeColor(1, 2, 3));
    options.LoadImage->SetPixel(0, 0, MakeColor(255, 255, 255));
    options.LoadTransparent = true;
    options.LoadAlpha = 17;
    options.ScaleProgress = false;
    options.GameIcon = std::string(4286, '\x7f');
    options.DisplayErrors = false;
    options.WriteErrors = true;
    options.AbortErrors = true;
    options.VariableErrors = true;
    options.Author = "An Author";
    options.Version = 321;
    options.Information = "line one\r\nline two";
    options.Constants = {{"MAX", "10"}, {"name", "\"text\""}, {"", ""}};

    CStream stream;
    options.SaveOptions(stream);
    stream.SetPosition(0);
    CGameOptions loaded;
    ASSERT_TRUE(loaded.LoadOptions(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_GE(loaded.LastChanged, options.LastChanged);
    loaded.LastChanged = options.LastChanged;
    EXPECT_EQ(loaded, options);
}

TEST(GameOptionsTest, OwnProgressBarWithoutPicturesIsWrittenAsTwoEmptyPictures) {
    CGameOptions options;
    options.ProgressBar = 2;
    CStream stream;
    options.SaveOptions(stream);
    // Version, 3 bools, 2 ints, 3 bools, 3 ints, 7 bools, priority, 3 bools, bar: 24 ints.
    stream.SetPosition(24 * 4);
    EXPECT_EQ(stream.ReadInteger(), -1);
    EXPECT_EQ(stream.ReadInteger(), -1);

    stream.SetPosition(0);
    CGameOptions loaded;
    loaded.BackImage = Bitmap24(2, 2);
    ASSERT_TRUE(loaded.LoadOptions(stream));
    EXPECT_EQ(loaded.ProgressBar, 2);
    EXPECT_FALSE(loaded.BackImage);
    EXPECT_FALSE(loaded.FrontImage);
    EXPECT_EQ(stream.Remaining(), 0u);
}

// A record of the first layout: no priority, no loading-picture settings, no constants.
CStream Version500Record() {
    CStream s;
    s.WriteInteger(500);
    for (int b : {1, 1, 0}) s.WriteBoolean(b);
    s.WriteInteger(150);
    s.WriteInteger(200);
    for (int b : {0, 1, 1}) s.WriteBoolean(b);
    for (int i : {1, 3, 0}) s.WriteInteger(i);
    for (int b : {1, 0, 1, 0, 0, 0, 0}) s.WriteBoolean(b);
    for (int b : {0, 1, 1}) s.WriteBoolean(b);  // FlagA, FlagB, Freeze
    s.WriteInteger(2);                            // own progress bar
    const Bitmap24 back(2, 3, MakeColor(9, 8, 7));
    Bitmap24_SaveToStream(&back, s);
    // A picture that does not decode reads as none.
    s.WriteInteger(10);
    s.WriteCompressedBlock(CStream("not a bmp file"));
    s.WriteBoolean(true);
    const Bitmap24 load(5, 1, MakeColor(1, 1, 1));
    Bitmap24_SaveToStream(&load, s);
    s.WriteBlock(CStream("icon"));
    for (int b : {0, 1, 0, 1}) s.WriteBoolean(b);
    s.WriteString("old author");
    s.WriteInteger(7);
    s.WriteReal(40000.5);
    s.WriteString("info");
    s.SetPosition(0);
    return s;
}

TEST(GameOptionsTest, Version500RecordTakesDefaultsForLaterFields) {
    CStream stream = Version500Record();
    CGameOptions options;
    options.Priority = 2;
    options.Constants = {{"A", "1"}};
    options.LoadAlpha = 3;
    ASSERT_TRUE(options.LoadOptions(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(options.Priority, 0);
    EXPECT_FALSE(options.LoadTransparent);
    EXPECT_EQ(options.LoadAlpha, 255);
    EXPECT_TRUE(options.ScaleProgress);
    EXPECT_TRUE(options.Constants.empty());
    // The fields that are there land where they belong.
    EXPECT_TRUE(options.Fullscreen);
    EXPECT_FALSE(options.ShowCursor);
    EXPECT_EQ(options.WinScale, 150);
    EXPECT_EQ(options.FullScale, 200);
    EXPECT_EQ(options.Resolution, 3);
    EXPECT_FALSE(options.FlagA);
    EXPECT_TRUE(options.Freeze);
    ASSERT_TRUE(options.BackImage);
    EXPECT_EQ(*options.BackImage, Bitmap24(2, 3, MakeColor(9, 8, 7)));
    EXPECT_FALSE(options.FrontImage);
    ASSERT_TRUE(options.LoadImage);
    EXPECT_EQ(options.LoadImage->Width(), 5);
    EXPECT_EQ(options.GameIcon, "icon");
    EXPECT_TRUE(options.WriteErrors);
    EXPECT_TRUE(options.VariableErrors);
    EXPECT_EQ(options.Author, "old author");
    EXPECT_EQ(options.Version, 7);
    EXPECT_DOUBLE_EQ(options.LastChanged, 40000.5);
    EXPECT_EQ(options.Information, "info");
}

TEST(GameOptionsTest, UnknownVersionsFailAndLeaveTheOptionsReset) {
    for (std::int32_t version : {499, 531, 0, -1}) {
        CStream stream;
        stream.WriteInteger(version);
        stream.WriteInteger(1);
        stream.SetPosition(0);
        CGameOptions options;
        options.Author = "kept?";
        EXPECT_FALSE(options.LoadOptions(stream)) << version;
        EXPECT_EQ(options.Author, "") << version;
        stream.SetPosition(0);
        EXPECT_FALSE(CGameOptions::SkipOptions(stream)) << version;
    }
}

TEST(GameOptionsTest, SkipOptionsReadsEveryLayoutToItsEnd) {
    CGameOptions full;
    full.ProgressBar = 2;
    full.ShowLoadImage = true;
    full.LoadImage = Bitmap24(3, 3);
    full.Constants = {{"a", "b"}};
    CStream current;
    full.SaveOptions(current);
    current.WriteInteger(12345);  // what follows the record
    current.SetPosition(0);
    ASSERT_TRUE(CGameOptions::SkipOptions(current));
    EXPECT_EQ(current.ReadInteger(), 12345);

    CStream old = Version500Record();
    old.SetPosition(old.Size());
    old.WriteInteger(777);
    old.SetPosition(0);
    ASSERT_TRUE(CGameOptions::SkipOptions(old));
    EXPECT_EQ(old.ReadInteger(), 777);
}

TEST(GameOptionsTest, BrokenRecordsThrowAndLeaveTheOptionsReset) {
    CGameOptions source;
    source.Constants = {{"x", "y"}};
    CStream whole;
    source.SaveOptions(whole);
    for (std::size_t cut : {std::size_t{8}, whole.Size() / 2, whole.Size() - 1}) {
        CStream truncated(whole.View().substr(0, cut));
        CGameOptions options;
        options.Author = "before";
        EXPECT_THROW(options.LoadOptions(truncated), StreamReadError) << cut;
        EXPECT_EQ(options.Author, "") << cut;
    }
    // A constant count far beyond the bytes left is refused before anything is made.
    CStream hostile(whole.View().substr(0, whole.Size() - 4 - 2 * 5));
    hostile.SetPosition(hostile.Size() - 4);
    hostile.WriteInteger(0x7fffffff);
    hostile.SetPosition(0);
    CGameOptions options;
    EXPECT_THROW(options.LoadOptions(hostile), StreamReadError);
}

TEST(DefaultIconTest, IsASingle32x32IconIn16Colours) {
    const std::string icon = DefaultGameIcon();
    ASSERT_EQ(icon.size(), kDefaultIconFileSize);
    EXPECT_EQ(U16At(icon, 0), 0);
    EXPECT_EQ(U16At(icon, 2), 1);  // icon, not cursor
    EXPECT_EQ(U16At(icon, 4), 1);  // one image
    EXPECT_EQ(static_cast<std::uint8_t>(icon[6]), 32);
    EXPECT_EQ(static_cast<std::uint8_t>(icon[7]), 32);
    EXPECT_EQ(U16At(icon, 12), 4);
    EXPECT_EQ(U32At(icon, 14) + U32At(icon, 18), icon.size());
    // The image header: 32 wide, colour and mask halves stacked.
    EXPECT_EQ(U32At(icon, 22), 40u);
    EXPECT_EQ(U32At(icon, 26), 32u);
    EXPECT_EQ(U32At(icon, 30), 64u);
    EXPECT_EQ(U16At(icon, 36), 4);
    // The corners are transparent, the centre is not.
    const std::size_t mask = 22 + 40 + 64 + 512;
    EXPECT_EQ(static_cast<std::uint8_t>(icon[mask]) & 0x80, 0x80);         // bottom-left
    EXPECT_EQ(static_cast<std::uint8_t>(icon[mask + 31 * 4 + 3]) & 1, 1);  // top-right
    EXPECT_EQ(static_cast<std::uint8_t>(icon[mask + 16 * 4 + 2]), 0);      // middle row, right of centre
}

TEST(ResolutionTablesTest, PositionsAndCodesAreInverse) {
    for (int code = 0; code < kResolutionCount; ++code) EXPECT_EQ(ResolutionCode(ResolutionPosition(code)), code);
    // The list runs by size, "no change" last.
    EXPECT_STREQ(kResolutionNames[ResolutionCode(0)], "320 x 240");
    EXPECT_STREQ(kResolutionNames[ResolutionCode(5)], "1600 x 1200");
    EXPECT_STREQ(kResolutionNames[ResolutionCode(6)], "no change");
    EXPECT_EQ(ResolutionCode(-1), 1);
    EXPECT_EQ(ResolutionPosition(99), ResolutionPosition(1));
}

}  // namespace
}  // namespace kestrin
