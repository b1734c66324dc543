// The object information report: properties, event headings and the
// indentation of action lines.

#include <gtest/gtest.h>

#include "editor_library.h"
#include "editors/object_report.h"

namespace kestrin {
namespace {

std::vector<std::string> Lines(const CRichText& text) {
    std::vector<std::string> lines;
    for (const RichParagraph& paragraph : text.Paragraphs) lines.push_back(paragraph.PlainText());
    return lines;
}

class ObjectReportTest : public testing::Test {
protected:
    ObjectReportTest() {
        ball = test::AddNamedResource(game, kTypeObjects, "ball");
        Object().Depth = -5;
    }
    CObject& Object() { return *game.Objects().ResourceAt(ball); }
    void Add(CEvent& event, int id, const std::string& name) {
        event.AddAction(test::kMainLibrary, id).ArgValue[0] = name;
    }

    RecordingUI ui;
    ScopedUI installed{ui};
    test::LoadedEditorLibrary library{[](CActionLibrary& lib) {
        lib.DefinitionAt(test::kMoveAction - 1)->HintText = "@0";
        lib.DefinitionAt(test::kQuestionAction - 1)->HintText = "if @0";
    }};
    Game game;
    int ball = 0;
};

TEST_F(ObjectReportTest, PropertiesAndBlockIndentation) {
    CEvent& create = *Object().GetEvent(0, 0);
    Add(create, test::kStartBlock, "");
    Add(create, test::kMoveAction, "A");
    Add(create, test::kStartBlock, "");
    Add(create, test::kMoveAction, "B");
    Add(create, test::kEndBlock, "");
    Add(create, test::kMoveAction, "C");
    Add(create, test::kEndBlock, "");
    Add(create, test::kMoveAction, "D");
    Add(create, test::kQuestionAction, "Q");
    Add(create, test::kMoveAction, "after question");
    Add(create, test::kMoveAction, "E");
    const CRichText report = ObjectReport(game, ball);
    const std::vector<std::string> expected = {
        "Information about object: ball", "", "Sprite: <no sprite>", "Solid: false", "Visible: true",
        "Depth: -5", "Persistent: false", "Parent: <no parent>", "Mask: <same as sprite>", "",
        "Create Event:", "      A", "            B", "      C", "D", "if Q", "      after question", "E",
    };
    EXPECT_EQ(Lines(report), expected);
    EXPECT_TRUE(report.Paragraphs[0].Runs[0].Format.Bold);
    EXPECT_EQ(report.Paragraphs[0].Runs[0].Format.Size, 12.0);
    EXPECT_EQ(report.Paragraphs[2].Runs[0].Format.Size, 8.0);
}

TEST_F(ObjectReportTest, UnbalancedBlockEndsNeverIndentBelowZero) {
    CEvent& step = *Object().GetEvent(3, 0);
    Add(step, test::kEndBlock, "");
    Add(step, test::kEndBlock, "");
    Add(step, test::kMoveAction, "left");
    Add(step, test::kStartBlock, "");
    Add(step, test::kMoveAction, "in");
    const std::vector<std::string> lines = Lines(ObjectReport(game, ball));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()), (std::vector<std::string>{"left", "      in"}));
}

TEST_F(ObjectReportTest, DeletedObjectsReportNothingAndAllObjectsSkipThem) {
    const int wall = test::AddNamedResource(game, kTypeObjects, "wall");
    game.Objects().DeleteResource(ball);
    EXPECT_TRUE(ObjectReport(game, ball).Empty());
    EXPECT_TRUE(ObjectReport(game, 99).Empty());
    const std::vector<std::string> lines = Lines(AllObjectsReport(game));
    EXPECT_EQ(lines.front(), "Information about object: wall");
    EXPECT_EQ(lines[lines.size() - 2], std::string(54, '_'));
    (void)wall;
}

}  // namespace
}  // namespace kestrin
