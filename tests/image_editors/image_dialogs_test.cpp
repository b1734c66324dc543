// The hue, resize and gradient dialogs: linked fields, the choices kept for
// the next use only on OK, the preview following the bars.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "image_editors/gradient_dialog.h"
#include "image_editors/hue_dialog.h"
#include "image_editors/resize_dialog.h"
#include "image_editors/value_edit.h"
#include "imaging/bitmap24_ops.h"
#include "support/scripted_editor_dialogs.h"

namespace kestrin {
namespace {

// Runs `act` on the next modal dialog once it is showing, then presses its
// OK or Cancel button.
void WhenShown(std::function<void(QDialog&)> act, bool ok) {
    QTimer::singleShot(0, [act, ok] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
        dialog->findChild<QPushButton*>(ok ? QStringLiteral("OKBtn") : QStringLiteral("CancelBtn"))->click();
    });
}

TValueEdit* Field(QDialog& dialog, const char* name) { return dialog.findChild<TValueEdit*>(QString::fromLatin1(name)); }

TEST(ResizeDialog, PercentAndPixelsFollowEachOther) {
    TResizeDialog dialog(ResizeKind::Scale, 200, 100);
    QTest::keyClick(Field(dialog, "WidthPercentEdit"), Qt::Key_Backspace);  // 100 -> 10
    EXPECT_EQ(Field(dialog, "WidthEdit")->Value(), 20);
    EXPECT_EQ(Field(dialog, "HeightPercentEdit")->Value(), 10);  // aspect kept
    EXPECT_EQ(Field(dialog, "HeightEdit")->Value(), 10);

    dialog.findChild<QCheckBox*>(QStringLiteral("AspectCheck"))->setChecked(false);
    Field(dialog, "HeightEdit")->SetValue(50);
    EXPECT_EQ(Field(dialog, "HeightPercentEdit")->Value(), 50);
    EXPECT_EQ(Field(dialog, "WidthEdit")->Value(), 20);
    ResizeChoice choice = dialog.Choice();
    EXPECT_EQ(choice.width, 20);
    EXPECT_EQ(choice.height, 50);
}

TEST(ResizeDialog, PositionAndQualityStayOnlyAfterOk) {
    WhenShown([](QDialog& d) {
        d.findChild<QToolButton*>(QStringLiteral("Pos9Btn"))->click();
        d.findChild<QComboBox*>(QStringLiteral("QualityBox"))->setCurrentIndex(4);
    }, true);
    auto first = TResizeDialog::Ask(ResizeKind::Scale, 10, 10);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->placement, 9);
    EXPECT_EQ(first->quality, 5);

    WhenShown([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QToolButton*>(QStringLiteral("Pos9Btn"))->isChecked());
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("QualityBox")), nullptr);  // canvas: no quality
        d.findChild<QToolButton*>(QStringLiteral("Pos1Btn"))->click();
    }, false);
    EXPECT_FALSE(TResizeDialog::Ask(ResizeKind::Canvas, 10, 10));

    WhenShown([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Stretch Image"));
        EXPECT_EQ(d.findChild<QToolButton*>(QStringLiteral("Pos9Btn")), nullptr);  // stretch: no position
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("QualityBox"))->currentIndex(), 4);
    }, true);
    auto stretch = TResizeDialog::Ask(ResizeKind::Stretch, 10, 10);
    ASSERT_TRUE(stretch);
    EXPECT_EQ(stretch->placement, 9);
}

TEST(HueDialog, PreviewFollowsTheBarAndCancelRestoresTheHue) {
    Bitmap24 image(300, 150, MakeColor(255, 0, 0));
    WhenShown([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Set the Hue Partially"));
        EXPECT_EQ(d.findChild<QSlider*>(QStringLiteral("PrecisionBar"))->value(), 16);
        QImage before = d.findChild<QLabel*>(QStringLiteral("Preview"))->pixmap().toImage();
        d.findChild<QSlider*>(QStringLiteral("HueBar"))->setValue(85);
        QImage after = d.findChild<QLabel*>(QStringLiteral("Preview"))->pixmap().toImage();
        EXPECT_EQ(after.size(), QSize(128, 128));
        EXPECT_EQ(after.pixel(64, 64), qRgb(0, 255, 0));
        EXPECT_EQ(after.pixel(64, 2), qRgb(128, 128, 128));  // 300 x 150 fits as 128 x 64
        EXPECT_NE(before.pixel(64, 64), after.pixel(64, 64));
    }, true);
    auto choice = THueDialog::Ask(HueMode::Partial, image, false);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->hue, 85);

    WhenShown([](QDialog& d) { d.findChild<QSlider*>(QStringLiteral("HueBar"))->setValue(10); }, false);
    EXPECT_FALSE(THueDialog::Ask(HueMode::Set, image, false));
    WhenShown([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Shift the Hue"));
        EXPECT_EQ(d.findChild<QSlider*>(QStringLiteral("HueBar"))->value(), 85);
    }, false);
    THueDialog::Ask(HueMode::Shift, image, false);
}

TEST(GradientDialog, ColoursAndKindStayOnlyAfterOk) {
    test::ScriptedEditorDialogs dialogs;
    ScopedEditorDialogs scope(dialogs);
    dialogs.Colors.push_back(MakeColor(255, 0, 0));
    WhenShown([](QDialog& d) {
        d.findChild<QToolButton*>(QStringLiteral("Color2Btn"))->click();
        d.findChild<QToolButton*>(QStringLiteral("Kind3Btn"))->click();
    }, true);
    auto choice = TGradientDialog::Ask();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->color1, kWhite);
    EXPECT_EQ(choice->color2, MakeColor(255, 0, 0));
    EXPECT_EQ(choice->kind, 3);

    WhenShown([](QDialog& d) { d.findChild<QToolButton*>(QStringLiteral("Kind0Btn"))->click(); }, false);
    EXPECT_FALSE(TGradientDialog::Ask());
    WhenShown([](QDialog& d) { EXPECT_TRUE(d.findChild<QToolButton*>(QStringLiteral("Kind3Btn"))->isChecked()); }, true);
    EXPECT_EQ(TGradientDialog::Ask()->kind, 3);
}

}  // namespace
}  // namespace kestrin
