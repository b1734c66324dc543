// The strip window (fields kept for the run, outlines, pointing at the first
// frame, the size lock, oversized frames refused) and the placement question.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "image_editors/placement_form.h"
#include "image_editors/pointing_picture.h"
#include "image_editors/strip_form.h"
#include "platform/recording_ui.h"

namespace kestrin {
namespace {

constexpr ColorValue kBlack = 0;

class StripFormTest : public ::testing::Test {
protected:
    StripFormTest() { CurrentStripSettings() = StripSettings{}; }
    ~StripFormTest() override { CurrentStripSettings() = StripSettings{}; }

    static QLineEdit* Field(QWidget* form, const char* name) {
        auto* edit = form->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    static void Type(QWidget* form, const char* name, const char* text) {
        QLineEdit* edit = Field(form, name);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    static void Click(QWidget* form, const char* name) {
        auto* button = form->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Runs the modal window, doing `inside` with the window once it shows.
    template <class Run>
    static auto RunModal(Run run, const std::function<void(QWidget*)>& inside) {
        QTimer::singleShot(0, [inside] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            inside(modal);
        });
        return run();
    }

    RecordingUI ui;
    ScopedUI installedUi{ui};
    Bitmap24 picture{64, 48, kBlack};
};

TEST_F(StripFormTest, TheFieldsShowTheSettingsAndEditsStayAfterCancel) {
    CurrentStripSettings().width = 16;
    bool ok = RunModal([this] { return RunStripForm(picture, false); }, [](QWidget* form) {
        EXPECT_EQ(Field(form, "WidthEdit")->text(), QStringLiteral("16"));
        Type(form, "NumberEdit", "7");
        Type(form, "RowNumberEdit", "3");
        Type(form, "HeightEdit", "12");
        Type(form, "XSepEdit", "-2");
        Type(form, "VCellEdit", "1");
        Click(form, "CancelBtn");
    });
    EXPECT_FALSE(ok);
    const StripSettings& s = CurrentStripSettings();
    EXPECT_EQ(s.number, 7);
    EXPECT_EQ(s.perRow, 3);
    EXPECT_EQ(s.height, 12);
    EXPECT_EQ(s.xSep, -2);
    EXPECT_EQ(s.vCell, 1);

    ok = RunModal([this] { return RunStripForm(picture, false); }, [](QWidget* form) {
        EXPECT_EQ(Field(form, "NumberEdit")->text(), QStringLiteral("7"));
        EXPECT_EQ(Field(form, "XSepEdit")->text(), QStringLiteral("-2"));
        Click(form, "OKBtn");
    });
    EXPECT_TRUE(ok);
}

// Outlines are inverted pixels: on black, white where a frame's edge runs.
TEST_F(StripFormTest, APressSetsTheOffsetsZeroesTheCellsAndMovesTheOutlines) {
    StripSettings& s = CurrentStripSettings();
    s.number = 3;
    s.perRow = 2;
    s.width = 10;
    s.height = 8;
    s.hCell = 2;
    s.vCell = 1;
    TStripForm form(picture, false);
    form.show();
    auto* image = form.findChild<TPointingPicture*>(QStringLiteral("TheImage"));
    ASSERT_NE(image, nullptr);
    auto white = [image](int x, int y) { return (image->Picture().pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; };
    EXPECT_TRUE(white(20, 8)) << "frame 0 starts two cells right and one down";

    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(5, 3));
    QTest::mouseMove(image, QPoint(13, 9));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(13, 9));
    EXPECT_EQ(s.xOffset, 13);
    EXPECT_EQ(s.yOffset, 9);
    EXPECT_EQ(s.hCell, 0);
    EXPECT_EQ(s.vCell, 0);
    EXPECT_EQ(Field(&form, "XOffsetEdit")->text(), QStringLiteral("13"));
    EXPECT_EQ(Field(&form, "HCellEdit")->text(), QStringLiteral("0"));
    EXPECT_FALSE(white(20, 8));
    for (auto [x, y] : {std::pair{13, 9}, {22, 16}, {23, 9}, {32, 16}, {13, 17}, {22, 24}})
        EXPECT_TRUE(white(x, y)) << x << "," << y;
    EXPECT_FALSE(white(14, 10)) << "inside a frame";
    EXPECT_FALSE(white(23, 17)) << "no fourth frame";
}

TEST_F(StripFormTest, ALockedSizeCannotBeEdited) {
    TStripForm locked(picture, true);
    EXPECT_FALSE(Field(&locked, "WidthEdit")->isEnabled());
    EXPECT_FALSE(Field(&locked, "HeightEdit")->isEnabled());
    EXPECT_TRUE(Field(&locked, "NumberEdit")->isEnabled());
    TStripForm free(picture, false);
    EXPECT_TRUE(Field(&free, "WidthEdit")->isEnabled());
}

TEST_F(StripFormTest, FramesBeyondTheImageLimitsAreRefusedWithAMessage) {
    struct Case {
        const char* field;
        const char* value;
    };
    for (const Case& c : {Case{"WidthEdit", "20000"}, Case{"NumberEdit", "100000"}}) {
        SCOPED_TRACE(c.field);
        CurrentStripSettings() = StripSettings{};
        TStripForm form(picture, false);
        form.show();
        Type(&form, c.field, c.value);
        Click(&form, "OKBtn");
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(ui.Messages().back(), kFramesTooLargeMessage);
        Type(&form, c.field, "2");
        Click(&form, "OKBtn");
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
}

TEST_F(StripFormTest, EachPlacementButtonAnswersAndTheCloseBoxMeansTopLeft) {
    struct Case {
        const char* button;  // none: the close box
        int answer;
    };
    const Case cases[] = {{"TopLeftBtn", kPlacementTopLeft},
                          {"CentreBtn", kPlacementCentre},
                          {"StretchBtn", kPlacementStretch},
                          {"DontInsertBtn", kPlacementCancel},
                          {nullptr, kPlacementTopLeft}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button ? c.button : "close box");
        int answer = RunModal([] { return RunPlacementForm(); }, [&c](QWidget* form) {
            EXPECT_EQ(form->objectName(), QStringLiteral("TPlacementForm"));
            if (c.button) Click(form, c.button);
            else form->close();
        });
        EXPECT_EQ(answer, c.answer);
    }
}

}  // namespace
}  // namespace kestrin
