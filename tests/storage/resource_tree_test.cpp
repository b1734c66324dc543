// The resource tree model: the default tree in both modes, its stored
// section, merging, placing, deleting, sorting, dragging, icons, resource
// menus, and the notifications a view model relies on.

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_tree_resources.h"
#include "storage/resource_kinds.h"
#include "storage/resource_menu.h"
#include "storage/resource_tree.h"
#include "storage/text_collation.h"
#include "storage/tree_observer.h"
#include "storage/tree_resources.h"
#include "storage/tree_section_io.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

// ---- helpers -------------------------------------------------------------------

class ModeGuard {
public:
    explicit ModeGuard(bool advanced) : mOld(Prefs().Advanced) { Prefs().Advanced = advanced; }
    ~ModeGuard() { Prefs().Advanced = mOld; }

private:
    bool mOld;
};

// Lists of names by type, for every type with a list; icons are 100 + type.
class FakeLists : public TreeResources {
public:
    std::int32_t AddResource(std::int32_t type) override {
        auto kind = KindOfType(type);
        if (!kind) return -1;
        auto& slots = mSlots[type];
        slots.push_back(KindInfo(*kind).prefix + std::to_string(slots.size()));
        return static_cast<std::int32_t>(slots.size() - 1);
    }
    std::int32_t DuplicateResource(std::int32_t type, std::int32_t) override { return AddResource(type); }
    bool DeleteResource(std::int32_t type, std::int32_t index) override {
        if (!ResourceExists(type, index)) return false;
        mSlots[type][static_cast<std::size_t>(index)].reset();
        return true;
    }
    void RenameResource(std::int32_t type, std::int32_t index, const std::string& name) override {
        if (ResourceExists(type, index)) mSlots[type][static_cast<std::size_t>(index)] = name;
    }
    bool ResourceExists(std::int32_t type, std::int32_t index) const {
        auto it = mSlots.find(type);
        return it != mSlots.end() && index >= 0 && index < static_cast<int>(it->second.size()) &&
               it->second[static_cast<std::size_t>(index)].has_value();
    }
    std::string ResourceName(std::int32_t type, std::int32_t index) const override {
        return ResourceExists(type, index) ? *mSlots.at(type)[static_cast<std::size_t>(index)] : "<undefined>";
    }
    int ResourceIcon(std::int32_t type, std::int32_t index) const override {
        return ResourceExists(type, index) ? 100 + type : 0;
    }
    void ResetIconList() override { ++mIconResets; }
    void OpenResource(std::int32_t type, std::int32_t index) override { mOpened.push_back({type, index}); }

    std::map<std::int32_t, std::vector<std::optional<std::string>>> mSlots;
    std::vector<std::pair<int, int>> mOpened;
    int mIconResets = 0;
};

// Keeps its own copy of the visible tree's shape from the notifications alone,
// following the rules of a Qt item model, so a wrong or missing notification
// shows up as a difference.
class MirrorObserver : public TreeObserver {
public:
    explicit MirrorObserver(CResourceTree& tree) : mTree(tree) { Rebuild(); }

    void BeginReset() override { mResetting = true; }
    void EndReset() override {
        mResetting = false;
        Rebuild();
    }
    void BeginInsert(ResourceNode* parent, int row) override { mPending = {parent, row}; }
    void EndInsert() override {
        auto [parent, row] = mPending;
        ASSERT_TRUE(mChildren.count(parent));
        auto& kids = mChildren[parent];
        ASSERT_LE(row, static_cast<int>(kids.size()));
        ResourceNode* inserted = parent->Child(row);
        kids.insert(kids.begin() + row, inserted);
        Capture(inserted);
    }
    void BeginRemove(ResourceNode* parent, int row) override {
        ASSERT_TRUE(mChildren.count(parent));
        auto& kids = mChildren[parent];
        ASSERT_LT(row, static_cast<int>(kids.size()));
        ResourceNode* removed = kids[static_cast<std::size_t>(row)];
        kids.erase(kids.begin() + row);
        Forget(removed);
    }
    void BeginMove(ResourceNode* from, int fromRow, ResourceNode* to, int toRow) override {
        ASSERT_TRUE(mChildren.count(from) && mChildren.count(to));
        auto& source = mChildren[from];
        ResourceNode* node = source[static_cast<std::size_t>(fromRow)];
        source.erase(source.begin() + fromRow);
        int row = (from == to && toRow > fromRow) ? toRow - 1 : toRow;
        auto& target = mChildren[to];
        target.insert(target.begin() + row, node);
        ++mMoves;
    }
    void BeginReorder(ResourceNode*) override {}
    void EndReorder(ResourceNode* parent) override { Capture(parent); }
    void NodePlaced(ResourceNode* node) override { mPlaced = node; }

    // The mirror matches the tree.
    bool Matches() const {
        for (const auto& [parent, kids] : mChildren) {
            if (!mTree.InVisibleTree(parent)) continue;
            if (static_cast<int>(kids.size()) != parent->ChildCount()) return false;
            for (int i = 0; i < parent->ChildCount(); ++i)
                if (kids[static_cast<std::size_t>(i)] != parent->Child(i)) return false;
        }
        return true;
    }

    ResourceNode* mPlaced = nullptr;
    int mMoves = 0;

private:
    void Forget(ResourceNode* node) {
        auto it = mChildren.find(node);
        if (it == mChildren.end()) return;
        std::vector<ResourceNode*> kids = it->second;
        mChildren.erase(it);
        for (ResourceNode* kid : kids) Forget(kid);
    }
    void Rebuild() {
        mChildren.clear();
        Capture(mTree.VisibleRoot());
    }
    void Capture(ResourceNode* node) {
        std::vector<ResourceNode*> pending{node};
        while (!pending.empty()) {
            ResourceNode* current = pending.back();
            pending.pop_back();
            auto& kids = mChildren[current];
            kids.clear();
            for (int i = 0; i < current->ChildCount(); ++i) {
                kids.push_back(current->Child(i));
                pending.push_back(current->Child(i));
            }
        }
    }

    CResourceTree& mTree;
    std::map<ResourceNode*, std::vector<ResourceNode*>> mChildren;
    std::pair<ResourceNode*, int> mPending{};
    bool mResetting = false;
};

// A stored node written by hand.
struct N {
    std::int32_t kind, type, index;
    std::string text;
    std::vector<N> children;
};

void Put(CStream& s, const N& n) {
    s.WriteInteger(n.kind);
    s.WriteInteger(n.type);
    s.WriteInteger(n.index);
    s.WriteString(n.text);
    s.WriteInteger(static_cast<std::int32_t>(n.children.size()));
    for (const N& child : n.children) Put(s, child);
}

std::vector<N> DefaultTopNodes() {
    std::vector<N> nodes;
    for (const TopLevelEntry& entry : kTopLevel) nodes.push_back({entry.kind, entry.type, 0, entry.text, {}});
    return nodes;
}

CStream TreeSection(const std::vector<N>& top, std::vector<std::int32_t> rooms = {},
                    std::int32_t version = kTreeSectionVersion) {
    CStream s;
    s.WriteInteger(version);
    s.WriteInteger(static_cast<std::int32_t>(rooms.size()));
    for (auto r : rooms) s.WriteInteger(r);
    for (const N& n : top) Put(s, n);
    s.SetPosition(0);
    return s;
}

// "text(child,child)" with kind and index where they matter: g: group, r<index>: resource.
std::string Shape(const ResourceNode* node) {
    std::string out = node->Text;
    if (node->Data.Kind == kNodeGroup) out = "g:" + out;
    if (node->Data.Kind == kNodeResource && node->Parent() && node->Parent()->Parent())
        out = "r" + std::to_string(node->Data.Index) + ":" + out;
    if (node->ChildCount() > 0) {
        out += "(";
        for (int i = 0; i < node->ChildCount(); ++i) out += (i ? "," : "") + Shape(node->Child(i));
        out += ")";
    }
    return out;
}

std::vector<std::string> Texts(const ResourceNode* parent) {
    std::vector<std::string> texts;
    for (int i = 0; i < parent->ChildCount(); ++i) texts.push_back(parent->Child(i)->Text);
    return texts;
}

class TreeTest : public ::testing::Test {
protected:
    TreeTest() : mMode(true), mTree(&mLists), mMirror(mTree) { mTree.SetObserver(&mMirror); }
    ~TreeTest() override { mTree.SetObserver(nullptr); }

    ResourceNode* Add(ResourceNode* selected, std::int32_t type) { return mTree.AddResourceNode(selected, type); }
    ResourceNode* Sprites() { return mTree.Section(kTypeSprites); }

    ModeGuard mMode;
    RecordingUI mUI;
    ScopedUI mScoped{mUI};
    FakeLists mLists;
    CResourceTree mTree;
    MirrorObserver mMirror;
};

// ---- the default tree ------------------------------------------------------------

TEST(ResourceTreeModes, TopLevelSplitsBetweenVisibleAndHiddenTreesAndAlwaysSavesEleven) {
    struct Case {
        bool advanced;
        std::vector<std::string> visible;
        std::vector<std::string> hidden;
    } cases[] = {
        {false,
         {"Sprites", "Sounds", "Backgrounds", "Objects", "Rooms", "Game Information", "Game Options"},
         {"Paths", "Scripts", "Data Files", "Time Lines"}},
        {true,
         {"Sprites", "Sounds", "Backgrounds", "Paths", "Scripts", "Data Files", "Time Lines", "Objects", "Rooms",
          "Game Information", "Game Options"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.advanced);
        ModeGuard mode(c.advanced);
        FakeLists lists;
        CResourceTree tree(&lists);
        EXPECT_EQ(Texts(tree.VisibleRoot()), c.visible);
        EXPECT_EQ(Texts(tree.HiddenRoot()), c.hidden);
        EXPECT_FALSE(tree.Changed());
        EXPECT_EQ(lists.mIconResets, 1);
        for (int i = 0; i < kTopLevelCount; ++i) {
            EXPECT_EQ(tree.TopLevel(i)->Text, kTopLevel[i].text);
            EXPECT_EQ(tree.TopLevel(i)->Data.Kind, kTopLevel[i].kind);
            EXPECT_EQ(tree.TopLevel(i)->Data.Type, kTopLevel[i].type);
        }

        CStream saved;
        ASSERT_TRUE(tree.SaveTree(saved));
        CStream expected = TreeSection(DefaultTopNodes());
        EXPECT_EQ(saved.View(), expected.View());

        // Loading puts the four advanced sections back where the mode wants them.
        CResourceTree loaded(&lists);
        saved.SetPosition(0);
        ASSERT_TRUE(loaded.LoadTree(saved));
        EXPECT_EQ(Texts(loaded.VisibleRoot()), c.visible);
        EXPECT_EQ(Texts(loaded.HiddenRoot()), c.hidden);
        EXPECT_EQ(saved.Remaining(), 0u);
    }
}

// ---- the stored section -------------------------------------------------------------

TEST_F(TreeTest, RoomOrderIsGatheredDepthFirstWithGroupsInPlace) {
    auto top = DefaultTopNodes();
    top[8].children = {{3, 4, 2, "room2", {}},
                       {2, 4, 0, "group", {{3, 4, 0, "room0", {}}}},
                       {3, 4, 1, "room1", {}}};
    CStream in = TreeSection(top, {7});  // the stored room order is ignored
    ASSERT_TRUE(mTree.LoadTree(in));
    EXPECT_EQ(mTree.RoomOrder(), (std::vector<std::int32_t>{2, 0, 1}));

    CStream out;
    mTree.SaveTree(out);
    CStream expected = TreeSection(top, {2, 0, 1});
    EXPECT_EQ(out.View(), expected.View());
    out.SetPosition(4);
    EXPECT_EQ(out.ReadInteger(), 3);
}

TEST_F(TreeTest, LoadTakesNodesAsStoredAndClearsChangedFlag) {
    auto top = DefaultTopNodes();
    top[0].text = "Pictures";  // texts and the fields below the top level are kept, not checked
    top[8] = {3, 1, 4, "Rooms", {}};  // but the top level keeps its roles
    top[0].children = {{2, 2, 0, "g", {{3, 2, 9, "ghost", {}}, {7, 99, -5, "odd", {}}}}};
    mTree.SetChanged(true);
    CStream in = TreeSection(top);
    ASSERT_TRUE(mTree.LoadTree(in));
    EXPECT_FALSE(mTree.Changed());
    EXPECT_EQ(Shape(Sprites()), "Pictures(g:g(r9:ghost,odd))");
    ResourceNode* rooms = mTree.Section(kTypeRooms);
    EXPECT_EQ(rooms->Data.Kind, kNodeSection);
    EXPECT_EQ(rooms->Data.Type, kTypeRooms);
    EXPECT_EQ(mTree.AddResourceNode(rooms, kTypeRooms)->Parent(), rooms);
    EXPECT_TRUE(mMirror.Matches());
    // A node naming an empty slot shows the list's "<undefined>" once drawn.
    ResourceNode* ghost = Sprites()->Child(0)->Child(0);
    EXPECT_TRUE(mTree.RefreshNode(ghost));
    EXPECT_EQ(ghost->Text, "<undefined>");
    EXPECT_EQ(ghost->Icon, 0);
    EXPECT_FALSE(mTree.RefreshNode(ghost));
}

TEST_F(TreeTest, WrongVersionIsRefusedAndLeavesTheTree) {
    Add(Sprites(), kTypeSprites);
    std::string before = Shape(Sprites());
    for (std::int32_t version : {499, 501, 0}) {
        CStream in = TreeSection(DefaultTopNodes(), {}, version);
        EXPECT_FALSE(mTree.LoadTree(in));
        in.SetPosition(0);
        EXPECT_FALSE(mTree.MergeTree(in, "x", {}));
    }
    EXPECT_EQ(Shape(Sprites()), before);
}

TEST_F(TreeTest, EveryTruncationFailsCleanlyAndLeavesTheTree) {
    auto top = DefaultTopNodes();
    top[0].children = {{2, 2, 0, "grp", {{3, 2, 0, "a", {}}, {3, 2, 1, "b", {}}}}};
    top[8].children = {{3, 4, 0, "room", {}}};
    CStream full = TreeSection(top, {0});
    // A merge reads only the first nine top-level nodes.
    std::size_t mergeEnd = TreeSection({top.begin(), top.begin() + kSectionCount}, {0}).Size();
    Add(Sprites(), kTypeSprites);
    std::string before = Shape(mTree.VisibleRoot());
    for (std::size_t length = 0; length < full.Size(); ++length) {
        CStream cut(full.View().substr(0, length));
        EXPECT_THROW(mTree.LoadTree(cut), StreamReadError) << length;
        if (length < mergeEnd) {
            cut.SetPosition(0);
            EXPECT_THROW(mTree.MergeTree(cut, "m", {}), StreamReadError) << length;
        }
        ASSERT_EQ(Shape(mTree.VisibleRoot()), before) << length;
    }
    EXPECT_TRUE(mMirror.Matches());
}

TEST_F(TreeTest, ForgedCountsFailBeforeAllocating) {
    struct Case {
        const char* what;
        std::int32_t roomCount;
        std::int32_t childCount;
    } cases[] = {
        {"room order count", 0x3fffffff, 0},
        {"child count", 0, 0x7fffffff},
        {"child count just above what the bytes can hold", 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CStream s;
        s.WriteInteger(kTreeSectionVersion);
        s.WriteInteger(c.roomCount);
        s.WriteInteger(1);
        s.WriteInteger(2);
        s.WriteInteger(0);
        s.WriteString("Sprites");
        s.WriteInteger(c.childCount);
        // Room for two minimal children, not three.
        for (int i = 0; i < 2 * 20; ++i) s.Write("\0", 1);
        s.SetPosition(0);
        EXPECT_THROW(mTree.LoadTree(s), StreamReadError);
    }
}

TEST(ResourceTreeSection, DeeplyNestedGroupsLoadSaveAndFreeWithoutRecursion) {
    // Deep enough that a recursive reader, writer or destructor would run out of stack.
    constexpr int depth = 100000;
    ModeGuard mode(true);
    CResourceTree tree;
    CStream s;
    s.WriteInteger(kTreeSectionVersion);
    s.WriteInteger(0);
    for (int level = 0; level < depth; ++level) {
        s.WriteInteger(level == 0 ? kNodeSection : kNodeGroup);
        s.WriteInteger(kTypeSprites);
        s.WriteInteger(0);
        s.WriteString("");
        s.WriteInteger(level + 1 < depth ? 1 : 0);
    }
    auto top = DefaultTopNodes();
    for (std::size_t i = 1; i < top.size(); ++i) Put(s, top[i]);
    s.SetPosition(0);
    ASSERT_TRUE(tree.LoadTree(s));
    CStream out;
    tree.SaveTree(out);
    EXPECT_EQ(out.View(), s.View());
    tree.ResetTree();  // frees the deep tree
    EXPECT_EQ(tree.Section(kTypeSprites)->ChildCount(), 0);
}

// ---- merging ----------------------------------------------------------------------------

TEST_F(TreeTest, MergeAddsAGroupNamedAfterTheFileForEachNonEmptySection) {
    for (int i = 0; i < 5; ++i) Add(Sprites(), kTypeSprites);
    auto top = DefaultTopNodes();
    top[0].children = {{2, 2, 0, "heroes", {{3, 2, 0, "a", {}}, {3, 2, 1, "b", {}}}}};
    top[7].children = {{3, 1, 0, "obj", {}}};
    top[9].children = {{3, 2, 0, "never read", {}}};
    CStream in = TreeSection(top, {});
    MergeOffsets offsets;
    offsets[ResourceKind::Sprite] = 5;
    offsets[ResourceKind::Object] = 3;
    mTree.SetChanged(false);
    ASSERT_TRUE(mTree.MergeTree(in, "level2", offsets));
    EXPECT_TRUE(mTree.Changed());
    EXPECT_EQ(Shape(Sprites()),
              "Sprites(r0:sprite0,r1:sprite1,r2:sprite2,r3:sprite3,r4:sprite4,"
              "g:level2(g:heroes(r5:a,r6:b)))");
    EXPECT_EQ(Shape(mTree.Section(kTypeObjects)), "Objects(g:level2(r3:obj))");
    for (std::int32_t type : {kTypeSounds, kTypeBackgrounds, kTypePaths, kTypeScripts, kTypeRooms})
        EXPECT_EQ(mTree.Section(type)->ChildCount(), 0) << type;
    EXPECT_EQ(mTree.Section(kTypeGameInformation)->ChildCount(), 0);
    EXPECT_TRUE(mMirror.Matches());
}

// ---- placing, duplicating, deleting, renaming -----------------------------------------

TEST_F(TreeTest, NewNodesArePlacedBySelectionShownAndMarkTheTreeChanged) {
    ResourceNode* a = Add(Sprites(), kTypeSprites);                 // section: last child
    ResourceNode* group = mTree.AddGroup(Sprites(), "folder");      // after a
    ResourceNode* b = Add(group, kTypeSprites);                     // group: last child
    ResourceNode* c = Add(a, kTypeSprites);                         // resource: before it
    ASSERT_TRUE(a && group && b && c);
    EXPECT_EQ(Shape(Sprites()), "Sprites(r2:sprite2,r0:sprite0,g:folder(r1:sprite1))");
    EXPECT_TRUE(Sprites()->Expanded);
    EXPECT_TRUE(group->Expanded);
    EXPECT_EQ(mMirror.mPlaced, c);
    EXPECT_TRUE(mTree.Changed());
    EXPECT_TRUE(mMirror.Matches());

    // A selection of another kind, or none, puts the node into its own section.
    ResourceNode* object = Add(b, kTypeObjects);
    ASSERT_TRUE(object);
    EXPECT_EQ(object->Parent(), mTree.Section(kTypeObjects));
    EXPECT_EQ(Add(nullptr, kTypeSounds)->Parent(), mTree.Section(kTypeSounds));
    // No list behind these types; groups only inside sections.
    EXPECT_EQ(Add(Sprites(), kTypeGameOptions), nullptr);
    EXPECT_EQ(Add(Sprites(), 5), nullptr);
    EXPECT_EQ(mTree.AddGroup(mTree.Section(kTypeGameInformation), "x"), nullptr);
    EXPECT_EQ(mTree.AddGroup(mTree.VisibleRoot(), "x"), nullptr);
    EXPECT_EQ(mTree.VisibleRoot()->ChildCount(), kTopLevelCount);
    EXPECT_TRUE(mUI.Messages().empty());
}

TEST_F(TreeTest, DuplicateGoesRightAfterTheSource) {
    ResourceNode* a = Add(Sprites(), kTypeSprites);
    Add(Sprites(), kTypeSprites);
    ResourceNode* copyOfFirst = mTree.DuplicateNode(a);
    ResourceNode* copyOfLast = mTree.DuplicateNode(Sprites()->LastChild());
    ASSERT_TRUE(copyOfFirst && copyOfLast);
    EXPECT_EQ(Shape(Sprites()), "Sprites(r0:sprite0,r2:sprite2,r1:sprite1,r3:sprite3)");
    EXPECT_EQ(mMirror.mPlaced, copyOfLast);
    EXPECT_EQ(mTree.DuplicateNode(Sprites()), nullptr);
    EXPECT_EQ(mTree.DuplicateNode(mTree.AddGroup(Sprites(), "g")), nullptr);
    EXPECT_EQ(mTree.DuplicateNode(mTree.Section(kTypeGameOptions)), nullptr);
    EXPECT_TRUE(mMirror.Matches());
}

TEST_F(TreeTest, DeletingAGroupDeletesEverythingInItAndTopLevelNodesStay) {
    ResourceNode* keep = Add(Sprites(), kTypeSprites);
    ResourceNode* outer = mTree.AddGroup(Sprites(), "outer");
    Add(outer, kTypeSprites);
    ResourceNode* inner = mTree.AddGroup(outer, "inner");
    Add(inner, kTypeSprites);
    Add(outer, kTypeSprites);
    mTree.SetChanged(false);
    mTree.DeleteNode(outer);
    EXPECT_TRUE(mTree.Changed());
    EXPECT_EQ(Shape(Sprites()), "Sprites(r0:sprite0)");
    EXPECT_TRUE(mLists.ResourceExists(kTypeSprites, 0));
    for (int index : {1, 2, 3}) EXPECT_FALSE(mLists.ResourceExists(kTypeSprites, index)) << index;
    EXPECT_TRUE(mMirror.Matches());

    mTree.DeleteNode(keep);
    EXPECT_FALSE(mLists.ResourceExists(kTypeSprites, 0));
    for (int i = 0; i < kTopLevelCount; ++i) mTree.DeleteNode(mTree.TopLevel(i));
    EXPECT_EQ(mTree.VisibleRoot()->ChildCount(), kTopLevelCount);
    EXPECT_EQ(CResourceTree::DeleteQuestion(Sprites()),
              "You are about to delete Sprites. This will be permanent. Continue?");
}

TEST_F(TreeTest, DeleteQuestionsNameTheNode) {
    ResourceNode* group = mTree.AddGroup(Sprites(), "enemies");
    ResourceNode* sprite = Add(Sprites(), kTypeSprites);
    EXPECT_EQ(CResourceTree::DeleteQuestion(group),
              "You are about to delete group enemies with all items it contains. This will be permanent. Continue?");
    EXPECT_EQ(CResourceTree::DeleteQuestion(sprite),
              "You are about to delete sprite0. This will be permanent. Continue?");
}

TEST_F(TreeTest, RenameRenamesTheResourceAndOnlyRealChangesCount) {
    ResourceNode* sprite = Add(Sprites(), kTypeSprites);
    ResourceNode* group = mTree.AddGroup(Sprites(), "g");
    mTree.SetChanged(false);
    mTree.RenameNode(sprite, "sprite0");
    EXPECT_FALSE(mTree.Changed());
    mTree.RenameNode(sprite, "hero");
    EXPECT_TRUE(mTree.Changed());
    EXPECT_EQ(mLists.ResourceName(kTypeSprites, 0), "hero");
    mTree.RenameNode(group, "monsters");
    EXPECT_EQ(group->Text, "monsters");
    // Renamed in an editor: the node follows at the next draw.
    mLists.RenameResource(kTypeSprites, 0, "villain");
    EXPECT_EQ(mTree.NodeText(sprite), "villain");
    mTree.RepaintTree();
    EXPECT_EQ(sprite->Text, "villain");
}

TEST_F(TreeTest, OpenNodeByType) {
    ResourceNode* sprite = Add(Sprites(), kTypeSprites);
    mTree.OpenNode(sprite);
    mTree.OpenNode(Sprites());
    EXPECT_EQ(mLists.mOpened, (std::vector<std::pair<int, int>>{{kTypeSprites, 0}}));
    auto top = DefaultTopNodes();
    top[0].children = {{3, 5, 0, "stray", {}}};
    CStream in = TreeSection(top);
    ASSERT_TRUE(mTree.LoadTree(in));
    mTree.OpenNode(Sprites()->Child(0));
    EXPECT_EQ(mUI.Messages(), std::vector<std::string>{"Internal error: Cannot change properties of stray"});
}

// ---- sorting -------------------------------------------------------------------------------

TEST(TextCollation, FallbackOrdersLikeADictionary) {
    const char* ordered[] = {"", "1", "_x", "a", "A", "\xe1", "ab", "aB", "Ab", "b", "B", "C", "\xc9t\xe9", "z"};
    for (std::size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(CompareTextFallback(ordered[i], ordered[i + 1]), 0) << ordered[i] << " < " << ordered[i + 1];
        EXPECT_GT(CompareTextFallback(ordered[i + 1], ordered[i]), 0);
    }
    EXPECT_EQ(CompareTextFallback("same", "same"), 0);
}

TEST(TextCollation, AnInstalledLocaleIsUsedWhenItCollates) {
    // The C locale orders by byte value, so the fixed order stands in for it.
    TextCollator c("C");
    EXPECT_FALSE(c.UsesLocale());
    EXPECT_LT(c.Compare("b", "C"), 0);
    TextCollator missing("xx_NOWHERE.UTF-8");
    EXPECT_FALSE(missing.UsesLocale());
    for (const char* name : {"en_US.UTF-8", "en_US.ISO-8859-1", "de_DE.UTF-8"}) {
        TextCollator real(name);
        if (!real.UsesLocale()) continue;
        SCOPED_TRACE(name);
        EXPECT_LT(real.Compare("b", "C"), 0);
        EXPECT_LT(real.Compare("a", "B"), 0);
        EXPECT_LT(real.Compare("\xe9t\xe9", "f"), 0);
        EXPECT_NE(real.Compare("a", "A"), 0);
    }
}

TEST_F(TreeTest, SortUsesTheLocaleOrderAndOnlyTheDirectChildren) {
    ResourceNode* group = mTree.AddGroup(Sprites(), "m");
    for (const char* name : {"b", "C", "a"}) mTree.RenameNode(Add(Sprites(), kTypeSprites), name);
    for (const char* name : {"z", "y"}) mTree.RenameNode(Add(group, kTypeSprites), name);
    mTree.SetChanged(false);
    mTree.SortNode(Sprites());
    EXPECT_TRUE(mTree.Changed());
    EXPECT_EQ(Texts(Sprites()), (std::vector<std::string>{"a", "b", "C", "m"}));
    EXPECT_EQ(Texts(group), (std::vector<std::string>{"z", "y"}));
    EXPECT_TRUE(mMirror.Matches());
    // Resources sort by the name they are drawn with, even before a repaint.
    mLists.RenameResource(kTypeSprites, 1, "0first");
    mTree.SortNode(Sprites());
    EXPECT_EQ(CResourceTree::NodeIndex(Sprites()->Child(0)), 1);
}

// ---- drag and drop --------------------------------------------------------------------------

TEST_F(TreeTest, DropRules) {
    ResourceNode* s0 = Add(Sprites(), kTypeSprites);
    ResourceNode* s1 = Add(Sprites(), kTypeSprites);
    ResourceNode* s2 = Add(Sprites(), kTypeSprites);
    ResourceNode* group = mTree.AddGroup(Sprites(), "g");
    ResourceNode* inGroup = Add(group, kTypeSprites);
    ResourceNode* object = Add(nullptr, kTypeObjects);
    mTree.SetChanged(false);

    EXPECT_FALSE(mTree.CanDrag(Sprites()));
    EXPECT_FALSE(mTree.CanDrop(s0, object));
    EXPECT_FALSE(mTree.MoveNode(s0, object, true));
    EXPECT_FALSE(mTree.CanDrop(s0, s0));
    EXPECT_FALSE(mTree.CanDrop(s0, mTree.Section(kTypeObjects)));
    EXPECT_FALSE(mTree.CanDrop(group, inGroup)) << "a group into itself";
    EXPECT_TRUE(mTree.CanDrop(inGroup, s0));
    EXPECT_FALSE(mTree.Changed());

    struct Step {
        ResourceNode* dragged;
        ResourceNode* target;
        bool upper;
        const char* shape;
    } steps[] = {
        {s2, Sprites(), false, "Sprites(r2:sprite2,r0:sprite0,r1:sprite1,g:g(r3:sprite3))"},
        {s2, group, false, "Sprites(r0:sprite0,r1:sprite1,g:g(r3:sprite3,r2:sprite2))"},
        {s2, group, true, "Sprites(r0:sprite0,r1:sprite1,g:g(r3:sprite3,r2:sprite2))"},
        {s0, inGroup, true, "Sprites(r1:sprite1,g:g(r0:sprite0,r3:sprite3,r2:sprite2))"},
        {s2, s0, false, "Sprites(r1:sprite1,g:g(r0:sprite0,r2:sprite2,r3:sprite3))"},
        {s1, s2, false, "Sprites(g:g(r0:sprite0,r2:sprite2,r1:sprite1,r3:sprite3))"},
        {s0, inGroup, false, "Sprites(g:g(r2:sprite2,r1:sprite1,r3:sprite3,r0:sprite0))"},
        {s0, s2, true, "Sprites(g:g(r0:sprite0,r2:sprite2,r1:sprite1,r3:sprite3))"},
        {group, s0, true, "Sprites(g:g(r0:sprite0,r2:sprite2,r1:sprite1,r3:sprite3))"},  // into itself
        {s1, group, true, "Sprites(g:g(r0:sprite0,r2:sprite2,r3:sprite3,r1:sprite1))"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.shape);
        mTree.MoveNode(step.dragged, step.target, step.upper);
        EXPECT_EQ(Shape(Sprites()), step.shape);
        ASSERT_TRUE(mMirror.Matches());
    }
    EXPECT_TRUE(mTree.Changed());
    EXPECT_GT(mMirror.mMoves, 0);
}

TEST_F(TreeTest, DropOnTheLowerHalfOfTheLastResourceAppends) {
    ResourceNode* first = Add(Sprites(), kTypeSprites);
    Add(Sprites(), kTypeSprites);
    ResourceNode* last = Add(Sprites(), kTypeSprites);
    EXPECT_TRUE(mTree.MoveNode(first, last, false));
    EXPECT_EQ(Sprites()->LastChild(), first);
    EXPECT_TRUE(mMirror.Matches());
}

TEST(ResourceTreeDrag, HiddenSectionsTakeNoDrops) {
    ModeGuard simple(false);
    FakeLists lists;
    CResourceTree tree(&lists);
    ResourceNode* a = tree.AddResourceNode(nullptr, kTypeScripts);
    ResourceNode* b = tree.AddResourceNode(nullptr, kTypeScripts);
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(tree.InVisibleTree(a));
    EXPECT_FALSE(tree.CanDrag(a));
    EXPECT_FALSE(tree.MoveNode(a, b, false));
}

// ---- icons and menus ---------------------------------------------------------------------------

TEST_F(TreeTest, IconsFollowKindExpansionAndTheLists) {
    ResourceNode* sprite = Add(Sprites(), kTypeSprites);
    ResourceNode* group = mTree.AddGroup(Sprites(), "g");
    mTree.SetExpanded(group, false);
    struct Case {
        const ResourceNode* node;
        int icon;
    } cases[] = {
        {nullptr, -1},
        {Sprites(), kIconFolderOpen},  // expanded when the sprite was placed
        {group, kIconFolderClosed},
        {sprite, 100 + kTypeSprites},
        {mTree.Section(kTypeSounds), kIconFolderClosed},
        {mTree.Section(kTypeGameInformation), 12},
        {mTree.Section(kTypeGameOptions), 13},
    };
    for (const Case& c : cases) EXPECT_EQ(mTree.NodeIcon(c.node), c.icon);
    EXPECT_EQ(CResourceTree::NodeKind(nullptr), -1);
    EXPECT_EQ(CResourceTree::NodeType(sprite), kTypeSprites);
    EXPECT_EQ(CResourceTree::NodeIndex(sprite), 0);
}

TEST_F(TreeTest, ResourceMenuMirrorsTheSection) {
    Add(Sprites(), kTypeSprites);
    ResourceNode* group = mTree.AddGroup(Sprites(), "B&W");
    mTree.RenameNode(Add(group, kTypeSprites), "ball");
    mTree.RenameNode(Add(Sprites(), kTypeSprites), "Spr");

    auto items = BuildResourceMenu(mTree, kTypeSprites, std::string("<no sprite>"));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].Caption, "<no sprite>");
    EXPECT_EQ(items[0].Value, kMenuChoseNone);
    EXPECT_EQ(items[0].Icon, -1);
    EXPECT_EQ(items[1].Caption, "sprite0");
    EXPECT_EQ(items[1].Value, 0);
    EXPECT_EQ(items[1].Icon, 100 + kTypeSprites);
    EXPECT_TRUE(items[2].Submenu);
    EXPECT_EQ(items[2].Icon, kIconFolderClosed);
    ASSERT_EQ(items[2].Children.size(), 1u);
    EXPECT_EQ(items[2].Children[0].Caption, "ball");
    EXPECT_EQ(items[2].Children[0].Value, 1);
    EXPECT_EQ(items[3].Value, 2);
    // Accelerators: first free letter of each item, '&' doubled.
    EXPECT_EQ(items[0].Label, "<&no sprite>");
    EXPECT_EQ(items[1].Label, "&sprite0");
    EXPECT_EQ(items[2].Label, "&B&&W");
    EXPECT_EQ(items[3].Label, "S&pr");
    EXPECT_EQ(items[2].Children[0].Label, "&ball");

    EXPECT_TRUE(BuildResourceMenu(mTree, kTypeSounds, std::nullopt).empty());
    EXPECT_TRUE(BuildResourceMenu(mTree, kTypeGameOptions, std::string("none")).empty());
}

// ---- with the game's own lists ---------------------------------------------------------------

TEST(ResourceTreeWithGame, OperationsReachTheLists) {
    ModeGuard advanced(true);
    RandomSource random(7);
    Game game(random);
    GameTreeResources resources(game);
    CResourceTree tree(&resources);
    ResourceNode* scripts = tree.Section(kTypeScripts);

    ResourceNode* first = tree.AddResourceNode(scripts, kTypeScripts);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Text, "script0");
    EXPECT_TRUE(game.IsChanged(ChangedFlag::Tree));
    EXPECT_TRUE(tree.Changed());
    game.Scripts().ResourceAt(0)->Code = "return 1;";
    tree.RenameNode(first, "answer");
    EXPECT_EQ(game.Scripts().ResourceName(0), "answer");

    ResourceNode* copy = tree.DuplicateNode(first);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Text, "script1");
    EXPECT_EQ(game.Scripts().ResourceAt(1)->Code, "return 1;");
    EXPECT_EQ(tree.NodeIcon(copy), 11);

    ResourceNode* group = tree.AddGroup(scripts, "lib");
    tree.AddResourceNode(group, kTypeScripts);
    tree.AddResourceNode(group, kTypeScripts);
    tree.DeleteNode(group);
    EXPECT_EQ(game.Scripts().ResourceCount(), 4);
    EXPECT_FALSE(game.Scripts().ResourceExists(2));
    EXPECT_FALSE(game.Scripts().ResourceExists(3));
    EXPECT_TRUE(game.Scripts().ResourceExists(1));

    game.ClearChangedFlags();
    EXPECT_FALSE(tree.Changed());
    game.Icons.Add(std::make_unique<Bitmap24>(16, 16));
    tree.SetChanged(true);
    tree.ResetTree();
    EXPECT_FALSE(game.IsChanged(ChangedFlag::Tree));
    EXPECT_EQ(game.Icons.ThumbnailCount(), 0);
}

}  // namespace
}  // namespace kestrin
