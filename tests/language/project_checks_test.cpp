// The project-wide listings and checks: their lines, colours, kinds, line
// numbers and indexes, the sort and the line cap.

#include <gtest/gtest.h>

#include "language/builtin_names.h"
#include "language/project_checks.h"
#include "language/project_names.h"
#include "platform/preferences.h"

namespace kestrin {
namespace {

std::vector<std::string> Texts(const std::vector<InfoLine>& lines) {
    std::vector<std::string> texts;
    for (const auto& line : lines) texts.push_back(line.text);
    return texts;
}

TEST(ProjectChecks, EmptyProject) {
    ProjectNames empty;
    EXPECT_TRUE(ComputeInfoLines(InfoType::ResourceNames, empty, kDefaultCodeColors).empty());
    auto names = ComputeInfoLines(InfoType::CheckResourceNames, empty, kDefaultCodeColors);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].text, "<No name conflicts were found>");
    EXPECT_EQ(names[0].color, kInfoDarkGreen);
    EXPECT_EQ(names[0].kind, -1);
    auto scripts = ComputeInfoLines(InfoType::CheckScripts, empty, kDefaultCodeColors);
    EXPECT_EQ(Texts(scripts), std::vector<std::string>{"<No errors were found>"});
    EXPECT_EQ(scripts[0].color, kInfoDarkGreen);
    auto search = ComputeInfoLines(InfoType::SearchScripts, empty, kDefaultCodeColors, "x");
    EXPECT_EQ(Texts(search), std::vector<std::string>{kNoOccurrencesLine});
    EXPECT_EQ(search[0].color, kInfoDarkGreen);
    EXPECT_EQ(search[0].kind, -1);
}

TEST(ProjectChecks, ResourceNameListingIsSortedWithKindColours) {
    ProjectNames game;
    game.AddResource(ResourceKind::Sprite, "zeta");
    game.AddEmptySlot(ResourceKind::Sprite);
    game.AddResource(ResourceKind::Sprite, "Alpha");
    game.AddResource(ResourceKind::Room, "_room");
    game.AddResource(ResourceKind::Object, "beta");
    auto lines = ComputeInfoLines(InfoType::ResourceNames, game, kDefaultCodeColors);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"Alpha: sprite", "_room: room", "beta: object", "zeta: sprite"}));
    EXPECT_EQ(lines[0].kind, 1);
    EXPECT_EQ(lines[0].index, 2);
    EXPECT_EQ(lines[0].lineNumber, -1);
    EXPECT_EQ(lines[1].kind, 9);
    EXPECT_EQ(lines[2].kind, 8);
    EXPECT_EQ(lines[0].color, kDefaultCodeColors[ccSprite]);

    ColorTable colors = kDefaultCodeColors;
    colors[ccRoom] = 0x123456;
    EXPECT_EQ(ComputeInfoLines(InfoType::ResourceNames, game, colors)[1].color, 0x123456);
}

TEST(ProjectChecks, ResourceNameCheckFindings) {
    ProjectNames game;
    game.AddResource(ResourceKind::Sprite, "my ball");  // 0
    game.AddResource(ResourceKind::Sprite, "twin");     // 1
    game.AddResource(ResourceKind::Sound, "ping");      // 0
    game.AddResource(ResourceKind::Sound, "ok_sound");  // 1
    game.AddEmptySlot(ResourceKind::Sound);             // 2
    game.AddResource(ResourceKind::Sound, "ping");      // 3
    game.AddResource(ResourceKind::Object, "twin");     // 0
    game.AddResource(ResourceKind::Object, "x");        // 1
    game.AddResource(ResourceKind::Object, "other");    // 2
    game.AddResource(ResourceKind::Object, "c_red");    // 3
    game.AddResource(ResourceKind::Object, "score");    // 4
    game.AddResource(ResourceKind::Object, "random");   // 5
    game.AddResource(ResourceKind::Object, "LIMIT");    // 6
    game.AddResource(ResourceKind::Object, "9lives");   // 7
    game.AddUserConstant("LIMIT");

    auto lines = ComputeInfoLines(InfoType::CheckResourceNames, game, kDefaultCodeColors);
    struct Expected {
        const char* text;
        std::int32_t color;
        int kind, index;
    } expected[] = {
        {"Sprite name \"my ball\" is invalid.", kInfoNavy, 1, 0},
        {"Sprite name \"twin\" is equal to an object name.", kInfoMaroon, 1, 1},
        {"Sound name \"ping\" is used twice.", kInfoMaroon, 2, 3},
        {"Object name \"twin\" is equal to a sprite name.", kInfoMaroon, 8, 0},
        {"Object name \"x\" is equal to a local variable name.", kInfoDarkGreen, 8, 1},
        {"Object name \"other\" is equal to a constant name.", kInfoDarkGreen, 8, 2},
        {"Object name \"other\" is equal to a keyword.", kInfoDarkGreen, 8, 2},
        {"Object name \"c_red\" is equal to a constant name.", kInfoDarkGreen, 8, 3},
        {"Object name \"score\" is equal to a global variable name.", kInfoDarkGreen, 8, 4},
        {"Object name \"random\" is equal to a function name.", kInfoDarkGreen, 8, 5},
        {"Object name \"LIMIT\" is equal to a constant name.", kInfoDarkGreen, 8, 6},
        {"Object name \"9lives\" is invalid.", kInfoNavy, 8, 7},
    };
    ASSERT_EQ(lines.size(), std::size(expected)) << testing::PrintToString(Texts(lines));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text);
        EXPECT_EQ(lines[i].color, expected[i].color) << expected[i].text;
        EXPECT_EQ(lines[i].kind, expected[i].kind) << expected[i].text;
        EXPECT_EQ(lines[i].index, expected[i].index) << expected[i].text;
        EXPECT_EQ(lines[i].lineNumber, -1);
    }
}

TEST(ProjectChecks, ScriptCheckReportsLineAndPosition) {
    ProjectNames game;
    game.AddResource(ResourceKind::Script, "good", "x = 1\r\nscr_two(1, 2)");
    game.AddEmptySlot(ResourceKind::Script);
    game.AddResource(ResourceKind::Script, "scr_two", "x = 1\r\nunknown_call(3)");
    game.AddResource(ResourceKind::Script, "third", "{ x = ");
    auto lines = ComputeInfoLines(InfoType::CheckScripts, game, kDefaultCodeColors);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "In script scr_two line 2 pos 2: Unknown function or script: unknown_call");
    EXPECT_EQ(lines[0].color, kInfoNavy);
    EXPECT_EQ(lines[0].kind, 5);
    EXPECT_EQ(lines[0].index, 2);
    EXPECT_EQ(lines[0].lineNumber, 2);
    EXPECT_EQ(lines[1].text, "In script third line 1 pos 6: Unexpected symbol in expression.");
    EXPECT_EQ(lines[1].lineNumber, 1);
}

TEST(ProjectChecks, SearchFindsOverlappingHitsWithShiftedPositions) {
    ProjectNames game;
    game.AddResource(ResourceKind::Script, "a", "aaa\r\nxaa");
    game.AddResource(ResourceKind::Script, "b", "nothing here");
    auto lines = ComputeInfoLines(InfoType::SearchScripts, game, kDefaultCodeColors, "aa");
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"In script a at line 1 at position 2",
                                                      "In script a at line 1 at position 3",
                                                      "In script a at line 2 at position 4"}));
    EXPECT_EQ(lines[2].lineNumber, 2);
    EXPECT_EQ(lines[2].kind, 5);
    EXPECT_EQ(lines[2].index, 0);
    // Without a hit (an empty text finds nothing) the window says so.
    for (const char* missing : {"", "AA"}) {
        EXPECT_EQ(Texts(ComputeInfoLines(InfoType::SearchScripts, game, kDefaultCodeColors, missing)),
                  std::vector<std::string>{kNoOccurrencesLine})
            << missing;
    }
}

TEST(ProjectChecks, BuiltinListings) {
    ProjectNames game;
    game.AddUserConstant("MY_CONST");

    auto variables = ComputeInfoLines(InfoType::BuiltinVariables, game, kDefaultCodeColors);
    ASSERT_EQ(variables.size(), 175u);
    for (int i = 0; i < 127; ++i) {
        EXPECT_EQ(variables[i].text.substr(0, 9), "global:  ");
        EXPECT_EQ(variables[i].color, kInfoMaroon);
    }
    for (int i = 127; i < 175; ++i) {
        EXPECT_EQ(variables[i].text.substr(0, 9), "local:   ");
        EXPECT_EQ(variables[i].color, kInfoNavy);
    }
    EXPECT_EQ(variables[0].text, "global:  argument");
    EXPECT_EQ(variables[1].text, "global:  argument0");
    EXPECT_EQ(variables[127].text, "local:   alarm");
    EXPECT_EQ(variables.back().text, "local:   ystart");

    auto functions = ComputeInfoLines(InfoType::BuiltinFunctions, game, kDefaultCodeColors);
    ASSERT_EQ(functions.size(), 925u);
    EXPECT_EQ(functions[0].text, "MCI_command");  // capitals before small letters
    int doubled = 0;
    for (std::size_t i = 1; i < functions.size(); ++i) doubled += functions[i].text == functions[i - 1].text;
    EXPECT_EQ(doubled, 4);

    auto constants = ComputeInfoLines(InfoType::Constants, game, kDefaultCodeColors);
    ASSERT_EQ(constants.size(), 230u);
    EXPECT_EQ(constants[0].text, "MY_CONST");
    EXPECT_EQ(constants[0].color, kInfoRed);
    EXPECT_EQ(constants[1].color, kInfoMaroon);
}

TEST(ProjectChecks, SortIsStableCharacterCodeOrderAndListsAreCapped) {
    std::vector<InfoLine> lines = {{"b", 1, -1, -1, -1}, {"_", 2, -1, -1, -1}, {"B", 3, -1, -1, -1},
                                   {"b", 4, -1, -1, -1}, {"1", 5, -1, -1, -1}, {"\xe9", 6, -1, -1, -1}};
    SortInfoLines(lines);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"1", "B", "_", "b", "b", "\xe9"}));
    EXPECT_EQ(lines[3].color, 1);
    EXPECT_EQ(lines[4].color, 4);

    ProjectNames game;
    std::string code(20000, 'a');
    game.AddResource(ResourceKind::Script, "s", code);
    EXPECT_EQ(SearchScripts(game, "a").size(), static_cast<std::size_t>(kMaxInfoLines));
}

TEST(ProjectChecks, CaptionsAndStatusTexts) {
    EXPECT_EQ(InfoCaption(InfoType::SearchScripts, "abc"), "Searching Scripts for \"abc\"");
    EXPECT_EQ(InfoCaption(InfoType::BuiltinFunctions), "All Built-In Functions");
    EXPECT_EQ(InfoStatusText(InfoType::CheckScripts), "Click on a line to open the script");
    EXPECT_EQ(InfoStatusText(InfoType::Constants), "");
    EXPECT_FALSE(InfoIsSorted(InfoType::CheckResourceNames));
}

}  // namespace
}  // namespace kestrin
