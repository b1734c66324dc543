// The sprite editor's commands on their frame sets, answered by scripts.

#include "image_editors/sprite_edit_session.h"

#include <gtest/gtest.h>

#include <set>

#include "image_editors/sprite_edit_dialogs.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/strip.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "support/scripted_editor_dialogs.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using C = SpriteCommand;
using test::ScriptedEditorDialogs;

constexpr ColorValue kRed = MakeColor(255, 0, 0);
constexpr ColorValue kBlue = MakeColor(0, 0, 255);
constexpr ColorValue kGreen = MakeColor(0, 255, 0);

class FakeClipboard : public BitmapClipboard {
public:
    void Put(const Bitmap24& picture) override { held = picture; }
    Image Take() const override { return held ? std::make_unique<Bitmap24>(*held) : nullptr; }
    bool HasPicture() const override { return held.has_value(); }
    std::optional<Bitmap24> held;
};

class ScriptedSpriteDialogs : public SpriteEditDialogs {
public:
    std::optional<HueChoice> AskHue(HueMode, const Bitmap24& preview, bool) override {
        previews.push_back(preview);
        return hue;
    }
    std::optional<IntensityChoice> AskIntensity(const Bitmap24& preview, bool) override {
        previews.push_back(preview);
        return intensity;
    }
    std::optional<ResizeChoice> AskResize(const std::string& title, ResizeKind, int, int) override {
        resizeTitles.push_back(title);
        return resize;
    }
    std::optional<HueChoice> hue;
    std::optional<IntensityChoice> intensity;
    std::optional<ResizeChoice> resize;
    std::vector<Bitmap24> previews;
    std::vector<std::string> resizeTitles;
};

// A w x h frame of one colour with a 3 x 3 mark of another at (x, y).
Bitmap24 Marked(int w, int h, ColorValue fill, int x, int y, ColorValue mark) {
    Bitmap24 frame(w, h, fill);
    frame.FillRect(x, y, x + 3, y + 3, mark);
    return frame;
}

std::unique_ptr<TAnimation> SetOf(int count, int w = 32, int h = 32, bool transparent = true) {
    auto set = std::make_unique<TAnimation>(w, h);
    set->SetTransparent(transparent);
    for (int i = 0; i < count; ++i) set->AddImage(Marked(w, h, kWhite, i, i, kRed));
    return set;
}

bool SameFrames(const TAnimation& a, const TAnimation& b) {
    if (a.FrameCount() != b.FrameCount() || a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int i = 0; i < a.FrameCount(); ++i)
        if (!(*a.GetImage(i) == *b.GetImage(i))) return false;
    return true;
}

class SpriteEditSessionTest : public ::testing::Test {
protected:
    SpriteEditSessionTest() { Prefs() = Preferences{}; }
    ~SpriteEditSessionTest() override { Prefs() = Preferences{}; }

    SpriteEditSession& Start(std::unique_ptr<TAnimation> set) {
        session.emplace(std::move(set), clipboard);
        return *session;
    }
    std::unique_ptr<TAnimation> Copy() const {
        auto copy = std::make_unique<TAnimation>(1, 1);
        copy->Assign(session->Frames());
        return copy;
    }
    std::string WritePicture(const std::string& name, const Bitmap24& picture) const {
        std::vector<std::uint8_t> bytes = EncodeBmp(picture);
        WriteFileAtomically(folder.File(name), bytes.data(), bytes.size());
        return folder.File(name);
    }
    std::string WriteGarbage(const std::string& name) const {
        std::string bytes = "not a picture at all";
        WriteFileAtomically(folder.File(name), bytes.data(), bytes.size());
        return folder.File(name);
    }

    RecordingUI ui;
    ScopedUI installedUi{ui};
    ScriptedEditorDialogs dialogs;
    ScopedEditorDialogs installedDialogs{dialogs};
    ScriptedSpriteDialogs spriteDialogs;
    ScopedSpriteEditDialogs installedSpriteDialogs{spriteDialogs};
    FakeClipboard clipboard;
    test::TempDir folder;
    std::optional<SpriteEditSession> session;
};

TEST_F(SpriteEditSessionTest, UndoSwapsSetsAndDoesNothingBeforeAnyCommand) {
    SpriteEditSession& s = Start(SetOf(3));
    auto original = Copy();
    EXPECT_FALSE(s.Run(C::Undo));
    EXPECT_TRUE(SameFrames(s.Frames(), *original));
    EXPECT_FALSE(s.Changed());

    ASSERT_TRUE(s.Run(C::Mirror));
    auto mirrored = Copy();
    ASSERT_FALSE(SameFrames(*mirrored, *original));
    ASSERT_TRUE(s.Run(C::Undo));
    EXPECT_TRUE(SameFrames(s.Frames(), *original));
    ASSERT_TRUE(s.Run(C::Undo));
    EXPECT_TRUE(SameFrames(s.Frames(), *mirrored));

    // A command that replaces the set keeps the old one for undo too.
    dialogs.AnswerValue(5);
    ASSERT_TRUE(s.Run(C::SetLength));
    EXPECT_EQ(s.Frames().FrameCount(), 5);
    ASSERT_TRUE(s.Run(C::Undo));
    EXPECT_TRUE(SameFrames(s.Frames(), *mirrored));
}

TEST_F(SpriteEditSessionTest, PasteOfASmallerPictureCentredLandsInTheMiddle) {
    SpriteEditSession& s = Start(SetOf(2));
    s.Select(1);
    // Corners marked so that the picture's place shows, whatever the canvas is filled with.
    Bitmap24 picture(10, 10, kBlue);
    picture.SetPixel(0, 0, kRed);
    picture.SetPixel(9, 9, kGreen);
    clipboard.held = picture;
    dialogs.Placements.push_back(kPlacementCentre);
    ASSERT_TRUE(s.Run(C::Paste));
    EXPECT_EQ(dialogs.PlacementsAsked, 1);
    ASSERT_EQ(s.Frames().FrameCount(), 3);
    const Bitmap24& pasted = *s.Frames().GetImage(1);
    EXPECT_EQ(pasted.Width(), 32);
    EXPECT_EQ(pasted.Pixel(11, 11), kRed);
    EXPECT_EQ(pasted.Pixel(20, 20), kGreen);
    EXPECT_EQ(pasted.Pixel(10, 10), kBlue);
    EXPECT_EQ(pasted.Pixel(21, 21), kBlue);
    EXPECT_EQ(s.Selected(), 2);

    // Declining the placement inserts nothing.
    dialogs.Placements.push_back(kPlacementCancel);
    EXPECT_FALSE(s.Run(C::Paste));
    EXPECT_EQ(s.Frames().FrameCount(), 3);
}

TEST_F(SpriteEditSessionTest, ClockwiseRotationSequenceTurnsEachFrameAQuarterFurther) {
    auto set = std::make_unique<TAnimation>(11, 11);
    set->SetTransparent(false);
    set->AddImage(Marked(11, 11, kWhite, 1, 1, kRed));
    SpriteEditSession& s = Start(std::move(set));
    dialogs.AnswerValues({4, 360, 0});
    ASSERT_TRUE(s.Run(C::Clockwise));
    ASSERT_EQ(s.Frames().FrameCount(), 4);
    // The mark's centre (2, 2) goes round the corners clockwise.
    const int expected[4][2] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.Frames().GetImage(k)->Pixel(expected[k][0], expected[k][1]), kRed);
    }
}

TEST_F(SpriteEditSessionTest, BlurAboveNineIsNineAndZeroDoesNothing) {
    SpriteEditSession& s = Start(SetOf(2));
    auto nine = Copy();
    nine->Blur(9);
    dialogs.AnswerValue(12);
    ASSERT_TRUE(s.Run(C::Blur));
    EXPECT_TRUE(SameFrames(s.Frames(), *nine));

    Start(SetOf(2));
    auto before = Copy();
    dialogs.AnswerValue(0);
    EXPECT_FALSE(session->Run(C::Blur));
    EXPECT_TRUE(SameFrames(session->Frames(), *before));
    EXPECT_FALSE(session->Changed());
}

TEST_F(SpriteEditSessionTest, FilesOfAnotherSizeAskThePlacementOncePerCommand) {
    SpriteEditSession& s = Start(SetOf(1));
    std::string a = WritePicture("a.bmp", Bitmap24(16, 16, kRed));
    std::string b = WritePicture("b.bmp", Bitmap24(16, 16, kBlue));
    dialogs.FileLists.push_back({a, b});
    dialogs.Placements.push_back(kPlacementTopLeft);
    ASSERT_TRUE(s.Run(C::AddFromFile));
    EXPECT_EQ(dialogs.PlacementsAsked, 1);
    ASSERT_EQ(s.Frames().FrameCount(), 3);
    EXPECT_EQ(s.Frames().GetImage(2)->Pixel(0, 0), kBlue);
    EXPECT_EQ(s.Frames().GetImage(2)->Width(), 32);
    EXPECT_EQ(Prefs().SpriteDir, folder.Path());

    // Declining ends the command with its message and adds nothing.
    dialogs.FileLists.push_back({a});
    dialogs.Placements.push_back(kPlacementCancel);
    EXPECT_FALSE(s.Run(C::AddFromFile));
    EXPECT_EQ(s.Frames().FrameCount(), 3);
    EXPECT_EQ(ui.Messages().back(), kCouldNotLoadParticularFile);
}

TEST_F(SpriteEditSessionTest, AFileThatGivesNoFramesChangesNothing) {
    std::string garbage = WriteGarbage("bad.bmp");
    std::string missing = folder.File("missing.bmp");
    std::string good = WritePicture("good.bmp", Bitmap24(32, 32, kBlue));
    struct Case {
        C command;
        std::vector<std::string> files;  // several for the multi-file dialog, one for the single
    } cases[] = {
        {C::Overlay, {garbage}},      {C::Overlay, {missing}},     {C::Morph, {garbage}},
        {C::CreateFromFile, {garbage, good}}, {C::CreateFromFile, {missing}}, {C::AddFromFile, {garbage, good}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SpriteMenuItemOf(c.command).name + std::string(" ") + c.files.front());
        SpriteEditSession& s = Start(SetOf(3));
        auto before = Copy();
        ui.Reset();
        dialogs.AnswerValue(4);
        if (c.command == C::Overlay || c.command == C::Morph) dialogs.Files.push_back(c.files.front());
        else dialogs.FileLists.push_back(c.files);
        EXPECT_FALSE(s.Run(c.command));
        EXPECT_TRUE(SameFrames(s.Frames(), *before));
        EXPECT_FALSE(s.Changed());
        ASSERT_FALSE(ui.Messages().empty());
        EXPECT_EQ(ui.Messages().back(), kCouldNotLoadParticularFile);
        dialogs.Values.clear();
    }
}

TEST_F(SpriteEditSessionTest, OverlayWithAGoodFileUsesItStretchedToTheSetSize) {
    SpriteEditSession& s = Start(SetOf(2));
    dialogs.AnswerValue(3);
    dialogs.Files.push_back(WritePicture("over.bmp", Bitmap24(8, 8, kBlue)));
    ASSERT_TRUE(s.Run(C::Overlay));
    EXPECT_EQ(s.Frames().FrameCount(), 3);
    EXPECT_EQ(s.Frames().Width(), 32);
}

TEST_F(SpriteEditSessionTest, NewAndCreatingKeepTheTransparentFlag) {
    std::string picture = WritePicture("p.bmp", Bitmap24(20, 10, kRed));
    std::string strip = WritePicture("strip.bmp", Bitmap24(64, 32, kBlue));
    for (bool transparent : {false, true}) {
        for (C command : {C::New, C::CreateFromFile, C::CreateFromStrip}) {
            SCOPED_TRACE(SpriteMenuItemOf(command).name + std::string(transparent ? " on" : " off"));
            SpriteEditSession& s = Start(SetOf(1, 32, 32, transparent));
            dialogs.AnswerValues({16, 16, 0});
            dialogs.FileLists.push_back({picture});
            dialogs.Files.push_back(strip);
            dialogs.Strips.push_back([](const Bitmap24&, bool) { return true; });
            ASSERT_TRUE(s.Run(command));
            EXPECT_EQ(s.Frames().Transparent(), transparent);
            EXPECT_EQ(s.Selected(), 0);
            dialogs.Values.clear();
            dialogs.FileLists.clear();
            dialogs.Files.clear();
            dialogs.Strips.clear();
        }
    }
}

TEST_F(SpriteEditSessionTest, AddFromStripLocksTheSizeAndAppends) {
    SpriteEditSession& s = Start(SetOf(1, 16, 16));
    CurrentStripSettings() = StripSettings{};
    CurrentStripSettings().number = 2;
    CurrentStripSettings().perRow = 2;
    dialogs.Files.push_back(WritePicture("strip.bmp", Bitmap24(32, 16, kBlue)));
    bool locked = false;
    dialogs.Strips.push_back([&](const Bitmap24& picture, bool lock) {
        locked = lock && picture.Width() == 32;
        return true;
    });
    ASSERT_TRUE(s.Run(C::AddFromStrip));
    EXPECT_TRUE(locked);
    EXPECT_EQ(CurrentStripSettings().width, 16);
    ASSERT_EQ(s.Frames().FrameCount(), 3);
    EXPECT_EQ(s.Frames().GetImage(2)->Pixel(0, 0), kBlue);
    CurrentStripSettings() = StripSettings{};
}

TEST_F(SpriteEditSessionTest, SizesAndCountsBeyondTheLimitsAreRefusedWithAMessage) {
    struct Case {
        C command;
        std::array<int, 3> values;
    } cases[] = {
        {C::New, {20000, 20000, 0}},
        {C::New, {16384, 16384, 0}},
        {C::SetLength, {1000000, 0, 0}},
        {C::Disappear, {2000000000, 0, 0}},
        {C::Crop, {2000000000, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SpriteMenuItemOf(c.command).name);
        SpriteEditSession& s = Start(SetOf(2));
        ui.Reset();
        dialogs.AnswerValues(c.values);
        EXPECT_FALSE(s.Run(c.command));
        EXPECT_EQ(s.Frames().FrameCount(), 2);
        EXPECT_EQ(ui.Messages(), std::vector<std::string>{kSpriteTooLargeMessage});
    }
    SpriteEditSession& s = Start(SetOf(2));
    ui.Reset();
    spriteDialogs.resize = ResizeChoice{100000, 100000, 5, 1};
    EXPECT_FALSE(s.Run(C::Stretch));
    EXPECT_EQ(s.Frames().Width(), 32);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kSpriteTooLargeMessage});
}

TEST_F(SpriteEditSessionTest, EditingAFrameResizesTheSetOnlyWhenItHasOneFrame) {
    SpriteEditSession& s = Start(SetOf(1));
    bool allowed = false;
    dialogs.ImageEdits.push_back([&](Bitmap24& image, bool allowResize, bool) {
        allowed = allowResize;
        image = Bitmap24(40, 20, kBlue);
        return true;
    });
    ASSERT_TRUE(s.Run(C::EditImage));
    EXPECT_TRUE(allowed);
    EXPECT_EQ(s.Frames().Width(), 40);
    EXPECT_EQ(s.Frames().Height(), 20);
    EXPECT_EQ(s.Frames().GetImage(0)->Pixel(39, 19), kBlue);

    SpriteEditSession& two = Start(SetOf(2));
    dialogs.ImageEdits.push_back([&](Bitmap24& image, bool allowResize, bool) {
        allowed = allowResize;
        image.Fill(kBlue);
        return true;
    });
    two.Select(1);
    ASSERT_TRUE(two.Run(C::EditImage));
    EXPECT_FALSE(allowed);
    EXPECT_EQ(two.Frames().GetImage(1)->Pixel(0, 0), kBlue);
    EXPECT_NE(two.Frames().GetImage(0)->Pixel(5, 5), kBlue);
}

TEST_F(SpriteEditSessionTest, EditingAFrameShowsTheFramesBeforeAndAfterIt) {
    struct Case {
        int count, selected;
        std::vector<int> neighbours;
    } cases[] = {
        {1, 0, {}}, {3, 0, {1}}, {3, 1, {0, 2}}, {3, 2, {1}}, {2, 1, {0}},
    };
    for (const Case& c : cases) {
        SpriteEditSession& s = Start(SetOf(c.count));
        s.Select(c.selected);
        dialogs.ImageEditNeighbours.clear();
        s.Run(C::EditImage);
        ASSERT_EQ(dialogs.ImageEditNeighbours.size(), 1u) << c.count << " " << c.selected;
        const std::vector<Bitmap24>& shown = dialogs.ImageEditNeighbours[0];
        ASSERT_EQ(shown.size(), c.neighbours.size()) << c.count << " " << c.selected;
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_TRUE(shown[i] == *s.Frames().GetImage(c.neighbours[i])) << c.count << " " << c.selected << " " << i;
    }
}

TEST_F(SpriteEditSessionTest, FrameCommandsKeepTheSelectionInRange) {
    struct Case {
        C command;
        int selected;
        int count, selectedAfter;
    } cases[] = {
        {C::Delete, 2, 2, 1},     {C::Cut, 0, 2, 0},        {C::AddEmpty, 0, 4, 3},
        {C::InsertEmpty, 1, 4, 1}, {C::MoveLeft, 1, 3, 0},  {C::MoveRight, 1, 3, 2},
        {C::Clear, 1, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SpriteMenuItemOf(c.command).name);
        SpriteEditSession& s = Start(SetOf(3));
        s.Select(c.selected);
        ASSERT_TRUE(s.Run(c.command));
        EXPECT_EQ(s.Frames().FrameCount(), c.count);
        EXPECT_EQ(s.Selected(), c.selectedAfter);
    }
    SpriteEditSession& s = Start(SetOf(1));
    ASSERT_TRUE(s.Run(C::Delete));
    EXPECT_EQ(s.Selected(), -1);
    EXPECT_FALSE(s.Enabled(C::Copy));
    EXPECT_FALSE(s.Enabled(C::Mirror));
    EXPECT_FALSE(s.Enabled(C::SaveAsGif));
    EXPECT_TRUE(s.Enabled(C::Undo));
}

TEST_F(SpriteEditSessionTest, FailedSavesSaySo) {
    SpriteEditSession& s = Start(SetOf(2));
    for (C command : {C::SaveAsGif, C::SaveAsStrip}) {
        ui.Reset();
        dialogs.Files.push_back(folder.File("no/such/folder/out.bin"));
        s.Run(command);
        EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToSaveSpriteFile});
    }
    ui.Reset();
    dialogs.Files.push_back(folder.File("out.gif"));
    s.Run(C::SaveAsGif);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(FileExists(folder.File("out.gif")));
}

// Every item asks the dialog of its row, with its title, captions and
// starting values (those that follow the set resolved), and a cancelled
// dialog changes nothing.
TEST_F(SpriteEditSessionTest, EveryItemAsksTheDialogOfItsRow) {
    std::set<std::string> names, keys;
    for (const SpriteMenuItem& item : SpriteMenuItems()) {
        SCOPED_TRACE(item.name);
        EXPECT_TRUE(names.insert(item.name).second);
        if (*item.shortcut) {
            EXPECT_TRUE(keys.insert(item.shortcut).second);
        }
        if (!*item.title) continue;
        SpriteEditSession& s = Start(SetOf(3, 24, 16));
        auto before = Copy();
        dialogs.ValuesQuestions.clear();
        spriteDialogs.resizeTitles.clear();
        dialogs.CancelValues();
        EXPECT_FALSE(s.Run(item));
        EXPECT_TRUE(SameFrames(s.Frames(), *before));
        EXPECT_FALSE(s.Changed());
        if (item.count == 0) {
            EXPECT_EQ(spriteDialogs.resizeTitles, std::vector<std::string>{item.title});
            continue;
        }
        ASSERT_EQ(dialogs.ValuesQuestions.size(), 1u);
        const auto& asked = dialogs.ValuesQuestions.front();
        EXPECT_EQ(asked.title, item.title);
        EXPECT_EQ(asked.count, item.count);
        for (int i = 0; i < item.count; ++i) {
            EXPECT_EQ(asked.captions[i], item.captions[i]);
            int start = item.starts[i] == kStartAtFrameCount ? 3
                        : item.starts[i] == kStartAtWidth    ? 24
                        : item.starts[i] == kStartAtHeight   ? 16
                                                             : item.starts[i];
            EXPECT_EQ(asked.values[i], start);
        }
        dialogs.Values.clear();
    }
}

TEST_F(SpriteEditSessionTest, HueAndIntensityDialogsPreviewTheFirstFrame) {
    SpriteEditSession& s = Start(SetOf(3));
    spriteDialogs.hue = HueChoice{100, 0, 16};
    spriteDialogs.intensity = IntensityChoice{std::nullopt, 40};
    for (C command : {C::SetHue, C::ColorizePartial, C::ShiftHue, C::ChangeSaturation}) {
        SCOPED_TRACE(SpriteMenuItemOf(command).name);
        spriteDialogs.previews.clear();
        s.Select(2);
        auto first = std::make_unique<Bitmap24>(*s.Frames().GetImage(0));
        EXPECT_TRUE(s.Run(command));
        ASSERT_EQ(spriteDialogs.previews.size(), 1u);
        EXPECT_TRUE(spriteDialogs.previews.front() == *first);
    }
    // An intensity dialog left untouched changes nothing.
    spriteDialogs.intensity = IntensityChoice{};
    EXPECT_FALSE(s.Run(C::ChangeSaturation));
}

}  // namespace
}  // namespace kestrin
