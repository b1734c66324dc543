// The world without code: the order of events within a step, motion, solid
// collisions, alarms, animation and rooms, watched through the event trace.

#include <gtest/gtest.h>

#include "engine/canvas.h"
#include "engine_fixture.h"
#include "resources/event_types.h"

namespace kestrin::engine {
namespace {

using test::TestGame;

struct Fired {
    std::int32_t id;
    int type, number;
    bool operator==(const Fired&) const = default;
};

void Record(World& world, std::vector<Fired>& log) {
    world.SetEventTrace([&log](const Instance& i, int type, int number) { log.push_back({i.id, type, number}); });
}

TEST(WorldStep, EventsComeInTheStepOrderAndInstancesInCreationOrder) {
    TestGame t;
    const int sprite = t.AddSprite(8, 8);
    const int a = t.AddObject("a", sprite);
    const int b = t.AddObject("b", sprite);
    // a has every event of a step; b only a few, to show instance order within a phase.
    const std::vector<std::pair<int, int>> events = {
        {kEventStep, 1},  {kEventAlarm, 0},      {kEventKeyboard, 37}, {kEventKeyPress, 37},
        {kEventStep, 0},  {kEventCollision, b},  {kEventStep, 2},      {kEventOther, 1},
        {kEventDraw, 0},  {kEventOther, 7}};
    for (auto [type, number] : events) t.AddEmptyEvent(a, type, number);
    t.AddEmptyEvent(b, kEventStep, 1);
    t.AddEmptyEvent(b, kEventStep, 0);
    t.AddEmptyEvent(b, kEventCreate, 0);
    const int room = t.AddRoom("room", 100, 100);
    t.Place(room, b, 20, 20);
    t.Place(room, a, -4, 20);  // across the left edge
    t.Place(room, b, 0, 22);   // overlapping a

    auto world = t.Start();
    ASSERT_EQ(world->Instances().size(), 3u);
    const std::int32_t b1 = world->Instances()[0]->id, ia = world->Instances()[1]->id,
                       b2 = world->Instances()[2]->id;
    // Create events ran in placing order while the room was entered.
    std::vector<Fired> log;
    Record(*world, log);
    Instance& ai = *world->Instances()[1];
    ai.alarm[0] = 1;
    ai.imageSpeed = 1;  // one frame: the animation ends every step
    world->Input().KeyDown(37);
    Bitmap24 frame(100, 100);
    ImageCanvas canvas(frame);
    world->Step(&canvas);

    const std::vector<Fired> expected = {
        {b1, kEventStep, 1},       {ia, kEventStep, 1},     {b2, kEventStep, 1},  // begin step
        {ia, kEventAlarm, 0},                                                    // alarms
        {ia, kEventKeyboard, 37},  {ia, kEventKeyPress, 37},                     // keyboard
        {b1, kEventStep, 0},       {ia, kEventStep, 0},     {b2, kEventStep, 0},  // step
        {ia, kEventCollision, b},                                                // collisions
        {ia, kEventStep, 2},                                                     // end step
        {ia, kEventOther, 1},                                                    // boundary
        {ia, kEventDraw, 0},                                                     // drawing
        {ia, kEventOther, 7},                                                    // animation end
    };
    EXPECT_EQ(log, expected);

    // The next step: the key is still held but no longer pressed; the alarm is spent.
    log.clear();
    world->Step();
    int keyboard = 0, press = 0, alarm = 0;
    for (const Fired& f : log) {
        keyboard += f.type == kEventKeyboard;
        press += f.type == kEventKeyPress;
        alarm += f.type == kEventAlarm;
    }
    EXPECT_EQ(keyboard, 1);
    EXPECT_EQ(press, 0);
    EXPECT_EQ(alarm, 0);
}

TEST(WorldStep, RoomInstancesKeepTheirIdsAndNewOnesComeAfter) {
    TestGame t;
    const int o = t.AddObject("o");
    const int room = t.AddRoom("room");
    t.Place(room, o, 1, 2);
    t.Place(room, o, 3, 4);
    auto world = t.Start();
    ASSERT_EQ(world->Instances().size(), 2u);
    EXPECT_EQ(world->Instances()[0]->id, t.Room(room).Instances()[0].Id);
    EXPECT_EQ(world->Instances()[1]->id, t.Room(room).Instances()[1].Id);
    Instance* made = world->CreateInstance(o, 0, 0);
    ASSERT_TRUE(made);
    EXPECT_GT(made->id, t.Room(room).Instances()[1].Id);
    EXPECT_EQ(world->FindInstance(made->id), made);
}

TEST(WorldStep, ParentsLendTheirEventsAndCollisionsCoverChildren) {
    TestGame t;
    const int sprite = t.AddSprite(8, 8);
    const int parent = t.AddObject("parent", sprite);
    const int child = t.AddObject("child", sprite);
    const int wall = t.AddObject("wall", sprite);
    const int brick = t.AddObject("brick", sprite);
    t.Object(child).Parent = parent;
    t.Object(brick).Parent = wall;
    t.AddEmptyEvent(parent, kEventStep, 0);
    t.AddEmptyEvent(parent, kEventCollision, wall);
    const int room = t.AddRoom("room");
    t.Place(room, child, 10, 10);
    t.Place(room, brick, 12, 12);
    auto world = t.Start();
    std::vector<Fired> log;
    Record(*world, log);
    world->Step();
    const std::int32_t childId = world->Instances()[0]->id;
    const std::vector<Fired> expected = {{childId, kEventStep, 0}, {childId, kEventCollision, wall}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(world->CountOf(wall), 1);
    EXPECT_EQ(world->CountOf(parent), 1);
}

struct MotionCase {
    const char* name;
    double hspeed, vspeed, friction, gravity, gravityDirection;
    int steps;
    double x, y, speed, direction;
};

class Motion : public ::testing::TestWithParam<MotionCase> {};

TEST_P(Motion, MovesAsSpeedFrictionAndGravitySay) {
    const MotionCase& c = GetParam();
    TestGame t;
    const int o = t.AddObject("o");
    const int room = t.AddRoom("room", 1000, 1000);
    t.Place(room, o, 100, 100);
    auto world = t.Start();
    Instance& i = *world->Instances()[0];
    i.SetHspeed(c.hspeed);
    i.SetVspeed(c.vspeed);
    i.friction = c.friction;
    i.gravity = c.gravity;
    i.gravityDirection = c.gravityDirection;
    for (int s = 0; s < c.steps; ++s) world->Step();
    EXPECT_NEAR(i.x, c.x, 1e-9);
    EXPECT_NEAR(i.y, c.y, 1e-9);
    EXPECT_NEAR(i.Speed(), c.speed, 1e-9);
    EXPECT_NEAR(i.Direction(), c.direction, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    World, Motion,
    ::testing::Values(MotionCase{"right", 3, 0, 0, 0, 270, 2, 106, 100, 3, 0},
                      MotionCase{"up", 0, -2, 0, 0, 270, 3, 100, 94, 2, 90},
                      MotionCase{"left_and_down", -3, 4, 0, 0, 270, 1, 97, 104, 5, 180 + 53.13010235415598},
                      // Friction takes 1 per step off the speed, down to a stop.
                      MotionCase{"friction", 3, 0, 1, 0, 270, 4, 103, 100, 0, 0},
                      // Gravity adds 0.5 downwards each step before moving: 0.5 + 1 + 1.5.
                      MotionCase{"gravity", 0, 0, 0, 0.5, 270, 3, 100, 103, 1.5, 270}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstanceMotion, SpeedAndDirectionFollowTheComponentsAndBack) {
    Instance i;
    i.SetMotion(90, 4);
    EXPECT_DOUBLE_EQ(i.Hspeed(), 0);
    EXPECT_DOUBLE_EQ(i.Vspeed(), -4);
    i.SetHspeed(3);
    EXPECT_DOUBLE_EQ(i.Speed(), 5);
    i.SetDirection(-90);
    EXPECT_DOUBLE_EQ(i.Direction(), 270);
    EXPECT_NEAR(i.Vspeed(), 5, 1e-12);
    i.SetSpeed(0);
    EXPECT_DOUBLE_EQ(i.Direction(), 270);  // a stopped instance keeps its direction
    i.AddMotion(0, 2);
    EXPECT_DOUBLE_EQ(i.Hspeed(), 2);
    EXPECT_DOUBLE_EQ(i.Direction(), 0);
}

TEST(WorldCollision, ASolidPutsTheMoverBackBeforeItsCollisionEvent) {
    TestGame t;
    const int block = t.AddSprite(10, 10);
    const int mover = t.AddObject("mover", block);
    const int wall = t.AddObject("wall", block);
    t.Object(wall).Solid = true;
    const int ghost = t.AddObject("ghost", block);  // not solid
    t.AddEmptyEvent(mover, kEventCollision, wall);
    t.AddEmptyEvent(mover, kEventCollision, ghost);
    const int room = t.AddRoom("room");
    t.Place(room, mover, 0, 0);
    t.Place(room, wall, 24, 0);
    t.Place(room, ghost, 0, 40);
    auto world = t.Start();
    Instance& m = *world->Instances()[0];
    std::vector<double> xAtEvent;
    world->SetEventTrace([&](const Instance& i, int type, int) {
        if (type == kEventCollision) xAtEvent.push_back(i.x);
    });
    m.SetHspeed(6);
    for (int s = 0; s < 4; ++s) world->Step();
    // 6, 12, then 18 would reach the wall at 24 (box 18..27): back to 12 each time.
    EXPECT_EQ(m.x, 12);
    ASSERT_EQ(xAtEvent.size(), 2u);
    EXPECT_EQ(xAtEvent[0], 12);

    // Against a non-solid instance the mover stays where it moved to.
    m.SetHspeed(0);
    m.x = 0;
    m.SetVspeed(35);
    xAtEvent.clear();
    double yAtEvent = -1;
    world->SetEventTrace([&](const Instance& i, int type, int) {
        if (type == kEventCollision) yAtEvent = i.y;
    });
    world->Step();
    EXPECT_EQ(yAtEvent, 35);
}

TEST(WorldCollision, PreciseMasksIgnoreSeeThroughPixels) {
    TestGame t;
    // An L of red on white in a 10 x 10 sprite; the bottom-left pixel gives
    // the see-through colour, so it is white too.
    const ColorValue white = MakeColor(255, 255, 255), red = MakeColor(255, 0, 0);
    Bitmap24 frame(10, 10, white);
    frame.FillRect(0, 0, 4, 10, red);
    frame.FillRect(0, 6, 10, 10, red);
    frame.SetPixel(0, 9, white);
    int shape = t.game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    CSprite& sprite = *t.game.Sprites().ResourceAt(shape);
    sprite.AddImage(&frame);
    sprite.UpdateTransparentColor();
    sprite.PreciseCollision = true;
    sprite.BoxMode = kBoxFullImage;
    sprite.SetTransparent(true);
    const int dot = t.AddSprite(2, 2, true);
    const int l = t.AddObject("l", shape);
    const int d = t.AddObject("d", dot);
    const int room = t.AddRoom("room");
    t.Place(room, l, 0, 0);
    t.Place(room, d, 6, 2);
    auto world = t.Start();
    Instance& li = *world->Instances()[0];
    Instance& di = *world->Instances()[1];
    const struct {
        double x, y;
        bool hit;
    } cases[] = {{6, 2, false}, {2, 2, true}, {6, 7, true}, {9, 0, false}, {10, 7, false}};
    for (auto c : cases) {
        di.x = c.x;
        di.y = c.y;
        EXPECT_EQ(world->Overlaps(li, li.x, li.y, di), c.hit) << c.x << "," << c.y;
    }
}

TEST(WorldRooms, GotoRoomEndsOneRoomAndStartsTheNextKeepingPersistentInstances) {
    TestGame t;
    const int o = t.AddObject("o");
    const int keeper = t.AddObject("keeper");
    t.Object(keeper).Persistent = true;
    for (int type : {kEventOther}) {
        t.AddEmptyEvent(o, type, 4);
        t.AddEmptyEvent(o, type, 5);
        t.AddEmptyEvent(keeper, type, 2);
        t.AddEmptyEvent(keeper, type, 4);
    }
    const int first = t.AddRoom("first");
    const int second = t.AddRoom("second");
    t.Place(first, o, 1, 1);
    t.Place(first, keeper, 2, 2);
    t.Place(second, o, 5, 5);
    std::vector<Fired> log;
    World world(t.game, t.shell, {}, 1);
    Record(world, log);
    ASSERT_TRUE(world.Start());
    EXPECT_EQ(world.Room().name, "first");
    const std::int32_t o1 = world.Instances()[0]->id, k = world.Instances()[1]->id;
    // Game start comes before room start, for every instance.
    std::vector<Fired> expected = {{k, kEventOther, 2}, {o1, kEventOther, 4}, {k, kEventOther, 4}};
    EXPECT_EQ(log, expected);
    log.clear();
    EXPECT_EQ(world.NextRoom(first), second);
    world.GotoRoom(second);
    EXPECT_EQ(world.Room().name, "first");  // only at the end of the step
    world.Step();
    EXPECT_EQ(world.Room().name, "second");
    ASSERT_EQ(world.Instances().size(), 2u);
    EXPECT_EQ(world.Instances()[0]->id, k);
    const std::int32_t o2 = world.Instances()[1]->id;
    // The persistent instance is the older one, so it starts first.
    expected = {{o1, kEventOther, 5}, {k, kEventOther, 4}, {o2, kEventOther, 4}};
    EXPECT_EQ(log, expected);
}

// event_perform_object runs the other object's event (as its parents give
// it) with self as the instance; a missing object is an error.
TEST(World, EventPerformObjectRunsAnotherObjectsEventForSelf) {
    TestGame t;
    const int base = t.AddObject("base");
    const int donor = t.AddObject("donor");
    const int caller = t.AddObject("caller");
    t.Object(donor).Parent = base;
    t.AddCode(base, kEventOther, 10, "hits += 10; who = object_index;");
    t.AddCode(caller, kEventCreate, 0, "hits = 0; who = -1;");
    t.Place(t.AddRoom("room"), caller, 0, 0);
    auto world = t.Start();
    Instance* self = world->Instances()[0].get();
    test::Eval(*world, self, "event_perform_object(" + std::to_string(donor) + ", ev_other, ev_user0)");
    EXPECT_EQ(test::Eval(*world, self, "hits").Real(), 10.0);
    EXPECT_EQ(test::Eval(*world, self, "who").Real(), static_cast<double>(caller));
    Value ignored;
    std::string error;
    EXPECT_FALSE(world->Script().Evaluate("event_perform_object(99, ev_other, ev_user0)", self, ignored, error));
    EXPECT_NE(error.find("Object 99 does not exist."), std::string::npos) << error;
}

}  // namespace
}  // namespace kestrin::engine
