// The sprite properties window: texts and frame stepping, the checks and
// fields, the origin by mouse, the box modes, Load and Edit marking the game
// with the icons following, and closing after a load.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "editors/object_form.h"
#include "image_editors/file_messages.h"
#include "image_editors/pointing_picture.h"
#include "image_editors/sprite_form.h"
#include "image_editors/value_edit.h"
#include "imaging/bmp_codec.h"
#include "platform/file_system.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

constexpr ColorValue kRed = 255;
constexpr ColorValue kBlue = MakeColor(0, 0, 255);

class SpriteFormTest : public test::EditorTest {
protected:
    SpriteFormTest() {
        index = game.Sprites().AddResource();
        game.Sprites().RenameResource(index, "spr_ball");
        // Two 20 x 10 blue frames with a white (transparent) corner column.
        Bitmap24 frame(20, 10, kBlue);
        for (int y = 0; y < 10; ++y) frame.SetPixel(0, y, kWhite);
        Sprite().AddImage(&frame);
        Sprite().AddImage(&frame);
        Sprite().UpdateTransparentColor();
        Sprite().SetTransparent(true);
        game.ClearChangedFlags();
    }
    TSpriteForm* OpenForm() { return Open<TSpriteForm>(ResourceKind::Sprite, index); }
    CSprite& Sprite() { return *game.Sprites().ResourceAt(index); }
    template <class W>
    static W* Child(QWidget* form, const char* name) {
        W* child = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QString Text(QWidget* form, const char* name) { return Child<QLabel>(form, name)->text(); }
    static bool Shown(QWidget* form, const char* name) { return Child<QWidget>(form, name)->isVisible(); }
    void Click(QWidget* form, const char* name) {
        QAbstractButton* button = Child<QAbstractButton>(form, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    static void Type(QWidget* form, const char* name, const char* text) {
        auto* edit = Child<QLineEdit>(form, name);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    // A picture of one colour but for its bottom-left pixel, which is white:
    // the transparent colour.
    std::string WriteBmp(const char* name, int width, int height, ColorValue color) {
        Bitmap24 picture(width, height, color);
        picture.SetPixel(0, height - 1, kWhite);
        std::vector<std::uint8_t> bytes = EncodeBmp(picture);
        std::string path = dir.File(name);
        WriteFileAtomically(path, bytes.data(), bytes.size());
        return path;
    }
    ColorValue IconCentre() {
        const Bitmap24* icon = game.Icons.Thumbnail(game.ResourceIcon(ResourceKind::Sprite, index));
        return icon ? PixelColor(icon->Row(8) + 3 * 8) : 0;
    }
    static QRgb PictureAt(QWidget* form, int x, int y) {
        return Child<TPointingPicture>(form, "Picture")->Picture().pixel(x, y) & 0xFFFFFF;
    }

    test::TempDir dir;
    int index = 0;
};

TEST_F(SpriteFormTest, OpeningShowsTheTextsAndStepsThroughTheFramesWithoutMarking) {
    TSpriteForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Sprite Properties: spr_ball"));
    EXPECT_EQ(Text(form, "WidthLabel"), QStringLiteral("Width: 20"));
    EXPECT_EQ(Text(form, "HeightLabel"), QStringLiteral("Height: 10"));
    EXPECT_EQ(Text(form, "CountLabel"), QStringLiteral("Number of subimages: 2"));
    EXPECT_TRUE(Child<QCheckBox>(form, "TransparentCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "PreciseCheck")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(form, "AutomaticBtn")->isChecked());
    EXPECT_FALSE(Child<QLineEdit>(form, "LeftEdit")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(form, "LeftEdit")->text(), QStringLiteral("1")) << "the white column is left out";

    struct Step {
        const char* button;
        int frame;
        bool previous, next;
    };
    const Step steps[] = {{nullptr, 0, false, true}, {"NextBtn", 1, true, false}, {"PreviousBtn", 0, false, true}};
    for (const Step& step : steps) {
        if (step.button) Click(form, step.button);
        EXPECT_EQ(form->ShownFrame(), step.frame);
        EXPECT_EQ(Text(form, "FrameNumber"), QString::number(step.frame));
        EXPECT_TRUE(Shown(form, "FrameLabel"));
        EXPECT_EQ(Shown(form, "PreviousBtn"), step.previous) << step.frame;
        EXPECT_EQ(Shown(form, "NextBtn"), step.next) << step.frame;
    }
    EXPECT_FALSE(form->Edited());
    EXPECT_FALSE(game.GameChanged());
}

TEST_F(SpriteFormTest, ASpriteWithoutFramesHidesThePictureAndTheFrameControls) {
    Sprite().ClearImages();
    TSpriteForm* form = OpenForm();
    EXPECT_EQ(Text(form, "CountLabel"), QStringLiteral("Number of subimages: 0"));
    for (const char* name : {"Picture", "FrameLabel", "FrameNumber", "PreviousBtn", "NextBtn"})
        EXPECT_FALSE(Shown(form, name)) << name;
}

TEST_F(SpriteFormTest, SimpleModeHidesTheAdvancedPanelAndThePictureIgnoresPresses) {
    Prefs().Advanced = false;
    TSpriteForm* form = OpenForm();
    EXPECT_FALSE(Shown(form, "AdvancedPanel"));
    QTest::mouseClick(Child<QWidget>(form, "Picture"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Sprite().XOrigin, 0);
    EXPECT_FALSE(form->Edited());
}

// The cross is drawn by inverting: its arm pixels are the complement of the
// frame, its centre is crossed twice and keeps its colour.
TEST_F(SpriteFormTest, APressOrDragSetsTheOriginAndTheCrossFollows) {
    TSpriteForm* form = OpenForm();
    auto* picture = Child<QWidget>(form, "Picture");
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(5, 7));
    EXPECT_EQ(Sprite().XOrigin, 5);
    EXPECT_EQ(Sprite().YOrigin, 7);
    EXPECT_EQ(Child<QLineEdit>(form, "XEdit")->text(), QStringLiteral("5"));
    EXPECT_EQ(Child<QLineEdit>(form, "YEdit")->text(), QStringLiteral("7"));
    EXPECT_EQ(PictureAt(form, 8, 7), qRgb(255, 255, 0) & 0xFFFFFF);
    EXPECT_EQ(PictureAt(form, 5, 7), qRgb(0, 0, 255) & 0xFFFFFF);
    QTest::mouseMove(picture, QPoint(12, 3));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(12, 3));
    EXPECT_EQ(Sprite().XOrigin, 12);
    EXPECT_EQ(Sprite().YOrigin, 3);
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Sprites().Changed());

    Type(form, "XEdit", "-4");
    EXPECT_EQ(Sprite().XOrigin, -4);
    Click(form, "CentreBtn");
    EXPECT_EQ(Sprite().XOrigin, 10);
    EXPECT_EQ(Sprite().YOrigin, 5);
    EXPECT_EQ(Child<QLineEdit>(form, "XEdit")->text(), QStringLiteral("10"));
}

TEST_F(SpriteFormTest, TheBoxModesAndTheTransparentCheckSetTheBox) {
    TSpriteForm* form = OpenForm();
    auto box = [this] {
        return std::array<int, 4>{Sprite().BoxLeft, Sprite().BoxRight, Sprite().BoxTop, Sprite().BoxBottom};
    };
    Click(form, "FullImageBtn");
    EXPECT_EQ(Sprite().BoxMode, kBoxFullImage);
    EXPECT_EQ(box(), (std::array<int, 4>{0, 19, 0, 9}));
    EXPECT_EQ(Child<QLineEdit>(form, "RightEdit")->text(), QStringLiteral("19"));

    Click(form, "AutomaticBtn");
    EXPECT_EQ(box(), (std::array<int, 4>{1, 19, 0, 9}));
    Click(form, "TransparentCheck");
    EXPECT_FALSE(Sprite().Transparent);
    EXPECT_EQ(box(), (std::array<int, 4>{0, 19, 0, 9})) << "the white column counts now";

    Click(form, "ManualBtn");
    EXPECT_TRUE(Child<QLineEdit>(form, "LeftEdit")->isEnabled());
    Type(form, "LeftEdit", "3");
    Type(form, "BottomEdit", "6");
    EXPECT_EQ(Sprite().BoxMode, kBoxManual);
    EXPECT_EQ(box(), (std::array<int, 4>{3, 19, 0, 6}));
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Sprites().Changed());
}

TEST_F(SpriteFormTest, TheFlagChecksSetTheirFieldsAndMark) {
    TSpriteForm* form = OpenForm();
    Click(form, "PreciseCheck");
    Click(form, "VideoCheck");
    Click(form, "LoadOnUseCheck");
    EXPECT_FALSE(Sprite().PreciseCollision);
    EXPECT_FALSE(Sprite().VideoMemory);
    EXPECT_TRUE(Sprite().LoadOnUse);
    EXPECT_TRUE(game.Sprites().Changed());
}

// The sprite editor's answer replaces the frames: the window, the list's
// icon and an object editor showing the sprite all follow, and the game is
// marked so the change is not lost at exit.
TEST_F(SpriteFormTest, EditMarksTheGameAndTheIconsFollow) {
    int object = game.Objects().AddResource();
    game.Objects().ResourceAt(object)->Sprite = index;
    auto* objectForm = Open<TObjectForm>(ResourceKind::Object, object);
    ASSERT_NE(objectForm, nullptr);
    TSpriteForm* form = OpenForm();
    Click(form, "NextBtn");
    game.ClearChangedFlags();

    dialogs.SpriteEdits.push_back([](CSprite& sprite) {
        sprite.ClearImages();
        Bitmap24 red(16, 16, kRed);
        for (int i = 0; i < 3; ++i) sprite.AddImage(&red);
        sprite.SetTransparent(false);
        return true;
    });
    Click(form, "EditBtn");
    EXPECT_EQ(dialogs.SpriteEditsAsked, 1);
    EXPECT_EQ(Text(form, "CountLabel"), QStringLiteral("Number of subimages: 3"));
    EXPECT_EQ(Text(form, "WidthLabel"), QStringLiteral("Width: 16"));
    EXPECT_FALSE(Child<QCheckBox>(form, "TransparentCheck")->isChecked());
    EXPECT_EQ(form->ShownFrame(), 1);
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Sprites().Changed());
    EXPECT_EQ(IconCentre(), kRed);
    Settle();
    QImage shown = Child<QLabel>(objectForm, "SpriteImg")->pixmap().toImage();
    EXPECT_EQ(shown.pixel(8, 8) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);

    game.ClearChangedFlags();
    dialogs.SpriteEdits.push_back([](CSprite&) { return false; });
    Click(form, "EditBtn");
    EXPECT_FALSE(game.Sprites().Changed()) << "an editor that replaced nothing marks nothing";
}

TEST_F(SpriteFormTest, LoadStartsInTheRememberedFolderMarksAndAFailureSaysSo) {
    TSpriteForm* form = OpenForm();
    Prefs().SpriteDir = "/nowhere";
    dialogs.Files.push_back(WriteBmp("ball.bmp", 40, 30, kRed));
    Click(form, "LoadBtn");
    EXPECT_EQ(dialogs.FileSpecs.back().folder, "/nowhere");
    EXPECT_EQ(Prefs().SpriteDir, dir.Path());
    EXPECT_EQ(Text(form, "WidthLabel"), QStringLiteral("Width: 40"));
    EXPECT_EQ(Text(form, "CountLabel"), QStringLiteral("Number of subimages: 1"));
    EXPECT_TRUE(game.Sprites().Changed());
    EXPECT_EQ(IconCentre(), kRed);

    game.ClearChangedFlags();
    std::string broken = dir.File("broken.png");
    WriteFileAtomically(broken, "not a picture", 13);
    dialogs.Files.push_back(broken);
    Click(form, "LoadBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToLoadFileMessage});
    EXPECT_EQ(Sprite().Width, 40);
    EXPECT_FALSE(game.Sprites().Changed());
}

// Each way of closing after a Load and a rename: what the sprite is left as.
TEST_F(SpriteFormTest, ClosingAfterALoad) {
    struct Case {
        const char* how;
        std::optional<Answer> answer;  // none: the OK button
        bool open;
        int width;
        const char* name;
    };
    const Case cases[] = {
        {"Yes keeps", Answer::Yes, false, 40, "spr_new"},
        {"No restores", Answer::No, false, 20, "spr_ball"},
        {"Cancel stays", Answer::Cancel, true, 40, "spr_new"},
        {"OK asks nothing", std::nullopt, false, 40, "spr_new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        QPointer<TSpriteForm> form = OpenForm();
        dialogs.Files.push_back(WriteBmp("big.bmp", 40, 30, kRed));
        Click(form, "LoadBtn");
        Type(form, "NameEdit", "spr_new");
        int asked = ui.Questions().size();
        if (c.answer) {
            ui.ScriptAnswers({*c.answer});
            form->close();
        } else {
            Click(form, "OKBtn");
        }
        Settle();
        EXPECT_EQ(static_cast<int>(ui.Questions().size()) - asked, c.answer ? 1 : 0);
        EXPECT_EQ(!form.isNull() && form->isVisible(), c.open);
        EXPECT_EQ(Sprite().Width, c.width);
        EXPECT_EQ(game.ResourceName(ResourceKind::Sprite, index), c.name);
        // Back to the start for the next case.
        if (form) {
            form->CloseWithOk();
            Settle();
        }
        Bitmap24 frame(20, 10, kBlue);
        Sprite().ClearImages();
        Sprite().AddImage(&frame);
        game.Sprites().RenameResource(index, "spr_ball");
        game.ClearChangedFlags();
    }
}

}  // namespace
}  // namespace kestrin
