// The game options dialog driven through its controls: every option comes
// back as it went in, the OK rules, pictures, the icon rule and what the
// builder makes of the icon, the game id, the constants list.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <fstream>

#include "app/option_form.h"
#include "app/option_form_radio_group.h"
#include "build/runner_data.h"
#include "build/stand_alone.h"
#include "build/stand_alone_layout.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "resources/default_icon.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A 16-colour 32 x 32 icon file of the accepted size that differs from the
// default icon in every pixel byte.
std::string OtherIcon() {
    std::string icon = DefaultGameIcon();
    for (std::size_t i = 22 + 40 + 64; i < icon.size(); ++i) icon[i] = static_cast<char>(~icon[i]);
    return icon;
}

class OptionForm : public ::testing::Test {
protected:
    OptionForm() : mGame(mRandom), mUi(mRecorder) {
        mSavedPrefs = Prefs();
        Prefs().Advanced = true;
    }
    ~OptionForm() override { Prefs() = mSavedPrefs; }

    // A dialog on the game whose file choosers answer with the given file.
    std::unique_ptr<TOptionForm> Form() {
        auto form = std::make_unique<TOptionForm>(mGame);
        auto chooser = [this](QWidget*, const QString&, const QString&) { return QString::fromStdString(mChosen); };
        form->SetPictureChooser(chooser);
        form->SetIconChooser(chooser);
        return form;
    }

    template <typename T>
    static T* Find(QWidget& form, const char* name) {
        T* widget = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void Click(QWidget& form, const char* name) { Find<QAbstractButton>(form, name)->click(); }

    // A picture file written by Qt.
    std::string Picture(const char* name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(10, 200, 30));
        std::string path = mDir.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return path;
    }

    RandomSource mRandom{5};
    Game mGame;
    RecordingUI mRecorder;
    ScopedUI mUi;
    Preferences mSavedPrefs;
    test::TempDir mDir;
    std::string mChosen;
};

TEST_F(OptionForm, OkWithoutChangesKeepsEveryOptionAndMarksTheOptionsChanged) {
    CGameOptions& o = mGame.Options;
    // Values away from the defaults, so a control that drops or mixes up its
    // option shows.
    o.Fullscreen = true, o.NoBorder = true, o.ShowCursor = false, o.WinScale = 250, o.FullScale = 0;
    o.ScaleHardware = false, o.SetResolution = true, o.Exclusive = true, o.ColorDepth = 1, o.Resolution = 5;
    o.Frequency = 3, o.WaitVBlank = true, o.FullscreenCaption = false, o.NoClose = true, o.ScreenKey = false;
    o.HelpKey = false, o.QuitKey = false, o.SaveKey = false, o.Priority = 2, o.FlagA = false, o.Freeze = true;
    o.ProgressBar = 2, o.BackImage = Bitmap24(3, 2, 255), o.ShowLoadImage = true, o.LoadImage = Bitmap24(2, 2);
    o.LoadTransparent = true, o.LoadAlpha = 17, o.ScaleProgress = false, o.DisplayErrors = false;
    o.WriteErrors = true, o.AbortErrors = true, o.VariableErrors = true, o.Author = "Ren\xe9", o.Version = 307;
    o.Information = "line one\r\nline two", o.Constants = {{"speed", "4"}, {"name", "\"x\""}};
    mGame.ClearChangedFlags();
    const CGameOptions before = o;
    const Guid guid = mGame.GameGuid;

    Click(*Form(), "OKBtn");
    EXPECT_TRUE(mGame.Options == before);
    EXPECT_EQ(mGame.GameGuid, guid);
    EXPECT_TRUE(mGame.IsChanged(ChangedFlag::Options));
    EXPECT_TRUE(mRecorder.Events().empty());
}

TEST_F(OptionForm, OkKeepsTheLineEndsOfAnInformationTextLeftAlone) {
    for (const char* text : {"one\ntwo", "one\rtwo\r", "mixed\r\nends\nhere", "\n\n", "caf\xe9\xa0x\r\n"}) {
        mGame.Options.Information = text;
        Click(*Form(), "OKBtn");
        EXPECT_EQ(mGame.Options.Information, text);
    }
    // An edited text is stored with CR LF throughout.
    mGame.Options.Information = "one\ntwo";
    auto form = Form();
    auto* memo = Find<QPlainTextEdit>(*form, "Memo_Information");
    memo->moveCursor(QTextCursor::End);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Exclam, Qt::NoModifier, QStringLiteral("!"));
    QApplication::sendEvent(memo, &press);
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.Options.Information, "one\r\ntwo!");
}

TEST(SortConstantRows, ComparesNameEqualsValueByCharacterWithoutCase) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> rows;  // name, value
        std::vector<std::string> sorted;                        // name=value
    } cases[] = {
        {{{"a", "z"}, {"ab", "1"}, {"A", "2"}, {"a", "0"}}, {"a=0", "A=2", "a=z", "ab=1"}},
        {{{"b", "1"}, {"A", "2"}, {"a", "0"}}, {"a=0", "A=2", "b=1"}},
        // Accented letters come after z, as their codes do; case still does not count.
        {{{"\xe9t\xe9", "1"}, {"ez", "1"}, {"\xc9T\xc9", "0"}, {"E", "1"}},
         {"E=1", "ez=1", "\xc9T\xc9=0", "\xe9t\xe9=1"}},
        {{{"x_1", ""}, {"x1", ""}, {"X", "_"}}, {"x1=", "X=_", "x_1="}},
        {{{"same", "1"}, {"SAME", "1"}}, {"same=1", "SAME=1"}},  // equal rows keep their order
    };
    for (const Case& c : cases) {
        std::vector<ConstantRow> rows;
        for (auto [name, value] : c.rows) rows.push_back({QString::fromLatin1(name), QString::fromLatin1(value)});
        SortConstantRows(rows);
        std::vector<std::string> sorted;
        for (const ConstantRow& row : rows)
            sorted.push_back((row.name + QLatin1Char('=') + row.value).toLatin1().toStdString());
        EXPECT_EQ(sorted, c.sorted);
    }
}

TEST_F(OptionForm, CancelChangesNothing) {
    mGame.ClearChangedFlags();
    const CGameOptions before = mGame.Options;
    auto form = Form();
    Click(*form, "FullscreenCheck");
    Find<QSpinBox>(*form, "GameIdEdit")->setValue(mGame.GameId + 1);
    Click(*form, "CancelBtn");
    EXPECT_TRUE(mGame.Options == before);
    EXPECT_FALSE(mGame.GameChanged());
}

TEST_F(OptionForm, ExclusiveModeNeedsTheResolutionAndWarnsWhenFirstChosen) {
    struct Case {
        bool uncheckResolution;
        bool exclusive;
    } cases[] = {{true, false}, {false, true}};
    for (const Case& c : cases) {
        mGame.Options.SetResolution = true;
        mGame.Options.Exclusive = true;
        auto form = Form();
        if (c.uncheckResolution) Click(*form, "ResolutionCheck");
        EXPECT_EQ(Find<QWidget>(*form, "ResolutionPanel")->isHidden(), c.uncheckResolution);
        EXPECT_TRUE(Find<QCheckBox>(*form, "ExclusiveCheck")->isChecked());
        Click(*form, "OKBtn");
        EXPECT_EQ(mGame.Options.Exclusive, c.exclusive);
        EXPECT_EQ(mGame.Options.SetResolution, !c.uncheckResolution);
    }

    // Choosing exclusive mode warns only when the game does not use it yet.
    auto form = Form();
    Click(*form, "ExclusiveCheck");  // off, the stored option is on: no warning
    Click(*form, "ExclusiveCheck");
    EXPECT_TRUE(mRecorder.Messages().empty());
    mGame.Options.Exclusive = false;
    form = Form();
    Click(*form, "ExclusiveCheck");
    EXPECT_EQ(mRecorder.Messages(), std::vector<std::string>{kExclusiveModeWarning});
}

TEST_F(OptionForm, ResolutionListIsOrderedBySize) {
    for (int position = 0; position < kResolutionCount; ++position) {
        auto form = Form();
        Find<TRadioGroup>(*form, "ResolutionGroup")->SetItemIndex(position);
        Click(*form, "OKBtn");
        EXPECT_EQ(mGame.Options.Resolution, kResolutionPositionToCode[position]);
    }
    mGame.Options.Resolution = 6;  // 1600 x 1200, the largest before "no change"
    EXPECT_EQ(Find<TRadioGroup>(*Form(), "ResolutionGroup")->ItemIndex(), 5);
}

TEST_F(OptionForm, SimpleModeHidesTheAdvancedParts) {
    for (bool advanced : {false, true}) {
        Prefs().Advanced = advanced;
        auto form = Form();
        auto* tabs = Find<QTabWidget>(*form, "PageControl1");
        for (const char* sheet : {"ResolutionSheet", "ConstantsSheet", "ErrorSheet"})
            EXPECT_EQ(tabs->isTabVisible(tabs->indexOf(Find<QWidget>(*form, sheet))), advanced) << sheet;
        for (const char* sheet : {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"})
            EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(Find<QWidget>(*form, sheet)))) << sheet;
        EXPECT_EQ(Find<QWidget>(*form, "PriorityGroup")->isHidden(), !advanced);
    }
}

TEST_F(OptionForm, IconOfAnotherSizeIsRefusedAndAnAcceptedOneGoesIntoTheExecutable) {
    const std::string original = mGame.Options.GameIcon;
    auto form = Form();
    std::string large(1078, '\0');
    WriteBytes(mChosen = mDir.File("large.ico"), large);
    Click(*form, "ChangeIconBtn");
    EXPECT_EQ(mRecorder.Messages(), std::vector<std::string>{kIconSizeMessage});
    mChosen = mDir.File("missing.ico");
    Click(*form, "ChangeIconBtn");
    ASSERT_EQ(mRecorder.Messages().size(), 2u);
    EXPECT_NE(mRecorder.Messages()[1].find("missing.ico"), std::string::npos);
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.Options.GameIcon, original);
    mRecorder.Reset();

    const std::string icon = OtherIcon();
    ASSERT_EQ(icon.size(), 766u);
    WriteBytes(mChosen = mDir.File("small.ico"), icon);
    form = Form();
    Click(*form, "ChangeIconBtn");
    EXPECT_TRUE(mRecorder.Messages().empty());
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.Options.GameIcon, icon);

    // The builder puts the icon file's image (after its 22-byte header) into
    // the runner's icon area.
    CStream runnerData;
    std::string error;
    ASSERT_TRUE(MakeRunnerData(std::string(4000, 'R'), runnerData, error)) << error;
    const std::string rundata = mDir.File("rundata");
    runnerData.SaveToFile(rundata);
    StandAloneSource source;
    source.WriteGameBody = [this](CStream& stream, bool debug) { return WriteGameBody(mGame, stream, debug); };
    source.GameIcon = mGame.Options.GameIcon;
    source.RunnerData = rundata;
    const std::string target = mDir.File("game.exe");
    ASSERT_EQ(BuildStandAlone(target, false, source), kStandAloneWritten);
    CStream built;
    built.LoadFromFile(target);
    ASSERT_GT(built.Size(), kRunnerIconOffset + icon.size());
    EXPECT_EQ(built.View().substr(kRunnerIconOffset, icon.size() - kIconFileHeaderSize),
              icon.substr(kIconFileHeaderSize));
    EXPECT_TRUE(mRecorder.Messages().empty());  // no icon warning

    for (std::size_t size : {766u, 2238u, 3262u, 4286u}) EXPECT_TRUE(IconFileSizeAccepted(size));
    for (std::size_t size : {0u, 22u, 765u, 767u, 1078u, 4264u, 4287u}) EXPECT_FALSE(IconFileSizeAccepted(size));
}

TEST_F(OptionForm, NewGuidOnlyWhenTheGameIdChanges) {
    const std::int32_t id = mGame.GameId;
    const Guid guid = mGame.GameGuid;
    auto form = Form();
    Find<QSpinBox>(*form, "GameIdEdit")->setValue(id + 1);
    Find<QSpinBox>(*form, "GameIdEdit")->setValue(id);  // back to the same value
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.GameId, id);
    EXPECT_EQ(mGame.GameGuid, guid);

    form = Form();
    Find<QSpinBox>(*form, "GameIdEdit")->setValue(12345678);
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.GameId, 12345678);
    EXPECT_NE(mGame.GameGuid, guid);
}

TEST_F(OptionForm, ConstantRowsWithoutNameAreDroppedAndSortingComparesWholeRowsWithoutCase) {
    mGame.Options.Constants = {{"b", "1"}, {"A", "2"}, {"a", "0"}};
    auto form = Form();
    auto* list = Find<QTableWidget>(*form, "ConstantList");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->currentColumn(), 0);
    Click(*form, "SortConstantBtn");
    // Two new rows: one left empty, one with a value but no name.
    Click(*form, "AddConstantBtn");
    Click(*form, "AddConstantBtn");
    ASSERT_EQ(list->rowCount(), 5);
    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_EQ(list->currentColumn(), 0);
    list->item(4, 1)->setText(QStringLiteral("7"));
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.Options.Constants, (std::vector<UserConstant>{{"a", "0"}, {"A", "2"}, {"b", "1"}}));

    form = Form();
    list = Find<QTableWidget>(*form, "ConstantList");
    list->setCurrentCell(1, 1);
    Click(*form, "DeleteConstantBtn");
    Click(*form, "OKBtn");
    EXPECT_EQ(mGame.Options.Constants, (std::vector<UserConstant>{{"a", "0"}, {"b", "1"}}));

    form = Form();
    Click(*form, "ClearConstantBtn");
    Click(*form, "DeleteConstantBtn");  // nothing left to delete
    Click(*form, "OKBtn");
    EXPECT_TRUE(mGame.Options.Constants.empty());
}

TEST_F(OptionForm, PicturesAreLoadedOnOkAndFailuresFollowTheRules) {
    const std::string good = Picture("loading.png", 7, 5);
    const std::string broken = mDir.File("broken.png");
    WriteBytes(broken, "not a picture");
    mGame.Options.LoadImage = Bitmap24(2, 2);
    mGame.Options.FrontImage = Bitmap24(4, 4);

    // A loading picture that cannot be read turns the loading image off and
    // keeps the old one; a missing file is not taken at all.
    auto form = Form();
    Click(*form, "ShowLoadImageCheck");
    mChosen = broken;
    Click(*form, "LoadImage");
    mChosen = mDir.File("missing.png");
    Click(*form, "LoadImage");
    Click(*form, "OwnBarBtn");
    EXPECT_FALSE(Find<QWidget>(*form, "BackImage")->isHidden());
    mChosen = good;
    Click(*form, "BackImage");
    mChosen = broken;
    Click(*form, "FrontImage");
    Click(*form, "OKBtn");
    EXPECT_FALSE(mGame.Options.ShowLoadImage);
    ASSERT_TRUE(mGame.Options.LoadImage);
    EXPECT_EQ(mGame.Options.LoadImage->Width(), 2);
    EXPECT_EQ(mGame.Options.ProgressBar, 2);
    ASSERT_TRUE(mGame.Options.BackImage);
    EXPECT_EQ(mGame.Options.BackImage->Width(), 7);
    EXPECT_EQ(mGame.Options.BackImage->Pixel(3, 2), MakeColor(10, 200, 30));
    EXPECT_FALSE(mGame.Options.FrontImage);

    form = Form();
    Click(*form, "ShowLoadImageCheck");
    mChosen = good;
    Click(*form, "LoadImage");
    Click(*form, "DefaultBarBtn");
    EXPECT_TRUE(Find<QWidget>(*form, "FrontImage")->isHidden());
    Click(*form, "OKBtn");
    EXPECT_TRUE(mGame.Options.ShowLoadImage);
    ASSERT_TRUE(mGame.Options.LoadImage);
    EXPECT_EQ(mGame.Options.LoadImage->Height(), 5);
    EXPECT_EQ(mGame.Options.ProgressBar, 1);
    EXPECT_TRUE(mGame.Options.BackImage);  // kept, though the default bar does not use it
}

}  // namespace
}  // namespace kestrin
