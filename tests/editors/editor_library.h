#pragma once
// A small action library for the editor tests, written to a folder and
// loaded into the registry for the life of the fixture.

#include <functional>

#include "actions/action_registry.h"
#include "actions/library_fixture.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/tree_codes.h"
#include "support/temp_dir.h"

namespace kestrin::test {

// Library 1 "Main", ids:
inline constexpr int kMoveAction = 1;       // text + sprite arguments, relative, applies to
inline constexpr int kAllKindsAction = 2;   // eight arguments: bool, menu, object, colour, font, room, text, sound
inline constexpr int kDirectionAction = 3;  // the direction dialog
inline constexpr int kCodeAction = 4;       // code
inline constexpr int kStartBlock = 5;
inline constexpr int kEndBlock = 6;
inline constexpr int kQuestionAction = 7;
inline constexpr int kHostileAction = 8;    // ArgCount 20, kinds outside 0..15
inline constexpr int kPlainAction = 9;      // no arguments, cannot apply to
inline constexpr int kMainLibrary = 1;

inline CActionLibrary EditorLibrary() {
    CActionLibrary library = MakeLibrary("Main", kMainLibrary, 9);
    auto def = [&library](int id) -> CActionDefinition& { return *library.DefinitionAt(id - 1); };
    CActionDefinition& move = def(kMoveAction);
    move.ListText = "move @0 @1";
    move.HintText = "move to @0 with @1";
    move.ArgCount = 2;
    move.ArgCaption[0] = "x:";
    move.ArgKind[0] = kArgText;
    move.ArgDefault[0] = "0";
    move.ArgCaption[1] = "sprite:";
    move.ArgKind[1] = kArgSprite;
    move.ArgDefault[1] = "-1";

    CActionDefinition& all = def(kAllKindsAction);
    all.ListText = "all kinds";
    all.HintText = "all kinds";
    all.ArgCount = 8;
    const int kinds[8] = {kArgBoolean, kArgMenu, kArgObject, kArgColor, kArgFont, kArgRoom, kArgText2, kArgSound};
    for (int i = 0; i < 8; ++i) {
        all.ArgKind[i] = kinds[i];
        all.ArgCaption[i] = "arg " + std::to_string(i) + ":";
        all.ArgDefault[i] = "0";
    }
    all.ArgMenu[1] = "a|-|b|c";
    all.ArgDefault[4] = "Arial,12,255,0,0,0,0";

    CActionDefinition& direction = def(kDirectionAction);
    direction.InterfaceKind = kInterfaceDirections;
    direction.ListText = "start moving";
    direction.ArgCount = 2;
    direction.ArgDefault[0] = "000000000";
    direction.ArgDefault[1] = "4";

    CActionDefinition& code = def(kCodeAction);
    code.InterfaceKind = kInterfaceCode;
    code.Description = "Execute code";
    code.ListText = "execute code";
    code.ArgCount = 1;

    def(kStartBlock).Kind = kActionKindBlockStart;
    def(kStartBlock).HintText = "start of a block";
    def(kEndBlock).Kind = kActionKindBlockEnd;
    def(kEndBlock).HintText = "end of a block";
    CActionDefinition& question = def(kQuestionAction);
    question.IsQuestion = true;
    question.HintText = "if @Nempty";
    question.ListText = "if @Nempty";

    CActionDefinition& hostile = def(kHostileAction);
    hostile.ArgCount = 20;
    hostile.ArgKind[0] = 99;
    hostile.ArgKind[1] = -3;
    hostile.ListText = "hostile";

    CActionDefinition& plain = def(kPlainAction);
    plain.CanApplyTo = false;
    plain.CanBeRelative = false;
    plain.ListText = "plain";
    plain.HintText = "plain action";
    return library;
}

// A resource made the way the tree makes it (so resource menus list it), named.
inline int AddNamedResource(Game& game, std::int32_t type, const std::string& name) {
    CResourceTree& tree = game.Tree();
    ResourceNode* node = tree.AddResourceNode(tree.Section(type), type);
    tree.RenameNode(node, name);
    return node->Data.Index;
}

// Loads the editor library for as long as it lives; the registry is empty afterwards.
class LoadedEditorLibrary {
public:
    explicit LoadedEditorLibrary(const std::function<void(CActionLibrary&)>& adjust = {}) {
        ClearActionLibraries();
        CActionLibrary library = EditorLibrary();
        if (adjust) adjust(library);
        WriteLibrary(mDir.File("main.lib"), library);
        RecordingUI ui;
        ScopedUI installed(ui);
        mLoaded = LoadActionLibrariesFrom(mDir.Path() + "/");
    }
    ~LoadedEditorLibrary() { ClearActionLibraries(); }
    bool Loaded() const { return mLoaded; }

private:
    TempDir mDir;
    bool mLoaded = false;
};

}  // namespace kestrin::test
