// The image editor driven offscreen: strokes and undo, picking, the
// commands with their dialogs answered by scripts, the grid, the text tool,
// the close question and the external paint program.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QSlider>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "image_editors/external_image_edit.h"
#include "image_editors/image_canvas.h"
#include "image_editors/image_dialogs.h"
#include "image_editors/image_edit_form.h"
#include "image_editors/image_text.h"
#include "image_editors/value_dialog.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/picture.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "platform/scratch_folder.h"
#include "support/scripted_editor_dialogs.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

constexpr ColorValue kRed = MakeColor(255, 0, 0), kGreen = MakeColor(0, 255, 0), kBlue = MakeColor(0, 0, 255);

class ScriptedImageDialogs : public ImageDialogs {
public:
    std::deque<std::optional<HueChoice>> Hues;
    std::deque<std::optional<ResizeChoice>> Resizes;
    std::deque<std::optional<GradientChoice>> Gradients;
    std::deque<std::optional<IntensityChoice>> Intensities;
    int Asked = 0;

    std::optional<HueChoice> AskHue(HueMode, const Bitmap24&, bool) override { return Take(Hues); }
    std::optional<IntensityChoice> AskIntensity(const Bitmap24&, bool) override { return Take(Intensities); }
    std::optional<ResizeChoice> AskResize(ResizeKind, int, int) override { return Take(Resizes); }
    std::optional<GradientChoice> AskGradient() override { return Take(Gradients); }

private:
    template <class T>
    std::optional<T> Take(std::deque<std::optional<T>>& queue) {
        ++Asked;
        if (queue.empty()) return std::nullopt;
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

class ImageEditorTest : public testing::Test {
protected:
    ImageEditorTest() : mUiScope(ui), mDialogScope(dialogs), mImageScope(imageDialogs) {
        TImgEditForm::Settings() = DrawingSettings{};
    }

    // A 16 x 12 picture: white with a blue pixel at (5, 5).
    std::unique_ptr<TImgEditForm> Open(bool allowResize = true, bool transparent = false, Bitmap24 image = Sample()) {
        mOriginal = image;
        auto form = std::make_unique<TImgEditForm>(image, allowResize, transparent);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->SetZoom(4);
        return form;
    }
    static Bitmap24 Sample() {
        Bitmap24 image(16, 12, kWhite);
        image.SetPixel(5, 5, kBlue);
        return image;
    }
    // Presses at image pixel (x1, y1), drags to (x2, y2) and releases, with
    // the form at zoom 4.
    static void Drag(TImgEditForm& form, int x1, int y1, int x2, int y2, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* canvas = form.Canvas();
        QPoint from(x1 * 4 + 1, y1 * 4 + 1), to(x2 * 4 + 1, y2 * 4 + 1);
        QTest::mousePress(canvas, button, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas->mapToGlobal(QPointF(to)), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, button, Qt::NoModifier, to);
    }
    static void Trigger(TImgEditForm& form, const char* command) {
        QAction* action = form.Command(command);
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
    }

    RecordingUI ui;
    test::ScriptedEditorDialogs dialogs;
    ScriptedImageDialogs imageDialogs;
    Bitmap24 mOriginal{1, 1};

private:
    ScopedUI mUiScope;
    ScopedEditorDialogs mDialogScope;
    ScopedImageDialogs mImageScope;
};

TEST_F(ImageEditorTest, StrokeThenUndoTwiceRedoesIt) {
    auto form = Open();
    ImageEditSession& session = form->Session();
    Trigger(*form, "Undo1");  // nothing to undo yet
    EXPECT_EQ(session.Picture(), mOriginal);
    EXPECT_FALSE(session.Changed());

    Drag(*form, 1, 1, 8, 1);
    Bitmap24 stroked = session.Picture();
    EXPECT_EQ(stroked.Pixel(1, 1), 0u);
    EXPECT_EQ(stroked.Pixel(8, 1), 0u);
    EXPECT_EQ(stroked.Pixel(9, 1), kWhite);
    EXPECT_TRUE(session.Changed());

    Trigger(*form, "Undo1");
    EXPECT_EQ(session.Picture(), mOriginal);
    Trigger(*form, "Undo1");
    EXPECT_EQ(session.Picture(), stroked);
}

TEST_F(ImageEditorTest, PickingKeepsTheStrokesUndoAndMarksNothing) {
    auto form = Open();
    ImageEditSession& session = form->Session();
    form->findChild<QToolButton*>(QStringLiteral("PickBtn"))->click();
    Drag(*form, 5, 5, 5, 5, Qt::RightButton);
    EXPECT_EQ(TImgEditForm::Settings().rightColor, kBlue);
    EXPECT_FALSE(session.Changed());
    EXPECT_FALSE(session.HasUndo());

    form->findChild<QToolButton*>(QStringLiteral("PaintBtn"))->click();
    Drag(*form, 0, 0, 3, 0, Qt::RightButton);  // in blue
    EXPECT_EQ(session.Picture().Pixel(2, 0), kBlue);
    form->findChild<QToolButton*>(QStringLiteral("PickBtn"))->click();
    Drag(*form, 0, 11, 0, 11);
    EXPECT_EQ(TImgEditForm::Settings().leftColor, kWhite);
    Trigger(*form, "Undo1");
    EXPECT_EQ(session.Picture(), mOriginal);
}

TEST_F(ImageEditorTest, ColoursAndToolChoicesStayForTheNextUse) {
    {
        auto form = Open();
        form->findChild<QToolButton*>(QStringLiteral("PickBtn"))->click();
        Drag(*form, 5, 5, 5, 5);
        form->findChild<QToolButton*>(QStringLiteral("Width3Btn"))->click();
    }
    auto form = Open();
    EXPECT_EQ(TImgEditForm::Settings().leftColor, kBlue);
    EXPECT_EQ(form->Session().Tool(), ImageTool::Paint);  // the tool starts as paint
    Drag(*form, 8, 8, 8, 8);
    EXPECT_EQ(form->Session().Picture().Pixel(9, 9), kBlue);  // width 3 kept
}

TEST_F(ImageEditorTest, WithoutResizeTheSizeCommandsAreAbsentAndQuarterTurnsKeepTheSize) {
    for (bool allowResize : {false, true}) {
        SCOPED_TRACE(allowResize);
        auto form = Open(allowResize);
        for (const char* name : {"New1", "Stretch1", "Resizecanvas1"})
            EXPECT_EQ(form->Command(name) != nullptr, allowResize) << name;
        EXPECT_EQ(form->findChild<QToolButton*>(QStringLiteral("NewBtn")) != nullptr, allowResize);
        EXPECT_NE(form->Command("Scale1"), nullptr);
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier | Qt::AltModifier);
        const Bitmap24& turned = form->Session().Picture();
        EXPECT_EQ(turned.Width(), allowResize ? 12 : 16);
        EXPECT_EQ(turned.Height(), allowResize ? 16 : 12);
        EXPECT_TRUE(form->Session().Changed());
    }
}

TEST_F(ImageEditorTest, GridShowsFromZoomFour) {
    Bitmap24 black(8, 8, 0);
    auto form = Open(true, false, black);
    for (int zoom : {3, 4}) {
        form->SetZoom(zoom);
        QImage shot = form->Canvas()->grab().toImage();
        // The column at the pixel border: XOR with white turns black white.
        EXPECT_EQ(shot.pixel(zoom, 1) == qRgb(255, 255, 255), zoom == 4) << zoom;
        EXPECT_EQ(shot.pixel(zoom + 1, 1), qRgb(0, 0, 0)) << zoom;
    }
    form->findChild<QToolButton*>(QStringLiteral("GridBtn"))->click();  // off
    EXPECT_EQ(form->Canvas()->grab().toImage().pixel(4, 1), qRgb(0, 0, 0));
}

TEST_F(ImageEditorTest, OnionSkinBlendsTheNeighboursOverTheDisplayOnly) {
    // The edited image: black with its transparent colour (bottom-left,
    // black) everywhere but a white pixel at (1, 1). The neighbours are
    // white with one red and one blue pixel; their own white stays out.
    Bitmap24 image(8, 8, 0);
    image.SetPixel(1, 1, kWhite);
    Bitmap24 before(8, 8, kWhite), after(8, 8, kWhite);
    before.SetPixel(3, 3, kRed);
    before.SetPixel(1, 1, kRed);
    after.SetPixel(3, 3, kBlue);
    ImageEditContext context{{before, after}};
    TImgEditForm::Settings().leftColor = kGreen;
    TImgEditForm form(image, false, true, nullptr, context);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SetZoom(4);
    form.findChild<QToolButton*>(QStringLiteral("GridBtn"))->click();  // off: probes see colours only
    auto probe = [&](int x, int y) { return form.Canvas()->grab().toImage().pixel(x * 4 + 1, y * 4 + 1); };
    auto quarter = [](QRgb under, QRgb over) {
        return qRgb((3 * qRed(under) + qRed(over)) / 4, (3 * qGreen(under) + qGreen(over)) / 4,
                    (3 * qBlue(under) + qBlue(over)) / 4);
    };
    QToolButton* onion = form.findChild<QToolButton*>(QStringLiteral("OnionSkinBtn"));
    ASSERT_NE(onion, nullptr);
    EXPECT_TRUE(onion->isChecked());
    const QRgb checker = probe(5, 5);  // no neighbour pixel there
    ASSERT_TRUE(checker == qRgb(255, 255, 255) || checker == qRgb(204, 204, 204));

    onion->click();  // off
    const QRgb plain = probe(3, 3);
    ASSERT_TRUE(plain == qRgb(255, 255, 255) || plain == qRgb(204, 204, 204));
    EXPECT_EQ(probe(1, 1), qRgb(255, 255, 255));
    onion->click();  // on again
    // Both neighbours land on (3, 3) over the checkerboard: the one before,
    // then the one after.
    EXPECT_EQ(probe(3, 3), quarter(quarter(plain, qRgb(255, 0, 0)), qRgb(0, 0, 255)));
    EXPECT_EQ(probe(1, 1), quarter(qRgb(255, 255, 255), qRgb(255, 0, 0)));  // over drawn pixels too
    EXPECT_EQ(probe(5, 5), checker);

    // A stroke and closing with save give back the picture as drawn, with no
    // neighbour in it.
    onion->click();
    Drag(form, 6, 6, 6, 6);
    Trigger(form, "CloseSavingChanges1");
    Bitmap24 result(1, 1);
    ASSERT_TRUE(form.TakeResult(result));
    Bitmap24 expected = image;
    expected.SetPixel(6, 6, kGreen);
    EXPECT_TRUE(result == expected);
}

TEST_F(ImageEditorTest, WithoutNeighboursThereIsNoOnionSkin) {
    auto form = Open();
    EXPECT_EQ(form->findChild<QToolButton*>(QStringLiteral("OnionSkinBtn")), nullptr);
    EXPECT_FALSE(form->Canvas()->OnionSkinShown());
}

TEST_F(ImageEditorTest, CtrlWheelZoomsAtTheCursor) {
    auto form = Open(true, false, Bitmap24(200, 200, kWhite));
    form->resize(500, 400);
    QWidget* viewport = form->Canvas()->parentWidget();
    QPoint cursor(120, 90);  // in the viewport
    auto pixelUnder = [&] { return form->Canvas()->PixelAt(form->Canvas()->mapFrom(viewport, cursor)); };
    QPoint before = pixelUnder();
    QPoint inCanvas = form->Canvas()->mapFrom(viewport, cursor);
    QWheelEvent wheel(QPointF(inCanvas), form->Canvas()->mapToGlobal(QPointF(inCanvas)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form->Canvas(), &wheel);
    EXPECT_EQ(form->Zoom(), 6);
    EXPECT_EQ(pixelUnder(), before);
    for (int i = 0; i < 12; ++i) form->findChild<QToolButton*>(QStringLiteral("ZoomInBtn"))->click();
    EXPECT_EQ(form->Zoom(), 16);
    EXPECT_FALSE(form->findChild<QToolButton*>(QStringLiteral("ZoomInBtn"))->isVisible());
}

TEST_F(ImageEditorTest, TextWithBackspaceAndEscapeLeavesNoCaretAndKeepsTheEditorOpen) {
    auto form = Open(true, false, Bitmap24(60, 30, kWhite));
    form->SetZoom(1);
    form->findChild<QToolButton*>(QStringLiteral("TextBtn"))->click();
    QTest::mouseClick(form->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 2));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->Session().Changed());  // a press alone types nothing
    QTest::mouseClick(form->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    ASSERT_TRUE(form->Typing());
    QTest::keyClicks(form.get(), QStringLiteral("ab"));
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->Typing());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ui.Questions().empty());

    Bitmap24 expected(60, 30, kWhite);
    DrawTextLine(expected, 2, 2, QStringLiteral("a"), TImgEditForm::TextFont(), TextAlign::Left, 0);
    EXPECT_EQ(form->Session().Picture(), expected);
    EXPECT_NE(expected, Bitmap24(60, 30, kWhite));
    Trigger(*form, "Undo1");
    EXPECT_EQ(form->Session().Picture(), Bitmap24(60, 30, kWhite));
    Trigger(*form, "Undo1");

    // A command's shortcut ends the text before it works on the picture.
    QTest::mouseClick(form->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 2));
    QTest::keyClicks(form.get(), QStringLiteral("b"));
    QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(form->Typing());
    Bitmap24 typed = expected;
    DrawTextLine(typed, 40, 2, QStringLiteral("b"), TImgEditForm::TextFont(), TextAlign::Left, 0);
    EXPECT_EQ(form->Session().Picture(), *Bitmap24_Mirror(&typed));

    // Tool keys are typed as text while typing, and choose tools otherwise.
    QTest::mouseClick(form->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 16));
    QTest::keyClicks(form.get(), QStringLiteral("L"));
    EXPECT_EQ(form->Session().Tool(), ImageTool::Text);
    QTest::keyClick(form.get(), Qt::Key_Return);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    QTest::keyClick(form.get(), Qt::Key_L);
    EXPECT_EQ(form->Session().Tool(), ImageTool::Line);
}

TEST_F(ImageEditorTest, TheCloseQuestion) {
    struct Case {
        const char* name;
        bool draw;
        std::optional<Answer> answer;  // none: no question expected
        bool closeSaving;
        bool stillOpen;
        bool result;
    } cases[] = {
        {"unchanged closes without a question", false, std::nullopt, false, false, false},
        {"Yes keeps the changes", true, Answer::Yes, false, false, true},
        {"No drops them", true, Answer::No, false, false, false},
        {"Cancel stays open", true, Answer::Cancel, false, true, false},
        {"close saving changes asks nothing", true, std::nullopt, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.Reset();
        auto form = Open();
        if (c.draw) Drag(*form, 1, 1, 4, 4);
        if (c.answer) ui.ScriptAnswers({*c.answer});
        if (c.closeSaving)
            Trigger(*form, "CloseSavingChanges1");
        else
            QTest::keyClick(form.get(), Qt::Key_Escape);
        EXPECT_EQ(ui.Questions(), c.answer ? std::vector<std::string>{kSaveImageQuestion} : std::vector<std::string>{});
        EXPECT_EQ(form->isVisible(), c.stillOpen);
        Bitmap24 caller = mOriginal;
        EXPECT_EQ(form->TakeResult(caller), c.result);
        EXPECT_EQ(caller == mOriginal, !c.result);
    }
}

TEST_F(ImageEditorTest, ACancelledDialogLeavesUndoAndChangedAlone) {
    auto form = Open();
    ImageEditSession& session = form->Session();
    dialogs.CancelValues();                 // blur
    imageDialogs.Hues.push_back(std::nullopt);
    imageDialogs.Resizes.push_back(std::nullopt);
    dialogs.AnswerValue(0);                 // blur of 0 cancels too
    Trigger(*form, "Blur1");
    Trigger(*form, "Colorize1");
    Trigger(*form, "Stretch1");
    Trigger(*form, "Blur1");
    EXPECT_EQ(imageDialogs.Asked, 2);
    EXPECT_FALSE(session.Changed());
    EXPECT_FALSE(session.HasUndo());

    Drag(*form, 0, 0, 2, 0);
    imageDialogs.Gradients.push_back(std::nullopt);
    Trigger(*form, "GradientFill1");
    Trigger(*form, "Undo1");
    EXPECT_EQ(session.Picture(), mOriginal);  // the stroke's undo survived
}

TEST_F(ImageEditorTest, CommandsApplyTheirDialogsChoices) {
    auto form = Open();
    ImageEditSession& session = form->Session();
    imageDialogs.Gradients.push_back(GradientChoice{kRed, kGreen, 0});
    Trigger(*form, "GradientFill1");
    EXPECT_EQ(session.Picture().Pixel(0, 3), kRed);

    imageDialogs.Resizes.push_back(ResizeChoice{32, 6, 5, 1});
    Trigger(*form, "Stretch1");
    EXPECT_EQ(session.Picture().Width(), 32);
    EXPECT_EQ(form->Canvas()->width(), 32 * 4);

    imageDialogs.Intensities.push_back(IntensityChoice{});  // both bars untouched
    Bitmap24 before = session.Picture();
    Trigger(*form, "Intensity1");
    EXPECT_EQ(session.Picture(), before);
    Trigger(*form, "Undo1");
    EXPECT_EQ(session.Picture().Width(), 16);  // the undo is still the stretch's

    dialogs.AnswerValues({20000, 20000, 0});
    Trigger(*form, "New1");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"The image would be too large."});
    EXPECT_EQ(session.Picture().Width(), 16);
    dialogs.AnswerValues({3, 2, 0});
    Trigger(*form, "New1");
    EXPECT_EQ(session.Picture(), Bitmap24(3, 2, 0));
    EXPECT_EQ(dialogs.ValuesQuestions.back().title, "Create a new image");
}

TEST_F(ImageEditorTest, CopyAndPasteKeepTheSize) {
    auto form = Open();
    Trigger(*form, "Copy1");
    Trigger(*form, "Clear1");
    EXPECT_NE(form->Session().Picture(), mOriginal);
    Trigger(*form, "Paste1");
    EXPECT_EQ(form->Session().Picture(), mOriginal);

    QImage large(40, 3, QImage::Format_RGB32);
    large.fill(qRgb(255, 0, 0));
    QApplication::clipboard()->setImage(large);
    Trigger(*form, "Paste1");
    const Bitmap24& pasted = form->Session().Picture();
    EXPECT_EQ(pasted.Width(), 16);
    EXPECT_EQ(pasted.Pixel(15, 2), kRed);
    EXPECT_EQ(pasted.Pixel(15, 3), kWhite);
}

TEST_F(ImageEditorTest, SaveAsWritesBmpOrPngAndReportsAFailure) {
    test::TempDir dir;
    auto form = Open();
    dialogs.Files.push_back(dir.File("shot.png"));
    dialogs.Files.push_back(dir.File("missing/shot.bmp"));
    Trigger(*form, "SaveAs1");
    Trigger(*form, "SaveAs1");
    auto saved = ReadPictureFile(dir.File("shot.png"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved->image, mOriginal);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Failed to save the image file."});
    EXPECT_FALSE(form->Session().Changed());
}

TEST_F(ImageEditorTest, TheValueDialogOpeningUntouchedChangesNothing) {
    Bitmap24 image = Sample();
    TValueDialog dialog(image, false);
    IntensityChoice choice = dialog.Choice();
    EXPECT_FALSE(choice.value);
    EXPECT_FALSE(choice.saturation);
    EXPECT_EQ(*ApplyIntensity(image, choice, false), image);
    dialog.findChild<QSlider*>(QStringLiteral("ValueBar"))->setValue(255);
    EXPECT_EQ(dialog.Choice().value, 255);
    EXPECT_FALSE(dialog.Choice().saturation);
}

// The external editor is a shell script that acts on the file it is given.
class ExternalImageEditorTest : public ImageEditorTest {
protected:
    ExternalImageEditorTest() {
        if (ScratchFolder().empty()) MakeScratchFolder();
        mPrefs = Prefs();
    }
    ~ExternalImageEditorTest() override { Prefs() = mPrefs; }

    void UseScript(const std::string& body) {
        std::string path = mDir.File("paint.sh");
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        Prefs().ImageEditorInternal = false;
        Prefs().ImageEditor = path;
    }
    std::string WriteBmp(const std::string& name, const Bitmap24& image) {
        auto bytes = EncodeBmp(image);
        std::ofstream(mDir.File(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                                static_cast<std::streamsize>(bytes.size()));
        return mDir.File(name);
    }

    test::TempDir mDir;
    Preferences mPrefs;
};

TEST_F(ExternalImageEditorTest, RewritesResizesOrDeletesTheFile) {
    std::string red = WriteBmp("red.bmp", Bitmap24(4, 4, kRed));
    std::string wide = WriteBmp("wide.bmp", Bitmap24(8, 2, kGreen));
    struct Case {
        const char* name;
        std::string script;
        bool allowResize;
        bool result;
        int width, height;
        ColorValue topLeft, bottomRight;
    } cases[] = {
        {"rewritten", "cp '" + red + "' \"$1\"", true, true, 4, 4, kRed, kRed},
        {"resized with resizing allowed", "cp '" + wide + "' \"$1\"", true, true, 8, 2, kGreen, kGreen},
        {"resized without", "cp '" + wide + "' \"$1\"", false, true, 4, 4, kGreen, kBlue},
        {"deleted", "rm \"$1\"", true, false, 4, 4, kBlue, kBlue},
        {"garbage", "echo nonsense > \"$1\"", true, false, 4, 4, kBlue, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.Reset();
        UseScript(c.script);
        Bitmap24 image(4, 4, kBlue);
        EXPECT_EQ(RunImageEditor(image, c.allowResize, false), c.result);
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.Pixel(0, 0), c.topLeft);
        EXPECT_EQ(image.Pixel(c.width - 1, c.height - 1), c.bottomRight);
        EXPECT_EQ(ui.Messages(), c.result ? std::vector<std::string>{}
                                          : std::vector<std::string>{kImageReadBackFailed});
    }
}

}  // namespace
}  // namespace kestrin
