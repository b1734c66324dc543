// The room editor's paint list: show rules per tab, the depth merge, culling,
// and drawing it equals drawing the room as a whole.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/room_paint_list.h"
#include "imaging/draw_target.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/sprite.h"
#include "storage/game.h"

namespace kestrin {
namespace {

constexpr ColorValue kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kYellow = 0x00FFFF;

// Two objects (depth 10 with a red 8 x 8 sprite, depth -10 without a
// sprite), a tileset, a background layer and a foreground layer, tiles at
// depths 20, 10 and 0.
class RoomPaintListTest : public ::testing::Test {
protected:
    RoomPaintListTest() {
        const int sprite = game.Sprites().AddResource();
        Bitmap24 red(8, 8, kRed);
        red.SetPixel(0, 7, kBlue);  // the transparent corner
        game.Sprites().ResourceAt(sprite)->AddImage(&red);
        game.Sprites().ResourceAt(sprite)->SetTransparent(true);
        game.Sprites().ResourceAt(sprite)->UpdateTransparentColor();
        deep = game.Objects().AddResource();
        game.Objects().ResourceAt(deep)->Sprite = sprite;
        game.Objects().ResourceAt(deep)->Depth = 10;
        front = game.Objects().AddResource();
        game.Objects().ResourceAt(front)->Depth = -10;
        tileset = game.Backgrounds().AddResource();
        Bitmap24 tiles(32, 16, kGreen);
        tiles.FillRect(16, 0, 32, 16, kYellow);
        game.Backgrounds().ResourceAt(tileset)->SetImage(&tiles);
        const int back = game.Backgrounds().AddResource();
        Bitmap24 backImage(4, 4, 0x808080);
        game.Backgrounds().ResourceAt(back)->SetImage(&backImage);

        room.Width = 64;
        room.Height = 48;
        RoomBackground layer;
        layer.Visible = true;
        layer.Background = back;
        layer.TileH = layer.TileV = false;
        room.SetLayer(0, layer);
        layer.Foreground = true;
        layer.X = 60;
        room.SetLayer(1, layer);
        room.AddInstance(0, 0, front, game);   // 0
        room.AddInstance(4, 4, deep, game);    // 1
        room.AddInstance(40, 30, deep, game);  // 2
        room.AddInstance(30, 0, 77, game);     // a missing object
        for (auto [x, depth] : {std::pair{2, 20}, {6, 10}, {10, 0}}) {
            RoomTile tile;
            tile.X = x;
            tile.Y = 2;
            tile.Background = tileset;
            tile.Left = depth == 10 ? 16 : 0;
            tile.Width = tile.Height = 8;
            tile.Depth = depth;
            room.AddTile(tile, game);
        }
        SortRoomForDrawing(room, game);
    }
    // "I1" instance 1, "P0" placeholder of instance 0, "T20" the tile of depth 20.
    std::string Order(const RoomPaintList& list) {
        std::string out;
        for (const RoomPaintItem& item : list.items) {
            if (!out.empty()) out += ' ';
            if (item.kind == RoomPaintItem::Kind::Tile)
                out += "T" + std::to_string(room.Tiles()[item.index].Depth);
            else
                out += (item.kind == RoomPaintItem::Kind::Sprite ? "I" : "P") +
                       std::to_string(room.Instances()[item.index].X);
        }
        return out;
    }

    Game game;
    CRoom room;
    int deep = 0, front = 0, tileset = 0;
    const RoomArea whole{0, 0, 64, 48};
};

TEST_F(RoomPaintListTest, RulesPerTabAndShowFlag) {
    struct Case {
        const char* name;
        RoomShowRules rules;
        const char* order;
        std::vector<int> backgrounds, foregrounds;
        bool views;
    };
    RoomShowRules all;
    RoomShowRules none;
    none.grid = none.objects = none.tiles = none.backgrounds = none.foregrounds = false;
    none.tab = RoomTab::Settings;
    auto with = [](RoomShowRules rules, RoomTab tab, std::int32_t layer = 0, bool foreground = false) {
        rules.tab = tab;
        rules.currentLayer = layer;
        rules.selectedLayerForeground = foreground;
        return rules;
    };
    // Drawn in descending depth: a tile first on equal depth.
    const Case cases[] = {
        {"everything", all, "T20 T10 I4 I40 T0 P0", {0}, {1}, false},
        {"nothing on the settings tab", none, "", {}, {}, false},
        {"objects tab shows instances", with(none, RoomTab::Objects), "I4 I40 P0", {}, {}, false},
        {"tiles tab shows the current layer only", with(none, RoomTab::Tiles, 10), "T10", {}, {}, false},
        {"backgrounds tab, background layer selected", with(none, RoomTab::Backgrounds, 0, false), "", {0}, {}, false},
        {"backgrounds tab, foreground layer selected", with(none, RoomTab::Backgrounds, 0, true), "", {}, {1}, false},
        {"views tab shows outlines when views are on", with(none, RoomTab::Views), "", {}, {}, true},
    };
    room.ViewsEnabled = true;
    for (const Case& c : cases) {
        const RoomPaintList list = BuildRoomPaintList(room, game, c.rules, whole);
        EXPECT_EQ(Order(list), c.order) << c.name;
        EXPECT_EQ(list.backgroundLayers, c.backgrounds) << c.name;
        EXPECT_EQ(list.foregroundLayers, c.foregrounds) << c.name;
        EXPECT_EQ(list.views, c.views) << c.name;
    }
    // Show backgrounds off: black, whatever the room colour.
    EXPECT_EQ(BuildRoomPaintList(room, game, none, whole).fill, 0u);
    EXPECT_EQ(BuildRoomPaintList(room, game, all, whole).fill, static_cast<ColorValue>(kRoomDefaultColor));
    room.DrawColor = false;
    EXPECT_EQ(BuildRoomPaintList(room, game, all, whole).fill, 0u);
    room.ViewsEnabled = false;
    EXPECT_FALSE(BuildRoomPaintList(room, game, with(none, RoomTab::Views), whole).views);
}

TEST_F(RoomPaintListTest, ItemsOutsideTheAreaAreCulled) {
    RoomShowRules all;
    EXPECT_EQ(Order(BuildRoomPaintList(room, game, all, {40, 30, 41, 31})), "I40");
    EXPECT_EQ(Order(BuildRoomPaintList(room, game, all, {16, 2, 17, 3})), "T0");
    EXPECT_EQ(Order(BuildRoomPaintList(room, game, all, {18, 0, 20, 1})), "");  // tile rows start at 2
    EXPECT_EQ(Order(BuildRoomPaintList(room, game, all, {15, 15, 16, 16})), "P0");  // the 16 x 16 box
}

// With everything shown the list draws what the room itself draws.
TEST_F(RoomPaintListTest, PaintingTheListEqualsDrawingTheRoom) {
    for (auto [offsetX, offsetY] : {std::pair{0, 0}, {5, 3}, {-7, 2}}) {
        Bitmap24 expected(64, 48, 0), actual(64, 48, 0);
        ImageDrawTarget expectedTarget(expected), actualTarget(actual);
        room.Draw(expectedTarget, offsetX, offsetY, game);
        const RoomPaintList list =
            BuildRoomPaintList(room, game, RoomShowRules{}, {offsetX, offsetY, offsetX + 64, offsetY + 48});
        PaintRoomList(list, room, game, actualTarget, offsetX, offsetY, nullptr);
        EXPECT_TRUE(actual == expected) << offsetX << "," << offsetY;
        EXPECT_EQ(actual.Pixel(4, 4), expected.Pixel(4, 4));
    }
}

}  // namespace
}  // namespace kestrin
