// The sprite editor window: what EditSprite stores, the close question, the
// thumbnails and status bar, dragging frames, and the preview's speed.

#include "image_editors/edit_sprite_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <functional>

#include "image_editors/sprite_frame_list.h"
#include "image_editors/value_edit.h"
#include "platform/recording_ui.h"
#include "resources/sprite.h"
#include "support/scripted_editor_dialogs.h"

namespace kestrin {
namespace {

constexpr ColorValue kRed = MakeColor(255, 0, 0);

std::unique_ptr<TAnimation> ThreeFrames() {
    auto set = std::make_unique<TAnimation>(16, 16);
    for (int i = 0; i < 3; ++i) {
        Bitmap24 frame(16, 16, kWhite);
        frame.SetPixel(i, 0, kRed);
        set->AddImage(frame);
    }
    return set;
}

// Runs the steps on the open editor once RunEditSpriteForm shows it.
void WhenEditorOpens(std::function<void(TEditSpriteForm&)> steps) {
    QTimer::singleShot(0, [steps] {
        auto* form = qobject_cast<TEditSpriteForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        steps(*form);
    });
}

class EditSpriteFormTest : public ::testing::Test {
protected:
    RecordingUI ui;
    ScopedUI installedUi{ui};
    test::ScriptedEditorDialogs dialogs;
    ScopedEditorDialogs installedDialogs{dialogs};
};

TEST_F(EditSpriteFormTest, AnEmptySpriteGetsOneEmptyFrameStoredOnSave) {
    CSprite sprite;
    sprite.SetTransparent(false);
    WhenEditorOpens([](TEditSpriteForm& form) {
        EXPECT_EQ(form.Session().Frames().FrameCount(), 1);
        form.Action("CloseSavingChanges1")->trigger();
    });
    EXPECT_TRUE(RunEditSpriteForm(sprite));
    EXPECT_EQ(sprite.FrameCount(), 1);
    EXPECT_EQ(sprite.Width, 32);
    EXPECT_EQ(sprite.Height, 32);
    EXPECT_FALSE(sprite.Transparent);
}

TEST_F(EditSpriteFormTest, ClosingWithChangesAsksAndStoresOnlyOnYes) {
    struct Case {
        Answer answer;
        bool stored;
    } cases[] = {{Answer::Yes, true}, {Answer::No, false}};
    for (const Case& c : cases) {
        CSprite sprite;
        Bitmap24 frame(16, 16, kWhite);
        frame.SetPixel(0, 0, kRed);
        sprite.AddImage(&frame);
        ui.Reset();
        ui.ScriptAnswers({Answer::Cancel, c.answer});
        bool stayedOpen = false;
        WhenEditorOpens([&](TEditSpriteForm& form) {
            form.Action("Mirror1")->trigger();
            form.close();
            stayedOpen = form.isVisible();
            form.close();
        });
        EXPECT_EQ(RunEditSpriteForm(sprite), c.stored);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(ui.Questions(), (std::vector<std::string>{"Save the changes to the sprite?",
                                                            "Save the changes to the sprite?"}));
        EXPECT_EQ(sprite.GetImage(0)->Pixel(15, 0) == kRed, c.stored);
    }
}

TEST_F(EditSpriteFormTest, ThumbnailsStatusBarAndEnabledStatesFollowTheSet) {
    TEditSpriteForm form(ThreeFrames(), false);
    auto* list = form.findChild<TSpriteFrameList*>("ImageList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "image 2");
    EXPECT_EQ(form.findChild<QLabel*>("FramesLabel")->text(), " Frames: 3");
    EXPECT_EQ(form.findChild<QLabel*>("SizeLabel")->text(), " Size: 16 x 16");
    EXPECT_EQ(form.findChild<QLabel*>("TransparentLabel")->text(), " Transparent");

    list->setCurrentRow(0);
    EXPECT_FALSE(form.Action("MoveLeftImage1")->isEnabled());
    EXPECT_TRUE(form.Action("MoveRightImage1")->isEnabled());
    form.Action("AddEmpty1")->trigger();
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(form.findChild<QLabel*>("FramesLabel")->text(), " Frames: 4");
    EXPECT_FALSE(form.Action("MoveRightImage1")->isEnabled());
}

TEST_F(EditSpriteFormTest, KeysRunTheirCommands) {
    TEditSpriteForm form(ThreeFrames(), false);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.findChild<TSpriteFrameList*>("ImageList")->setFocus();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int count;
        bool mirrored;
    } cases[] = {
        {Qt::Key_A, Qt::ShiftModifier, 4, false},
        {Qt::Key_Delete, Qt::NoModifier, 3, false},
        {Qt::Key_M, Qt::ControlModifier | Qt::AltModifier, 3, true},
        {Qt::Key_Z, Qt::ControlModifier, 3, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        QTest::keyClick(&form, c.key, c.modifiers);
        EXPECT_EQ(form.Session().Frames().FrameCount(), c.count);
        EXPECT_EQ(form.Session().Frames().GetImage(0)->Pixel(15, 0) == kRed, c.mirrored);
    }
}

TEST_F(EditSpriteFormTest, DroppingAThumbnailMovesItsFrame) {
    TEditSpriteForm form(ThreeFrames(), false);
    form.show();
    auto* list = form.findChild<TSpriteFrameList*>("ImageList");
    list->setCurrentRow(0);
    QApplication::processEvents();
    std::unique_ptr<QMimeData> data(list->model()->mimeData({list->model()->index(0, 0)}));
    QPoint at = list->visualItemRect(list->item(2)).center();
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &drop);
    const TAnimation& frames = form.Session().Frames();
    EXPECT_EQ(frames.GetImage(2)->Pixel(0, 0), kRed);
    EXPECT_EQ(frames.GetImage(0)->Pixel(1, 0), kRed);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(form.Session().Changed());
}

TEST_F(EditSpriteFormTest, PreviewSpeedStaysWithinOneToAThousand) {
    TEditSpriteForm form(ThreeFrames(), false);
    auto* speed = form.findChild<TValueEdit*>("SpeedEdit");
    EXPECT_EQ(form.PreviewInterval(), 50);
    form.findChild<QCheckBox*>("PreviewCheck")->click();
    const struct {
        const char* typed;
        int interval;
    } cases[] = {{"0", 1000}, {"-5", 1000}, {"5000", 1}, {"4", 250}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        speed->clear();
        QTest::keyClicks(speed, c.typed);
        EXPECT_EQ(form.PreviewInterval(), c.interval);
        EXPECT_EQ(form.PreviewTimer()->interval(), c.interval);
        EXPECT_TRUE(form.PreviewTimer()->isActive());
    }
    form.StepPreview(1);
    form.StepPreview(-3);
    EXPECT_EQ(form.PreviewFrame(), 1);
}

}  // namespace
}  // namespace kestrin
