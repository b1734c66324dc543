// Drawing as the player sees it: images scaled, mirrored, turned and
// see-through on the image canvas; instances drawn and hit with their scale;
// views drawing into their ports; the drawing functions and text measures;
// saving the screen and asking for room transitions.

#include <gtest/gtest.h>

#include "engine/canvas.h"
#include "engine/text_layout.h"
#include "engine_fixture.h"
#include "imaging/picture.h"
#include "resources/event_types.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

const ColorValue kBack = MakeColor(0, 0, 0);
const ColorValue A = MakeColor(255, 0, 0), B = MakeColor(0, 255, 0), C = MakeColor(0, 0, 255);
const ColorValue D = MakeColor(255, 255, 0), E = MakeColor(0, 255, 255), F = MakeColor(255, 0, 255);

// Three by two pixels, all different:  A B C / D E F. D, the bottom-left
// one, is the see-through colour.
Bitmap24 Pattern() {
    Bitmap24 image(3, 2);
    const ColorValue colors[2][3] = {{A, B, C}, {D, E, F}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.SetPixel(x, y, colors[y][x]);
    return image;
}

int AddPatternSprite(TestGame& t, bool seeThrough) {
    Bitmap24 frame = Pattern();
    int index = t.game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    CSprite& sprite = *t.game.Sprites().ResourceAt(index);
    sprite.AddImage(&frame);
    sprite.SetTransparent(seeThrough);
    return index;
}

struct Probe {
    int x, y;
    ColorValue color;
};

struct TransformCase {
    const char* name;
    ImageTransform transform;
    bool seeThrough;
    std::vector<Probe> probes;
};

TEST(ImageCanvas, DrawsImagesScaledMirroredTurnedAndBlended) {
    const ColorValue halfA = MakeColor(128, 0, 0);
    // The pattern's top-left corner (its origin) goes to (10, 10).
    const std::vector<TransformCase> cases = {
        {"plain", {}, false, {{10, 10, A}, {12, 10, C}, {10, 11, D}, {12, 11, F}, {13, 10, kBack}, {9, 10, kBack}}},
        {"see-through", {}, true, {{10, 10, A}, {10, 11, kBack}, {11, 11, E}}},
        {"twice as wide", {0, 0, 2, 1, 0, 1}, false, {{11, 10, A}, {12, 10, B}, {15, 10, C}, {16, 10, kBack}}},
        {"mirrored", {0, 0, -1, 1, 0, 1}, false, {{9, 10, A}, {7, 10, C}, {7, 11, F}, {10, 10, kBack}}},
        {"flipped", {0, 0, 1, -1, 0, 1}, false, {{10, 9, A}, {10, 8, D}, {12, 8, F}, {10, 10, kBack}}},
        {"quarter turn", {0, 0, 1, 1, 90, 1}, false, {{10, 9, A}, {10, 7, C}, {11, 9, D}, {11, 7, F}, {10, 10, kBack}}},
        {"half turn", {0, 0, 1, 1, 180, 1}, false, {{9, 9, A}, {7, 9, C}, {9, 8, D}, {10, 10, kBack}}},
        {"turned about its origin", {1, 1, 1, 1, 180, 1}, false, {{10, 10, A}, {9, 10, B}, {9, 9, E}, {8, 9, F}}},
        {"half opaque", {0, 0, 1, 1, 0, 0.5}, false, {{10, 10, halfA}}},
        {"invisible", {0, 0, 1, 1, 0, 0}, false, {{10, 10, kBack}}},
        // The see-through colour is the image's own, before the tint.
        {"tinted", {0, 0, 1, 1, 0, 1, MakeColor(128, 255, 64)}, true,
         {{10, 10, MakeColor(128, 0, 0)}, {11, 11, MakeColor(0, 255, 64)}, {12, 11, MakeColor(128, 0, 64)},
          {10, 11, kBack}}},
        {"tinted, half opaque", {0, 0, 1, 1, 0, 0.5, MakeColor(128, 255, 64)}, false, {{10, 10, MakeColor(64, 0, 0)}}},
    };
    const Bitmap24 pattern = Pattern();
    for (const TransformCase& c : cases) {
        Bitmap24 frame(20, 20);
        ImageCanvas canvas(frame);
        canvas.DrawTransformed(pattern, DrawRect{0, 0, 3, 2}, 10, 10, c.transform, c.seeThrough);
        for (const Probe& p : c.probes)
            EXPECT_EQ(frame.Pixel(p.x, p.y), p.color) << c.name << " at " << p.x << "," << p.y;
    }
}

TEST(ImageCanvas, PortsClipAndShiftWhatIsDrawn) {
    Bitmap24 frame(20, 10);
    ImageCanvas canvas(frame);
    canvas.BeginPort(DrawRect{10, 0, 15, 5});
    canvas.SetOrigin(100, 100);
    EXPECT_EQ(canvas.ClipRect(), (DrawRect{100, 100, 105, 105}));
    canvas.Rectangle(98, 98, 200, 200, A, false);
    // Not in the frame until the port ends.
    EXPECT_EQ(frame.Pixel(10, 0), kBack);
    canvas.EndPort();
    EXPECT_EQ(frame.Pixel(10, 0), A);
    EXPECT_EQ(frame.Pixel(14, 4), A);
    EXPECT_EQ(frame.Pixel(9, 0), kBack);
    EXPECT_EQ(frame.Pixel(15, 0), kBack);
    EXPECT_EQ(frame.Pixel(10, 5), kBack);
}

TEST(WorldDraw, InstancesDrawAndCollideWithTheirScale) {
    TestGame t;
    const int sprite = AddPatternSprite(t, false);
    const int o = t.AddObject("o", sprite);
    const int room = t.AddRoom("room", 40, 40);
    t.Room(room).DrawColor = false;
    t.Place(room, o, 20, 20);
    auto world = t.Start();
    Instance* self = world->Instances()[0].get();

    struct Case {
        const char* code;
        double left, top, right, bottom;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases = {
        {"image_xscale = 1; image_yscale = 1", 20, 20, 22, 21, {{20, 20, A}, {22, 21, F}}},
        {"image_xscale = 2; image_yscale = 1", 20, 20, 25, 21, {{21, 20, A}, {25, 21, F}}},
        {"image_xscale = -1; image_yscale = 1", 17, 20, 19, 21, {{19, 20, A}, {17, 20, C}}},
        {"image_scale = 2", 20, 20, 25, 23, {{21, 21, A}, {25, 23, F}}},
        {"image_xscale = 1; image_yscale = -2", 20, 16, 22, 19, {{20, 19, A}, {20, 16, D}}},
        {"image_xscale = 1; image_yscale = 1; image_alpha = 0", 20, 20, 22, 21, {{20, 20, kBack}}},
    };
    for (const Case& c : cases) {
        world->Script().RunCode(c.code, self, "test");
        Bitmap24 frame(40, 40);
        ImageCanvas canvas(frame);
        world->Draw(canvas);
        for (const Probe& p : c.probes)
            EXPECT_EQ(frame.Pixel(p.x, p.y), p.color) << c.code << " at " << p.x << "," << p.y;
        EXPECT_EQ(Eval(*world, self, "bbox_left").Real(), c.left) << c.code;
        EXPECT_EQ(Eval(*world, self, "bbox_top").Real(), c.top) << c.code;
        EXPECT_EQ(Eval(*world, self, "bbox_right").Real(), c.right) << c.code;
        EXPECT_EQ(Eval(*world, self, "bbox_bottom").Real(), c.bottom) << c.code;
        world->Script().RunCode("image_alpha = 1", self, "test");
    }
}

TEST(WorldDraw, PreciseCollisionsFollowTheMirroredMask) {
    TestGame t;
    // A see-through pattern: its D pixel (bottom-left) is empty.
    const int sprite = AddPatternSprite(t, true);
    t.game.Sprites().ResourceAt(sprite)->PreciseCollision = true;
    const int dot = t.AddSprite(1, 1, true);
    const int o = t.AddObject("o", sprite);
    const int probe = t.AddObject("probe", dot);
    const int room = t.AddRoom("room", 40, 40);
    t.Place(room, o, 20, 20);
    auto world = t.Start();
    Instance* self = world->Instances()[0].get();
    // Unmirrored the empty pixel is at (20, 21); mirrored it is at (19, 21).
    EXPECT_FALSE(world->InstanceAtPoint(20, 21, o));
    EXPECT_TRUE(world->InstanceAtPoint(19.5, 21, o) == nullptr);
    self->imageXScale = -1;
    EXPECT_TRUE(world->InstanceAtPoint(20, 21, o) == nullptr);
    EXPECT_FALSE(world->InstanceAtPoint(19, 21, o));
    EXPECT_EQ(world->InstanceAtPoint(18, 21, o), self);
    Instance* p = world->CreateInstance(probe, 19, 21);
    ASSERT_TRUE(p);
    EXPECT_FALSE(world->Overlaps(*p, 19, 21, *self));
    EXPECT_TRUE(world->Overlaps(*p, 18, 21, *self));
}

// Precise sprites scaled up enormously, or placed far beyond any int, still
// collide in a test that ends, and the see-through part still misses.
TEST(WorldDraw, PreciseCollisionsOfHugeOrFarInstancesEnd) {
    TestGame t;
    const int sprite = AddPatternSprite(t, true);
    t.game.Sprites().ResourceAt(sprite)->PreciseCollision = true;
    const int o = t.AddObject("o", sprite);
    const int room = t.AddRoom("room", 40, 40);
    t.Place(room, o, 20, 20);
    t.Place(room, o, 20, 20);
    auto world = t.Start();
    Instance& a = *world->Instances()[0];
    Instance& b = *world->Instances()[1];
    for (double scale : {1e6, 1e12, 1e300}) {
        a.imageXScale = a.imageYScale = b.imageXScale = b.imageYScale = scale;
        EXPECT_TRUE(world->Overlaps(a, a.x, a.y, b)) << scale;
    }
    a.imageXScale = a.imageYScale = b.imageXScale = b.imageYScale = 1;
    for (double far : {3e9, 1e17}) {
        a.x = b.x = far;
        EXPECT_TRUE(world->Overlaps(a, a.x, a.y, b)) << far;
        EXPECT_FALSE(world->InstanceAtPoint(far, a.y + 1, o)) << far;  // the empty pixel
    }
}

// Room 100 x 100 with a red block at (5, 5) and one at (55, 55); view 0
// shows (0, 0) at port (0, 0), view 1 shows (50, 50) at port (30, 0).
struct TwoViews {
    TwoViews() {
        const int block = t.AddSprite(4, 4);
        const int o = t.AddObject("o", block);
        room = t.AddRoom("room", 100, 100);
        CRoom& r = t.Room(room);
        r.Color = MakeColor(0, 0, 128);
        r.ViewsEnabled = true;
        RoomView first = r.GetView(0), second = r.GetView(1);
        first.Visible = second.Visible = true;
        first.ViewX = first.ViewY = 0;
        second.ViewX = second.ViewY = 50;
        first.ViewW = first.ViewH = second.ViewW = second.ViewH = 20;
        first.PortX = first.PortY = 0;
        second.PortX = 30;
        second.PortY = 0;
        r.SetView(0, first);
        r.SetView(1, second);
        t.Place(room, o, 5, 5);
        t.Place(room, o, 55, 55);
    }
    TestGame t;
    int room = -1;
};

TEST(WorldDraw, EveryVisibleViewDrawsIntoItsPort) {
    TwoViews v;
    auto world = v.t.Start();
    int width = 0, height = 0;
    world->FrameSize(width, height);
    EXPECT_EQ(width, 50);
    EXPECT_EQ(height, 20);
    Bitmap24 frame(width, height);
    ImageCanvas canvas(frame);
    world->Draw(canvas);
    const ColorValue red = MakeColor(255, 0, 0), room = MakeColor(0, 0, 128);
    const std::vector<Probe> probes = {
        {5, 5, red}, {4, 5, room}, {19, 19, room},  // view 0
        {25, 5, kBack},                              // between the ports
        {35, 5, red}, {34, 5, room}, {39, 9, room},  // view 1
    };
    for (const Probe& p : probes) EXPECT_EQ(frame.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;

    // Moving a port moves the frame's box.
    world->Script().RunCode("view_x[1] = 60; view_y[1] = 10", nullptr, "test");
    world->FrameSize(width, height);
    EXPECT_EQ(width, 80);
    EXPECT_EQ(height, 30);
}

TEST(WorldDraw, TheMouseIsSeenThroughThePortThatHoldsIt) {
    TwoViews v;
    auto world = v.t.Start();
    struct Case {
        int frameX, frameY;
        double roomX, roomY;
    };
    // Outside every port the mouse goes through the first view.
    const std::vector<Case> cases = {{5, 5, 5, 5}, {35, 5, 55, 55}, {49, 19, 69, 69}, {25, 5, 25, 5}};
    for (const Case& c : cases) {
        world->Input().MoveMouse(c.frameX, c.frameY);
        EXPECT_EQ(Eval(*world, nullptr, "mouse_x").Real(), c.roomX) << c.frameX << "," << c.frameY;
        EXPECT_EQ(Eval(*world, nullptr, "mouse_y").Real(), c.roomY) << c.frameX << "," << c.frameY;
    }
}

TEST(WorldDraw, DrawEventsRunOncePerViewWithViewCurrent) {
    TwoViews v;
    const int watcher = v.t.AddObject("watcher");
    v.t.AddCode(watcher, kEventDraw, 0, "global.views += string(view_current)");
    v.t.Place(v.room, watcher, 0, 0);
    v.t.Room(v.room).CreationCode = "global.views = ''";
    auto world = v.t.Start();
    Bitmap24 frame(50, 20);
    ImageCanvas canvas(frame);
    world->Step(&canvas);
    EXPECT_EQ(Eval(*world, nullptr, "global.views").Text(), "01");
    EXPECT_EQ(Eval(*world, nullptr, "view_current").Real(), 0);
}

TEST(DrawingFunctions, SpritesAndBackgroundsInPartsStretchedAndTiled) {
    struct Case {
        const char* code;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases = {
        {"draw_sprite_ext(spr, 0, 10, 10, -2, 1, 1)", {{9, 10, A}, {8, 10, A}, {5, 10, C}, {10, 10, kBack}}},
        {"draw_sprite_scaled(spr, 0, 10, 10, 2)", {{11, 11, A}, {15, 13, F}, {16, 10, kBack}}},
        {"draw_sprite_alpha(spr, 0, 10, 10, 1, 1, 180, 1)", {{9, 9, A}, {7, 9, C}}},
        {"draw_sprite_stretched_ext(spr, 0, 0, 0, 6, 4, 1)", {{1, 1, A}, {5, 3, F}, {6, 0, kBack}}},
        {"draw_sprite_part(spr, 0, 1, 0, 2, 2, 10, 10)", {{10, 10, B}, {11, 11, F}, {12, 10, kBack}}},
        {"draw_sprite_part_ext(spr, 0, 2, 1, 1, 1, 10, 10, 3, 3, 1)", {{10, 10, F}, {12, 12, F}, {13, 10, kBack}}},
        {"draw_sprite_tiled(spr, 0, 1, 0)", {{1, 0, A}, {0, 0, C}, {4, 1, D}, {19, 19, D}, {18, 19, F}}},
        {"draw_background_part(bg, 0, 1, 2, 1, 5, 5)", {{5, 5, D}, {6, 5, E}, {7, 5, kBack}}},
        {"draw_background_ext(bg, 10, 10, 1, 2, 1)", {{10, 10, A}, {10, 11, A}, {10, 12, D}, {10, 14, kBack}}},
        {"draw_background_tiled_ext(bg, 0, 0, -1, 1, 1)", {{0, 0, C}, {2, 0, A}, {3, 0, C}}},
        {"brush_color = c_red; pen_color = c_lime; draw_roundrect(2, 2, 17, 17)",
         {{10, 10, A}, {10, 2, B}, {2, 2, kBack}}},
        {"draw_sprite(spr, 0, 0, 0); brush_color = c_blue; draw_fill(10, 10)", {{1, 0, B}, {19, 19, C}}},
        {"draw_sprite(spr, 0, 0, 0); pen_color = draw_getpixel(1, 1); draw_line(10, 10, 15, 10)",
         {{12, 10, E}, {12, 11, kBack}}},
        // Absurd numbers draw what they can and nothing more.
        {"big = power(10, 300); draw_sprite_part_ext(spr, 0, 1999999999, 0, 1999999999, 5, big, -big, big, 1 / big, 1);"
         "draw_sprite_ext(spr, 0, 5, 5, big, -big, 1)",
         {{10, 0, A}, {19, 4, A}, {4, 0, kBack}, {10, 5, kBack}}},
        // Far away is as far as a thousand million pixels, which is 1 more than a multiple of 3.
        {"draw_sprite_tiled_ext(spr, 0, power(10, 300), power(10, 300), 1, 1, 1)", {{1, 0, A}, {1, 1, D}, {0, 0, C}}},
    };
    for (const Case& c : cases) {
        TestGame t;
        const int sprite = AddPatternSprite(t, false);
        t.game.Sprites().RenameResource(sprite, "spr");
        const int background = t.game.Tree().AddResourceNode(nullptr, kTypeBackgrounds)->Data.Index;
        const Bitmap24 pattern = Pattern();
        t.game.Backgrounds().ResourceAt(background)->SetImage(&pattern);
        t.game.Backgrounds().RenameResource(background, "bg");
        const int painter = t.AddObject("painter");
        t.AddCode(painter, kEventDraw, 0, c.code);
        const int room = t.AddRoom("room", 20, 20);
        t.Room(room).DrawColor = false;
        t.Place(room, painter, 0, 0);
        auto world = t.Start();
        Bitmap24 frame(20, 20);
        ImageCanvas canvas(frame);
        world->Step(&canvas);
        EXPECT_TRUE(t.shell.messages.empty()) << c.code << ": " << t.shell.messages.front();
        for (const Probe& p : c.probes)
            EXPECT_EQ(frame.Pixel(p.x, p.y), p.color) << c.code << " at " << p.x << "," << p.y;
    }
}

TEST(DrawingFunctions, ColoursAreMadeMergedAndTakenApart) {
    TestGame t;
    t.AddRoom("room");
    auto world = t.Start();
    const std::vector<std::pair<const char*, double>> cases = {
        {"make_color_rgb(255, 128, 0)", 33023},
        {"make_color(300, -5, 1)", 65791},
        {"color_get_green(33023)", 128},
        {"color_get_blue(c_blue)", 255},
        {"merge_color(c_black, c_white, 0.5)", 8421504},
        {"make_color_hsv(0, 255, 255)", 255},
        {"color_get_hue(c_red)", 0},
        {"color_get_value(c_red)", 255},
        {"color_get_saturation(c_white)", 0},
        {"draw_getpixel(0, 0)", 0},
    };
    for (const auto& [code, expected] : cases) EXPECT_EQ(Eval(*world, nullptr, code).Real(), expected) << code;
}

TEST(TextLayout, LinesBreakWrapAndAlign) {
    // Headless estimate at size 12: 8 pixels a character, 18 a line.
    const EstimatedTextMetrics metrics;
    const TextFont font;
    struct Case {
        const char* text;
        int align, separation, width;
        std::vector<TextLine> lines;
        int blockWidth, blockHeight;
    };
    const std::vector<Case> cases = {
        {"abc", kAlignLeft, -1, -1, {{"abc", 100, 50}}, 24, 18},
        {"ab#cd\\#e", kAlignLeft, -1, -1, {{"ab", 100, 50}, {"cd#e", 100, 68}}, 32, 36},
        {"aa bb cc", kAlignLeft, 20, 40, {{"aa bb", 100, 50}, {"cc", 100, 70}}, 40, 38},
        {"toolongword x", kAlignLeft, -1, 40, {{"toolongword", 100, 50}, {"x", 100, 68}}, 88, 36},
        {"abcd", kAlignCenter, -1, -1, {{"abcd", 84, 50}}, 32, 18},
        {"abcd#ab", kAlignRight, -1, -1, {{"abcd", 68, 50}, {"ab", 84, 68}}, 32, 36},
    };
    for (const Case& c : cases) {
        const TextBlock block = LayOutText(c.text, 100, 50, c.align, c.separation, c.width, metrics, font);
        ASSERT_EQ(block.lines.size(), c.lines.size()) << c.text;
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(block.lines[i].text, c.lines[i].text) << c.text;
            EXPECT_EQ(block.lines[i].x, c.lines[i].x) << c.text;
            EXPECT_EQ(block.lines[i].y, c.lines[i].y) << c.text;
        }
        EXPECT_EQ(block.width, c.blockWidth) << c.text;
        EXPECT_EQ(block.height, c.blockHeight) << c.text;
    }
}

TEST(DrawingFunctions, StringMeasuresFollowTheFontSize) {
    TestGame t;
    t.AddRoom("room");
    auto world = t.Start();
    EXPECT_EQ(Eval(*world, nullptr, "string_width('abc')").Real(), 24);
    EXPECT_EQ(Eval(*world, nullptr, "string_height('a#b')").Real(), 36);
    world->Script().RunCode("font_size = 24", nullptr, "test");
    EXPECT_EQ(Eval(*world, nullptr, "string_width('abc')").Real(), 48);
    EXPECT_EQ(Eval(*world, nullptr, "string_width_ext('aa bb cc', -1, 80)").Real(), 80);
    EXPECT_EQ(Eval(*world, nullptr, "string_height_ext('aa bb cc', 40, 80)").Real(), 76);
}

TEST(DrawingFunctions, ScreenSaveWritesTheFrame) {
    kestrin::test::TempDir dir;
    TestGame t;
    const int block = t.AddSprite(4, 4);
    const int o = t.AddObject("o", block);
    const int room = t.AddRoom("room", 20, 10);
    t.Room(room).Color = MakeColor(0, 0, 128);
    t.Place(room, o, 2, 2);
    t.AddCode(o, kEventStep, 0, "screen_save('" + dir.File("shot.png") + "'); screen_save_part('" +
                                    dir.File("part.bmp") + "', 1, 1, 3, 2)");
    auto world = t.Start();
    Bitmap24 frame(20, 10);
    ImageCanvas canvas(frame);
    // Headless play has no frame to save.
    world->Step();
    EXPECT_FALSE(ReadPictureFile(dir.File("shot.png")));
    // The first drawn step saves the empty canvas; the next one the frame it drew.
    world->Step(&canvas);
    world->Step(&canvas);
    const auto shot = ReadPictureFile(dir.File("shot.png"));
    ASSERT_TRUE(shot);
    EXPECT_TRUE(*shot->image == frame);
    const auto part = ReadPictureFile(dir.File("part.bmp"));
    ASSERT_TRUE(part);
    ASSERT_EQ(part->image->Width(), 3);
    ASSERT_EQ(part->image->Height(), 2);
    EXPECT_EQ(part->image->Pixel(0, 0), MakeColor(0, 0, 128));
    EXPECT_EQ(part->image->Pixel(1, 1), MakeColor(255, 0, 0));
}

TEST(WorldDraw, ARoomChangeHandsOnTheTransitionAskedFor) {
    TestGame t;
    t.AddRoom("first");
    t.AddRoom("second");
    auto world = t.Start();
    world->Script().RunCode("transition_kind = 5; transition_steps = 8; room_goto_next()", nullptr, "test");
    world->Step();
    EXPECT_EQ(world->Room().name, "second");
    int frames = 0;
    EXPECT_EQ(world->TakeRoomTransition(frames), 5);
    EXPECT_EQ(frames, 8);
    // Taken once; a change with kind 0 asks for none.
    EXPECT_EQ(world->TakeRoomTransition(frames), 0);
    world->Script().RunCode("transition_kind = 0; room_goto_previous()", nullptr, "test");
    world->Step();
    EXPECT_EQ(world->Room().name, "first");
    EXPECT_EQ(world->TakeRoomTransition(frames), 0);
}

}  // namespace
}  // namespace kestrin::engine
