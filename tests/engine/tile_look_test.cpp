// How the tiles of the room being played look: shown or hidden, scaled and
// mirrored, half transparent; read and changed by code, found by their scaled
// extent, drawn as they look and kept by saved games (earlier save formats
// load with plain tiles). Also instance_sprite.

#include <gtest/gtest.h>

#include <fstream>

#include "engine/canvas.h"
#include "engine_fixture.h"
#include "resources/background.h"
#include "resources/event_types.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::RunForError;
using test::TestGame;

const ColorValue kBlack = MakeColor(0, 0, 0), kRed = MakeColor(255, 0, 0), kBlue = MakeColor(0, 0, 255);

// Background "bg", 4 by 2: two red columns, then two blue ones. Object
// "thing" has sprite 0, "bare" none; both are placed in a 40 by 40 room
// with no background colour and three tiles of the whole background: a at
// (0, 0) and b at (20, 20) of depth 10, c at (10, 10) of depth 5. Code sees
// their ids as a, b and c.
struct TileGame {
    TileGame() {
        Bitmap24 picture(4, 2, kRed);
        picture.FillRect(2, 0, 4, 2, kBlue);
        background = t.game.Tree().AddResourceNode(nullptr, kTypeBackgrounds)->Data.Index;
        t.game.Backgrounds().RenameResource(background, "bg");
        t.game.Backgrounds().ResourceAt(background)->SetImage(&picture);
        const int thing = t.AddObject("thing", t.AddSprite(4, 4));
        const int bare = t.AddObject("bare");
        room = t.AddRoom("room", 40, 40);
        t.Room(room).DrawColor = false;
        t.Place(room, thing, 30, 0);
        t.Place(room, bare, 30, 10);
        for (auto [x, y, depth] : {std::tuple{0, 0, 10}, {20, 20, 10}, {10, 10, 5}}) AddTile(x, y, depth);
    }
    std::int32_t AddTile(int x, int y, int depth, int left = 0, int width = 4) {
        RoomTile tile;
        tile.Background = background;
        tile.X = x;
        tile.Y = y;
        tile.Left = left;
        tile.Width = width;
        tile.Height = 2;
        tile.Depth = depth;
        CRoom& r = t.Room(room);
        return r.GetTile(r.AddTile(tile, t.game)).Id;
    }
    void Start() {
        world = t.Start();
        const auto& tiles = t.Room(room).Tiles();
        Do("globalvar a, b, c; a = " + std::to_string(tiles[0].Id) + "; b = " + std::to_string(tiles[1].Id) +
           "; c = " + std::to_string(tiles[2].Id) + ";");
    }
    Instance* Self() { return world->Instances().front().get(); }
    // Runs statements as the first instance; the error they report, or "".
    std::string Do(const std::string& code) { return RunForError(*world, t.shell, Self(), code); }
    Bitmap24 DrawStep() {
        Bitmap24 frame(40, 40);
        ImageCanvas canvas(frame);
        world->Step(&canvas);
        return frame;
    }

    TestGame t;
    int background = 0, room = 0;
    std::unique_ptr<World> world;
};

// A statement or expression in order, with the value it has (statements
// end in ';' and have none) or the error it reports.
struct Case {
    std::string code;
    double value = 0;
    std::string error = {};
};

void ExpectCases(TileGame& g, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const bool statement = c.code.back() == ';';
        const std::string error = g.Do(statement ? c.code : "global.result = " + c.code + ";");
        EXPECT_EQ(error, c.error) << c.code;
        if (!statement && c.error.empty()) {
            EXPECT_EQ(Eval(*g.world, g.Self(), "global.result").Real(), c.value) << c.code;
        }
    }
}

TEST(TileLook, CodeReadsAndChangesTheLookOfTilesAndLayers) {
    TileGame g;
    g.Start();
    ExpectCases(g, {
        // Tiles start plain.
        {"tile_get_visible(a)", 1}, {"tile_get_xscale(a)", 1}, {"tile_get_yscale(a)", 1}, {"tile_get_alpha(a)", 1},
        {"tile_set_visible(a, false);"}, {"tile_get_visible(a)", 0},
        {"tile_set_visible(a, 3);"}, {"tile_get_visible(a)", 1},
        {"tile_set_scale(a, -2, 0.5);"}, {"tile_get_xscale(a)", -2}, {"tile_get_yscale(a)", 0.5},
        {"tile_set_alpha(a, 0.25);"}, {"tile_get_alpha(a)", 0.25},
        // The opacity is held within 0..1.
        {"tile_set_alpha(a, 7);"}, {"tile_get_alpha(a)", 1},
        {"tile_set_alpha(a, -1);"}, {"tile_get_alpha(a)", 0},
        // A layer is every tile of one depth.
        {"tile_layer_hide(10);"}, {"tile_get_visible(b)", 0}, {"tile_get_visible(c)", 1},
        {"tile_layer_show(10);"}, {"tile_get_visible(a) + tile_get_visible(b)", 2},
        {"tile_layer_hide(99);"},
        // The look stays with its tile when others go, and a new tile starts plain.
        {"tile_set_alpha(b, 0.5); tile_delete(a);"}, {"tile_get_alpha(b)", 0.5},
        {"tile_get_alpha(tile_add(bg, 0, 0, 4, 2, 0, 0, 0))", 1},
        {"tile_get_alpha(a)", 0, "Tile " + std::to_string(g.t.Room(g.room).Tiles()[0].Id) + " does not exist."},
        {"tile_get_visible(5)", 0, "Tile 5 does not exist."},
        {"tile_get_xscale(5)", 0, "Tile 5 does not exist."},
        {"tile_set_visible(5, 0);", 0, "Tile 5 does not exist."},
        {"tile_set_scale(5, 2, 2);", 0, "Tile 5 does not exist."},
        {"tile_set_alpha(5, 0.5);", 0, "Tile 5 does not exist."},
    });
    // The room's tiles begin plain again when the room starts again.
    g.Do("room_restart();");
    g.world->Step();
    ExpectCases(g, {{"tile_get_alpha(b)", 1}, {"tile_exists(a)", 1}});
}

TEST(TileLook, TilesAreFoundByTheirScaledExtentShownOrNot) {
    TileGame g;
    g.Start();
    ExpectCases(g, {
        {"tile_find(3, 1, true) == a", 1},
        // Mirrored and three times as high: a covers x -8..-1 and y 0..5.
        {"tile_set_scale(a, -2, 3);"},
        {"tile_find(3, 1, true)", -1},
        {"tile_find(-8, 5, true) == a", 1},
        {"tile_find(-9, 5, true)", -1},
        {"tile_find(-1, 6, true)", -1},
        {"tile_layer_find(10, -4, 4) == a", 1},
        // Hidden tiles are still in the room.
        {"tile_set_visible(a, false);"},
        {"tile_find(-4, 4, false) == a", 1},
        // No size, no extent.
        {"tile_set_scale(a, 0, 1);"},
        {"tile_find(0, 0, true)", -1},
        {"tile_set_scale(c, 2, 2);"},
        {"tile_find(17, 13, true) == c", 1},
    });
}

struct Probe {
    int x, y;
    ColorValue color;
};

TEST(TileLook, FramesShowTilesAsTheyLook) {
    TileGame g;
    // Under a, in front of nothing: blue, at depth 20, for a to blend with.
    g.AddTile(0, 0, 20, 2, 2);
    g.Start();
    // a half transparent, b hidden, c twice as wide and three times as high;
    // a mirrored copy at (30, 30).
    g.Do("tile_set_alpha(a, 0.5); tile_set_visible(b, false); tile_set_scale(c, 2, 3);"
         "tile_set_scale(tile_add(bg, 0, 0, 4, 2, 30, 30, 0), -1, 1);");
    const Bitmap24 frame = g.DrawStep();
    // Half red over blue, rounded: 255 * 128 / 255 and 255 * 127 / 255.
    const ColorValue blend = MakeColor(128, 0, 127), halfBlue = MakeColor(0, 0, 128);
    const std::vector<Probe> probes = {
        {0, 0, blend},   {1, 1, blend},   {2, 0, halfBlue}, {3, 1, halfBlue}, {0, 2, kBlack},
        {20, 20, kBlack}, {23, 21, kBlack},
        {10, 10, kRed},  {13, 15, kRed},  {14, 10, kBlue}, {17, 15, kBlue},  {18, 10, kBlack}, {10, 16, kBlack},
        {29, 30, kRed},  {28, 31, kRed},  {27, 30, kBlue}, {26, 31, kBlue},  {30, 30, kBlack}, {25, 30, kBlack},
    };
    for (const Probe& p : probes) EXPECT_EQ(frame.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

TEST(TileLook, HugeAndVanishingScalesDrawWithinTheFrame) {
    const struct {
        const char* scale;
        Probe probe;
    } cases[] = {
        {"power(10, 300), power(10, 300)", {39, 39, kRed}},
        {"-power(10, 300), -power(10, 300)", {0, 0, kRed}},
        {"power(10, -300), 1", {10, 10, kBlack}},
        {"0, 0", {10, 10, kBlack}},
    };
    for (const auto& c : cases) {
        TileGame g;
        g.Start();
        g.Do("tile_layer_hide(10); tile_set_scale(c, " + std::string(c.scale) + ");");
        const Bitmap24 frame = g.DrawStep();
        EXPECT_EQ(frame.Pixel(c.probe.x, c.probe.y), c.probe.color) << c.scale;
        EXPECT_TRUE(g.t.shell.messages.empty()) << c.scale << ": " << g.t.shell.messages.front();
    }
}

TEST(TileLook, ASavedGameKeepsTheLookOfItsTiles) {
    TileGame g;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("tiles.sav");
    g.Start();
    g.Do("tile_set_visible(a, false); tile_set_scale(b, -1.5, 2); tile_set_alpha(c, 0.75);");
    g.world->SaveGame(file);
    g.world->Step();

    // A new run of the same game, with plain tiles until the load.
    g.Start();
    std::string error;
    ASSERT_TRUE(g.world->LoadGame(file, error)) << error;
    g.world->Step();
    ExpectCases(g, {
        {"tile_get_visible(a)", 0}, {"tile_get_xscale(b)", -1.5}, {"tile_get_yscale(b)", 2},
        {"tile_get_alpha(c)", 0.75}, {"tile_get_visible(c)", 1}, {"tile_get_xscale(c)", 1},
    });
}

// A save file of an earlier format by hand: the room with one tile, at the
// game's first step, nothing else in it.
std::string OldSaveFile(std::int32_t format, World& world, std::int32_t gameId, std::int32_t tileId) {
    CStream body;
    const RoomState& room = world.Room();
    body.WriteInteger(room.index);
    body.WriteString(room.name);
    for (std::int32_t field : {room.width, room.height, room.speed, room.color}) body.WriteInteger(field);
    for (bool field : {room.drawColor, room.viewsEnabled, room.persistent}) body.WriteBoolean(field);
    for (int i = 0; i < kRoomLayerCount; ++i) {
        body.WriteBoolean(false);
        body.WriteBoolean(false);
        for (std::int32_t field : {-1, 0, 0}) body.WriteInteger(field);
        body.WriteBoolean(true);
        body.WriteBoolean(true);
        for (std::int32_t field : {0, 0}) body.WriteInteger(field);
        body.WriteBoolean(false);
        body.WriteReal(0);
        body.WriteReal(0);
    }
    for (int i = 0; i < kRoomViewCount; ++i) {
        body.WriteBoolean(false);
        for (std::int32_t field : {0, 0, 640, 480, 0, 0, 32, 32, -1, -1, -1}) body.WriteInteger(field);
    }
    body.WriteInteger(1);  // x, y, background, left, top, width, height, depth, id
    for (std::int32_t field : {5, 6, 0, 0, 0, 4, 2, 3, tileId}) body.WriteInteger(field);
    // Score, lives, health; what the caption shows and its texts; pen, brush and font.
    for (double field : {0.0, -1.0, 100.0}) body.WriteReal(field);
    for (bool field : {true, false, false}) body.WriteBoolean(field);
    for (const char* field : {"Score: ", "Lives: ", "Health: ", ""}) body.WriteString(field);
    for (double field : {16777215.0, 0.0, 0.0, 1.0, 0.0}) body.WriteReal(field);
    body.WriteString("Arial");
    for (double field : {12.0, 0.0, 0.0, 0.0}) body.WriteReal(field);
    body.WriteInteger(0);  // instances
    body.WriteInteger(0);  // kept rooms
    body.WriteInteger(0);  // globals
    body.WriteString(world.Random().State());
    body.WriteInteger(kFirstInstanceId);
    if (format >= 2) {
        body.WriteInteger(0);  // globalvar names
        body.WriteReal(0);     // structures: the precision, then five kinds with no slots
        for (int kind = 0; kind < 5; ++kind) body.WriteInteger(0);
        body.WriteInteger(0);  // deactivated instances
        body.WriteInteger(0);  // and those in kept rooms
    }
    CStream file;
    file.WriteString("KESTRIN SAVE");
    file.WriteInteger(format);
    file.WriteInteger(gameId);
    file.WriteCompressedBlock(body);
    return std::string(file.View());
}

TEST(TileLook, SaveFilesOfEarlierFormatsLoadWithPlainTiles) {
    for (std::int32_t format : {1, 2}) {
        TileGame g;
        kestrin::test::TempDir dir;
        const std::string file = dir.File("old.sav");
        g.Start();
        std::ofstream(file, std::ios::binary) << OldSaveFile(format, *g.world, g.t.game.GameId, 12345678);
        g.Do("tile_set_alpha(a, 0.5);");
        std::string error;
        ASSERT_TRUE(g.world->LoadGame(file, error)) << format << ": " << error;
        g.world->Step();
        ASSERT_EQ(g.world->Room().tiles.size(), 1u) << format;
        EXPECT_EQ(g.world->Room().tiles[0].X, 5) << format;
        EXPECT_EQ(g.world->Room().tiles[0].look, TileLook{}) << format;
        EXPECT_TRUE(g.world->Instances().empty()) << format;
    }
}

TEST(InstanceSprite, GivesTheSpriteOfTheNamedInstance) {
    TileGame g;
    g.Start();
    const std::string bare = std::to_string(g.world->Instances()[1]->id);
    ExpectCases(g, {
        {"instance_sprite(thing)", 0},
        {"instance_sprite(id)", 0},
        {"instance_sprite(self)", 0},
        {"instance_sprite(bare)", -1},
        {"instance_sprite(" + bare + ")", -1},
        {"instance_sprite(noone)", -1},
        {"instance_sprite(99)", -1},
        {"instance_sprite(999999)", -1},
        {"sprite_index = 5;"},
        {"instance_sprite(all)", 5},
        {"instance_destroy();"},
        {"instance_sprite(thing)", -1},
    });
}

}  // namespace
}  // namespace kestrin::engine
