// Resources read and changed by game code while it runs: names, sprite and
// background records, pictures changed and loaded, sounds, paths, objects
// and time lines, rooms and the tiles of the room being played; bad
// arguments fail with a message and never crash.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "engine/canvas.h"
#include "engine_fixture.h"
#include "imaging/bmp_codec.h"
#include "resources/background.h"
#include "resources/event_types.h"
#include "resources/path.h"
#include "resources/script.h"
#include "resources/sound.h"
#include "resources/time_line.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::RunForError;
using test::TestGame;

const ColorValue kRed = MakeColor(255, 0, 0), kBlue = MakeColor(0, 0, 255);

// A game with one of each resource: sprite 0 "spr" (8 x 6, left half red,
// right half blue), background 0 "back", path 0 "route", script 0 "helper",
// time line 0 "clock", object 0 "thing" placed in room 0 "first", and a
// second room 1 "second".
struct ResourceGame {
    ResourceGame() {
        Bitmap24 frame(8, 6, kRed);
        frame.FillRect(4, 0, 8, 6, kBlue);
        const int sprite = t.game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
        t.game.Sprites().RenameResource(sprite, "spr");
        t.game.Sprites().ResourceAt(sprite)->AddImage(&frame);
        t.game.Sprites().ResourceAt(sprite)->SetTransparent(false);
        const int background = t.game.Tree().AddResourceNode(nullptr, kTypeBackgrounds)->Data.Index;
        t.game.Backgrounds().RenameResource(background, "back");
        Bitmap24 picture(16, 16, kBlue);
        t.game.Backgrounds().ResourceAt(background)->SetImage(&picture);
        const int path = t.game.Tree().AddResourceNode(nullptr, kTypePaths)->Data.Index;
        t.game.Paths().RenameResource(path, "route");
        CPath& route = *t.game.Paths().ResourceAt(path);
        route.SetClosed(false);
        route.AddPoint(0, 0, 100);
        route.AddPoint(100, 0, 100);
        const int script = t.game.Tree().AddResourceNode(nullptr, kTypeScripts)->Data.Index;
        t.game.Scripts().RenameResource(script, "helper");
        t.game.Scripts().ResourceAt(script)->Code = "return 7;";
        const int timeline = t.game.Tree().AddResourceNode(nullptr, kTypeTimeLines)->Data.Index;
        t.game.TimeLines().RenameResource(timeline, "clock");
        const int object = t.AddObject("thing", sprite);
        const int room = t.AddRoom("first", 320, 240);
        t.Place(room, object, 50, 60);
        t.AddRoom("second", 100, 80);
    }
    void Start() { world = t.Start(); }
    Instance* Self() { return world->Instances().empty() ? nullptr : world->Instances().front().get(); }
    Value Run(const std::string& expression) { return Eval(*world, Self(), expression); }
    // Runs statements as the instance; the error they report, or "".
    std::string Do(const std::string& code) { return RunForError(*world, t.shell, Self(), code); }
    CSprite& Sprite(int index) { return *t.game.Sprites().ResourceAt(index); }

    TestGame t;
    std::unique_ptr<World> world;
};

struct Case {
    std::string code;
    Value expected;
};

void ExpectCases(ResourceGame& g, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Value got = g.Run(c.code);
        if (c.expected.IsString()) EXPECT_EQ(got.Text(), c.expected.Text()) << c.code;
        else EXPECT_DOUBLE_EQ(got.Real(), c.expected.Real()) << c.code;
    }
}

TEST(ResourceFunctions, NamesExistenceAndRecordsReadAsTheGameHoldsThem) {
    ResourceGame g;
    g.Sprite(0).PreciseCollision = false;
    g.Start();
    ExpectCases(g, {
        {"sprite_name(0)", Value("spr")},         {"sprite_name(5)", Value("<undefined>")},
        {"background_name(0)", Value("back")},    {"path_name(0)", Value("route")},
        {"script_name(0)", Value("helper")},      {"timeline_name(0)", Value("clock")},
        {"object_name(0)", Value("thing")},       {"room_name(1)", Value("second")},
        {"script_get_name(0)", Value("helper")},  {"timeline_get_name(-1)", Value("<undefined>")},
        {"script_exists(0)", 1.0},                {"script_exists(1)", 0.0},
        {"path_exists(0)", 1.0},                  {"timeline_exists(3)", 0.0},
        {"script_get_text(0)", Value("return 7;")},
        {"sprite_get_bbox_left(0)", 0.0},         {"sprite_get_bbox_right(0)", 7.0},
        {"sprite_get_bbox_bottom(0)", 5.0},       {"sprite_get_precise(0)", 0.0},
        {"sprite_get_transparent(0)", 0.0},       {"sprite_get_bbox_mode(0)", 0.0},
        {"sprite_get_videomem(0)", 1.0},          {"background_get_transparent(0)", 0.0},
    });
}

TEST(ResourceFunctions, BadIndexesAndArgumentsFailWithAMessage) {
    ResourceGame g;
    g.Start();
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"sprite_get_bbox_left(9)", "Sprite 9 does not exist."},
        {"background_mirror(-1)", "Background -1 does not exist."},
        {"script_get_text(4)", "Script 4 does not exist."},
        {"sprite_set_bbox_mode(0, 5)", "Bounding box mode must be 0, 1 or 2."},
        {"sprite_stretch(0, 100000, 10, 1)", "Image size not allowed: 100000 by 10."},
        {"sprite_scale(0, 0, 1, 1, 7, 1)", "Scale factors must be above 0."},
        {"background_create_color(0, 10, 0, 0, 0, 0)", "Image size not allowed: 0 by 10."},
        {"background_create_gradient(10, 10, 0, 0, 9, 0, 0, 0)", "Unknown gradient kind: 9"},
        {"sprite_add(\"missing.png\", 1, 0, 0, 0, 0, 0, 0)", "Cannot find the file missing.png."},
        {"sprite_create_from_screen(0, 0, 4, 4, 0, 0, 0, 0, 0, 0)", "There is no screen to copy from."},
        {"sound_add(\"missing.wav\", 1, 0, 0)", "Cannot find the sound file missing.wav."},
        {"path_get_point_x(0, 2)", "Path point 2 does not exist."},
        {"path_set_kind(0, 3)", "Path kind must be 0 or 1."},
        {"path_rotate(0, power(10, 400))", "Path argument 1 is not a number."},
        {"object_set_parent(0, 0)", "Object 0 cannot be the parent of object 0."},
        {"object_set_sprite(0, 12)", "Sprite 12 does not exist."},
        {"object_event_add(0, 99, 0, \"x = 1\")", "There is no event of type 99 and number 0."},
        {"object_event_add(0, 4, 7, \"x = 1\")", "There is no event of type 4 and number 7."},
        {"timeline_moment_add(0, -1, \"x = 1\")", "A moment's step must be 0 or more: -1"},
        {"room_set_width(1, 100000)", "Room size not allowed: 100000 by 80."},
        {"room_set_background(0, 8, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1)", "There is no background layer 8."},
        {"room_instance_add(1, 0, 0, 5)", "Object 5 does not exist."},
        {"tile_get_x(5)", "Tile 5 does not exist."},
        {"tile_add(3, 0, 0, 16, 16, 0, 0, 0)", "Background 3 does not exist."},
    };
    for (const auto& [code, message] : cases) EXPECT_EQ(g.Do(code), message) << code;
    // A compile error names the function that was given the code.
    EXPECT_EQ(g.Do("object_event_add(0, 3, 0, \"x = \")").rfind("Cannot compile the code given to object_event_add", 0), 0u);
    EXPECT_EQ(g.Do("room_set_code(1, \"if\")").rfind("Cannot compile the code given to room_set_code", 0), 0u);
}

TEST(ResourceFunctions, PictureChangesReachTheRecordAndTheDecodedSprite) {
    ResourceGame g;
    g.Start();
    // Mirrored, the blue half is on the left; the instance sees the new frames.
    g.Do("sprite_mirror(0)");
    Image frame = g.Sprite(0).GetImage(0);
    EXPECT_EQ(frame->Pixel(0, 0), kBlue);
    EXPECT_EQ(frame->Pixel(7, 0), kRed);
    ExpectCases(g, {
        {"sprite_stretch(0, 16, 12, 1)", 0.0},  {"sprite_get_width(0)", 16.0},
        {"sprite_width", 16.0},                 {"bbox_right", 50.0 + 15},
        {"sprite_rotate90(0, 1, 1)", 0.0},      {"sprite_get_width(0)", 12.0},
        {"sprite_get_height(0)", 16.0},         {"sprite_set_offset(0, 3, 4)", 0.0},
        {"sprite_xoffset", 3.0},                {"sprite_set_bbox(0, 1, 2, 5, 6)", 0.0},
        {"sprite_get_bbox_mode(0)", 2.0},       {"bbox_left", 50.0 - 3 + 1},
        {"sprite_duplicate(0)", 1.0},           {"sprite_merge(1, 0)", 0.0},
        {"sprite_get_number(1)", 2.0},          {"sprite_assign(0, 1)", 0.0},
        {"image_number", 2.0},                  {"sprite_delete(1)", 0.0},
        {"sprite_exists(1)", 0.0},              {"background_create_color(20, 10, 255, 0, 0, 0)", 1.0},
        {"background_get_width(1)", 20.0},      {"background_stretch(1, 40, 5, 1)", 0.0},
        {"background_get_width(1)", 40.0},      {"background_get_height(1)", 5.0},
        {"background_create_gradient(4, 4, 0, 16777215, 0, 0, 0, 0)", 2.0},
        {"background_delete(2)", 0.0},          {"background_exists(2)", 0.0},
    });
    EXPECT_EQ(g.t.game.Backgrounds().ResourceAt(1)->GetImage()->Pixel(0, 0), kRed);
    // Colour changes use the editors' operations: black and white keeps no colour.
    g.Do("sprite_black_white(0)");
    Image grey = g.Sprite(0).GetImage(0);
    const ColorValue c = grey->Pixel(0, 0);
    EXPECT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c));
}

TEST(ResourceFunctions, SpritesAndBackgroundsLoadFromPictureFiles) {
    kestrin::test::TempDir dir;
    Bitmap24 strip(40, 10, kRed);
    strip.FillRect(10, 0, 20, 10, kBlue);
    const std::string file = dir.File("strip.bmp");
    const std::vector<std::uint8_t> bytes = EncodeBmp(strip);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ResourceGame g;
    g.Start();
    ExpectCases(g, {
        {"sprite_add(\"" + file + "\", 4, 1, 0, 0, 0, 5, 5)", 1.0},
        {"sprite_get_number(1)", 4.0},
        {"sprite_get_width(1)", 10.0},
        {"sprite_get_xoffset(1)", 5.0},
        {"sprite_replace(0, \"" + file + "\", 1, 0, 0, 0, 0, 0, 0)", 0.0},
        {"sprite_get_width(0)", 40.0},
        {"background_add(\"" + file + "\", 0, 0, 0)", 1.0},
        {"background_get_width(1)", 40.0},
    });
    EXPECT_EQ(g.Sprite(1).GetImage(1)->Pixel(0, 0), kBlue);
}

TEST(ResourceFunctions, PathsChangeTheirPointsAndAnswerPositions) {
    ResourceGame g;
    g.Start();
    ExpectCases(g, {
        {"path_get_length(0)", 100.0},           {"path_get_x(0, 0.25)", 25.0},
        {"path_get_x(0, 7)", 100.0},             {"path_add_point(0, 100, 50, 50)", 0.0},
        {"path_get_number(0)", 3.0},             {"path_get_length(0)", 150.0},
        {"path_get_point_speed(0, 2)", 50.0},    {"path_insert_point(0, 0, -10, 0, 100)", 0.0},
        {"path_get_point_x(0, 0)", -10.0},       {"path_delete_point(0, 0)", 0.0},
        {"path_shift(0, 5, 5)", 0.0},            {"path_get_point_y(0, 0)", 5.0},
        {"path_reverse(0)", 0.0},                {"path_get_point_x(0, 0)", 105.0},
        {"path_get_y(0, 0)", 55.0},              {"path_add()", 1.0},
        {"path_assign(1, 0)", 0.0},              {"path_append(1, 0)", 0.0},
        {"path_get_number(1)", 6.0},             {"path_scale(1, 2, 2)", 0.0},  // about the centre, x 55
        {"path_get_point_x(1, 0)", 155.0},       {"path_set_closed(1, 0)", 0.0},
        {"path_get_closed(1)", 0.0},             {"path_set_kind(1, 1)", 0.0},
        {"path_get_kind(1)", 1.0},               {"path_set_precision(1, 99)", 0.0},
        {"path_get_precision(1)", 8.0},          {"path_duplicate(1)", 2.0},
        {"path_clear_points(2)", 0.0},           {"path_get_number(2)", 0.0},
        {"path_delete(2)", 0.0},                 {"path_exists(2)", 0.0},
    });
    // Scaling without end would leave the doubles: refused, the path unchanged.
    EXPECT_EQ(g.Do("repeat (20) path_scale(0, power(10, 20), power(10, 20))"),
              "The path would leave the numbers behind.");
    EXPECT_TRUE(std::isfinite(g.t.game.Paths().ResourceAt(0)->Length()));
}

TEST(ResourceFunctions, ObjectsAndTimeLinesTakeCodeAddedWhileTheGameRuns) {
    ResourceGame g;
    g.Start();
    ExpectCases(g, {
        {"object_add()", 1.0},
        {"object_event_add(1, 0, 0, \"made = 1; steps = 0;\")", 0.0},
        {"object_event_add(1, 3, 0, \"steps += 1;\")", 0.0},
        {"object_set_solid(1, 1)", 0.0},
        {"object_get_solid(1)", 1.0},
        {"object_set_depth(1, -5)", 0.0},
        {"object_get_depth(1)", -5.0},
        {"object_set_parent(0, 1)", 0.0},
        {"object_get_parent(0)", 1.0},
        {"object_is_ancestor(0, 1)", 1.0},
    });
    EXPECT_EQ(g.Do("global.made = instance_create(0, 0, 1); global.made = global.made.made;"), "");
    EXPECT_DOUBLE_EQ(g.Run("global.made").Real(), 1.0);
    // The placed instance now inherits its parent's step event.
    g.Do("steps = 0");
    g.world->Step();
    EXPECT_DOUBLE_EQ(g.Run("steps").Real(), 1.0);
    g.Do("object_event_clear(1, 3, 0)");
    g.world->Step();
    EXPECT_DOUBLE_EQ(g.Run("steps").Real(), 1.0);
    // A time line built in code runs its moments.
    EXPECT_EQ(g.Do("timeline_moment_add(0, 1, \"ticked = 1;\"); ticked = 0; timeline_index = 0; timeline_position = 0;"), "");
    g.world->Step();
    g.world->Step();
    EXPECT_DOUBLE_EQ(g.Run("ticked").Real(), 1.0);
    g.Do("timeline_moment_clear(0, 1)");
    EXPECT_EQ(g.t.game.TimeLines().ResourceAt(0)->MomentCount(), 0);
}

TEST(ResourceFunctions, AnEventThatClearsOrDeletesItselfFinishesAndTheChangeFollowsAtTheStepsEnd) {
    ResourceGame g;
    // The running step event clears itself, adds to itself and deletes its
    // object; the actions after it still run.
    g.t.AddCode(0, kEventStep, 0,
                "object_event_clear(0, 3, 0); object_event_add(0, 3, 0, \"later += 1;\"); after = 1;");
    g.t.AddCode(0, kEventStep, 0, "second += 1;");
    g.t.AddCode(0, kEventCreate, 0, "later = 0; second = 0;");
    g.Start();
    g.world->Step();
    EXPECT_DOUBLE_EQ(g.Run("after").Real(), 1.0);
    EXPECT_DOUBLE_EQ(g.Run("second").Real(), 1.0);
    g.world->Step();
    EXPECT_DOUBLE_EQ(g.Run("later").Real(), 1.0);
    EXPECT_DOUBLE_EQ(g.Run("second").Real(), 1.0);
    g.Do("object_delete(0)");
    g.world->Step();
    EXPECT_DOUBLE_EQ(g.Run("object_exists(0)").Real(), 0.0);
}

TEST(ResourceFunctions, RoomsMadeAndChangedInCodeAreEnteredAsChanged) {
    ResourceGame g;
    g.Start();
    ExpectCases(g, {
        {"room_add()", 2.0},
        {"room_set_width(2, 64)", 0.0},
        {"room_set_height(2, 48)", 0.0},
        {"room_set_caption(2, \"made\")", 0.0},
        {"room_instance_add(2, 10, 20, 0) > 100000", 1.0},
        {"room_tile_add(2, 0, 0, 0, 8, 8, 4, 4, 10) > 10000000", 1.0},
        {"room_set_code(2, \"global.entered = room;\")", 0.0},
        {"room_duplicate(2)", 3.0},
    });
    // The copy's placed instance has an id of its own.
    EXPECT_NE(g.t.game.Rooms().ResourceAt(3)->GetInstance(0).Id, g.t.game.Rooms().ResourceAt(2)->GetInstance(0).Id);
    g.Do("room_goto(2)");
    g.world->Step();
    EXPECT_EQ(g.world->Room().index, 2);
    EXPECT_EQ(g.world->Room().width, 64);
    EXPECT_EQ(g.world->Room().tiles.size(), 1u);
    ASSERT_EQ(g.world->Instances().size(), 1u);
    EXPECT_EQ(g.world->Instances()[0]->x, 10);
    ExpectCases(g, {{"room_caption", Value("made")}, {"global.entered", 2.0}, {"room_next(2)", 3.0}});
    g.Do("room_instance_clear(3); room_tile_clear(3)");
    EXPECT_EQ(g.t.game.Rooms().ResourceAt(3)->InstanceCount(), 0);
    EXPECT_EQ(g.t.game.Rooms().ResourceAt(3)->TileCount(), 0);
}

TEST(ResourceFunctions, TilesOfTheRoomBeingPlayedAreFoundChangedAndDeletedByTheirIds) {
    ResourceGame g;
    g.Start();
    g.Do("global.a = tile_add(0, 0, 0, 16, 16, 10, 10, 5); global.b = tile_add(0, 0, 0, 16, 16, 20, 20, 1);");
    ExpectCases(g, {
        {"tile_exists(global.a)", 1.0},           {"tile_get_x(global.a)", 10.0},
        {"tile_get_depth(global.b)", 1.0},        {"tile_get_background(global.b)", 0.0},
        // Both cover (22, 22): the smaller depth is in front.
        {"tile_find(22, 22, 1) == global.b", 1.0}, {"tile_find(22, 22, 0) == global.a", 1.0},
        {"tile_find(0, 0, 1)", -1.0},              {"tile_layer_find(5, 22, 22) == global.a", 1.0},
        {"tile_layer_shift(5, 100, 0)", 0.0},      {"tile_get_x(global.a)", 110.0},
        {"tile_set_region(global.a, 1, 2, 3, 4)", 0.0}, {"tile_get_height(global.a)", 4.0},
        {"tile_layer_depth(5, 7)", 0.0},           {"tile_get_depth(global.a)", 7.0},
        {"tile_set_position(global.b, 0, 0)", 0.0}, {"tile_delete_at(5, 5, 1)", 0.0},
        {"tile_exists(global.b)", 0.0},            {"tile_layer_delete(7)", 0.0},
        {"tile_exists(global.a)", 0.0},
    });
}

// Records a frame by drawing the room into a picture of its size.
Bitmap24 DrawStep(World& world) {
    int width, height;
    world.FrameSize(width, height);
    Bitmap24 frame(width, height);
    ImageCanvas canvas(frame);
    world.Step(&canvas);
    return frame;
}

TEST(ResourceFunctions, AGameChangesASpriteAndAPathWhileItPlays) {
    ResourceGame g;
    // Step 3 widens the sprite and moves the path 40 down; the instance
    // follows the path from where it was, now 40 lower.
    g.t.AddCode(0, kEventCreate, 0, "path_start(0, 10, 0, 1); n = 0;");
    g.t.AddCode(0, kEventStep, 0, "n += 1; if (n == 3) { sprite_stretch(0, 16, 6, 1); path_shift(0, 0, 40); }");
    g.Start();
    for (int i = 0; i < 2; ++i) DrawStep(*g.world);
    Instance& self = *g.Self();
    EXPECT_DOUBLE_EQ(self.x, 20);
    EXPECT_DOUBLE_EQ(self.y, 0);
    const Bitmap24 frame = DrawStep(*g.world);
    EXPECT_DOUBLE_EQ(self.x, 30);
    EXPECT_DOUBLE_EQ(self.y, 40);
    // Drawn at (30, 40) with the new 16-pixel width: red to 37, blue from 38 to 45.
    EXPECT_EQ(frame.Pixel(30, 40), kRed);
    EXPECT_EQ(frame.Pixel(45, 40), kBlue);
    EXPECT_NE(frame.Pixel(46, 40), kBlue);
    // An emptied path stops the instance where it is.
    g.Do("path_clear_points(0)");
    g.world->Step();
    EXPECT_EQ(self.pathIndex, -1);
    EXPECT_DOUBLE_EQ(self.x, 30);
}

TEST(ResourceFunctions, AddingWithoutEndMeetsTheBudget) {
    ResourceGame g;
    g.Start();
    EXPECT_EQ(g.Do("repeat (2000) path_add()"), "Too many resources added while the game runs.");
    EXPECT_EQ(g.Do("repeat (2000) path_add_point(0, 1, 1, 100)"), "Too many path points.");
    EXPECT_EQ(g.Do("repeat (300000) tile_add(0, 0, 0, 1, 1, 0, 0, 0)"), "Too many tiles added.");
}

TEST(ResourceFunctions, HostileArgumentsFailOrAreHeldWithinBounds) {
    ResourceGame g;
    g.Start();
    // Each either fails with a message or leaves the records within their
    // bounds; none may crash, hang or allocate without end.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"sprite_scale(0, power(10, 400), 1, 99, 5, 1)", "Image size not allowed: inf by 6."},
        {"background_create_gradient(16384, 16384, 0, 255, 0, 0, 0, 0)", "Image size not allowed: 16384 by 16384."},
        {"repeat (30) sprite_merge(0, 0)", "The sprite would be too large."},
        {"sprite_resize(0, -5, -5, 5)", "Image size not allowed: -5 by -5."},
        {"timeline_moment_add(0, power(10, 400), \"x = 1\")", "A moment's step must be 0 or more: inf"},
        {"path_insert_point(0, 2000000000, 0, 0, 100)", "Path point 2000000000 does not exist."},
        {"object_event_add(0, 3, power(10, 400), \"\")", "There is no event of type 3 and number inf."},
        {"sprite_rotate(0, power(10, 400), 1000000)", ""},
        {"sprite_blur(0, 1000000000)", ""},
        {"sprite_shift(0, 2000000000, -2000000000)", ""},
        {"sprite_set_hue_partial(0, -1000, 1000, power(10, 400))", ""},
        {"tile_add(0, 0, 0, 16, 16, 0, 0, 0); repeat (3) tile_layer_shift(0, 2000000000, 2000000000)", ""},
        {"room_set_view(0, 0, 1, 0, 0, 100, 100, 1500000000, -5, 0, 0, 0, 0, -1)", ""},
    };
    for (const auto& [code, message] : cases) EXPECT_EQ(g.Do(code), message) << code;
    EXPECT_LE(g.Sprite(0).Width * g.Sprite(0).Height * g.Sprite(0).FrameCount(), kMaxResourcePixels);
    const RoomView view = g.t.Room(0).GetView(0);
    EXPECT_EQ(view.PortX, kMaxImageSide);
    EXPECT_EQ(view.PortY, 0);
    EXPECT_FALSE(g.world->Ended());
}

}  // namespace
}  // namespace kestrin::engine
