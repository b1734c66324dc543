// Collisions with a line and an ellipse, against boxes and, with the precise
// flag, against masks; position_change turns what covers a point into
// another object.

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "resources/event_types.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// A 20 by 20 sprite with precise collisions, solid only in a 4 by 4 block
// at its top-left and bottom-right corners.
int AddCornersSprite(TestGame& t) {
    Bitmap24 frame(20, 20, MakeColor(255, 255, 255));
    frame.FillRect(0, 0, 4, 4, MakeColor(255, 0, 0));
    frame.FillRect(16, 16, 20, 20, MakeColor(255, 0, 0));
    const int index = t.game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    CSprite& sprite = *t.game.Sprites().ResourceAt(index);
    sprite.AddImage(&frame);
    sprite.SetTransparent(true);
    sprite.PreciseCollision = true;
    return index;
}

// `a` (box 50..69) at (50, 50), `p` (corner blocks) at (100, 100).
struct Shapes {
    Shapes() {
        a = t.AddObject("a", t.AddSprite(20, 20));
        p = t.AddObject("p", AddCornersSprite(t));
        b = t.AddObject("b");
        t.AddCode(a, kEventDestroy, 0, "global.log += 'destroy a;';");
        t.AddCode(b, kEventCreate, 0, "global.log += 'create b;';");
        const int room = t.AddRoom("room");
        t.Place(room, a, 50, 50);
        t.Place(room, p, 100, 100);
        world = t.Start();
        world->Script().RunCode("global.log = '';", nullptr, "test");
    }
    Instance* A() { return world->Instances().at(0).get(); }
    // "a", "p" or "noone" for an instance id.
    std::string Named(const std::string& expression) {
        const double id = Eval(*world, A(), expression).Real();
        if (id == kNoone) return "noone";
        Instance* met = world->FindInstance(static_cast<std::int32_t>(id));
        return met ? world->GameData().Objects().ResourceName(met->object) : "not an instance";
    }
    TestGame t;
    int a = -1, p = -1, b = -1;
    std::unique_ptr<World> world;
};

TEST(CollisionShapes, LinesAndEllipsesMeetBoxesOrMasks) {
    Shapes g;
    const std::pair<const char*, const char*> cases[] = {
        {"collision_line(0, 0, 200, 200, a, false, false)", "a"},
        {"collision_line(0, 100, 40, 60, a, false, false)", "noone"},
        {"collision_line(70, 0, 70, 200, a, false, false)", "noone"},  // along the right edge
        {"collision_line(69.5, 200, 69.5, 0, a, false, false)", "a"},
        {"collision_line(60, 60, 60, 60, a, false, false)", "a"},
        {"collision_line(0, 0, 200, 200, a, false, true)", "noone"},  // notme
        {"collision_line(0, 0, 200, 200, all, false, true)", "p"},
        {"collision_line(120, 100, 100, 120, p, false, false)", "p"},
        {"collision_line(120, 100, 100, 120, p, true, false)", "noone"},  // between the blocks
        {"collision_line(100, 100, 120, 120, p, true, false)", "p"},
        {"collision_line(0, 60, power(10, 400), 60, all, false, false)", "noone"},
        {"collision_ellipse(40, 40, 80, 80, a, false, false)", "a"},
        {"collision_ellipse(52, 52, 0, 0, a, false, false)", "noone"},  // the boxes meet, the ellipse misses
        {"collision_ellipse(0, 0, 120, 120, a, false, false)", "a"},
        {"collision_ellipse(0, 60, 200, 60, a, false, false)", "a"},
        {"collision_ellipse(104.5, 104.5, 115.5, 115.5, p, false, false)", "p"},
        {"collision_ellipse(104.5, 104.5, 115.5, 115.5, p, true, false)", "noone"},
        {"collision_ellipse(95, 95, 106, 106, p, true, false)", "p"},
    };
    for (auto [code, expected] : cases) EXPECT_EQ(g.Named(code), expected) << code;
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

TEST(CollisionShapes, PositionChangeTurnsWhatCoversThePoint) {
    struct Case {
        const char* code;
        const char* log;
        double as, bs;  // instances of a and of b afterwards
    };
    const Case cases[] = {
        {"position_change(55, 55, b, false)", "", 0, 1},
        {"position_change(55, 55, b, true)", "destroy a;create b;", 0, 1},
        {"position_change(30, 30, b, true)", "", 1, 0},
        {"position_change(110, 110, b, false); position_change(101, 101, b, false)", "", 1, 1},
    };
    for (const Case& c : cases) {
        Shapes g;
        g.world->Script().RunCode(c.code, nullptr, "test");
        EXPECT_EQ(Eval(*g.world, nullptr, "global.log").Text(), c.log) << c.code;
        EXPECT_EQ(Eval(*g.world, nullptr, "instance_number(a)").Real(), c.as) << c.code;
        EXPECT_EQ(Eval(*g.world, nullptr, "instance_number(b)").Real(), c.bs) << c.code;
    }
    Shapes g;
    g.world->Script().RunCode("position_change(55, 55, 99, false)", nullptr, "test");
    ASSERT_EQ(g.t.shell.messages.size(), 1u);
    EXPECT_NE(g.t.shell.messages[0].find("Changing instance to non-existing object: 99"), std::string::npos)
        << g.t.shell.messages[0];
}

}  // namespace
}  // namespace kestrin::engine
