// The further shapes drawn into a frame (triangles, arcs, chords, pies,
// even-odd polygons, buttons, paths), text made of a sprite's frames, the
// saved drawing settings, turned text, the screen's gamma and mode, and the
// errors of calls that cannot be done.

#include <gtest/gtest.h>

#include "engine/canvas.h"
#include "engine_fixture.h"
#include "resources/event_types.h"
#include "resources/path.h"

namespace kestrin::engine {
namespace {

using test::TestGame;

const ColorValue kBack = MakeColor(0, 0, 0);
const ColorValue kRed = MakeColor(255, 0, 0), kLime = MakeColor(0, 255, 0), kBlue = MakeColor(0, 0, 255);

struct Probe {
    int x, y;
    ColorValue color;
};

// A 20 by 20 room whose one instance runs the code in its draw event; the
// frame of one step.
struct ShapeGame {
    explicit ShapeGame(const std::string& code) {
        Bitmap24 glyph(3, 2, kRed);
        const int sprite = t.game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
        t.game.Sprites().ResourceAt(sprite)->AddImage(&glyph);
        t.game.Sprites().ResourceAt(sprite)->SetTransparent(false);
        t.game.Sprites().RenameResource(sprite, "letters");
        const int path = t.game.Tree().AddResourceNode(nullptr, kTypePaths)->Data.Index;
        CPath& line = *t.game.Paths().ResourceAt(path);
        line.AddPoint(0, 0, 100);
        line.AddPoint(10, 0, 100);
        line.SetClosed(false);
        t.game.Paths().RenameResource(path, "stroke");
        const int painter = t.AddObject("painter");
        t.AddCode(painter, kEventDraw, 0, code);
        const int room = t.AddRoom("room", 20, 20);
        t.Room(room).DrawColor = false;
        t.Place(room, painter, 0, 0);
        world = t.Start();
        ImageCanvas canvas(frame);
        world->Step(&canvas);
    }
    TestGame t;
    std::unique_ptr<World> world;
    Bitmap24 frame{20, 20};
};

TEST(DrawingShapes, ShapesFillWithTheBrushAndOutlineWithThePen) {
    struct Case {
        const char* code;
        std::vector<Probe> probes;
    };
    const std::string colours = "brush_color = c_red; pen_color = c_lime;";
    const std::vector<Case> cases = {
        {"draw_triangle(0, 0, 19, 0, 0, 19)", {{3, 3, kRed}, {10, 0, kLime}, {0, 10, kLime}, {15, 15, kBack}}},
        {"brush_style = bs_hollow; draw_triangle(0, 0, 19, 0, 0, 19)", {{3, 3, kBack}, {10, 0, kLime}}},
        // A quarter from the east counter-clockwise to the north.
        {"draw_pie(0, 0, 18, 18, 18, 9, 9, 0)", {{14, 5, kRed}, {16, 5, kRed}, {5, 5, kBack}, {5, 14, kBack}}},
        {"draw_chord(0, 0, 18, 18, 18, 9, 9, 0)", {{16, 5, kRed}, {10, 7, kBack}, {5, 14, kBack}}},
        {"draw_arc(0, 0, 18, 18, 18, 9, 9, 0)", {{18, 9, kLime}, {9, 0, kLime}, {14, 5, kBack}, {0, 9, kBack}}},
        // The same two directions go round the whole ellipse.
        {"draw_arc(0, 0, 18, 18, 18, 9, 18, 9)", {{18, 9, kLime}, {0, 9, kLime}, {9, 9, kBack}}},
        // The inner square lies inside twice: even-odd leaves it empty.
        {"draw_polygon_begin(); draw_polygon_vertex(0, 0); draw_polygon_vertex(19, 0);"
         "draw_polygon_vertex(19, 19); draw_polygon_vertex(0, 19); draw_polygon_vertex(0, 0);"
         "draw_polygon_vertex(5, 5); draw_polygon_vertex(14, 5); draw_polygon_vertex(14, 14);"
         "draw_polygon_vertex(5, 14); draw_polygon_vertex(5, 5); draw_polygon_end()",
         {{2, 10, kRed}, {10, 10, kBack}, {19, 10, kLime}, {5, 10, kLime}}},
        // Begin forgets the vertices of a polygon never ended.
        {"draw_polygon_vertex(19, 19); draw_polygon_begin(); draw_polygon_vertex(0, 0); draw_polygon_vertex(9, 0);"
         "draw_polygon_vertex(9, 9); draw_polygon_vertex(0, 9); draw_polygon_end(); draw_polygon_end()",
         {{4, 4, kRed}, {15, 15, kBack}}},
        {"brush_color = make_color_rgb(100, 100, 100); draw_button(2, 2, 17, 17, true)",
         {{10, 10, MakeColor(100, 100, 100)}, {2, 10, MakeColor(178, 178, 178)}, {17, 10, MakeColor(50, 50, 50)}}},
        {"brush_color = make_color_rgb(100, 100, 100); draw_button(2, 2, 17, 17, false)",
         {{2, 10, MakeColor(50, 50, 50)}, {10, 17, MakeColor(178, 178, 178)}}},
        {"draw_path(stroke, 0, 0, true)", {{0, 0, kLime}, {10, 0, kLime}, {11, 0, kBack}, {5, 5, kBack}}},
        {"draw_path(stroke, 5, 5, false)", {{5, 5, kLime}, {15, 5, kLime}, {0, 0, kBack}}},
        // One frame, for "A": "B" leaves a gap; "#" starts a line one letter high.
        {"draw_text_sprite(0, 0, 'ABA#A', letters, 'A', -1, -1, 1)",
         {{0, 0, kRed}, {2, 1, kRed}, {3, 0, kBack}, {6, 0, kRed}, {9, 0, kBack}, {0, 2, kRed}, {0, 4, kBack}}},
        {"draw_text_sprite(0, 0, 'AA', letters, ord('A'), -1, -1, 2)", {{11, 3, kRed}, {12, 0, kBack}}},
        {"draw_text_sprite(0, 0, 'A A A', letters, 'A', 5, 5, 1)", {{0, 0, kRed}, {0, 5, kRed}, {0, 10, kRed}}},
        {"pen_color = c_blue; push_graphics_settings(); pen_color = c_red; pop_graphics_settings();"
         "draw_line(0, 0, 19, 0)",
         {{10, 0, kBlue}}},
        // Absurd numbers draw what they can, and finish.
        {"big = power(10, 300); draw_triangle(-big, -big, big, 0, 0, big); draw_pie(-big, -big, big, big, 1, 0, 0, 1);"
         "draw_arc(0, 0, 19, 19, 0 / big, 0, 0, 0)",
         {{10, 10, kRed}}},
    };
    for (const Case& c : cases) {
        ShapeGame g(colours + c.code);
        EXPECT_TRUE(g.t.shell.messages.empty()) << c.code << ": " << g.t.shell.messages.front();
        for (const Probe& p : c.probes)
            EXPECT_EQ(g.frame.Pixel(p.x, p.y), p.color) << c.code << " at " << p.x << "," << p.y;
    }
}

TEST(DrawingShapes, CallsThatCannotBeDoneAreErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"pop_graphics_settings()", "no saved graphics settings"},
        {"repeat (65) push_graphics_settings()", "At most 64 graphics settings"},
        {"draw_polygon_begin(); repeat (10001) draw_polygon_vertex(1, 1)", "at most 10000 vertices"},
        {"draw_path(7, 0, 0, true)", "path that does not exist"},
        {"draw_text_sprite(0, 0, 'A', -1, 65, -1, -1, 1)", "sprite that does not exist"},
    };
    for (auto [code, error] : cases) {
        ShapeGame g(code);
        ASSERT_FALSE(g.t.shell.messages.empty()) << code;
        EXPECT_NE(g.t.shell.messages.front().find(error), std::string::npos)
            << code << ": " << g.t.shell.messages.front();
    }
}

// Text lines as the canvas is asked to draw them.
class TextRecorder : public ImageCanvas {
public:
    explicit TextRecorder(Bitmap24& image) : ImageCanvas(image) {}
    void Text(int x, int y, const std::string& line, const TextFont& font, ColorValue) override {
        lines.push_back({line, x, y, font.angle});
    }
    struct Line {
        std::string text;
        int x, y;
        double angle;
    };
    std::vector<Line> lines;
};

TEST(DrawingShapes, TurnedTextTurnsEachLineAboutThePoint) {
    TestGame t;
    const int painter = t.AddObject("painter");
    // The estimate makes a 12-point line 18 pixels high.
    t.AddCode(painter, kEventDraw, 0, "font_angle = 90; draw_text(50, 60, 'one#two'); font_angle = 0;");
    const int room = t.AddRoom("room", 100, 100);
    t.Place(room, painter, 0, 0);
    auto world = t.Start();
    Bitmap24 frame(100, 100);
    TextRecorder canvas(frame);
    world->Step(&canvas);
    ASSERT_EQ(canvas.lines.size(), 2u);
    EXPECT_EQ(canvas.lines[0].x, 50);
    EXPECT_EQ(canvas.lines[0].y, 60);
    EXPECT_EQ(canvas.lines[0].angle, 90);
    // The second line is below the first in the text's turned frame: to the right on the screen.
    EXPECT_EQ(canvas.lines[1].x, 68);
    EXPECT_EQ(canvas.lines[1].y, 60);
}

TEST(DrawingShapes, GammaAndGraphicsModeReachTheScreen) {
    TestGame t;
    const int room = t.AddRoom("room");
    t.Place(room, t.AddObject("thing"), 0, 0);
    auto world = t.Start();
    Instance* self = world->Instances().at(0).get();
    world->Script().RunCode("screen_gamma(2, 0, 1)", self, "test");
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
    const GameScreen& screen = t.shell.Screen();
    EXPECT_EQ(screen.Gamma(0), 2);
    EXPECT_EQ(screen.Gamma(1), 0.1);
    EXPECT_EQ(screen.Gamma(2), 1);
    // Headless play can only have the current resolution.
    EXPECT_EQ(test::Eval(*world, self, "set_graphics_mode(true, 0, 0, 32, 60, 0, 0)").Real(), 1);
    EXPECT_TRUE(screen.FullScreenAsked());
    EXPECT_EQ(test::Eval(*world, self, "set_graphics_mode(false, 800, 600, 32, 60, 0, 0)").Real(), 0);
}

}  // namespace
}  // namespace kestrin::engine
