// Action list texts, hints and descriptions: the templates filled in their
// fixed order with the shown values of each argument kind.

#include <gtest/gtest.h>

#include <vector>

#include "actions/action_description.h"
#include "resources/action.h"
#include "resources/action_fixture.h"
#include "storage/game.h"

namespace kestrin {
namespace {

using test::InstallLibrary;

constexpr std::int32_t kLibrary = 3;

struct Case {
    const char* name;
    const char* listText;
    std::array<std::int32_t, 2> kinds;
    const char* menu;  // of slot 0
    std::array<const char*, 2> values;
    std::int32_t appliesTo;
    bool relative;
    bool negated;
    const char* text;
    bool bold;
    bool italic;
};

const Case kCases[] = {
    {"relative", "@FB@rmove @0", {kArgText, 0}, "", {"3", ""}, -1, true, false, "relative move 3", true, false},
    {"not relative", "@FB@rmove @0", {kArgText, 0}, "", {"3", ""}, -1, false, false, "move 3", true, false},
    {"other", "@wcreate", {0, 0}, "", {"", ""}, -2, false, false, "for other object: create", false, false},
    {"all of", "@wcreate", {0, 0}, "", {"", ""}, 4, false, false, "for all ball: create", false, false},
    {"self", "@wcreate", {0, 0}, "", {"", ""}, -1, false, false, "create", false, false},
    {"missing object", "@wcreate", {0, 0}, "", {"", ""}, 9, false, false, "for all <undefined>: create", false, false},
    {"not clear", "@Nempty", {0, 0}, "", {"", ""}, -1, false, false, "empty", false, false},
    {"not set", "@Nempty", {0, 0}, "", {"", ""}, -1, false, true, "not empty", false, false},
    {"no not marker", "empty", {0, 0}, "", {"", ""}, -1, false, true, "empty", false, false},
    {"menu", "@FIgo @0", {kArgMenu, 0}, "left|right|up", {"1", ""}, -1, false, false, "go right", false, true},
    {"menu past end", "go @0", {kArgMenu, 0}, "left|right|up", {"7", ""}, -1, false, false, "go ", false, false},
    {"menu not a number", "go @0", {kArgMenu, 0}, "left|right|up", {"x", ""}, -1, false, false, "go left", false, false},
    {"menu empty item", "[@0]", {kArgMenu, 0}, "a||c", {"1", ""}, -1, false, false, "[]", false, false},
    {"no sprite", "@0", {kArgSprite, 0}, "", {"-1", ""}, -1, false, false, "<undefined>", false, false},
    {"object self", "@0", {kArgObject, 0}, "", {"-1", ""}, -1, false, false, "self", false, false},
    {"object by index", "@0 @1", {kArgObject, kArgSound}, "", {"4", "0"}, -1, false, false, "ball boom", false, false},
    {"font", "@0", {kArgFont, 0}, "", {"\"Times New Roman\",12,0,1,0,0,0", ""}, -1, false, false,
     "\"Times New Roman\",12,0,1,0,0,0", false, false},
    {"colour", "@0", {kArgColor, 0}, "", {"255", ""}, -1, false, false, "255", false, false},
    {"true", "@0/@1", {kArgBoolean, kArgBoolean}, "", {"1", "0"}, -1, false, false, "true/false", false, false},
    {"boolean text", "@0", {kArgBoolean, 0}, "", {"yes", ""}, -1, false, false, "false", false, false},
    {"both styles", "@FI@FBx@FB", {0, 0}, "", {"", ""}, -1, false, false, "x", true, true},
    {"break and tab", "a#b\tc", {0, 0}, "", {"", ""}, -1, false, false, "a\rb    c", false, false},
    // Inserted text is seen only by later steps.
    {"value keeps #", "@0", {kArgText, 0}, "", {"x#y", ""}, -1, false, false, "x#y", false, false},
    {"value tab", "@0", {kArgText, 0}, "", {"x\ty", ""}, -1, false, false, "x    y", false, false},
    {"value with later marker", "@0", {kArgText, kArgText}, "", {"<@1>", "v"}, -1, false, false, "<v>", false, false},
    {"value with earlier marker", "@1", {kArgText, kArgText}, "", {"v", "<@0>"}, -1, false, false, "<@0>", false, false},
    {"value with @r", "@0", {kArgText, 0}, "", {"@r", ""}, -1, true, false, "@r", false, false},
};

class ActionDescriptionTest : public test::WithActionLibrary {
protected:
    void SetUp() override {
        std::vector<CActionDefinition> definitions;
        for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
            CActionDefinition definition(i);
            definition.ListText = kCases[i].listText;
            definition.HintText = std::string("hint: ") + kCases[i].listText;
            definition.Description = kCases[i].name;
            definition.ArgKind[0] = kCases[i].kinds[0];
            definition.ArgKind[1] = kCases[i].kinds[1];
            definition.ArgMenu[0] = kCases[i].menu;
            definitions.push_back(definition);
        }
        InstallLibrary(kLibrary, definitions);
        for (int i = 0; i < 5; ++i) mGame.Objects().AddResource();
        mGame.Objects().RenameResource(4, "ball");
        mGame.Sounds().AddResource();
        mGame.Sounds().RenameResource(0, "boom");
    }

    CAction Make(int i) {
        CAction action(kLibrary, i);
        action.AppliesTo = kCases[i].appliesTo;
        action.Relative = kCases[i].relative;
        action.Not = kCases[i].negated;
        action.ArgValue[0] = kCases[i].values[0];
        action.ArgValue[1] = kCases[i].values[1];
        return action;
    }

    RandomSource mRandom{9};
    Game mGame{mRandom};
};

TEST_F(ActionDescriptionTest, ListTexts) {
    for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
        const Case& c = kCases[i];
        SCOPED_TRACE(c.name);
        CAction action = Make(i);
        ActionListLine line = ActionListText(action, mGame);
        EXPECT_EQ(line.text, c.text);
        EXPECT_EQ(line.bold, c.bold);
        EXPECT_EQ(line.italic, c.italic);
        EXPECT_EQ(ActionHint(action, mGame), std::string("hint: ") + c.text);
        EXPECT_EQ(ActionDescription(action), c.name);
    }
}

TEST_F(ActionDescriptionTest, ArgumentKindsOfTheDefinitionCount) {
    // The action's own copies say text; the definition says object.
    CAction action = Make(14);
    action.ArgKind[0] = kArgText;
    EXPECT_EQ(ActionListText(action, mGame).text, "self");
}

TEST_F(ActionDescriptionTest, UnknownAction) {
    CAction action(kLibrary + 1, 0);
    ActionListLine line = ActionListText(action, mGame);
    EXPECT_EQ(line.text, "Unknown Action");
    EXPECT_FALSE(line.bold);
    EXPECT_FALSE(line.italic);
    EXPECT_EQ(ActionHint(action, mGame), "Unknown Action");
    EXPECT_EQ(ActionDescription(action), "");
}

}  // namespace
}  // namespace kestrin
