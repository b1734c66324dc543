// GameNames: a real Game answering the language tools' questions — names by
// kind with the lowest index winning, empty slots, the object list's own
// "self" and "other", user constants, script code — and the project checks
// giving the same lines for a Game as for the same names held in memory.

#include <gtest/gtest.h>

#include "language/builtin_names.h"
#include "language/checker.h"
#include "language/check_error.h"
#include "language/game_names.h"
#include "language/project_checks.h"
#include "language/project_names.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin {
namespace {

class GameNamesTest : public testing::Test {
protected:
    GameNamesTest() : mInstalled(mUi), mGame(mRandom) { NewGame(mGame); }

    // A new resource of the kind with the name (and code, for scripts),
    // added to the game and to the in-memory copy alike.
    int Add(ResourceKind kind, const std::string& name, const std::string& code = std::string()) {
        ResourceListBase& list = *mGame.ListOf(kind);
        const int index = list.AddResource();
        list.RenameResource(index, name);
        if (kind == ResourceKind::Script) mGame.Scripts().ResourceAt(index)->Code = code;
        EXPECT_EQ(mCopy.AddResource(kind, name, code), index);
        return index;
    }
    void Delete(ResourceKind kind, int index) {
        ASSERT_TRUE(mGame.ListOf(kind)->DeleteResource(index));
        mDeleted.push_back({kind, index});
    }
    void AddConstant(const std::string& name) {
        mGame.Options.Constants.push_back(UserConstant{name, "1"});
        mCopy.AddUserConstant(name);
    }
    // The in-memory copy, with the deleted slots empty.
    ProjectNames Copy() const {
        ProjectNames copy;
        for (ResourceKind kind : kAllResourceKinds)
            for (int i = 0; i < mCopy.ResourceCount(kind); ++i) {
                bool deleted = false;
                for (const auto& gone : mDeleted) deleted |= gone.kind == kind && gone.index == i;
                if (deleted)
                    copy.AddEmptySlot(kind);
                else
                    copy.AddResource(kind, mCopy.ResourceName(kind, i),
                                     kind == ResourceKind::Script ? mCopy.ScriptCode(i) : std::string());
            }
        for (const auto& name : mCopy.UserConstantNames()) copy.AddUserConstant(name);
        return copy;
    }

    RecordingUI mUi;
    ScopedUI mInstalled;
    RandomSource mRandom{11};
    Game mGame;

private:
    struct Slot {
        ResourceKind kind;
        int index;
    };
    ProjectNames mCopy;
    std::vector<Slot> mDeleted;
};

TEST_F(GameNamesTest, AnswersNamesByKindWithTheLowestIndex) {
    Add(ResourceKind::Sprite, "ball");
    const int first = Add(ResourceKind::Sound, "bang");
    const int second = Add(ResourceKind::Sound, "bang");
    Add(ResourceKind::Object, "self");
    Add(ResourceKind::Object, "other");
    Add(ResourceKind::Object, "obj_wall");
    Add(ResourceKind::Room, "self");  // only the object list treats it apart
    AddConstant("MAX_LIVES");

    {
        GameNames names(mGame);
        EXPECT_EQ(names.FindResource(ResourceKind::Sound, "bang"), first);
        EXPECT_EQ(names.FindResource(ResourceKind::Sprite, "bang"), -1);
        EXPECT_EQ(names.FindResource(ResourceKind::Sprite, "Ball"), -1);
        EXPECT_EQ(names.FindResource(ResourceKind::Object, "obj_wall"), 2);
        // The object list answers these with its own negative codes, as the
        // game's list does.
        EXPECT_EQ(names.FindResource(ResourceKind::Object, "self"), mGame.Objects().FindResource("self"));
        EXPECT_LT(names.FindResource(ResourceKind::Object, "other"), 0);
        EXPECT_EQ(names.FindResource(ResourceKind::Room, "self"), 0);
        EXPECT_TRUE(names.IsResourceName("ball"));
        EXPECT_FALSE(names.IsResourceName("other"));
        EXPECT_FALSE(names.IsResourceName("MAX_LIVES"));
        EXPECT_TRUE(names.IsUserConstant("MAX_LIVES"));
        EXPECT_FALSE(names.IsUserConstant("max_lives"));
        EXPECT_EQ(names.UserConstantNames(), std::vector<std::string>{"MAX_LIVES"});
    }

    // A deleted slot is counted but holds no name; the next of that name wins.
    Delete(ResourceKind::Sound, first);
    GameNames names(mGame);
    EXPECT_EQ(names.FindResource(ResourceKind::Sound, "bang"), second);
    EXPECT_EQ(names.ResourceCount(ResourceKind::Sound), 2);
    EXPECT_FALSE(names.ResourceExists(ResourceKind::Sound, first));
    EXPECT_TRUE(names.ResourceExists(ResourceKind::Sound, second));
    EXPECT_FALSE(names.ResourceExists(ResourceKind::Sound, 2));
    EXPECT_EQ(names.ResourceName(ResourceKind::Sound, second), "bang");
}

TEST_F(GameNamesTest, RefreshPicksUpRenamesAndNewConstants) {
    const int script = Add(ResourceKind::Script, "scr_old", "x = 1");
    GameNames names(mGame);
    EXPECT_EQ(names.ScriptCode(script), "x = 1");
    EXPECT_EQ(names.ScriptCode(script + 1), "");

    mGame.Scripts().RenameResource(script, "scr_new");
    mGame.Scripts().ResourceAt(script)->Code = "scr_new(1)";
    mGame.Options.Constants.push_back(UserConstant{"SPEED", "4"});
    EXPECT_EQ(names.ScriptCode(script), "scr_new(1)");  // code is read as it is
    names.Refresh();
    EXPECT_EQ(names.FindResource(ResourceKind::Script, "scr_new"), script);
    EXPECT_EQ(names.FindResource(ResourceKind::Script, "scr_old"), -1);
    EXPECT_TRUE(names.IsUserConstant("SPEED"));
    // A script calls another by its name, with any number of arguments.
    EXPECT_TRUE(CheckCode("scr_new(1, 2, 3)", names));
    EXPECT_EQ(Function_Find("scr_new", names).index, kScriptIndexBase + script);
}

TEST_F(GameNamesTest, CheckerResolvesTheGamesNames) {
    Add(ResourceKind::Sprite, "spr_ball");
    Add(ResourceKind::Script, "scr_move", "");
    GameNames names(mGame);
    // A resource name is a value: it cannot be indexed like a variable.
    EXPECT_TRUE(CheckCode("spr_ball[1] = 2", NoGameNames()));
    EXPECT_FALSE(CheckCode("spr_ball[1] = 2", names));
    EXPECT_EQ(CheckError().ErrorMessage, "Assignment operator expected.");
    EXPECT_FALSE(CheckCode("spr_ball(1)", names));
    EXPECT_EQ(CheckError().ErrorMessage, "Unknown function or script: spr_ball");
    EXPECT_TRUE(CheckCode("scr_move(spr_ball)", names));
}

TEST_F(GameNamesTest, ChecksAndListingsMatchTheSameNamesInMemory) {
    Add(ResourceKind::Sprite, "ball");
    Add(ResourceKind::Sprite, "bad name");
    Add(ResourceKind::Sound, "snd");
    Add(ResourceKind::Sound, "snd");
    Add(ResourceKind::Object, "ball");
    Add(ResourceKind::Object, "x");
    Add(ResourceKind::Object, "other");
    const int gone = Add(ResourceKind::Object, "c_red");
    Add(ResourceKind::Room, "MAX");
    Add(ResourceKind::Script, "scr_ok", "scr_bad(1)\r\nx = ball");
    Add(ResourceKind::Script, "scr_bad", "x = 1\r\nnowhere(1)");
    Add(ResourceKind::Script, "scr_hit", "x = ball; y = ballball");
    AddConstant("MAX");
    Delete(ResourceKind::Object, gone);

    const GameNames names(mGame);
    const ProjectNames copy = Copy();
    for (InfoType type : {InfoType::ResourceNames, InfoType::CheckResourceNames, InfoType::CheckScripts,
                          InfoType::SearchScripts, InfoType::Constants}) {
        SCOPED_TRACE(static_cast<int>(type));
        auto fromGame = ComputeInfoLines(type, names, kDefaultCodeColors, "ball");
        auto fromCopy = ComputeInfoLines(type, copy, kDefaultCodeColors, "ball");
        ASSERT_EQ(fromGame.size(), fromCopy.size());
        for (std::size_t i = 0; i < fromGame.size(); ++i) {
            EXPECT_EQ(fromGame[i].text, fromCopy[i].text);
            EXPECT_EQ(fromGame[i].color, fromCopy[i].color);
            EXPECT_EQ(fromGame[i].kind, fromCopy[i].kind);
            EXPECT_EQ(fromGame[i].lineNumber, fromCopy[i].lineNumber);
            EXPECT_EQ(fromGame[i].index, fromCopy[i].index);
        }
    }

    // And the lines are the ones the checks promise.
    auto scripts = CheckAllScripts(names);
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_EQ(scripts[0].text, "In script scr_bad line 2 pos 2: Unknown function or script: nowhere");
    EXPECT_EQ(scripts[0].lineNumber, 2);
    EXPECT_EQ(scripts[0].index, 1);
    auto checked = CheckResourceNames(names);
    std::vector<std::string> texts;
    for (const auto& line : checked) texts.push_back(line.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Sprite name \"ball\" is equal to an object name.",
                         "Sprite name \"bad name\" is invalid.",
                         "Sound name \"snd\" is used twice.",
                         "Object name \"ball\" is equal to a sprite name.",
                         "Object name \"x\" is equal to a local variable name.",
                         "Object name \"other\" is equal to a constant name.",
                         "Object name \"other\" is equal to a keyword.",
                         "Room name \"MAX\" is equal to a constant name.",
                     }));
}

}  // namespace
}  // namespace kestrin
