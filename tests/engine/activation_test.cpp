// Deactivated instances: which ones each call takes out and brings back, that
// they take no part in events, collisions, `with` or drawing while keeping
// their state, and where they are after a room change or a saved game.

#include <gtest/gtest.h>

#include "engine/canvas.h"
#include "engine_fixture.h"
#include "resources/event_types.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// Three instances of `a` along the top (x 10, 50, 90) and one of `b` at
// (150, 150), all 16 by 16, counting their steps.
struct Activation {
    Activation() {
        sprite = t.AddSprite(16, 16);
        a = t.AddObject("a", sprite);
        b = t.AddObject("b", sprite);
        for (int object : {a, b}) {
            t.AddCode(object, kEventCreate, 0, "steps = 0; hits = 0; touched = 0;");
            t.AddCode(object, kEventStep, 0, "steps += 1;");
        }
        room = t.AddRoom("room");
        for (int x : {10, 50, 90}) t.Place(room, a, x, 10);
        t.Place(room, b, 150, 150);
    }
    void Start() {
        world = t.Start();
        for (const auto& instance : world->Instances()) ids.push_back(instance->id);
    }
    Instance* First() { return world->FindInstance(ids[0]); }
    void Run(const std::string& code, Instance* self) {
        world->Script().RunCode(code, self, "test");
        ASSERT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
    }
    // 1 for each placed instance that code can find, 0 for the others.
    std::string Pattern() {
        std::string pattern;
        for (std::int32_t id : ids) pattern += world->FindInstance(id) ? '1' : '0';
        return pattern;
    }
    double Variable(std::int32_t id, const std::string& name) {
        return Eval(*world, world->FindEvenDestroyed(id), name).Real();
    }

    TestGame t;
    int sprite = -1, a = -1, b = -1, room = -1;
    std::unique_ptr<World> world;
    std::vector<std::int32_t> ids;
};

TEST(Activation, EachCallTakesOutAndBringsBackTheInstancesItNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"instance_deactivate_all(false)", "0000"},
        {"instance_deactivate_all(true)", "1000"},
        {"instance_deactivate_object(a)", "0001"},
        {"instance_deactivate_object(instance_find(a, 2))", "1101"},
        {"instance_deactivate_object(-4)", "1111"},
        {"instance_deactivate_region(0, 0, 40, 40, true, false)", "0111"},
        {"instance_deactivate_region(0, 0, 40, 40, false, false)", "1000"},
        {"instance_deactivate_region(0, 0, 60, 40, true, true)", "1011"},
        {"instance_deactivate_region(0, 0, 50, 40, true, false)", "0111"},  // a box starting at the edge is outside
        {"instance_deactivate_region(0, 0, 0, 0, true, false)", "1111"},
        {"instance_deactivate_all(false); instance_activate_object(b)", "0001"},
        {"instance_deactivate_all(false); instance_activate_all()", "1111"},
        {"instance_deactivate_all(false); instance_activate_region(140, 140, 20, 20, true)", "0001"},
        {"instance_deactivate_all(false); instance_activate_region(140, 140, 20, 20, false)", "1110"},
        {"instance_deactivate_object(b); instance_deactivate_object(b); instance_activate_object(b);"
         "instance_activate_object(b)",
         "1111"},
    };
    for (auto [code, expected] : cases) {
        SCOPED_TRACE(code);
        Activation g;
        g.Start();
        g.Run(code, g.First());
        EXPECT_EQ(g.Pattern(), expected);
        const auto active = static_cast<double>(std::count(expected, expected + 4, '1'));
        EXPECT_EQ(Eval(*g.world, nullptr, "instance_number(all)").Real(), active);
        g.world->Step();
        EXPECT_EQ(g.Pattern(), expected) << "after the step";
        EXPECT_EQ(static_cast<double>(g.world->Instances().size()), active);
    }
}

TEST(Activation, DeactivatedInstancesTakeNoPartButKeepTheirState) {
    Activation g;
    // A mover over b that counts its collisions with b.
    const int c = g.t.AddObject("c", g.sprite);
    g.t.AddCode(c, kEventCreate, 0, "hits = 0;");
    g.t.AddCode(c, kEventCollision, g.b, "hits += 1;");
    g.t.Place(g.room, c, 152, 152);
    g.Start();
    const std::int32_t b = g.ids[3], mover = g.ids[4];
    g.world->Step();
    g.Run("instance_deactivate_object(b); with (all) touched = 1;", nullptr);
    for (int step = 0; step < 3; ++step) g.world->Step();

    Bitmap24 frame(200, 200, MakeColor(0, 0, 0));
    ImageCanvas canvas(frame);
    g.world->Draw(canvas);
    EXPECT_NE(frame.Pixel(150, 150), MakeColor(255, 0, 0)) << "b is drawn";
    EXPECT_EQ(Eval(*g.world, nullptr, "collision_point(151, 151, b, false, false)").Real(), -4);

    g.Run("instance_activate_all();", nullptr);
    EXPECT_EQ(g.Variable(b, "steps"), 1);
    EXPECT_EQ(g.Variable(b, "touched"), 0);
    EXPECT_EQ(g.Variable(mover, "hits"), 1);
    EXPECT_EQ(g.Variable(g.ids[0], "steps"), 4);
    g.world->Step();
    EXPECT_EQ(g.Variable(b, "steps"), 2);
    EXPECT_EQ(g.Variable(mover, "hits"), 2);
    g.world->Draw(canvas);
    EXPECT_EQ(frame.Pixel(150, 150), MakeColor(255, 0, 0));
}

TEST(Activation, AnInstanceThatDeactivatesItselfFinishesItsCodeAndMissesTheRestOfTheStep) {
    Activation g;
    g.t.AddCode(g.b, kEventStep, 0, "if (steps == 2) { instance_deactivate_object(self); after = steps; }");
    g.t.AddCode(g.b, kEventStep, 2, "ended = steps;");
    g.Start();
    for (int step = 0; step < 4; ++step) g.world->Step();
    EXPECT_EQ(g.Pattern(), "1110");
    g.Run("instance_activate_object(b);", nullptr);
    EXPECT_EQ(g.Variable(g.ids[3], "after"), 2);
    EXPECT_EQ(g.Variable(g.ids[3], "ended"), 1);
}

TEST(Activation, DeactivatedInstancesStayWithTheirRoomOrComeAlongWhenPersistent) {
    struct Case {
        bool persistentRoom, persistentInstance;
        const char* inSecondRoom;  // b's steps there after activating all, or "gone"
        const char* backInFirst;   // b's steps back in the first room after activating all
    };
    const Case cases[] = {
        {false, false, "gone", "0"},  // made anew by the room
        {true, false, "gone", "2"},
        {false, true, "2", "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.persistentRoom) + std::to_string(c.persistentInstance));
        Activation g;
        const int second = g.t.AddRoom("second");
        g.t.Room(g.room).Persistent = c.persistentRoom;
        g.t.Object(g.b).Persistent = c.persistentInstance;
        g.Start();
        const std::int32_t b = g.ids[3];
        g.world->Step();
        g.world->Step();
        g.Run("instance_deactivate_object(b); room_goto(" + std::to_string(second) + ");", nullptr);
        g.world->Step();
        EXPECT_EQ(g.world->FindInstance(b), nullptr);
        g.Run("instance_activate_all();", nullptr);
        Instance* found = g.world->FindInstance(b);
        EXPECT_EQ(found ? std::to_string(g.Variable(b, "steps")).substr(0, 1) : "gone", c.inSecondRoom);
        g.Run("instance_deactivate_all(false); room_goto(" + std::to_string(g.room) + ");", nullptr);
        g.world->Step();
        g.Run("instance_activate_all();", nullptr);
        found = g.world->FindInstance(b);
        EXPECT_EQ(found ? std::to_string(g.Variable(b, "steps")).substr(0, 1) : "gone", c.backInFirst);
    }
}

TEST(Activation, ASavedGameKeepsDeactivatedInstancesDeactivated) {
    Activation g;
    const int second = g.t.AddRoom("second");
    const int keeper = g.t.AddObject("keeper");
    g.t.Place(second, keeper, 0, 0);
    g.t.Room(second).Persistent = true;
    g.Start();
    const std::int32_t b = g.ids[3];
    g.world->Step();
    // The keeper is deactivated in the kept second room, b in the first.
    g.Run("room_goto(" + std::to_string(second) + ");", nullptr);
    g.world->Step();
    g.Run("instance_deactivate_all(false); room_goto(" + std::to_string(g.room) + ");", nullptr);
    g.world->Step();
    g.world->Step();
    g.Run("instance_deactivate_object(b);", nullptr);
    const std::int32_t keeperId = g.t.Room(second).Instances().at(0).Id;

    kestrin::test::TempDir dir;
    const std::string file = dir.File("game.sav");
    g.world->SaveGame(file);
    g.world->Step();
    auto loaded = g.t.Start();
    std::string error;
    ASSERT_TRUE(loaded->LoadGame(file, error)) << error;
    loaded->Step();
    EXPECT_EQ(loaded->FindInstance(b), nullptr);
    loaded->Script().RunCode("instance_activate_all();", nullptr, "test");
    ASSERT_NE(loaded->FindInstance(b), nullptr);
    EXPECT_EQ(Eval(*loaded, loaded->FindInstance(b), "steps").Real(), 1);
    loaded->Script().RunCode("room_goto(" + std::to_string(second) + ");", nullptr, "test");
    loaded->Step();
    EXPECT_EQ(loaded->FindInstance(keeperId), nullptr);
    loaded->Script().RunCode("instance_activate_all();", nullptr, "test");
    EXPECT_NE(loaded->FindInstance(keeperId), nullptr);
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

}  // namespace
}  // namespace kestrin::engine
