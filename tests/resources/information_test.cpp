// Game information: the stored record around the RTF text.

#include <gtest/gtest.h>

#include "resources/game_information.h"
#include "resources/rtf_writer.h"

namespace kestrin {
namespace {

CRichText SomeText() {
    TextFormat red;
    red.Color = 0x0000FF;
    red.Bold = true;
    return CRichText{{RichParagraph{ParagraphAlignment::Center, false, {{"Title", red}}},
                      RichParagraph{ParagraphAlignment::Left, true, {{"Press F1", TextFormat{}}}}}};
}

TEST(GameInformationTest, NewGameRecord) {
    for (bool mimic : {false, true}) {
        CGameInformation information;
        information.Text = SomeText();
        information.BackColor = 123;
        information.MimicMainForm = mimic;
        information.ResetInformation();
        EXPECT_TRUE(information.Text.Empty());
        EXPECT_EQ(information.BackColor, kInfoBackgroundColor);
        EXPECT_EQ(information.MimicMainForm, mimic);

        CStream stream;
        information.SaveInformation(stream);
        stream.SetPosition(0);
        EXPECT_EQ(stream.ReadInteger(), 430);
        EXPECT_EQ(stream.ReadInteger(), -16777192);
        EXPECT_EQ(stream.ReadBoolean(), mimic);
        EXPECT_EQ(stream.ReadBlock().View(), WriteRtf(CRichText{}));
        EXPECT_EQ(stream.Remaining(), 0u);
    }
}

TEST(GameInformationTest, RecordRoundTripKeepsTextColourAndFlag) {
    // A system colour is passed on as it is; so is a plain one.
    for (std::int32_t color : {static_cast<std::int32_t>(0xFF000005u), 0x00336699}) {
        CGameInformation information;
        information.Text = SomeText();
        information.BackColor = color;
        information.MimicMainForm = true;
        CStream stream;
        information.SaveInformation(stream);
        stream.WriteInteger(99);
        stream.SetPosition(0);

        CGameInformation loaded;
        ASSERT_TRUE(loaded.LoadInformation(stream));
        EXPECT_EQ(loaded.Text, SomeText());
        EXPECT_EQ(loaded.BackColor, color);
        EXPECT_TRUE(loaded.MimicMainForm);
        EXPECT_EQ(stream.ReadInteger(), 99);
    }
}

TEST(GameInformationTest, OtherVersionsFail) {
    CStream record;
    record.WriteInteger(420);
    record.WriteInteger(0);
    record.WriteBoolean(false);
    record.WriteBlock(CStream("{\\rtf1 old}"));

    CGameInformation information;
    information.Text = SomeText();
    record.SetPosition(0);
    EXPECT_FALSE(CGameInformation::SkipInformation(record));
    EXPECT_EQ(information.Text, SomeText());
    record.SetPosition(0);
    EXPECT_FALSE(information.LoadInformation(record));
    EXPECT_TRUE(information.Text.Empty());
    EXPECT_EQ(information.BackColor, kInfoBackgroundColor);
}

TEST(GameInformationTest, SkipAndBrokenRecords) {
    CGameInformation information;
    information.Text = SomeText();
    CStream stream;
    information.SaveInformation(stream);
    const std::size_t end = stream.Size();
    stream.WriteInteger(7);
    stream.SetPosition(0);
    ASSERT_TRUE(CGameInformation::SkipInformation(stream));
    EXPECT_EQ(stream.Position(), end);

    // A block count beyond the record is refused; the information is left reset.
    CStream truncated(stream.View().substr(0, end - 3));
    CGameInformation loaded;
    loaded.Text = SomeText();
    EXPECT_THROW(loaded.LoadInformation(truncated), StreamReadError);
    EXPECT_TRUE(loaded.Text.Empty());
}

}  // namespace
}  // namespace kestrin
