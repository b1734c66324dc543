// Rooms: the stored record and its older layout, ids from the game's
// counters, hit tests, outside tests, stable sorts, merging and drawing.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "imaging/draw_target.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/room.h"
#include "resources/sprite.h"
#include "storage/game.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

// A game of objects, sprites and backgrounds kept in plain vectors; a null
// entry is an empty slot.
class FakeGame : public ResourceLookup, public RoomIdSource {
public:
    int AddObject(std::int32_t depth, std::int32_t sprite = -1) {
        auto object = std::make_unique<CObject>();
        object->Depth = depth;
        object->Sprite = sprite;
        objects.push_back(std::move(object));
        return static_cast<int>(objects.size()) - 1;
    }
    int AddSprite(int width, int height, int xOrigin = 0, int yOrigin = 0) {
        auto sprite = std::make_unique<CSprite>();
        sprite->Width = width;
        sprite->Height = height;
        sprite->XOrigin = xOrigin;
        sprite->YOrigin = yOrigin;
        sprites.push_back(std::move(sprite));
        return static_cast<int>(sprites.size()) - 1;
    }
    int AddBackground(const Bitmap24& image) {
        auto background = std::make_unique<CBackground>();
        background->SetImage(&image);
        backgrounds.push_back(std::move(background));
        return static_cast<int>(backgrounds.size()) - 1;
    }

    int ResourceCount(ResourceKind kind) const override {
        switch (kind) {
            case ResourceKind::Object: return static_cast<int>(objects.size());
            case ResourceKind::Sprite: return static_cast<int>(sprites.size());
            case ResourceKind::Background: return static_cast<int>(backgrounds.size());
            default: return 0;
        }
    }
    bool ResourceExists(ResourceKind kind, int index) const override {
        if (kind == ResourceKind::Object) return ObjectAt(index) != nullptr;
        if (kind == ResourceKind::Sprite) return SpriteAt(index) != nullptr;
        if (kind == ResourceKind::Background) return BackgroundAt(index) != nullptr;
        return false;
    }
    std::string ResourceName(ResourceKind, int) const override { return "<undefined>"; }
    const CObject* ObjectAt(int i) const override { return At(objects, i); }
    const CSprite* SpriteAt(int i) const override { return At(sprites, i); }
    const CBackground* BackgroundAt(int i) const override { return At(backgrounds, i); }
    bool TracksKind(ResourceKind kind) const override {
        return kind == ResourceKind::Object || kind == ResourceKind::Sprite || kind == ResourceKind::Background;
    }
    std::int32_t NewInstanceId() override { return ++lastInstance; }
    std::int32_t NewTileId() override { return ++lastTile; }

    std::vector<std::unique_ptr<CObject>> objects;
    std::vector<std::unique_ptr<CSprite>> sprites;
    std::vector<std::unique_ptr<CBackground>> backgrounds;
    std::int32_t lastInstance = 100000;
    std::int32_t lastTile = 10000000;

private:
    template <class T>
    static const T* At(const std::vector<std::unique_ptr<T>>& list, int i) {
        return i >= 0 && static_cast<std::size_t>(i) < list.size() ? list[i].get() : nullptr;
    }
};

std::vector<std::int32_t> AllInts(const CStream& stream) {
    CStream copy(stream.View());
    std::vector<std::int32_t> values;
    while (copy.Remaining() >= 4) values.push_back(copy.ReadInteger());
    return values;
}

TEST(RoomTest, NewRoomIsStoredWithItsDefaults) {
    CRoom room;
    CStream stream;
    room.SaveToStream(stream);
    // Every field of a new room is an int on disk, empty texts included (count 0).
    std::vector<std::int32_t> expected = {520, 0, 640, 480, 16, 16, 0, 30, 0, 12632256, 1, 0, 8};
    for (int i = 0; i < 8; ++i) expected.insert(expected.end(), {0, 0, -1, 0, 0, 1, 1, 0, 0, 0});
    expected.insert(expected.end(), {0, 8});
    for (int i = 0; i < 8; ++i) expected.insert(expected.end(), {0, 0, 0, 640, 480, 0, 0, 32, 32, -1, -1, -1});
    expected.insert(expected.end(), {0, 0, 0, 0, 0});
    expected.insert(expected.end(), 8, 0);
    expected.insert(expected.end(), 9, 0);
    EXPECT_EQ(stream.Size() % 4, 0u);
    EXPECT_EQ(AllInts(stream), expected);
}

TEST(RoomTest, IdsComeFromTheGamesCounters) {
    Game game;
    CRoom room;
    EXPECT_EQ(room.AddInstance(10, 10, 0, game), 0);
    EXPECT_EQ(room.AddInstance(20, 10, 0, game), 1);
    RoomTile tile;
    tile.Width = tile.Height = 16;
    EXPECT_EQ(room.AddTile(tile, game), 0);
    EXPECT_EQ(room.GetInstance(0).Id, 100001);
    EXPECT_EQ(room.GetInstance(1).Id, 100002);
    EXPECT_EQ(room.GetTile(0).Id, 10000001);
    EXPECT_EQ(room.FindInstance(100002), 1);
    EXPECT_EQ(room.FindTile(10000001), 0);
    EXPECT_EQ(room.FindInstance(5), -1);

    // Another room of the same game goes on counting.
    CRoom other;
    other.AddInstance(0, 0, 0, game);
    EXPECT_EQ(other.GetInstance(0).Id, 100003);
}

TEST(RoomTest, RoomListKeepsTheCountersAfterItsSlots) {
    Game game;
    game.Rooms().AddResource();
    CRoom* room = game.Rooms().ResourceAt(0);
    ASSERT_NE(room, nullptr);
    room->AddInstance(1, 2, 0, game);  // object 0 does not exist: dropped on saving
    game.NewTileId();
    CStream stream;
    ASSERT_TRUE(game.Rooms().SaveList(stream));
    stream.SetPosition(stream.Size() - 8);
    EXPECT_EQ(stream.ReadInteger(), 100001);
    EXPECT_EQ(stream.ReadInteger(), 10000001);
    EXPECT_EQ(room->InstanceCount(), 0);

    Game loaded;
    stream.SetPosition(0);
    ASSERT_TRUE(loaded.Rooms().LoadList(stream));
    EXPECT_EQ(loaded.NewInstanceId(), 100002);
    EXPECT_EQ(loaded.NewTileId(), 10000002);
    loaded.Rooms().ClearList();
    EXPECT_EQ(loaded.NewInstanceId(), 100001);
}

TEST(RoomTest, TheGameLendsItsSpritesAndBackgrounds) {
    Game game;
    const int sprite = game.Sprites().AddResource();
    game.Sprites().ResourceAt(sprite)->Width = 32;
    const int object = game.Objects().AddResource();
    game.Objects().ResourceAt(object)->Sprite = sprite;
    const int background = game.Backgrounds().AddResource();
    CRoom room;
    room.AddInstance(-32, 0, object, game);
    room.AddTile(RoomTile{.Background = background}, game);
    room.AddTile(RoomTile{.Background = background + 1}, game);
    EXPECT_TRUE(room.HasInstancesOutside(game));
    RoomInstance moved = room.GetInstance(0);
    moved.X = -31;
    room.SetInstance(0, moved);
    EXPECT_FALSE(room.HasInstancesOutside(game));
    EXPECT_EQ(room.InstanceAt(0, 31, game), 0);
    CStream stream;
    room.SaveToStream(stream, game);
    EXPECT_EQ(room.TileCount(), 1);
}

TEST(RoomTest, InstancesOutsideTheRoom) {
    FakeGame game;
    const int wide = game.AddObject(0, game.AddSprite(32, 32));
    const int bare = game.AddObject(0);
    struct Case {
        int x, y, object;
        bool outside;
    } cases[] = {
        {-32, 0, wide, true},   {-31, 0, wide, false},  {640, 0, wide, true}, {639, 0, wide, false},
        {0, -32, wide, true},   {0, 480, wide, true},   {0, 479, wide, false},
        {640, 0, bare, true},   {639, 479, bare, false}, {-1, 5, bare, true},
        {-500, -500, 99, false},  // a missing object is never outside
    };
    for (const Case& c : cases) {
        CRoom room;
        room.AddInstance(c.x, c.y, c.object, game);
        EXPECT_EQ(room.HasInstancesOutside(game), c.outside) << c.x << "," << c.y << " object " << c.object;
    }

    CRoom room;
    for (const Case& c : cases) room.AddInstance(c.x, c.y, c.object, game);
    room.RemoveInstancesOutside(game);
    std::vector<std::int32_t> kept;
    for (int i = 0; i < room.InstanceCount(); ++i) kept.push_back(room.GetInstance(i).X);
    EXPECT_EQ(kept, (std::vector<std::int32_t>{-31, 639, 0, 639, -500}));
    EXPECT_FALSE(room.HasInstancesOutside(game));
}

TEST(RoomTest, TilesOutsideTheRoom) {
    FakeGame game;
    struct Case {
        int x, y, width, height;
        bool outside;
    } cases[] = {
        {640, 0, 16, 16, true}, {639, 0, 16, 16, false}, {-16, 0, 16, 16, true}, {-15, 0, 16, 16, false},
        {0, 480, 16, 16, true}, {0, -16, 16, 16, true},  {0, 479, 16, 16, false},
    };
    CRoom room;
    for (const Case& c : cases) {
        RoomTile tile;
        tile.X = c.x;
        tile.Y = c.y;
        tile.Width = c.width;
        tile.Height = c.height;
        CRoom single;
        single.AddTile(tile, game);
        EXPECT_EQ(single.HasTilesOutside(), c.outside) << c.x << "," << c.y;
        room.AddTile(tile, game);
    }
    room.RemoveTilesOutside();
    ASSERT_EQ(room.TileCount(), 3);
    EXPECT_EQ(room.GetTile(0).X, 639);
    EXPECT_EQ(room.GetTile(1).X, -15);
    EXPECT_EQ(room.GetTile(2).Y, 479);
}

TEST(RoomTest, HitTestsFollowListOrder) {
    FakeGame game;
    const int centred = game.AddObject(0, game.AddSprite(20, 10, 10, 5));
    const int bare = game.AddObject(0);
    CRoom room;
    room.AddInstance(100, 100, 77, game);      // missing object: never hit
    room.AddInstance(100, 100, centred, game);  // covers 90..109 x 95..104
    room.AddInstance(105, 100, centred, game);  // covers 95..114
    room.AddInstance(200, 200, bare, game);     // a 16 x 16 box
    EXPECT_EQ(room.InstanceAt(100, 100, game), 1);
    EXPECT_EQ(room.TopInstanceAt(100, 100, game), 2);
    EXPECT_EQ(room.InstanceAt(90, 95, game), 1);
    EXPECT_EQ(room.TopInstanceAt(90, 95, game), 1);
    EXPECT_EQ(room.InstanceAt(114, 104, game), 2);
    EXPECT_EQ(room.InstanceAt(89, 100, game), -1);
    EXPECT_EQ(room.InstanceAt(115, 100, game), -1);
    EXPECT_EQ(room.InstanceAt(215, 215, game), 3);
    EXPECT_EQ(room.InstanceAt(216, 200, game), -1);

    RoomTile tile;
    tile.X = 0;
    tile.Y = 0;
    tile.Width = 16;
    tile.Height = 8;
    tile.Depth = 5;
    room.AddTile(tile, game);
    room.AddTile(tile, game);
    tile.Depth = 6;
    room.AddTile(tile, game);
    EXPECT_EQ(room.TileAt(15, 7, 5), 1);
    EXPECT_EQ(room.TileAt(0, 0, 6), 2);
    EXPECT_EQ(room.TileAt(16, 0, 5), -1);
    EXPECT_EQ(room.TileAt(0, 8, 5), -1);
    EXPECT_EQ(room.TileAt(0, 0, 7), -1);
}

std::vector<std::int32_t> InstanceIds(const CRoom& room) {
    std::vector<std::int32_t> ids;
    for (int i = 0; i < room.InstanceCount(); ++i) ids.push_back(room.GetInstance(i).Id % 100);
    return ids;
}

std::vector<std::int32_t> TileIds(const CRoom& room) {
    std::vector<std::int32_t> ids;
    for (int i = 0; i < room.TileCount(); ++i) ids.push_back(room.GetTile(i).Id % 100);
    return ids;
}

TEST(RoomTest, InstanceSortsAreStable) {
    FakeGame game;
    const int deep = game.AddObject(10);
    const int shallow = game.AddObject(-5);
    CRoom room;
    // ids 1..6
    room.AddInstance(30, 1, shallow, game);
    room.AddInstance(10, 3, deep, game);
    room.AddInstance(30, 2, deep, game);
    room.AddInstance(10, 2, shallow, game);
    room.AddInstance(20, 1, 99, game);  // missing object
    room.AddInstance(20, 3, deep, game);

    CRoom byX = room;
    byX.SortInstances(1, game);
    EXPECT_EQ(InstanceIds(byX), (std::vector<std::int32_t>{2, 4, 5, 6, 1, 3}));
    CRoom byY = room;
    byY.SortInstances(2, game);
    EXPECT_EQ(InstanceIds(byY), (std::vector<std::int32_t>{1, 5, 3, 4, 2, 6}));
    // By depth, deepest first; the missing object stops instance 6 behind it.
    CRoom byDepth = room;
    byDepth.SortInstances(0, game);
    EXPECT_EQ(InstanceIds(byDepth), (std::vector<std::int32_t>{2, 3, 1, 4, 5, 6}));
}

TEST(RoomTest, TileSortsAreStable) {
    FakeGame game;
    CRoom room;
    struct Placed {
        int x, y, depth;
    } placed[] = {{30, 5, 0}, {10, 4, 100}, {20, 3, 0}, {25, 9, 100}, {10, 1, 0}, {20, 2, 100}};
    for (const Placed& s : placed) {
        RoomTile tile;
        tile.X = s.x;
        tile.Y = s.y;
        tile.Depth = s.depth;
        room.AddTile(tile, game);  // ids 1..6
    }
    CRoom byDepth = room;
    byDepth.SortTiles(0, 0);
    EXPECT_EQ(TileIds(byDepth), (std::vector<std::int32_t>{2, 4, 6, 1, 3, 5}));
    // Only tiles of the given depth move, past tiles of any depth, and only
    // towards the front.
    CRoom byX = room;
    byX.SortTiles(1, 0);
    EXPECT_EQ(TileIds(byX), (std::vector<std::int32_t>{1, 2, 5, 3, 4, 6}));
    CRoom byY = room;
    byY.SortTiles(2, 100);
    EXPECT_EQ(TileIds(byY), (std::vector<std::int32_t>{2, 1, 3, 4, 5, 6}));
}

TEST(RoomTest, ListOperationsIgnoreIndicesOutOfRange) {
    FakeGame game;
    CRoom room;
    for (int i = 0; i < 4; ++i) room.AddInstance(i, 0, 0, game);
    room.MoveInstanceToEnd(1);
    EXPECT_EQ(InstanceIds(room), (std::vector<std::int32_t>{1, 3, 4, 2}));
    room.MoveInstanceToStart(2);
    EXPECT_EQ(InstanceIds(room), (std::vector<std::int32_t>{4, 1, 3, 2}));
    for (int bad : {-1, 4}) {
        room.MoveInstanceToEnd(bad);
        room.MoveInstanceToStart(bad);
        room.DeleteInstance(bad);
        room.SetInstance(bad, RoomInstance{});
        room.DeleteTile(bad);
        room.SetLayer(bad == 4 ? 8 : bad, RoomBackground{.Visible = true});
    }
    EXPECT_EQ(InstanceIds(room), (std::vector<std::int32_t>{4, 1, 3, 2}));
    EXPECT_EQ(room.GetInstance(9).Id, 0);
    EXPECT_EQ(room.GetLayer(8), RoomBackground{});
    room.DeleteInstance(0);
    EXPECT_EQ(InstanceIds(room), (std::vector<std::int32_t>{1, 3, 2}));

    room.ShiftInstances(5, -2);
    EXPECT_EQ(room.GetInstance(0).X, 5);
    EXPECT_EQ(room.GetInstance(0).Y, -2);
    room.LockInstances(true);
    EXPECT_TRUE(room.GetInstance(2).Locked);

    RoomTile tile;
    tile.Depth = 1;
    room.AddTile(tile, game);
    tile.Depth = 2;
    room.AddTile(tile, game);
    room.ShiftTiles(3, 4, 2);
    room.LockTiles(true, 1);
    EXPECT_EQ(room.GetTile(0).X, 0);
    EXPECT_TRUE(room.GetTile(0).Locked);
    EXPECT_EQ(room.GetTile(1).Y, 4);
    EXPECT_FALSE(room.GetTile(1).Locked);
    room.DeleteTilesAtDepth(1);
    ASSERT_EQ(room.TileCount(), 1);
    EXPECT_EQ(room.GetTile(0).Depth, 2);
}

CRoom FullRoom(FakeGame& game) {
    CRoom room;
    room.Caption = "Level 1";
    room.Speed = 60;
    room.Width = 1024;
    room.Height = 768;
    room.SnapX = 8;
    room.SnapY = 4;
    room.Isometric = true;
    room.Persistent = true;
    room.Color = 0x123456;
    room.DrawColor = false;
    room.CreationCode = "score = 0;";
    room.ViewsEnabled = true;
    room.SetLayer(3, RoomBackground{true, true, 2, 5, 6, false, true, 1, -1, true});
    room.SetView(7, RoomView{true, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    room.AddInstance(5, 6, 1, game);
    RoomInstance instance = room.GetInstance(0);
    instance.Code = "hp = 3;";
    instance.Locked = true;
    room.SetInstance(0, instance);
    room.AddTile(RoomTile{1, 2, 0, 3, 4, 5, 6, 7, 0, true}, game);
    room.EditorSettings = RoomEditorSettings{true, 800, 600, true, false, true, false, true, false, true, false,
                                             16, 32, 1, 2, 3, 4, 1, 50, 60};
    return room;
}

TEST(RoomTest, RecordRoundTrip) {
    FakeGame game;
    const CRoom room = FullRoom(game);
    CStream stream;
    room.SaveToStream(stream);
    stream.SetPosition(0);
    CRoom loaded;
    ASSERT_TRUE(loaded.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(loaded, room);

    CRoom copy;
    copy.Assign(&loaded);
    EXPECT_EQ(copy, room);
    copy.Assign(nullptr);
    EXPECT_EQ(copy, CRoom{});
}

TEST(RoomTest, SavingWithTheGameDropsInvalidInstancesAndTiles) {
    FakeGame game;
    game.AddObject(0);
    game.AddBackground(Bitmap24(4, 4));
    CRoom room;
    room.AddInstance(0, 0, 0, game);
    room.AddInstance(0, 0, 3, game);
    room.AddTile(RoomTile{.Background = 0}, game);
    room.AddTile(RoomTile{.Background = -1}, game);
    CStream stream;
    room.SaveToStream(stream, game);
    EXPECT_EQ(InstanceIds(room), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(TileIds(room), (std::vector<std::int32_t>{1}));
}

// The first layout: no Isometric, no Stretch, no tile Locked, ten editor
// flags, no tile offsets.
CStream Version500Room() {
    CStream s;
    s.WriteInteger(500);
    s.WriteString("old");
    for (int v : {320, 240, 8, 16}) s.WriteInteger(v);
    s.WriteInteger(15);
    s.WriteBoolean(true);
    s.WriteInteger(255);
    s.WriteBoolean(false);
    s.WriteString("code");
    s.WriteInteger(2);
    for (int layer = 0; layer < 2; ++layer) {
        for (int v : {1, layer, 4, 10, 20, 0, 1, 2, 3}) s.WriteInteger(v);
    }
    s.WriteBoolean(true);
    s.WriteInteger(1);
    for (int v : {1, 0, 0, 320, 240, 0, 0, 16, 16, 4, 4, 0}) s.WriteInteger(v);
    s.WriteInteger(1);
    for (int v : {50, 60, 0, 100007}) s.WriteInteger(v);
    s.WriteString("x = 1;");
    s.WriteBoolean(true);
    s.WriteInteger(1);
    for (int v : {1, 2, 0, 3, 4, 16, 16, 1000, 10000009}) s.WriteInteger(v);
    s.WriteBoolean(true);
    s.WriteInteger(700);
    s.WriteInteger(500);
    for (int v : {1, 0, 1, 1, 0, 1, 0, 1, 0, 1}) s.WriteBoolean(v);
    for (int v : {32, 24, 2, 3}) s.WriteInteger(v);
    for (int v : {2, 11, 12}) s.WriteInteger(v);
    s.SetPosition(0);
    return s;
}

TEST(RoomTest, Version500RoomIsRead) {
    CStream stream = Version500Room();
    CRoom room;
    ASSERT_TRUE(room.LoadFromStream(stream));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(room.Caption, "old");
    EXPECT_EQ(room.Width, 320);
    EXPECT_EQ(room.SnapY, 8);
    EXPECT_EQ(room.SnapX, 16);
    EXPECT_FALSE(room.Isometric);
    EXPECT_EQ(room.Speed, 15);
    EXPECT_EQ(room.Color, 255);
    EXPECT_EQ(room.GetLayer(1), (RoomBackground{true, true, 4, 10, 20, false, true, 2, 3, false}));
    EXPECT_EQ(room.GetLayer(2), RoomBackground{});  // not stored: stays default
    EXPECT_EQ(room.GetView(0).HSpeed, 4);
    EXPECT_EQ(room.GetView(1), RoomView{});
    ASSERT_EQ(room.InstanceCount(), 1);
    EXPECT_EQ(room.GetInstance(0), (RoomInstance{50, 60, 0, 100007, "x = 1;", true}));
    ASSERT_EQ(room.TileCount(), 1);
    EXPECT_EQ(room.GetTile(0), (RoomTile{1, 2, 0, 3, 4, 16, 16, 1000, 10000009, false}));
    // Flags 1, 0, 1, [1 dropped], 0, 1, 0, 1, 0, [1 dropped].
    const RoomEditorSettings expected{true, 700, 500, true, false, true, false, true, false, true, false,
                                      32, 24, 0, 0, 2, 3, 2, 11, 12};
    EXPECT_EQ(room.EditorSettings, expected);
}

TEST(RoomTest, BadRecordsLeaveTheRoomCleared) {
    FakeGame game;
    CStream good;
    FullRoom(game).SaveToStream(good);
    for (std::int32_t version : {499, 521}) {
        CStream stream(good.View());
        stream.WriteInteger(version);
        stream.SetPosition(0);
        CRoom room = FullRoom(game);
        EXPECT_FALSE(room.LoadFromStream(stream)) << version;
        EXPECT_EQ(room, CRoom{});
    }
    // Nine layers.
    CStream nine(Version500Room().View());
    nine.SetPosition(4 + 4 + 3 + 4 * 4 + 4 + 4 + 4 + 4 + 4 + 4);
    nine.WriteInteger(9);
    nine.SetPosition(0);
    CRoom room = FullRoom(game);
    EXPECT_FALSE(room.LoadFromStream(nine));
    EXPECT_EQ(room, CRoom{});

    // Counts far beyond the bytes that remain are refused before anything is made.
    for (std::size_t countAt : {std::size_t{191 * 4}, std::size_t{192 * 4}}) {
        CStream hostile;
        CRoom().SaveToStream(hostile);
        hostile.SetPosition(countAt);
        hostile.WriteInteger(0x7fffffff);
        hostile.SetPosition(0);
        CRoom target;
        EXPECT_THROW(target.LoadFromStream(hostile), StreamReadError) << countAt;
    }
    for (std::size_t cut : {std::size_t{3}, good.Size() / 2, good.Size() - 1}) {
        CStream truncated(good.View().substr(0, cut));
        CRoom cutRoom = FullRoom(game);
        EXPECT_THROW(cutRoom.LoadFromStream(truncated), StreamReadError) << cut;
        EXPECT_EQ(cutRoom, CRoom{});
    }
}

TEST(RoomTest, RemapAfterMergeMovesReferencesAndRenumbers) {
    FakeGame game;
    CRoom room = FullRoom(game);
    room.SetLayer(0, RoomBackground{.Background = 0});
    game.lastInstance = 200;
    game.lastTile = 300;
    room.RemapAfterMerge(10, 20, game);
    EXPECT_EQ(room.GetLayer(0).Background, 10);
    EXPECT_EQ(room.GetLayer(1).Background, -1);
    EXPECT_EQ(room.GetLayer(3).Background, 12);
    EXPECT_EQ(room.GetInstance(0).Object, 21);
    EXPECT_EQ(room.GetInstance(0).Id, 201);
    EXPECT_EQ(room.GetTile(0).Background, 10);
    EXPECT_EQ(room.GetTile(0).Id, 301);
}

TEST(RoomTest, DrawLayersThenInstancesAndTilesByDepthThenForegrounds) {
    constexpr ColorValue kFill = MakeColor(192, 192, 192);
    constexpr ColorValue kA = MakeColor(255, 255, 0), kB = MakeColor(0, 0, 0);
    constexpr ColorValue kRed = MakeColor(255, 0, 0), kBlue = MakeColor(0, 0, 255), kGreen = MakeColor(0, 255, 0);
    FakeGame game;
    // A 2 x 2 checker, tiled across the first two rows only.
    Bitmap24 checker(2, 2, kA);
    checker.SetPixel(1, 0, kB);
    checker.SetPixel(0, 1, kB);
    const int checkerBackground = game.AddBackground(checker);
    const int blueBackground = game.AddBackground(Bitmap24(4, 4, kBlue));
    const int greenBackground = game.AddBackground(Bitmap24(1, 1, kGreen));
    auto sprite = std::make_unique<CSprite>();
    const Bitmap24 redFrame(2, 2, kRed);
    sprite->AddImage(&redFrame);
    sprite->SetTransparent(false);
    sprite->XOrigin = 1;
    game.sprites.push_back(std::move(sprite));
    const int object = game.AddObject(0, 0);

    CRoom room;
    room.Width = 8;
    room.Height = 4;
    room.Color = kFill;
    room.SetLayer(0, RoomBackground{.Visible = true, .Background = checkerBackground, .TileH = true, .TileV = false});
    room.SetLayer(1, RoomBackground{.Visible = true, .Foreground = true, .Background = greenBackground, .X = 7,
                                    .Y = 3, .TileH = false, .TileV = false});
    room.AddInstance(3, 1, object, game);  // covers columns 2..3, rows 1..2
    room.AddTile(RoomTile{.X = 3, .Y = 1, .Background = blueBackground, .Left = 1, .Top = 1, .Width = 2, .Height = 2,
                          .Depth = 0},
                 game);

    Bitmap24 canvas(8, 4, MakeColor(1, 2, 3));
    ImageDrawTarget target(canvas);
    room.Draw(target, 0, 0, game);

    const char* expected[] = {
        "ABABABAB",
        "BARRbABA",
        "..RRb...",
        ".......G",
    };
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            ColorValue want = kFill;
            switch (expected[y][x]) {
                case 'A': want = kA; break;
                case 'B': want = kB; break;
                case 'R': want = kRed; break;
                case 'b': want = kBlue; break;
                case 'G': want = kGreen; break;
                default: break;
            }
            EXPECT_EQ(canvas.Pixel(x, y), want) << x << "," << y;
        }
    }

    // With an offset the whole room moves up and left.
    Bitmap24 shifted(8, 4);
    ImageDrawTarget shiftedTarget(shifted);
    room.Draw(shiftedTarget, 1, 1, game);
    EXPECT_EQ(shifted.Pixel(1, 0), kRed);
    EXPECT_EQ(shifted.Pixel(3, 1), kBlue);
    EXPECT_EQ(shifted.Pixel(6, 2), kGreen);
}

TEST(RoomTest, InstancesAndTilesAtTheEndsOfTheIntRangeDrawNothing) {
    // Positions, origins and tile parts from a file may be any 32-bit value;
    // none of them may wrap back onto the canvas or past the pictures.
    FakeGame game;
    const int background = game.AddBackground(Bitmap24(4, 4, MakeColor(0, 0, 255)));
    std::vector<int> objects;
    for (std::int32_t origin : {1, -1}) {
        auto sprite = std::make_unique<CSprite>();
        const Bitmap24 frame(4, 4, MakeColor(255, 0, 0));
        sprite->AddImage(&frame);
        sprite->SetTransparent(false);
        sprite->XOrigin = sprite->YOrigin = origin;
        game.sprites.push_back(std::move(sprite));
        objects.push_back(game.AddObject(0, static_cast<int>(game.sprites.size()) - 1));
    }
    CRoom room;
    room.DrawColor = false;
    for (std::int32_t at : {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX}) {
        for (int object : objects) room.AddInstance(at, at, object, game);
        room.AddTile(RoomTile{.X = at, .Y = at, .Background = background, .Left = 0, .Top = 0, .Width = 4,
                              .Height = 4},
                     game);
        room.AddTile(RoomTile{.X = 0, .Y = 0, .Background = background, .Left = at, .Top = at, .Width = 4,
                              .Height = 4},
                     game);
    }
    for (bool transparent : {false, true}) {
        game.backgrounds[background]->Transparent = transparent;
        Bitmap24 canvas(8, 8, MakeColor(1, 2, 3));
        ImageDrawTarget target(canvas);
        room.Draw(target, 0, 0, game);
        EXPECT_EQ(canvas, Bitmap24(8, 8, MakeColor(1, 2, 3))) << transparent;
    }
}

// The sorts run in O(n log n) but must give exactly the order of the stable
// insertion sort described for rooms, including its odd rule that an
// instance of a missing object is passed by none.
template <class T, class Before>
void ReferenceInsertionSort(std::vector<T>& list, Before before) {
    for (std::size_t i = 1; i < list.size(); ++i)
        for (std::size_t j = i; j > 0 && before(list[j], list[j - 1]); --j) std::swap(list[j], list[j - 1]);
}

TEST(RoomTest, DepthSortsGiveTheInsertionSortOrder) {
    FakeGame game;
    for (std::int32_t depth : {0, 5, -5, 100, 5}) game.AddObject(depth);
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        CRoom room;
        const int count = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            // Objects 5 and 6 do not exist.
            room.AddInstance(static_cast<int>(random() % 8), static_cast<int>(random() % 8),
                             static_cast<int>(random() % (round % 2 ? 7 : 5)), game);
            RoomTile tile;
            tile.X = static_cast<int>(random() % 8);
            tile.Depth = static_cast<int>(random() % 4) * 10;
            room.AddTile(tile, game);
        }
        std::vector<RoomInstance> instances = room.Instances();
        std::vector<RoomTile> tiles = room.Tiles();
        auto deeper = [&](const RoomInstance& a, const RoomInstance& b) {
            const CObject* objectA = game.ObjectAt(a.Object);
            const CObject* objectB = game.ObjectAt(b.Object);
            return objectA && objectB && objectA->Depth > objectB->Depth;
        };
        for (int mode : {1, 2, 0}) {
            room.SortInstances(mode, game);
            if (mode == 1) ReferenceInsertionSort(instances, [](auto& a, auto& b) { return a.X < b.X; });
            if (mode == 2) ReferenceInsertionSort(instances, [](auto& a, auto& b) { return a.Y < b.Y; });
            if (mode == 0) ReferenceInsertionSort(instances, deeper);
            EXPECT_EQ(room.Instances(), instances) << "round " << round << " mode " << mode;
        }
        room.SortTiles(0, 0);
        ReferenceInsertionSort(tiles, [](auto& a, auto& b) { return a.Depth > b.Depth; });
        EXPECT_EQ(room.Tiles(), tiles) << "round " << round;
    }
}

TEST(RoomTest, SwapItemsExchangesOnlyTheLists) {
    FakeGame game;
    const int object = game.AddObject(0);
    CRoom room;
    room.Caption = "hall";
    room.AddInstance(1, 2, object, game);
    RoomItems saved = room.CopyItems();
    room.ClearInstances();
    room.Caption = "typed since";
    room.SwapItems(saved);
    EXPECT_EQ(room.InstanceCount(), 1);
    EXPECT_EQ(room.Caption, "typed since");
    EXPECT_TRUE(saved.instances.empty());
}

}  // namespace
}  // namespace kestrin
