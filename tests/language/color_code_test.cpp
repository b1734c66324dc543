// Syntax colouring: the classes of single lines, the runs they make, and the
// incremental recolouring of a whole text.

#include <gtest/gtest.h>

#include "language/color_code.h"
#include "language/color_code_document.h"
#include "language/project_names.h"
#include "platform/preferences.h"

namespace kestrin {
namespace {

const ProjectNames& Game() {
    static const ProjectNames game = [] {
        ProjectNames names;
        names.AddResource(ResourceKind::Sprite, "spr_ball");
        names.AddResource(ResourceKind::Sprite, "both");
        names.AddResource(ResourceKind::Object, "both");
        names.AddResource(ResourceKind::Room, "rm_start");
        names.AddResource(ResourceKind::Sound, "snd_pop");
        names.AddResource(ResourceKind::Background, "bg_sky");
        names.AddResource(ResourceKind::Script, "scr_move");
        names.AddResource(ResourceKind::Path, "pth_loop");
        names.AddResource(ResourceKind::DataFile, "dat_level");
        names.AddResource(ResourceKind::TimeLine, "tl_intro");
        names.AddUserConstant("MAX_SPEED");
        return names;
    }();
    return game;
}

// One letter per character: the class in hexadecimal.
std::string Classes(const std::string& line, bool startsInComment = false, bool* ends = nullptr) {
    std::vector<std::uint8_t> classes;
    bool end = ColorCode_Classify(line, startsInComment, Game(), classes);
    if (ends) *ends = end;
    std::string text;
    for (auto c : classes) text += "0123456789abcdef"[c];
    return text;
}

TEST(ColorCode, LineClasses) {
    struct Case {
        std::string line;
        bool startsInComment;
        std::string classes;
        bool endsInComment;
    } cases[] = {
        {"x = 5; // set x", false, "900000022222222", false},
        {"draw_sprite(spr_ball, 0, x, y)", false, "bbbbbbbbbbb0555555550000090090", false},
        {"s = \"if // x\" + y", false, "00000000000000009", false},
        {"s = 'a\"b' x", false, "00000000009", false},
        {"/* starts", false, "222222222", true},
        {"still inside", true, "222222222222", true},
        {"end */ x", true, "222222 9", false},
        {"/*/ x", false, "222 9", false},
        {"/**/x", false, "22229", false},
        {"a*/b", false, "0020", false},
        {"Self self", false, "0000 1111", false},
        {"both rm_start snd_pop bg_sky scr_move pth_loop dat_level tl_intro", false,
         "3333 44444444 6666666 777777 88888888 dddddddd eeeeeeeee ffffffff", false},
        {"score MAX_SPEED c_red vk_f1 unknown", false, "aaaaa ccccccccc ccccc ccccc 0000000", false},
        {"{ if 5abc }", false, "1 11 0000 1", false},
        {"x = \"unclosed", false, "9000000000000", false},
        {"", true, "", true},
    };
    for (const auto& c : cases) {
        bool ends = false;
        std::string got = Classes(c.line, c.startsInComment, &ends);
        std::string expected = c.classes;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (expected[i] == ' ') expected[i] = '0';
        EXPECT_EQ(got, expected) << c.line;
        EXPECT_EQ(ends, c.endsInComment) << c.line;
    }
}

TEST(ColorCode, RunsCarryColourAndStyle) {
    std::vector<std::uint8_t> classes;
    ColorCode_Classify("if x // c", false, Game(), classes);
    auto runs = ColorCode_Runs(classes, kDefaultCodeColors);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].start, 0);
    EXPECT_EQ(runs[0].length, 2);
    EXPECT_TRUE(runs[0].bold);
    EXPECT_FALSE(runs[0].italic);
    EXPECT_EQ(runs[2].colorClass, ccLocalVariable);
    EXPECT_EQ(runs[2].color, 16711680);
    EXPECT_EQ(runs[4].start, 5);
    EXPECT_EQ(runs[4].length, 4);
    EXPECT_TRUE(runs[4].italic);
    EXPECT_EQ(runs[4].color, 32768);
}

// Texts with the expected comment state at the start of each line.
std::vector<bool> StartStates(const ColorCodeDocument& document) {
    std::vector<bool> states;
    for (int i = 0; i < document.LineCount(); ++i) states.push_back(document.ColorCode_StartsInComment(i));
    return states;
}

TEST(ColorCodeDocument, TypingRecoloursOnlyLinesWhoseStateChanges) {
    ColorCodeDocument document(Game(), kDefaultCodeColors);
    document.SetText("x = 1\r\n/* open\r\na = 2\r\nb = 3\r\nc = 4\r\nd = 5");
    document.ColorCode_All();
    EXPECT_EQ(StartStates(document), (std::vector<bool>{false, false, true, true, true, true}));

    // An ordinary keystroke on a line recolours that line only.
    document.ReplaceLines(0, 1, {"x = 12"});
    EXPECT_EQ(document.ColorCode_Update(0), 1);

    // Closing the comment on line 3 recolours it and every line after it.
    document.ReplaceLines(3, 1, {"b = 3 */"});
    EXPECT_EQ(document.ColorCode_Update(3), 3);
    EXPECT_EQ(StartStates(document), (std::vector<bool>{false, false, true, true, false, false}));
    EXPECT_EQ(document.Runs(4)[0].colorClass, ccText);  // c is no longer a comment

    // Typing inside the comment changes nothing below.
    document.ReplaceLines(2, 1, {"a = 22"});
    EXPECT_EQ(document.ColorCode_Update(2), 1);

    // Removing the opener uncomments the lines up to the stray closer.
    document.ReplaceLines(1, 1, {"// open"});
    EXPECT_EQ(document.ColorCode_Update(1), 3);
    EXPECT_EQ(StartStates(document), (std::vector<bool>{false, false, false, false, false, false}));
}

TEST(ColorCodeDocument, UpdatesGiveTheSameColoursAsAFullRecolour) {
    const std::vector<std::string> edits[] = {
        {"/* a", "b", "c */ d", "e"}, {"x", "/*/", "y"}, {"\"/*\"", "z"}, {"a /* b */ c", "// /*", "d"}};
    for (const auto& lines : edits) {
        ColorCodeDocument typed(Game(), kDefaultCodeColors);
        typed.ColorCode_All();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            // Type each line character by character at the end of the text.
            typed.ReplaceLines(static_cast<int>(i), i == 0 ? 1 : 0, {""});
            typed.ColorCode_Update(static_cast<int>(i));
            std::string text;
            for (char c : lines[i]) {
                text += c;
                typed.ReplaceLines(static_cast<int>(i), 1, {text});
                typed.ColorCode_Update(static_cast<int>(i));
            }
        }
        ColorCodeDocument whole(Game(), kDefaultCodeColors);
        std::string joined;
        for (const auto& line : lines) joined += line + "\r\n";
        joined.resize(joined.size() - 2);
        whole.SetText(joined);
        whole.ColorCode_All();
        ASSERT_EQ(typed.LineCount(), whole.LineCount());
        for (int i = 0; i < whole.LineCount(); ++i) {
            ASSERT_EQ(typed.Runs(i).size(), whole.Runs(i).size()) << lines[i];
            for (std::size_t r = 0; r < whole.Runs(i).size(); ++r) {
                EXPECT_EQ(typed.Runs(i)[r].colorClass, whole.Runs(i)[r].colorClass) << lines[i];
                EXPECT_EQ(typed.Runs(i)[r].length, whole.Runs(i)[r].length) << lines[i];
            }
        }
    }
}

TEST(ColorCodeDocument, ClearLeavesEverythingBlackAndPlain) {
    ColorCodeDocument document(Game(), kDefaultCodeColors);
    document.SetText("if x /* y\r\nz */");
    document.ColorCode_All();
    document.ColorCode_Clear();
    for (int i = 0; i < document.LineCount(); ++i)
        for (const auto& run : document.Runs(i)) {
            EXPECT_EQ(run.color, 0);
            EXPECT_FALSE(run.bold);
            EXPECT_FALSE(run.italic);
        }
}

TEST(ColorCodeDocument, SplitsLinesAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitCodeLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitCodeLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitCodeLines("a\r\n"), (std::vector<std::string>{"a", ""}));
}

}  // namespace
}  // namespace kestrin
