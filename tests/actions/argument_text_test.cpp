// Menu arguments cut into items, and font values read and written.

#include <gtest/gtest.h>

#include "actions/argument_menu.h"
#include "actions/font_value.h"

namespace kestrin {
namespace {

using Items = std::vector<std::string>;

TEST(SplitMenuItems, CutsAtBarsKeepsEmptyPiecesDropsTrailingBar) {
    EXPECT_EQ(SplitMenuItems("a|b|c"), (Items{"a", "b", "c"}));
    EXPECT_EQ(SplitMenuItems("a|-|b"), (Items{"a", "-", "b"}));
    EXPECT_EQ(SplitMenuItems("a||b"), (Items{"a", "", "b"}));
    EXPECT_EQ(SplitMenuItems("a|b|"), (Items{"a", "b"}));
    EXPECT_EQ(SplitMenuItems("single"), (Items{"single"}));
}

TEST(SplitMenuItems, StopsAtSixtyFourItems) {
    std::string menu;
    for (int i = 0; i < 100; ++i) menu += std::to_string(i) + "|";
    const Items items = SplitMenuItems(menu);
    ASSERT_EQ(items.size(), 64u);
    EXPECT_EQ(items.back(), "63");
}

TEST(FontValue, ComposeQuotesItemsWithBlanksAndReadsBack) {
    FontValue font;
    font.Name = "Times New Roman";
    font.Size = 14;
    font.Color = 255;
    font.Bold = true;
    font.StrikeOut = true;
    const std::string text = ComposeFontValue(font);
    EXPECT_EQ(text, "\"Times New Roman\",14,255,1,0,0,1");
    EXPECT_EQ(ParseFontValue(text), font);

    font.Name = "Say \"hi\"";
    EXPECT_EQ(ComposeFontValue(font).substr(0, 12), "\"Say \"\"hi\"\"\"");
    EXPECT_EQ(ParseFontValue(ComposeFontValue(font)), font);
}

TEST(FontValue, UnquotedBlanksSeparateAndMissingItemsKeepDefaults) {
    const FontValue read = ParseFontValue("Arial 10,65280 1");
    EXPECT_EQ(read.Name, "Arial");
    EXPECT_EQ(read.Size, 10);
    EXPECT_EQ(read.Color, 65280);
    EXPECT_TRUE(read.Bold);
    EXPECT_FALSE(read.Italic);

    const FontValue garbage = ParseFontValue("Courier,big");
    EXPECT_EQ(garbage.Name, "Courier");
    EXPECT_EQ(garbage.Size, FontValue{}.Size);
    EXPECT_EQ(ParseFontValue(""), FontValue{});
}

}  // namespace
}  // namespace kestrin
