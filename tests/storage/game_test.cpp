// Game: identity from the injected random source, the GUID's byte layout,
// the twelve changed flags and the rooms' id counters.

#include <gtest/gtest.h>

#include "storage/game.h"

namespace kestrin {
namespace {

TEST(GameTest, FixedRandomSourceGivesRepeatableIdentity) {
    RandomSource first(42), second(42);
    Game a(first), b(second);
    EXPECT_EQ(a.GameId, b.GameId);
    EXPECT_EQ(a.GameGuid, b.GameGuid);
    EXPECT_GE(a.GameId, 0);
    EXPECT_LT(a.GameId, 1000000);
    EXPECT_EQ(a.GameGuid.data3 >> 12, 4);  // a random GUID

    Guid before = a.GameGuid;
    a.NewIdentity();
    EXPECT_NE(a.GameGuid, before);
    EXPECT_GE(a.GameId, 0);
    EXPECT_LT(a.GameId, 1000000);
}

TEST(GameTest, GuidBytesAreLittleEndianParts) {
    Guid guid;
    guid.data1 = 0x04030201;
    guid.data2 = 0x0605;
    guid.data3 = 0x0807;
    guid.data4 = {9, 10, 11, 12, 13, 14, 15, 16};
    auto bytes = guid.ToBytes();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], i + 1);
    EXPECT_EQ(Guid::FromBytes(bytes), guid);
}

TEST(GameTest, ChangedFlags) {
    RandomSource random(1);
    Game game(random);
    EXPECT_FALSE(game.GameChanged());
    game.SetChangedFlag(ChangedFlag::Tree, true);
    EXPECT_TRUE(game.GameChanged());
    EXPECT_TRUE(game.IsChanged(FlagIndex(ChangedFlag::Tree)));
    game.Paths().AddResource();
    EXPECT_TRUE(game.IsChanged(FlagIndex(ResourceKind::Path)));
    EXPECT_FALSE(game.IsChanged(FlagIndex(ResourceKind::Script)));
    game.ClearChangedFlags();
    EXPECT_FALSE(game.GameChanged());
    EXPECT_EQ(game.Paths().ResourceCount(), 1);
    EXPECT_FALSE(game.IsChanged(kChangedFlagCount));  // out of range
    game.SetChangedFlag(-1, true);
    EXPECT_FALSE(game.GameChanged());
}

TEST(GameTest, ClearListsEmptiesEverythingAndResetsCounters) {
    RandomSource random(1);
    Game game(random);
    game.Sounds().AddResource();
    game.Objects().AddResource();
    game.TimeLines().AddResource();
    EXPECT_EQ(game.NewInstanceId(), 100001);
    EXPECT_EQ(game.NewTileId(), 10000001);
    game.ClearLists();
    for (const auto& info : kResourceKinds) EXPECT_EQ(game.ResourceCount(info.kind), 0);
    EXPECT_EQ(game.LastInstanceId, 100000);
    EXPECT_EQ(game.LastTileId, 10000000);
    EXPECT_FALSE(game.GameChanged());
}

TEST(GameTest, KindTable) {
    // Each row sits at its kind's place; type codes are those of the tree.
    for (int i = 0; i < kResourceKindCount; ++i) EXPECT_EQ(KindIndex(kResourceKinds[i].kind), i);
    EXPECT_EQ(KindInfo(ResourceKind::Object).typeCode, 1);
    EXPECT_EQ(KindInfo(ResourceKind::TimeLine).typeCode, 12);
    EXPECT_STREQ(KindInfo(ResourceKind::DataFile).prefix, "data");
    EXPECT_EQ(KindInfo(ResourceKind::DataFile).sectionVersion, 440);
}

}  // namespace
}  // namespace kestrin
