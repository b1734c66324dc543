// A duplicated room keeps its layout but its instances and tiles get ids of
// their own, so ids stay unique across all rooms of the game.

#include <gtest/gtest.h>

#include "platform/random_source.h"
#include "storage/game.h"

namespace kestrin {
namespace {

TEST(RoomDuplicate, InstancesAndTilesGetNewIdsAndKeepEverythingElse) {
    RandomSource random{5};
    Game game{random};
    const int object = game.Objects().AddResource();
    const int source = game.Rooms().AddResource();
    CRoom& room = *game.Rooms().ResourceAt(source);
    room.AddInstance(10, 20, object, game);
    room.AddInstance(30, 40, object, game);
    RoomTile tile;
    tile.X = 5;
    tile.Depth = 7;
    room.AddTile(tile, game);

    const int copy = game.Rooms().DuplicateResource(source);
    const CRoom& duplicate = *game.Rooms().ResourceAt(copy);
    ASSERT_EQ(duplicate.InstanceCount(), 2);
    ASSERT_EQ(duplicate.TileCount(), 1);
    EXPECT_EQ(duplicate.GetInstance(0).Id, 100003);
    EXPECT_EQ(duplicate.GetInstance(1).Id, 100004);
    EXPECT_EQ(duplicate.GetTile(0).Id, 10000002);
    EXPECT_EQ(duplicate.GetInstance(1).X, 30);
    EXPECT_EQ(duplicate.GetInstance(1).Object, object);
    EXPECT_EQ(duplicate.GetTile(0).Depth, 7);
    // The original is untouched.
    EXPECT_EQ(room.GetInstance(0).Id, 100001);
    EXPECT_EQ(room.GetTile(0).Id, 10000001);
}

}  // namespace
}  // namespace kestrin
