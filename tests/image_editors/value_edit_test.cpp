// Value fields read their text by one rule, and the values dialog copies
// back only on OK.

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "image_editors/value_edit.h"
#include "image_editors/value_text.h"
#include "image_editors/values_dialog.h"

namespace kestrin {
namespace {

TEST(ValueText, ReadsSignDigitsAndBounds) {
    struct Case {
        const char* text;
        std::int32_t min, max;
        ParsedValue expected;
    };
    const Case cases[] = {
        {"", 0, 0, {0, false}},
        {"-", 0, 0, {0, false}},
        {"--5", 0, 0, {-5, true}},  // the first minus is the sign, the second is skipped
        {"5-", 0, 0, {5, true}},
        {"12a", 0, 0, {12, true}},
        {"-2000000", 0, 0, {-2000000, false}},
        {"0", 1, 100, {1, true}},
        {"100", 1, 100, {100, false}},
        {"500", 1, 100, {100, true}},
        {"7", 5, 5, {7, false}},  // bounds apply only while min < max
        {"2147483647", 0, 0, {2147483647, false}},
        {"-2147483648", 0, 0, {INT32_MIN, false}},
        {"2147483648", 0, 0, {2147483647, true}},
        {"99999999999999999999", 0, 0, {2147483647, true}},
        {"-2147483649", 0, 0, {INT32_MIN, true}},
        {"-99999999999999999999", 0, 0, {INT32_MIN, true}},
        {"99999999999", 1, 100, {100, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseValueText(c.text, c.min, c.max), c.expected) << '"' << c.text << "\" " << c.min << ".." << c.max;
    }
}

TEST(ValueEdit, TypingKeepsTheTextAndColoursTheField) {
    TValueEdit edit;
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    edit.SetMinValue(1);
    edit.SetMaxValue(100);
    EXPECT_EQ(edit.Value(), 1);  // the bounds read "0" again
    EXPECT_TRUE(edit.HasError());
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("500"));
    EXPECT_EQ(edit.text(), QStringLiteral("500"));
    EXPECT_EQ(edit.Value(), 100);
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(255, 0, 0));
    edit.SetValue(42);
    EXPECT_EQ(edit.text(), QStringLiteral("42"));
    EXPECT_FALSE(edit.HasError());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(255, 255, 255));
}

// Works on the dialog once it is showing, then closes it with the button.
void WhenShown(std::function<void(TValuesDialog&)> work, const char* button) {
    QTimer::singleShot(0, [work, button] {
        TValuesDialog& dialog = TValuesDialog::Instance();
        work(dialog);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
}

void Retype(TValuesDialog& dialog, const char* field, const char* text) {
    auto* edit = dialog.findChild<TValueEdit*>(QString::fromLatin1(field));
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

TEST(ValuesDialog, OkCopiesTheShownRowsAndCancelKeepsTheCallersValues) {
    std::array<std::int32_t, 3> values{1, 2, 3};
    WhenShown([](TValuesDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Shift"));
        EXPECT_EQ(d.focusWidget(), d.findChild<TValueEdit*>(QStringLiteral("ValueEdit1")));
        Retype(d, "ValueEdit1", "10");
        Retype(d, "ValueEdit2", "20");
    }, "CancelBtn");
    EXPECT_FALSE(TValuesDialog::Instance().Ask("Shift", 2, {"X:", "Y:", ""}, values));
    EXPECT_EQ(values, (std::array<std::int32_t, 3>{1, 2, 3}));

    WhenShown([](TValuesDialog& d) {
        Retype(d, "ValueEdit1", "10");
        Retype(d, "ValueEdit2", "2x0");
    }, "OKBtn");
    EXPECT_TRUE(TValuesDialog::Instance().Ask("Shift", 2, {"X:", "Y:", ""}, values));
    EXPECT_EQ(values, (std::array<std::int32_t, 3>{10, 20, 3}));  // the third row is not shown
}

TEST(ValuesDialog, OneRowAfterThreeHidesTheOthersAndKeepsTheirCaptions) {
    std::array<std::int32_t, 3> three{4, 5, 6};
    WhenShown([](TValuesDialog&) {}, "OKBtn");
    ASSERT_TRUE(TValuesDialog::Instance().Ask("Three", 3, {"A:", "B:", "C:"}, three));
    std::array<std::int32_t, 3> one{7, 0, 0};
    WhenShown([](TValuesDialog& d) {
        EXPECT_TRUE(d.findChild<TValueEdit*>(QStringLiteral("ValueEdit1"))->isVisible());
        EXPECT_FALSE(d.findChild<TValueEdit*>(QStringLiteral("ValueEdit2"))->isVisible());
        EXPECT_FALSE(d.findChild<QLabel*>(QStringLiteral("CaptionLabel3"))->isVisible());
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("CaptionLabel1"))->text(), QStringLiteral("One:"));
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("CaptionLabel2"))->text(), QStringLiteral("B:"));
        EXPECT_EQ(d.findChild<TValueEdit*>(QStringLiteral("ValueEdit3"))->Value(), 6);
    }, "OKBtn");
    EXPECT_TRUE(TValuesDialog::Instance().Ask("One", 1, {"One:", "", ""}, one));
    EXPECT_EQ(one[0], 7);
}

}  // namespace
}  // namespace kestrin
