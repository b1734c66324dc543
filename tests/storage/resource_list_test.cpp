// The resource list pattern, for every kind the game keeps: slots that are
// never renumbered, the list section, names, lookups, changed flags, the
// editor hooks, and what the sound, script and object lists do differently.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/scratch_folder.h"
#include "resources/action_fixture.h"
#include "storage/game.h"
#include "storage/resource_editor.h"
#include "storage/resource_traits.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using test::Ints;

template <class R>
CResourceList<R>& ListIn(Game& game) {
    return static_cast<CResourceList<R>&>(*game.ListOf(ResourceTraits<R>::kKind));
}

// What a section stores after its slots: rooms keep their id counters there.
template <class R>
std::string Trailer() {
    return std::is_same_v<R, CRoom> ? Ints({kFirstLastInstanceId, kFirstLastTileId}) : std::string();
}

// Moves a resource away from its defaults.
void Tweak(CSound& sound) { sound.Buffers = 5; }
void Tweak(CPath& path) { path.AddPoint(1, 2, 3); }
void Tweak(CScript& script) { script.Code = "x = 1"; }
void Tweak(CDataFile& file) { file.FileName = "f.txt"; }
void Tweak(CTimeLine& line) { line.GetMomentEvent(line.AddMoment(3))->AddAction(0, 0); }
void Tweak(CObject& object) { object.Depth = 7; }
void Tweak(CSprite& sprite) { sprite.XOrigin = 3; }
void Tweak(CBackground& background) { background.Transparent = true; }
void Tweak(CRoom& room) { room.Caption = "hall"; }

template <class R>
class ResourceListTest : public ::testing::Test {
protected:
    RandomSource mRandom{1};
    Game mGame{mRandom};
    CResourceList<R>& mList = ListIn<R>(mGame);
    const ResourceKindInfo& mInfo = KindInfo(mList.Kind());
    std::string Name(int i) const { return mInfo.prefix + std::to_string(i); }
};

using Kinds = ::testing::Types<CSprite, CSound, CBackground, CPath, CScript, CDataFile, CTimeLine, CObject, CRoom>;
TYPED_TEST_SUITE(ResourceListTest, Kinds);

TYPED_TEST(ResourceListTest, DeletedSlotsStayEmptyThroughSaveAndLoad) {
    auto& list = this->mList;
    EXPECT_EQ(list.AddResource(), 0);
    EXPECT_EQ(list.AddResource(), 1);
    EXPECT_EQ(list.AddResource(), 2);
    EXPECT_TRUE(list.DeleteResource(1));
    EXPECT_FALSE(list.DeleteResource(1));
    EXPECT_EQ(list.AddResource(), 3);

    auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        ASSERT_EQ(list.ResourceCount(), 4);
        EXPECT_FALSE(list.ResourceExists(1));
        EXPECT_EQ(list.ResourceAt(1), nullptr);
        EXPECT_EQ(list.ResourceName(1), "<undefined>");
        for (int i : {0, 2, 3}) {
            EXPECT_TRUE(list.ResourceExists(i));
            EXPECT_EQ(list.ResourceName(i), this->Name(i));
        }
    };
    check("after editing");

    CStream stream;
    ASSERT_TRUE(list.SaveList(stream));
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInteger(), this->mInfo.sectionVersion);
    stream.SetPosition(0);
    list.ClearList();
    EXPECT_EQ(list.ResourceCount(), 0);
    ASSERT_TRUE(list.LoadList(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_FALSE(list.Changed());
    check("after loading");
}

TYPED_TEST(ResourceListTest, OneEmptySlot) {
    auto& list = this->mList;
    list.AddResource();
    list.DeleteResource(0);
    CStream stream;
    ASSERT_TRUE(list.SaveList(stream));
    EXPECT_EQ(stream.View(), Ints({this->mInfo.sectionVersion, 1, 0}) + Trailer<TypeParam>());
    stream.SetPosition(0);
    ASSERT_TRUE(list.LoadList(stream));
    EXPECT_EQ(list.ResourceCount(), 1);
    EXPECT_FALSE(list.ResourceExists(0));
}

TYPED_TEST(ResourceListTest, NamesAndLookups) {
    auto& list = this->mList;
    for (int i = 0; i < 4; ++i) list.AddResource();
    list.RenameResource(1, "Ball");
    list.RenameResource(3, "Ball");
    list.RenameResource(7, "nothing");  // invalid: ignored
    EXPECT_EQ(list.FindResource("Ball"), 1);
    list.DeleteResource(1);
    EXPECT_EQ(list.FindResource("Ball"), 3);
    int notFound = this->mList.Kind() == ResourceKind::Object ? kNoObject : -1;
    EXPECT_EQ(list.FindResource("ball"), notFound);
    EXPECT_EQ(list.FindResource(""), notFound);  // empty slots have no name to find
    // A default name can equal a name the user gave.
    list.RenameResource(0, this->Name(2));
    EXPECT_EQ(list.FindResource(this->Name(2)), 0);
    for (int invalid : {-100, 4, 1000}) EXPECT_EQ(list.ResourceName(invalid), "<undefined>");
    EXPECT_EQ(list.ResourceAt(-5), nullptr);
    EXPECT_EQ(list.ResourceIcon(1), 0);
    EXPECT_EQ(list.ResourceIcon(99), 0);
}

TYPED_TEST(ResourceListTest, DuplicateCopiesSettingsButNotTheName) {
    auto& list = this->mList;
    list.AddResource();
    list.RenameResource(0, "original");
    CStream before;
    TypeParam* original = list.ResourceAt(0);
    Tweak(*original);
    ResourceTraits<TypeParam>::Save(*original, before, this->mGame);
    int copy = list.DuplicateResource(0);
    EXPECT_EQ(copy, 1);
    EXPECT_EQ(list.ResourceName(copy), this->Name(1));
    CStream after;
    ResourceTraits<TypeParam>::Save(*list.ResourceAt(copy), after, this->mGame);
    EXPECT_EQ(after.View(), before.View());
    CStream fresh;
    TypeParam defaults;
    ResourceTraits<TypeParam>::Save(defaults, fresh, this->mGame);
    EXPECT_NE(fresh.View(), before.View());

    list.DeleteResource(0);
    EXPECT_EQ(list.DuplicateResource(0), 2);  // of an empty slot: a default one
    EXPECT_TRUE(list.ResourceExists(2));
    EXPECT_EQ(list.DuplicateResource(-1), 3);
}

TYPED_TEST(ResourceListTest, ChangedFlagAndMerge) {
    auto& list = this->mList;
    auto& game = this->mGame;
    list.AddResource();
    EXPECT_TRUE(list.Changed());
    EXPECT_TRUE(game.IsChanged(FlagIndex(list.Kind())));
    EXPECT_TRUE(game.GameChanged());
    list.ClearList();
    EXPECT_FALSE(game.GameChanged());

    // The section to merge: two slots, the first empty.
    Game other(this->mRandom);
    auto& source = ListIn<TypeParam>(other);
    source.AddResource();
    source.AddResource();
    source.DeleteResource(0);
    source.RenameResource(1, "merged");
    CStream section;
    ASSERT_TRUE(source.SaveList(section));

    list.AddResource();
    list.AddResource();
    list.SetChanged(false);
    int previous = -1;
    section.SetPosition(0);
    ASSERT_TRUE(list.MergeList(section, previous));
    EXPECT_EQ(previous, 2);
    EXPECT_EQ(list.ResourceCount(), 4);
    EXPECT_FALSE(list.ResourceExists(2));
    EXPECT_EQ(list.ResourceName(3), "merged");
    EXPECT_TRUE(list.Changed());

    // Nothing to merge leaves the count and the flag alone.
    list.SetChanged(false);
    CStream empty(Ints({this->mInfo.sectionVersion, 0}) + Trailer<TypeParam>());
    ASSERT_TRUE(list.MergeList(empty, previous));
    EXPECT_EQ(previous, 4);
    EXPECT_EQ(list.ResourceCount(), 4);
    EXPECT_FALSE(list.Changed());

    // A wrong version or a failing record appends nothing.
    CStream wrong(Ints({this->mInfo.sectionVersion + 1, 0}));
    EXPECT_FALSE(list.MergeList(wrong, previous));
    CStream badRecord(Ints({this->mInfo.sectionVersion, 2, 1, 0, 0, 1, 0, 12345}));
    EXPECT_FALSE(list.MergeList(badRecord, previous));
    EXPECT_EQ(list.ResourceCount(), 4);
    EXPECT_FALSE(list.LoadList(wrong));
    EXPECT_EQ(list.ResourceCount(), 0);
}

TYPED_TEST(ResourceListTest, HostileSlotCountFailsBeforeAllocating) {
    CStream stream(Ints({this->mInfo.sectionVersion, 0x7fffffff, 0}));
    EXPECT_THROW(this->mList.LoadList(stream), StreamReadError);
    int previous;
    stream.SetPosition(0);
    EXPECT_THROW(this->mList.MergeList(stream, previous), StreamReadError);
}

// Editor windows as the GUI will give them, recording what the lists ask.
struct FakeEditor : ResourceEditor {
    std::vector<std::string>& log;
    int index;
    FakeEditor(std::vector<std::string>& log, int index) : log(log), index(index) {}
    void BringToFront() override { log.push_back("front " + std::to_string(index)); }
    void CloseEditor() override { log.push_back("close " + std::to_string(index)); }
    void ShowName(const std::string& name) override { log.push_back("name " + name); }
    void SelectLine(int line) override { log.push_back("line " + std::to_string(line)); }
};

struct FakeHost : EditorHost {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<FakeEditor>> editors;
    ResourceEditor* CreateEditor(ResourceKind kind, int index) override {
        log.push_back("open " + std::to_string(KindIndex(kind)) + " " + std::to_string(index));
        editors.push_back(std::make_unique<FakeEditor>(log, index));
        return editors.back().get();
    }
    void SetMainWindowVisible(bool visible) override { log.push_back(visible ? "show" : "hide"); }
    void RepaintResourceTree() override { log.push_back("repaint"); }
};

class ListEditorsTest : public ::testing::Test {
protected:
    RandomSource mRandom{3};
    Game mGame{mRandom};
    FakeHost mHost;
    void SetUp() override { mGame.SetEditors(&mHost); }
};

TEST_F(ListEditorsTest, OneWindowPerResource) {
    auto& scripts = mGame.Scripts();
    scripts.AddResource();
    scripts.AddResource();
    scripts.OpenResource(0);
    scripts.OpenResource(0);
    scripts.OpenResource(5);  // invalid: nothing
    scripts.RenameResource(0, "init");
    scripts.OpenResourceAtLine(1, 12);
    scripts.OpenResourceAtLine(1, 0);
    scripts.DeleteResource(0);
    scripts.OpenResource(0);  // empty slot: nothing
    scripts.EditorClosed(1);
    scripts.OpenResource(1);
    scripts.ClearList();
    std::string script = std::to_string(KindIndex(ResourceKind::Script));
    EXPECT_EQ(mHost.log, (std::vector<std::string>{"open " + script + " 0", "front 0", "name init",
                                                    "open " + script + " 1", "line 12", "front 1", "close 0",
                                                    "repaint", "open " + script + " 1", "close 1"}));
    EXPECT_EQ(scripts.EditorAt(1), nullptr);
}

TEST_F(ListEditorsTest, ExternalCodeEditorReplacesTheWindow) {
    test::TempDir dir;
    const char* old = std::getenv("temp");
    std::string saved = old ? old : "";
    ::setenv("temp", dir.Path().c_str(), 1);
    MakeScratchFolder();
    std::string editor = dir.File("editor.sh");
    std::string body = "#!/bin/sh\necho 'show_message(1)' >> \"$1\"\n";
    WriteFileAtomically(editor, body.data(), body.size());
    ::chmod(editor.c_str(), 0755);
    Preferences previous = Prefs();
    Prefs().CodeEditorInternal = false;
    Prefs().CodeEditor = editor;

    auto& scripts = mGame.Scripts();
    scripts.AddResource();
    scripts.ResourceAt(0)->Code = "x = 1\r\n";
    scripts.SetChanged(false);
    scripts.OpenResourceAtLine(0, 3);
    EXPECT_EQ(scripts.ResourceAt(0)->Code, "x = 1\r\nshow_message(1)\r\n");
    EXPECT_TRUE(scripts.Changed());
    EXPECT_EQ(mHost.log, (std::vector<std::string>{"hide", "show"}));
    EXPECT_EQ(scripts.EditorAt(0), nullptr);

    Prefs() = previous;
    RemoveScratchFolder();
    old ? ::setenv("temp", saved.c_str(), 1) : ::unsetenv("temp");
}

TEST(ResourceListKindsTest, TreeIcons) {
    RandomSource random(5);
    Game game(random);
    auto& sounds = game.Sounds();
    struct Case {
        std::int32_t kind;
        int icon;
    } cases[] = {{kSoundWave, 14}, {kSoundMidi, 15}, {kSoundMp3, 16}, {kSoundUnknown, 4}, {kSoundNone, 0}, {7, 0}};
    for (const auto& c : cases) {
        int i = sounds.AddResource();
        sounds.ResourceAt(i)->Kind = c.kind;
        EXPECT_EQ(sounds.ResourceIcon(i), c.icon) << c.kind;
    }
    for (auto [kind, icon] : {std::pair{ResourceKind::Path, 17}, {ResourceKind::Script, 11},
                              {ResourceKind::DataFile, 9}, {ResourceKind::TimeLine, 18}, {ResourceKind::Object, 0}}) {
        ResourceListBase* list = game.ListOf(kind);
        ASSERT_NE(list, nullptr);
        int i = list->AddResource();
        EXPECT_EQ(list->ResourceIcon(i), icon);
        EXPECT_EQ(game.ResourceIcon(kind, i), icon);
    }
}

TEST(ResourceListKindsTest, ObjectNamesAndLookups) {
    RandomSource random(5);
    Game game(random);
    auto& objects = game.Objects();
    objects.AddResource();
    objects.RenameResource(0, "self");
    EXPECT_EQ(objects.FindResource("self"), kObjectSelf);
    EXPECT_EQ(objects.FindResource("other"), kObjectOther);
    EXPECT_EQ(objects.FindResource("unknown"), kNoObject);
    EXPECT_EQ(objects.ResourceName(-1), "self");
    EXPECT_EQ(objects.ResourceName(-2), "other");
    EXPECT_EQ(objects.ResourceName(-100), "<undefined>");
    EXPECT_EQ(game.ResourceName(ResourceKind::Object, -2), "other");
    // Other kinds have no special names.
    game.Sounds().AddResource();
    game.Sounds().RenameResource(0, "self");
    EXPECT_EQ(game.Sounds().FindResource("self"), 0);
    EXPECT_EQ(game.Sounds().ResourceName(-1), "<undefined>");
}

TEST(ResourceListKindsTest, DeletingAnObjectDropsReferencesToIt) {
    RandomSource random(5);
    Game game(random);
    auto& objects = game.Objects();
    for (int i = 0; i < 3; ++i) objects.AddResource();
    CObject* child = objects.ResourceAt(2);
    child->Parent = 1;
    child->GetEvent(4, 1)->AddAction(0, 0);
    child->GetEvent(4, 0)->AddAction(0, 0);
    objects.ResourceAt(0)->Parent = 2;

    objects.DeleteResource(1);
    EXPECT_EQ(child->Parent, kNoObject);
    EXPECT_FALSE(child->HasEvent(4, 1));
    EXPECT_TRUE(child->HasEvent(4, 0));
    EXPECT_EQ(objects.ResourceAt(0)->Parent, 2);
}

TEST(ResourceListKindsTest, ObjectsAreValidatedWhenSaved) {
    RandomSource random(5);
    Game game(random);
    auto& objects = game.Objects();
    objects.AddResource();
    // A reference to an object slot that never existed.
    objects.ResourceAt(0)->Parent = 9;
    objects.ResourceAt(0)->GetEvent(4, 9)->AddAction(0, 0);
    CStream stream;
    ASSERT_TRUE(objects.SaveList(stream));
    stream.SetPosition(0);
    ASSERT_TRUE(objects.LoadList(stream));
    EXPECT_EQ(objects.ResourceAt(0)->Parent, kNoObject);
    EXPECT_FALSE(objects.ResourceAt(0)->HasEvent(4, 9));
}

}  // namespace
}  // namespace kestrin
