// Motion planning in play: steps towards a goal that go round a wall or stop
// at it, paths made by the planners and by a grid that an instance follows
// with path_start, the grid drawn, and the errors of bad grids and paths.

#include <gtest/gtest.h>

#include "engine/canvas.h"
#include "engine_fixture.h"
#include "resources/event_types.h"
#include "resources/path.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// A 200 by 200 room with a solid wall of 20 by 20 blocks at x 100..119 from
// the top down to y 159, a gap below it, and a walker (8 by 8, its origin
// in the middle) at (15, 15) whose goal is (185, 15) beyond the wall.
struct Planning {
    explicit Planning(const std::string& walkerStep = "", bool wall = true) {
        const int block = t.AddObject("wall", t.AddSprite(20, 20));
        t.Object(block).Solid = true;
        walker = t.AddObject("walker", t.AddSprite(8, 8, false, 4, 4));
        t.AddCode(walker, kEventCreate, 0, "done = 0;");
        if (!walkerStep.empty()) t.AddCode(walker, kEventStep, 0, walkerStep);
        path = t.game.Tree().AddResourceNode(nullptr, kTypePaths)->Data.Index;
        const int room = t.AddRoom("room");
        if (wall)
            for (int y = 0; y < 160; y += 20) t.Place(room, block, 100, y);
        t.Place(room, walker, 15, 15);
    }
    void Start() {
        world = t.Start();
        for (const auto& instance : world->Instances())
            if (instance->object == walker) self = instance.get();
    }
    double Real(const std::string& expression) { return Eval(*world, self, expression).Real(); }
    void Run(const std::string& code) {
        world->Script().RunCode(code, self, "test");
        ASSERT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
    }
    const CPath& Path() { return *t.game.Paths().ResourceAt(path); }
    // Follows the path to its end, never into the wall; true when it ends at the goal.
    bool FollowPathToGoal() {
        Run("path_start(" + std::to_string(path) + ", 3, 0, true);");
        for (int step = 0; step < 400 && self->pathIndex >= 0; ++step) {
            world->Step();
            EXPECT_EQ(Real("place_meeting(x, y, wall)"), 0) << "at " << self->x << "," << self->y;
        }
        return self->pathIndex < 0 && self->x == 185 && self->y == 15;
    }

    TestGame t;
    int walker = -1, path = -1;
    std::unique_ptr<World> world;
    Instance* self = nullptr;
};

TEST(Planning, StepsReachTheGoalRoundTheWallOrStopAtIt) {
    struct Case {
        const char* step;
        bool wall;
        bool reaches;
    };
    const Case cases[] = {
        {"if (mp_linear_step(185, 15, 2, false)) done = 1;", false, true},
        {"if (mp_linear_step(185, 15, 2, false)) done = 1;", true, false},
        {"if (mp_linear_step(185, 15, 2, true)) done = 1;", true, false},
        {"if (mp_potential_step(185, 15, 2, false)) done = 1;", true, true},
        {"mp_potential_settings(60, 5, 5, true); if (mp_potential_step(185, 15, 2, false)) done = 1;", true, true},
        // Settings that would try no heading at all or loop for ever are held to sane ones.
        {"mp_potential_settings(30, 0, power(10, 400), true); if (mp_potential_step(185, 15, 2, false)) done = 1;",
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        Planning g(c.step, c.wall);
        g.Start();
        for (int step = 0; step < 800 && g.Real("done") == 0; ++step) {
            g.world->Step();
            ASSERT_EQ(g.Real("place_meeting(x, y, wall)"), 0) << "at " << g.self->x << "," << g.self->y;
        }
        EXPECT_EQ(g.Real("done") == 1, c.reaches) << "at " << g.self->x << "," << g.self->y;
        if (c.reaches) EXPECT_EQ(g.self->x, 185);
        else EXPECT_LT(g.self->x, 100);
        EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
    }
}

TEST(Planning, PlannedPathsAreOnesTheInstanceFollows) {
    struct Case {
        const char* prepare;
        const char* make;  // with p the path, gr a grid over the room
        bool wall;
        double reached;
    };
    const Case cases[] = {
        {"", "mp_linear_path(p, 185, 15, 4, false)", false, 1},
        {"", "mp_linear_path(p, 185, 15, 4, false)", true, 0},
        {"", "mp_potential_path(p, 185, 15, 2, 4, false)", true, 1},
        {"", "mp_grid_path(gr, p, 15, 15, 185, 15, true)", true, 1},
        {"", "mp_grid_path(gr, p, 15, 15, 185, 15, false)", true, 1},
        {"mp_grid_add_rectangle(gr, 100, 160, 119, 199);", "mp_grid_path(gr, p, 15, 15, 185, 15, true)", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.make);
        Planning g("", c.wall);
        g.Start();
        // The walker's half width beyond every occupied cell keeps it off the wall.
        g.Run("p = " + std::to_string(g.path) +
              "; gr = mp_grid_create(0, 0, 20, 20, 10, 10); mp_grid_add_instances(gr, wall, false);"
              "mp_grid_add_rectangle(gr, 90, 0, 129, 169);" + c.prepare);
        const double startX = g.self->x, startY = g.self->y;
        EXPECT_EQ(g.Real(c.make), c.reached);
        EXPECT_EQ(g.self->x, startX) << "planning moves nothing";
        EXPECT_EQ(g.self->y, startY);
        if (c.reached == 0) {
            if (c.wall && g.Path().PointCount() > 0) {
                EXPECT_LT(g.Path().GetPoint(g.Path().PointCount() - 1).x, 100) << "stops before the wall";
            }
            continue;
        }
        EXPECT_FALSE(g.Path().Closed);
        EXPECT_EQ(g.Path().GetPoint(0).x, 15);
        EXPECT_TRUE(g.FollowPathToGoal());
    }
}

TEST(Planning, BadGridsAndPathsAreRunTimeErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"mp_grid_path(99, 0, 0, 0, 1, 1, 0)", "Grid does not exist: 99"},
        {"mp_grid_add_cell(-1, 0, 0)", "Grid does not exist: -1"},
        {"gr = mp_grid_create(0, 0, 2, 2, 1, 1); mp_grid_destroy(gr); mp_grid_clear_all(gr)", "Grid does not exist: 0"},
        {"mp_grid_create(0, 0, 100000, 100000, 1, 1)", "Cannot create a grid of 100000 by 100000 cells of 1 by 1."},
        {"mp_grid_create(0, 0, 10, 10, 0, 1)", "Cannot create a grid of 10 by 10 cells of 0 by 1."},
        {"repeat (2000) mp_grid_create(0, 0, 1, 1, 1, 1)", "Too many grids exist at once."},
        {"mp_linear_path(57, 10, 10, 2, false)", "Path does not exist: 57"},
        {"gr = mp_grid_create(0, 0, 2, 2, 1, 1); mp_grid_path(gr, -1, 0, 0, 1, 1, 0)", "Path does not exist: -1"},
    };
    for (auto [code, message] : cases) {
        Planning g;
        g.Start();
        g.world->Script().RunCode(code, g.self, "test");
        ASSERT_EQ(g.t.shell.messages.size(), 1u) << code;
        EXPECT_NE(g.t.shell.messages[0].find(message), std::string::npos) << code << ": " << g.t.shell.messages[0];
    }
}

TEST(Planning, GridIdsAreReusedAndTheGridDrawsItsCells) {
    Planning g;
    g.t.AddCode(g.walker, kEventDraw, 0, "mp_grid_draw(global.gr);");
    g.Start();
    EXPECT_EQ(g.Real("mp_grid_create(0, 0, 2, 2, 1, 1)"), 0);
    EXPECT_EQ(g.Real("mp_grid_create(0, 0, 2, 2, 1, 1)"), 1);
    g.Run("mp_grid_destroy(0);");
    EXPECT_EQ(g.Real("mp_grid_create(0, 0, 2, 2, 1, 1)"), 0);

    g.Run("global.gr = mp_grid_create(10, 20, 3, 2, 10, 10); mp_grid_add_cell(global.gr, 1, 1);"
          "mp_grid_add_cell(global.gr, 5, 5); mp_grid_clear_cell(global.gr, -1, 0);");
    Bitmap24 frame(200, 200, MakeColor(0, 0, 0));
    ImageCanvas canvas(frame);
    g.world->Draw(canvas);
    const ColorValue background = frame.Pixel(190, 190);
    const std::pair<std::pair<int, int>, ColorValue> pixels[] = {
        {{10, 20}, MakeColor(0, 128, 0)}, {{39, 39}, MakeColor(0, 128, 0)}, {{20, 30}, MakeColor(255, 0, 0)},
        {{29, 39}, MakeColor(255, 0, 0)}, {{9, 20}, background},             {{40, 20}, background},
    };
    for (auto [at, color] : pixels) EXPECT_EQ(frame.Pixel(at.first, at.second), color) << at.first << "," << at.second;
}

}  // namespace
}  // namespace kestrin::engine
