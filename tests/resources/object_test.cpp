// CAction, CEvent and CObject: records, refreshing from definitions, the
// sparse event table, reference checks and merge remapping.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <vector>

#include "resources/action.h"
#include "resources/action_fixture.h"
#include "resources/event.h"
#include "resources/object.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

using test::Ints;
using test::InstallLibrary;

constexpr std::int32_t kLibrary = 7;

CActionDefinition MoveDefinition() {
    CActionDefinition definition(5);
    definition.Kind = 3;
    definition.ExecKind = 2;
    definition.ExecText1 = "action_move";
    definition.IsQuestion = true;
    definition.CanApplyTo = false;
    definition.CanBeRelative = true;
    definition.ArgCount = 2;
    definition.ArgKind = {kArgSprite, kArgText, 0, 0, 0, 0, 0, 0};
    definition.ArgDefault = {"-1", "speed", "a", "b", "c", "d", "e", "f"};
    return definition;
}

// A game of a few sprites and objects for reference checks.
class FakeGame : public ResourceLookup {
public:
    std::set<int> sprites;
    std::vector<std::unique_ptr<CObject>> objects;  // null: an empty slot

    int ResourceCount(ResourceKind kind) const override {
        return kind == ResourceKind::Object ? static_cast<int>(objects.size()) : 0;
    }
    bool ResourceExists(ResourceKind kind, int index) const override {
        if (kind == ResourceKind::Sprite) return sprites.count(index) > 0;
        if (kind == ResourceKind::Object) return ObjectAt(index) != nullptr;
        return false;
    }
    std::string ResourceName(ResourceKind, int) const override { return "<undefined>"; }
    const CObject* ObjectAt(int index) const override {
        return index >= 0 && index < static_cast<int>(objects.size()) ? objects[index].get() : nullptr;
    }
    bool TracksKind(ResourceKind) const override { return true; }
    CObject& Add() {
        objects.push_back(std::make_unique<CObject>());
        return *objects.back();
    }
};

std::string Saved(CAction& action) {
    CStream stream;
    action.SaveToStream(stream);
    return std::string(stream.View());
}

std::string Saved(CObject& object) {
    CStream stream;
    object.SaveToStream(stream);
    return std::string(stream.View());
}

class ActionTest : public test::WithActionLibrary {};

TEST_F(ActionTest, BlankActionRecord) {
    CAction action;
    CStream expected(Ints({440, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, 8}));
    expected.Seek(0, SeekOrigin::End);
    for (int i = 0; i < 8; ++i) expected.WriteString("0");
    expected.WriteBoolean(false);
    EXPECT_EQ(Saved(action), expected.View());
}

TEST_F(ActionTest, CreatedFromDefinitionTakesItsPropertiesAndDefaults) {
    InstallLibrary(kLibrary, {MoveDefinition()});
    CAction action(kLibrary, 5);
    EXPECT_EQ(action.Kind, 3);
    EXPECT_EQ(action.ExecText1, "action_move");
    EXPECT_TRUE(action.IsQuestion);
    EXPECT_FALSE(action.CanApplyTo);
    EXPECT_EQ(action.ArgCount, 2);
    EXPECT_EQ(action.ArgKind[0], kArgSprite);
    EXPECT_EQ(action.GetArgValue(1), "speed");
    EXPECT_EQ(action.GetArgValue(7), "f");
    EXPECT_EQ(action.GetArgValue(8), "");
    action.SetArgValue(-1, "x");
    action.SetArgValue(2, "z");
    EXPECT_EQ(action.GetArgValue(2), "z");

    CAction missing(kLibrary, 99);
    EXPECT_EQ(missing.Kind, 0);
    EXPECT_EQ(missing.GetArgValue(0), "0");
}

TEST_F(ActionTest, MissingLibrarySurvivesLoadAndSave) {
    // Stored copies that differ from the installed definition.
    CAction stored;
    stored.LibraryId = kLibrary;
    stored.ActionId = 5;
    stored.Kind = 9;
    stored.ExecText2 = "old";
    stored.ArgCount = 1;
    stored.ArgKind[0] = kArgObject;
    stored.AppliesTo = 4;
    stored.Relative = true;
    stored.Not = true;
    stored.ArgValue[0] = "12";
    std::string bytes = Saved(stored);  // nothing installed: saved as is

    CStream stream(bytes);
    CAction loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(loaded.Kind, 9);
    EXPECT_EQ(loaded.ExecText2, "old");
    EXPECT_EQ(loaded.ArgKind[0], kArgObject);
    EXPECT_EQ(Saved(loaded), bytes);

    InstallLibrary(kLibrary, {MoveDefinition()});
    stream.SetPosition(0);
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(loaded.Kind, 3);
    EXPECT_EQ(loaded.ExecText1, "action_move");
    EXPECT_EQ(loaded.ExecText2, "");
    EXPECT_EQ(loaded.ArgCount, 2);
    EXPECT_EQ(loaded.ArgKind[0], kArgSprite);
    // The user's values are the stored ones.
    EXPECT_EQ(loaded.AppliesTo, 4);
    EXPECT_TRUE(loaded.Relative);
    EXPECT_TRUE(loaded.Not);
    EXPECT_EQ(loaded.GetArgValue(0), "12");
}

TEST_F(ActionTest, ShortSlotListsAndBadRecords) {
    // Two argument kinds and three values; the other slots keep what a reset gives.
    CStream stream(Ints({440, 0, 0, 1, 1, 0, 1, 0, 0, 0, 2, 2, 5, 6, -2, 1, 3}));
    stream.Seek(0, SeekOrigin::End);
    for (const char* value : {"a", "b", "c"}) stream.WriteString(value);
    stream.WriteBoolean(true);
    stream.SetPosition(0);
    CAction action;
    ASSERT_TRUE(action.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(action.ArgKind[1], 6);
    EXPECT_EQ(action.ArgKind[2], 0);
    EXPECT_EQ(action.AppliesTo, -2);
    EXPECT_EQ(action.GetArgValue(2), "c");
    EXPECT_EQ(action.GetArgValue(3), "0");
    EXPECT_TRUE(action.Not);

    CStream wrong(Ints({441, 1, 2}));
    action.Relative = true;
    EXPECT_FALSE(action.LoadFromStream(wrong));
    EXPECT_FALSE(action.Relative);
    EXPECT_EQ(action.AppliesTo, -1);

    CStream tooMany(Ints({440, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}));
    EXPECT_THROW(action.LoadFromStream(tooMany), StreamReadError);
}

TEST_F(ActionTest, RemapAfterMerge) {
    MergeOffsets offsets;
    offsets[ResourceKind::Sprite] = 5;
    offsets[ResourceKind::Object] = 3;
    offsets[ResourceKind::TimeLine] = 2;
    offsets[ResourceKind::Sound] = 100;
    struct Case {
        std::int32_t kind;
        const char* before;
        const char* after;
    } cases[] = {
        {kArgSprite, "3", "8"},    {kArgSprite, "-1", "-1"}, {kArgSprite, "abc", "abc"}, {kArgSprite, "", ""},
        {kArgSprite, "0", "5"},    {kArgObject, "-2", "-2"}, {kArgObject, "1", "4"},     {kArgTimeLine, "0", "2"},
        {kArgSound, "1", "101"},   {kArgColor, "3", "3"},    {kArgFont, "3", "3"},       {kArgText, "3", "3"},
        {kArgMenu, "1", "1"},      {kArgPath, "4", "4"},     {kArgSprite, "3x", "3x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + c.before);
        CAction action;
        action.ArgCount = 2;
        action.ArgKind[1] = c.kind;
        action.ArgValue[1] = c.before;
        action.ArgKind[2] = c.kind;  // beyond ArgCount: untouched
        action.ArgValue[2] = "3";
        action.RemapAfterMerge(offsets);
        EXPECT_EQ(action.ArgValue[1], c.after);
        EXPECT_EQ(action.ArgValue[2], "3");
    }
    for (auto [before, after] : {std::pair{-1, -1}, {-2, -2}, {0, 3}, {6, 9}}) {
        CAction action;
        action.AppliesTo = before;
        action.RemapAfterMerge(offsets);
        EXPECT_EQ(action.AppliesTo, after);
    }
}

TEST(EventTest, ListOperationsAndRecord) {
    CEvent event;
    event.AddAction(0, 0).SetArgValue(0, "b");
    event.InsertAction(0, 0, 0)->SetArgValue(0, "a");
    event.InsertAction(2, 0, 0)->SetArgValue(0, "d");
    event.InsertAction(2, 0, 0)->SetArgValue(0, "c");
    EXPECT_EQ(event.InsertAction(5, 0, 0), nullptr);
    EXPECT_EQ(event.InsertAction(-1, 0, 0), nullptr);
    ASSERT_EQ(event.ActionCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(event.GetAction(i)->GetArgValue(0), std::string(1, char('a' + i)));
    event.DeleteAction(1);
    event.DeleteAction(7);
    EXPECT_EQ(event.ActionCount(), 3);
    EXPECT_EQ(event.GetAction(1)->GetArgValue(0), "c");
    EXPECT_EQ(event.GetAction(3), nullptr);

    event.Append(event);
    EXPECT_EQ(event.ActionCount(), 6);
    EXPECT_EQ(event.GetAction(5)->GetArgValue(0), "d");

    CStream stream;
    event.SaveToStream(stream);
    stream.SetPosition(0);
    CEvent loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(loaded.ActionCount(), 6);
    EXPECT_EQ(loaded.GetAction(4)->GetArgValue(0), "c");

    CStream empty;
    CEvent().SaveToStream(empty);
    EXPECT_EQ(empty.View(), Ints({400, 0}));
    CStream wrong(Ints({401, 0}));
    EXPECT_FALSE(loaded.LoadFromStream(wrong));
    EXPECT_EQ(loaded.ActionCount(), 0);
    CStream huge(Ints({400, 0x40000000}));
    EXPECT_THROW(loaded.LoadFromStream(huge), StreamReadError);
}

TEST(ObjectTest, NewObjectRecord) {
    CObject object;
    EXPECT_EQ(Saved(object), Ints({430, -1, 0, 1, 0, 0, -100, -1, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
}

TEST(ObjectTest, EventsAreStoredFromTheHighestNumberDown) {
    CObject object;
    object.GetEvent(0, 0)->AddAction(0, 0);
    object.GetEvent(4, 3)->AddAction(0, 0);
    object.GetEvent(4, 1);  // empty: skipped
    object.GetEvent(6, 2)->AddAction(0, 0);
    object.GetEvent(6, 5)->AddAction(0, 0);
    EXPECT_EQ(object.EventListLength(4), 4);
    EXPECT_TRUE(object.HasEvent(4, 3));
    EXPECT_FALSE(object.HasEvent(4, 1));
    EXPECT_FALSE(object.HasEvent(4, 9));
    EXPECT_FALSE(object.HasEvent(11, 0));
    EXPECT_EQ(object.GetEvent(11, 0), nullptr);
    // The events the record holds, ascending.
    EXPECT_EQ(object.EventNumbers(4), std::vector<int>{3});
    EXPECT_EQ(object.EventNumbers(6), (std::vector<int>{2, 5}));
    EXPECT_TRUE(object.EventNumbers(1).empty());
    EXPECT_TRUE(object.EventNumbers(11).empty());

    CStream oneAction;
    CEvent single;
    single.AddAction(0, 0);
    single.SaveToStream(oneAction);
    std::string event(oneAction.View());

    std::string expected = Ints({430, -1, 0, 1, 0, 0, -100, -1, 10}) + Ints({0}) + event + Ints({-1, -1, -1, -1}) +
                           Ints({3}) + event + Ints({-1, -1}) + Ints({5}) + event + Ints({2}) + event +
                           Ints({-1, -1, -1, -1, -1});
    EXPECT_EQ(Saved(object), expected);

    CStream stream(expected);
    CObject loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_TRUE(loaded.HasEvent(6, 5));
    EXPECT_TRUE(loaded.HasEvent(4, 3));
    EXPECT_EQ(Saved(loaded), expected);

    CObject copy;
    copy.Assign(&loaded);
    EXPECT_EQ(copy.EventListLength(6), 6);
    EXPECT_EQ(Saved(copy), expected);
}

TEST(ObjectTest, PropertiesRoundTripAndBadRecords) {
    CObject object;
    object.Sprite = 2;
    object.Solid = true;
    object.Visible = false;
    object.Depth = -40;
    object.Persistent = true;
    object.Parent = 1;
    object.Mask = 3;
    CStream stream(Saved(object));
    CObject loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(Saved(loaded), Saved(object));

    // Fewer event types than eleven, and none at all.
    CStream three(Ints({430, -1, 0, 1, 0, 0, -100, -1, 2, -1, -1, -1}));
    EXPECT_TRUE(loaded.LoadFromStream(three));
    EXPECT_EQ(three.Remaining(), 0u);
    CStream none(Ints({430, -1, 0, 1, 0, 0, -100, -1, -1}));
    EXPECT_TRUE(loaded.LoadFromStream(none));

    CStream wrongVersion(Ints({431, -1, 0, 1, 0, 0, -100, -1, -1}));
    EXPECT_FALSE(loaded.LoadFromStream(wrongVersion));
    CStream tooManyTypes(Ints({430, -1, 0, 1, 0, 0, -100, -1, 11}));
    EXPECT_FALSE(loaded.LoadFromStream(tooManyTypes));
    CStream badEvent(Ints({430, 5, 0, 1, 0, 0, -100, -1, 0, 0, 399, 0, -1}));
    EXPECT_FALSE(loaded.LoadFromStream(badEvent));
    EXPECT_EQ(loaded.Sprite, -1);  // cleared

    // A huge event number costs one event, not two billion.
    CStream hostile(Ints({430, -1, 0, 1, 0, 0, -100, -1, 0, 0x7fffffff, 400, 0, -1}));
    ASSERT_TRUE(loaded.LoadFromStream(hostile));
    EXPECT_EQ(loaded.EventListLength(0), 0x7fffffff);
    CStream cut(Ints({430, -1, 0, 1, 0, 0, -100, -1, 0, 3}));
    EXPECT_THROW(loaded.LoadFromStream(cut), StreamReadError);
}

TEST(ObjectTest, ValidateDropsReferencesThatDoNotResolve) {
    FakeGame game;
    game.sprites = {0, 1};
    game.Add();
    game.objects.push_back(nullptr);  // object 1 was deleted
    game.Add();

    CObject object;
    object.Sprite = 5;
    object.Mask = 1;
    object.Parent = 1;
    object.GetEvent(4, 1)->AddAction(0, 0);
    object.GetEvent(4, 2)->AddAction(0, 0);
    object.GetEvent(4, 9)->AddAction(0, 0);
    object.GetEvent(0, 1)->AddAction(0, 0);  // not a collision: kept

    CStream stream;
    object.SaveToStream(stream, game);
    EXPECT_EQ(object.Sprite, -1);
    EXPECT_EQ(object.Mask, 1);
    EXPECT_EQ(object.Parent, kNoObject);
    EXPECT_FALSE(object.HasEvent(4, 1));
    EXPECT_TRUE(object.HasEvent(4, 2));
    EXPECT_FALSE(object.HasEvent(4, 9));
    EXPECT_TRUE(object.HasEvent(0, 1));
    stream.SetPosition(0);
    CObject loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(loaded.Parent, kNoObject);
    EXPECT_FALSE(loaded.HasEvent(4, 9));
}

TEST(ObjectTest, HasParentLoop) {
    FakeGame game;
    for (int i = 0; i < 4; ++i) game.Add();
    game.objects[0]->Parent = 1;
    game.objects[1]->Parent = 2;
    game.objects[2]->Parent = kNoObject;
    EXPECT_FALSE(game.objects[0]->HasParentLoop(game));
    game.objects[2]->Parent = 0;
    EXPECT_TRUE(game.objects[0]->HasParentLoop(game));
    EXPECT_TRUE(game.objects[3]->HasParentLoop(game) == false);
    game.objects[3]->Parent = 3;
    EXPECT_TRUE(game.objects[3]->HasParentLoop(game));
    game.objects[2]->Parent = 7;  // missing object ends the chain
    EXPECT_FALSE(game.objects[0]->HasParentLoop(game));
}

TEST(ObjectTest, RemapAfterMergeShiftsCollisionEvents) {
    // A merged game of 3 objects after 5 existing ones.
    MergeOffsets offsets;
    offsets[ResourceKind::Sprite] = 4;
    offsets[ResourceKind::Object] = 5;
    CObject object;
    object.Sprite = 0;
    object.Mask = -1;
    object.Parent = 2;
    CAction& action = object.GetEvent(4, 1)->AddAction(0, 0);
    action.AppliesTo = 0;
    action.ArgCount = 1;
    action.ArgKind[0] = kArgObject;
    action.ArgValue[0] = "2";
    object.GetEvent(4, 0);  // an empty entry moves too
    object.GetEvent(3, 0)->AddAction(0, 0).AppliesTo = 1;

    object.RemapAfterMerge(offsets, 8);
    EXPECT_EQ(object.Sprite, 4);
    EXPECT_EQ(object.Mask, -1);
    EXPECT_EQ(object.Parent, 7);
    EXPECT_EQ(object.EventListLength(4), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(object.HasEvent(4, i), i == 6) << i;
    const CAction* moved = object.GetEvent(4, 6)->GetAction(0);
    EXPECT_EQ(moved->AppliesTo, 5);
    EXPECT_EQ(moved->ArgValue[0], "7");
    EXPECT_EQ(object.GetEvent(3, 0)->GetAction(0)->AppliesTo, 6);

    CObject orphan;
    orphan.Parent = kNoObject;
    orphan.RemapAfterMerge(offsets, 8);
    EXPECT_EQ(orphan.Parent, kNoObject);

    // Offsets of 0 move nothing.
    CObject same;
    same.GetEvent(4, 2)->AddAction(0, 0);
    same.RemapAfterMerge(MergeOffsets{}, 3);
    EXPECT_TRUE(same.HasEvent(4, 2));
}

// A merged file may hold any int; moved indices wrap in the stored int's
// range, as rooms and the tree move theirs.
TEST(ObjectTest, MergeRemapsOfHostileIndicesWrap) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kWrapped = std::numeric_limits<std::int32_t>::min() + 4;  // kMax + 5
    MergeOffsets offsets;
    offsets[ResourceKind::Sprite] = 5;
    offsets[ResourceKind::Object] = 5;
    // Each case gives the field after a merge from its value before.
    using Remap = std::function<std::int32_t(std::int32_t)>;
    const std::pair<const char*, Remap> cases[] = {
        {"sprite", [&](std::int32_t v) { CObject o; o.Sprite = v; o.RemapAfterMerge(offsets, 1); return o.Sprite; }},
        {"mask", [&](std::int32_t v) { CObject o; o.Mask = v; o.RemapAfterMerge(offsets, 1); return o.Mask; }},
        {"parent", [&](std::int32_t v) { CObject o; o.Parent = v; o.RemapAfterMerge(offsets, 1); return o.Parent; }},
        {"applies to",
         [&](std::int32_t v) { CAction a; a.AppliesTo = v; a.RemapAfterMerge(offsets); return a.AppliesTo; }},
        {"object argument",
         [&](std::int32_t v) {
             CAction a;
             a.ArgCount = 1;
             a.ArgKind[0] = kArgObject;
             a.ArgValue[0] = std::to_string(v);
             a.RemapAfterMerge(offsets);
             return static_cast<std::int32_t>(std::stol(a.ArgValue[0]));
         }},
    };
    for (const auto& [field, remap] : cases) {
        EXPECT_EQ(remap(kMax), kWrapped) << field;
        EXPECT_EQ(remap(kMax - 5), kMax) << field;
    }
    // An argument beyond the int's range names nothing and stays as written.
    CAction huge;
    huge.ArgCount = 1;
    huge.ArgKind[0] = kArgSprite;
    huge.ArgValue[0] = "9223372036854775807";
    huge.RemapAfterMerge(offsets);
    EXPECT_EQ(huge.ArgValue[0], "9223372036854775807");
}

}  // namespace
}  // namespace kestrin
