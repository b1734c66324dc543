// Script text files: the line rules of import, the written form of export,
// where imported scripts land in the tree, and a round trip between games.

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_tree_resources.h"
#include "storage/resource_tree.h"
#include "storage/script_text_file.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

void WriteText(const std::string& path, const std::string& text) { WriteFileAtomically(path, text.data(), text.size()); }

// One game with its tree, in advanced mode.
struct GameWithTree {
    GameWithTree() : advanced(Prefs().Advanced) {
        Prefs().Advanced = true;
        tree.ResetTree();
    }
    ~GameWithTree() { Prefs().Advanced = advanced; }

    ResourceNode* Scripts() { return tree.Section(kTypeScripts); }
    ResourceNode* AddScript(ResourceNode* where, const std::string& name, const std::string& code) {
        ResourceNode* node = tree.AddResourceNode(where, kTypeScripts);
        tree.RenameNode(node, name);
        game.Scripts().ResourceAt(node->Data.Index)->Code = code;
        return node;
    }
    // name=code per script under the node, depth first.
    std::vector<std::pair<std::string, std::string>> ScriptsUnder(const ResourceNode* node) {
        std::vector<std::pair<std::string, std::string>> out;
        for (int i = 0; i < node->ChildCount(); ++i) {
            const ResourceNode* child = node->Child(i);
            if (child->Data.Kind == kNodeResource) {
                const CScript* script = game.Scripts().ResourceAt(child->Data.Index);
                out.emplace_back(game.Scripts().ResourceName(child->Data.Index), script ? script->Code : "?");
            } else {
                auto inner = ScriptsUnder(child);
                out.insert(out.end(), inner.begin(), inner.end());
            }
        }
        return out;
    }

    bool advanced;
    RandomSource random{3};
    Game game{random};
    GameTreeResources resources{game};
    CResourceTree tree{&resources};
};

using Scripts = std::vector<std::pair<std::string, std::string>>;

class ScriptFileTest : public ::testing::Test {
protected:
    test::TempDir mDir;
    RecordingUI mUI;
    ScopedUI mScoped{mUI};
    GameWithTree mGame;
};

TEST(ScriptFileLines, SplitAtCrLfAndLoneLfOnly) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\rb\n", {"a\rb"}},
        {"a\r\r\n", {"a\r"}},
        {"a\nb\x1a", {"a", "b"}},   // a trailing Ctrl+Z ends the file
        {"a\x1a" "b", {"a\x1a" "b"}},  // elsewhere it is an ordinary byte
    };
    for (const Case& c : cases) EXPECT_EQ(ScriptFileLines(c.text), c.lines) << c.text;
}

TEST(ScriptFileLines, DefinitionNames) {
    struct Case {
        const char* line;
        const char* name;
    } cases[] = {
        {"#define  move_left ", "move_left"},
        {"#define\tjump\x01\r", "jump"},
        {"x = 1; // #define", ""},
        {"  #define a #define b", "a #define b"},
        {"#definefoo", "foo"},
    };
    for (const Case& c : cases) EXPECT_EQ(DefinitionName(c.line), c.name) << c.line;
}

TEST_F(ScriptFileTest, OneDefinitionGoesStraightIntoTheScriptsSection) {
    std::string file = mDir.File("single.ksl");
    WriteText(file, "ignored line\r\n#define  move_left \r\nx = x - 4;\r\n\r\nspeed = 0;\r\n");
    mGame.AddScript(mGame.Scripts(), "existing", "");
    ImportScripts(file, mGame.game, mGame.tree);
    ASSERT_EQ(mGame.Scripts()->ChildCount(), 2);
    EXPECT_EQ(mGame.ScriptsUnder(mGame.Scripts()),
              (Scripts{{"existing", ""}, {"move_left", "x = x - 4;\nspeed = 0;\n"}}));
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(ScriptFileTest, SeveralDefinitionsGoIntoAGroupNamedAfterTheFile) {
    std::string file = mDir.File("enemy moves.ksl");
    WriteText(file,
              "#define first\n"
              "a;\n"
              "\n"
              "b; // see #define\n"
              "c;\n"
              "#define third\r\n"
              "#define fourth\n"
              "d;\n"
              "#define never made");
    mGame.tree.SetChanged(false);
    ImportScripts(file, mGame.game, mGame.tree);
    ASSERT_EQ(mGame.Scripts()->ChildCount(), 1);
    ResourceNode* group = mGame.Scripts()->Child(0);
    EXPECT_EQ(group->Data.Kind, kNodeGroup);
    EXPECT_EQ(group->Text, "enemy moves");
    EXPECT_TRUE(mGame.tree.Changed());
    // A line mentioning #define starts a script with the rest as its name;
    // a definition on the last line starts none.
    EXPECT_EQ(mGame.ScriptsUnder(group),
              (Scripts{{"first", "a;\n"}, {"", "c;\n"}, {"third", ""}, {"fourth", "d;\n"}}));
    EXPECT_EQ(mGame.game.Scripts().ResourceCount(), 4);
}

TEST_F(ScriptFileTest, AFileWithoutDefinitionsAddsNothing) {
    std::string file = mDir.File("plain.ksl");
    WriteText(file, "x = 1;\r\ny = 2;\r\n");
    ImportScripts(file, mGame.game, mGame.tree);
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"File contains no scripts."});
    EXPECT_EQ(mGame.Scripts()->ChildCount(), 0);
    EXPECT_EQ(mGame.game.Scripts().ResourceCount(), 0);
}

TEST_F(ScriptFileTest, ExportWritesEachScriptInItsFormDepthFirst) {
    mGame.AddScript(mGame.Scripts(), "top", "a;\r\nb;");
    ResourceNode* group = mGame.tree.AddGroup(mGame.Scripts(), "g");
    ResourceNode* inner = mGame.tree.AddGroup(group, "inner");
    ResourceNode* deep = mGame.AddScript(inner, "deep", "d;");
    mGame.AddScript(group, "after", "");
    ResourceNode* gone = mGame.AddScript(group, "gone", "x;");
    mGame.game.Scripts().DeleteResource(gone->Data.Index);  // a node without its script writes nothing

    struct Case {
        const ResourceNode* start;
        const char* text;
    } cases[] = {
        {mGame.Scripts(), "\r\n#define top\r\na;\r\nb;\r\n\r\n#define deep\r\nd;\r\n\r\n#define after\r\n\r\n"},
        {group, "\r\n#define deep\r\nd;\r\n\r\n#define after\r\n\r\n"},
        {deep, "\r\n#define deep\r\nd;\r\n"},
        {gone, ""},
    };
    for (const Case& c : cases) {
        std::string file = mDir.File("out.ksl");
        ExportScripts(file, mGame.game, c.start);
        EXPECT_EQ(ReadFileText(file), c.text);
    }
}

TEST_F(ScriptFileTest, ExportThenImportIntoAnEmptyGameKeepsNamesAndCode) {
    mGame.AddScript(mGame.Scripts(), "alpha", "if (x)\r\n{\r\n\r\n    y = 1;\r\n}");
    ResourceNode* group = mGame.tree.AddGroup(mGame.Scripts(), "g");
    mGame.AddScript(group, "beta", "return \xe9t\xe9;");
    mGame.AddScript(mGame.Scripts(), "gamma", "");
    std::string file = mDir.File("all.ksl");
    ExportAllScripts(file, mGame.game, mGame.tree);

    GameWithTree other;
    ImportScripts(file, other.game, other.tree);
    ResourceNode* imported = other.Scripts()->Child(0);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->Text, "all");
    // Blank lines are dropped and every line ends in a line feed.
    EXPECT_EQ(other.ScriptsUnder(imported),
              (Scripts{{"alpha", "if (x)\n{\n    y = 1;\n}\n"}, {"beta", "return \xe9t\xe9;\n"}, {"gamma", ""}}));
}

TEST_F(ScriptFileTest, FileErrorsRaiseAndKeepWhatWasThere) {
    mGame.AddScript(mGame.Scripts(), "s", "x;");
    EXPECT_THROW(ImportScripts(mDir.File("missing.ksl"), mGame.game, mGame.tree), FileError);
    EXPECT_THROW(ExportAllScripts(mDir.File("no/such/folder/out.ksl"), mGame.game, mGame.tree), FileError);
    EXPECT_EQ(mGame.Scripts()->ChildCount(), 1);
}

TEST_F(ScriptFileTest, ImportInSimpleModeUsesTheHiddenScriptsSection) {
    Prefs().Advanced = false;
    mGame.tree.ResetTree();
    std::string file = mDir.File("two.ksl");
    WriteText(file, "#define a\r\nx;\r\n#define b\r\ny;\r\n");
    ImportScripts(file, mGame.game, mGame.tree);
    EXPECT_FALSE(mGame.tree.InVisibleTree(mGame.Scripts()));
    ASSERT_EQ(mGame.Scripts()->ChildCount(), 1);
    EXPECT_EQ(mGame.ScriptsUnder(mGame.Scripts()), (Scripts{{"a", "x;\n"}, {"b", "y;\n"}}));
}

}  // namespace
}  // namespace kestrin
