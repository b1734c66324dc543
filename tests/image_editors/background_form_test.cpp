// The background window: size texts and picture, its checks, loading a
// picture and editing it in the image editor, the icon following, closing.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "image_editors/background_form.h"
#include "image_editors/file_messages.h"
#include "imaging/bmp_codec.h"
#include "platform/file_system.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

constexpr ColorValue kRed = 255;

class BackgroundFormTest : public test::EditorTest {
protected:
    BackgroundFormTest() {
        index = game.Backgrounds().AddResource();
        game.Backgrounds().RenameResource(index, "back_sky");
        game.ClearChangedFlags();
    }
    TBackgroundForm* OpenForm() { return Open<TBackgroundForm>(ResourceKind::Background, index); }
    CBackground& Background() { return *game.Backgrounds().ResourceAt(index); }
    template <class W>
    static W* Child(QWidget* form, const char* name) {
        return form->findChild<W*>(QString::fromLatin1(name));
    }
    static QString Text(QWidget* form, const char* name) { return Child<QLabel>(form, name)->text(); }
    // Near the left end: check boxes take clicks only on their box and text.
    void Click(QWidget* form, const char* name) {
        QAbstractButton* button = Child<QAbstractButton>(form, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    std::string WriteBmp(const char* name, int width, int height, ColorValue color) {
        std::vector<std::uint8_t> bytes = EncodeBmp(Bitmap24(width, height, color));
        std::string path = dir.File(name);
        WriteFileAtomically(path, bytes.data(), bytes.size());
        return path;
    }
    ColorValue IconCentre() {
        const Bitmap24* icon = game.Icons.Thumbnail(game.ResourceIcon(ResourceKind::Background, index));
        return icon ? PixelColor(icon->Row(8) + 3 * 8) : 0;
    }

    test::TempDir dir;
    int index = 0;
};

TEST_F(BackgroundFormTest, OpeningShowsTheFieldsAndMarksNothing) {
    TBackgroundForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Text(form, "WidthLabel"), QStringLiteral("Width: 0"));
    EXPECT_EQ(Text(form, "HeightLabel"), QStringLiteral("Height: 0"));
    EXPECT_FALSE(Child<QLabel>(form, "Picture")->isVisible());
    EXPECT_FALSE(Child<QCheckBox>(form, "TransparentCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "VideoCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "LoadOnUseCheck")->isChecked());
    EXPECT_TRUE(Child<QGroupBox>(form, "AdvancedPanel")->isVisible());
    EXPECT_FALSE(form->Edited());
    EXPECT_FALSE(game.GameChanged());
}

TEST_F(BackgroundFormTest, TheAdvancedPanelShowsOnlyInAdvancedMode) {
    Prefs().Advanced = false;
    TBackgroundForm* form = OpenForm();
    EXPECT_FALSE(Child<QGroupBox>(form, "AdvancedPanel")->isVisible());
}

TEST_F(BackgroundFormTest, TheChecksSetTheirFieldsAndMark) {
    TBackgroundForm* form = OpenForm();
    Click(form, "TransparentCheck");
    Click(form, "VideoCheck");
    Click(form, "LoadOnUseCheck");
    EXPECT_TRUE(Background().Transparent);
    EXPECT_FALSE(Background().VideoMemory);
    EXPECT_FALSE(Background().LoadOnUse);
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Backgrounds().Changed());
}

// With no image the editor starts on a white 64 x 64 picture it may resize;
// what it hands back becomes the background, and the icon follows.
TEST_F(BackgroundFormTest, EditWithNoImageStartsOnWhite64x64AndTakesTheResult) {
    Background().Transparent = true;
    TBackgroundForm* form = OpenForm();
    int width = 0, height = 0;
    ColorValue color = 0;
    bool resizeAllowed = false, transparent = false;
    dialogs.ImageEdits.push_back([&](Bitmap24& image, bool allowResize, bool seeThrough) {
        width = image.Width();
        height = image.Height();
        color = PixelColor(image.Row(0));
        resizeAllowed = allowResize;
        transparent = seeThrough;
        image = Bitmap24(100, 50, kRed);
        PutPixel(image.Row(49), kWhite);  // the transparent colour
        return true;
    });
    Click(form, "EditBtn");
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 64);
    EXPECT_EQ(color, kWhite);
    EXPECT_TRUE(resizeAllowed);
    EXPECT_TRUE(transparent);
    EXPECT_EQ(Background().Width, 100);
    EXPECT_EQ(Background().Height, 50);
    EXPECT_EQ(Text(form, "WidthLabel"), QStringLiteral("Width: 100"));
    EXPECT_EQ(Text(form, "HeightLabel"), QStringLiteral("Height: 50"));
    EXPECT_TRUE(Child<QLabel>(form, "Picture")->isVisible());
    EXPECT_TRUE(form->Edited());
    EXPECT_EQ(IconCentre(), kRed);
}

TEST_F(BackgroundFormTest, AnEditorThatChangesNothingLeavesTheBackgroundAlone) {
    TBackgroundForm* form = OpenForm();
    dialogs.ImageEdits.push_back([](Bitmap24& image, bool, bool) {
        image = Bitmap24(10, 10, kRed);
        return false;
    });
    Click(form, "EditBtn");
    EXPECT_FALSE(Background().HasImage());
    EXPECT_FALSE(form->Edited());
}

TEST_F(BackgroundFormTest, LoadTakesThePictureAndNoPutsTheOldOneBack) {
    Background().SetImage(std::make_unique<Bitmap24>(8, 8, kWhite).get());
    QPointer<TBackgroundForm> form = OpenForm();
    Prefs().BackgroundDir = "/nowhere";
    dialogs.Files.push_back(WriteBmp("sky.bmp", 40, 30, kRed));
    Click(form, "LoadBtn");
    EXPECT_EQ(dialogs.FileSpecs.back().folder, "/nowhere");
    EXPECT_EQ(Prefs().BackgroundDir, dir.Path());
    EXPECT_EQ(Text(form, "WidthLabel"), QStringLiteral("Width: 40"));
    EXPECT_EQ(Text(form, "HeightLabel"), QStringLiteral("Height: 30"));
    EXPECT_TRUE(form->Edited());
    EXPECT_EQ(IconCentre(), kRed);

    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(Background().Width, 8);
    EXPECT_EQ(PixelColor(Background().GetImage()->Row(0)), kWhite);
}

TEST_F(BackgroundFormTest, AFailedLoadShowsTheMessageAndMarksNothing) {
    TBackgroundForm* form = OpenForm();
    std::string broken = dir.File("broken.png");
    WriteFileAtomically(broken, "not a picture", 13);
    dialogs.Files.push_back(broken);
    Click(form, "LoadBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToLoadFileMessage});
    EXPECT_FALSE(Background().HasImage());
    EXPECT_FALSE(form->Edited());
}

}  // namespace
}  // namespace kestrin
