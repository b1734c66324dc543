// Code and actions acting on the world: built-in variables, applies-to,
// variable and code actions, the shipped libraries' actions, and run-time
// errors as the game options say.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string_view>

#include "actions/action_registry.h"
#include "engine/runner_coverage.h"
#include "engine_fixture.h"
#include "language/builtin_tables.h"
#include "platform/recording_ui.h"
#include "resources/event_types.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

void AddVariableAction(CEvent& event, int appliesTo, const char* name, const char* value, bool relative) {
    CAction& a = event.AddAction(0, 0);
    a.Kind = 6;
    a.ArgCount = 2;
    a.ArgKind[0] = 1;
    a.ArgValue[0] = name;
    a.ArgKind[1] = 0;
    a.ArgValue[1] = value;
    a.AppliesTo = appliesTo;
    a.Relative = relative;
}

TEST(ScriptWorld, CodeMovesInstancesThroughBuiltInVariables) {
    TestGame t;
    const int o = t.AddObject("o");
    t.AddCode(o, kEventCreate, 0, "hspeed = 2; vspeed = -1; count = 0;");
    t.AddCode(o, kEventStep, 0, "count += 1; if (count == 3) { speed = 0; x = 100; }");
    const int room = t.AddRoom("room", 400, 400);
    t.Place(room, o, 10, 20);
    auto world = t.Start();
    Instance& i = *world->Instances()[0];
    world->Step();
    EXPECT_EQ(i.x, 12);
    EXPECT_EQ(i.y, 19);
    EXPECT_NEAR(Eval(*world, &i, "direction").Real(), std::atan2(1.0, 2.0) * 180 / 3.14159265358979323846, 1e-9);
    world->Step();
    world->Step();
    EXPECT_EQ(i.x, 100);
    EXPECT_EQ(i.y, 18);
    EXPECT_EQ(Eval(*world, &i, "count").Real(), 3);
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
}

TEST(ScriptWorld, ActionsApplyToSelfOtherOrEveryInstanceOfAnObject) {
    TestGame t;
    const int block = t.AddSprite(8, 8);
    const int hero = t.AddObject("hero", block);
    const int coin = t.AddObject("coin", block);
    const int marker = t.AddObject("marker");
    CEvent& touch = *t.Object(hero).GetEvent(kEventCollision, coin);
    // Arguments are evaluated in the hero (y 0) before the action runs on the coin.
    AddVariableAction(touch, kOther, "y", "y + 50", false);
    AddVariableAction(touch, marker, "hit", "id", false);
    AddVariableAction(touch, kSelf, "score", "10", true);
    AddVariableAction(touch, kSelf, "score", "5", true);
    // In a step event "other" names nobody: the action does nothing.
    AddVariableAction(*t.Object(hero).GetEvent(kEventStep, 0), kOther, "x", "999", false);
    const int room = t.AddRoom("room");
    t.Place(room, hero, 0, 0);
    t.Place(room, coin, 4, 4);
    t.Place(room, marker, 90, 90);
    t.Place(room, marker, 91, 91);
    auto world = t.Start();
    world->Step();
    const auto& all = world->Instances();
    EXPECT_EQ(all[1]->y, 50);
    EXPECT_EQ(all[1]->x, 4);
    EXPECT_EQ(world->Values().score, 15);
    for (int m : {2, 3}) EXPECT_EQ(Eval(*world, all[m].get(), "hit").Real(), all[0]->id);
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
}

TEST(ScriptWorld, WithOtherAndObjectPrefixesReachTheWorld) {
    TestGame t;
    const int a = t.AddObject("a");
    const int b = t.AddObject("b");
    t.AddCode(a, kEventCreate, 0,
              "total = 0; with (b) { x += 1; other.total += x; } "
              "n = instance_number(b); first = instance_find(b, 0); b.y = 7; made = instance_create(5, 6, b);");
    const int room = t.AddRoom("room");
    t.Place(room, b, 10, 0);
    t.Place(room, b, 20, 0);
    t.Place(room, a, 0, 0);
    auto world = t.Start();
    Instance* ai = world->Instances()[2].get();
    EXPECT_EQ(Eval(*world, ai, "total").Real(), 11 + 21);
    EXPECT_EQ(Eval(*world, ai, "n").Real(), 2);
    EXPECT_EQ(Eval(*world, ai, "first").Real(), world->Instances()[0]->id);
    EXPECT_EQ(world->Instances()[0]->y, 7);
    EXPECT_EQ(world->Instances()[1]->y, 7);
    EXPECT_EQ(world->CountOf(b), 3);
    EXPECT_EQ(Eval(*world, ai, "made.x + made.y").Real(), 11);
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
}

TEST(ScriptWorld, RoomsScoreAndAlarmsFromCode) {
    TestGame t;
    const int o = t.AddObject("o");
    t.AddCode(o, kEventCreate, 0, "alarm[1] = 2; lives = 3;");
    t.AddCode(o, kEventAlarm, 1, "score += 100; lives -= 3; room_goto_next();");
    t.AddCode(o, kEventOther, 6, "health = 50;");  // no more lives
    const int first = t.AddRoom("first");
    t.AddRoom("second");
    t.Place(first, o, 0, 0);
    auto world = t.Start();
    world->Step();
    EXPECT_EQ(world->Room().name, "first");
    world->Step();
    EXPECT_EQ(world->Room().name, "second");
    EXPECT_EQ(world->Values().score, 100);
    EXPECT_EQ(world->Values().lives, 0);
    EXPECT_EQ(world->Values().health, 50);
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
}

// The shipped libraries, loaded as the editor loads them.
class ShippedActions : public ::testing::Test {
protected:
    void SetUp() override {
        ClearActionLibraries();
        ScopedUI installed(mUI);
        ASSERT_TRUE(LoadActionLibrariesFrom(std::string(KESTRIN_BIN_DIR) + "/lib/"));
        for (int i = 0; i < LibraryCount(); ++i) mCode.push_back(LibraryAt(i)->LibraryCode);
    }
    void TearDown() override { ClearActionLibraries(); }

    CAction& Add(CEvent& event, int library, int action, std::vector<std::string> args = {}) {
        CAction& a = event.AddAction(library, action);
        for (std::size_t i = 0; i < args.size(); ++i) a.ArgValue[i] = args[i];
        return a;
    }

    RecordingUI mUI;
    std::vector<std::string> mCode;
};

// Every action of every shipped library, and their library scripts, call
// only functions the runner provides.
TEST_F(ShippedActions, CallOnlyFunctionsTheRunnerProvides) {
    TestGame t;
    const int holder = t.AddObject("holder");
    CEvent& event = *t.Object(holder).GetEvent(kEventStep, 0);
    for (int l = 0; l < LibraryCount(); ++l) {
        const CActionLibrary& library = *LibraryAt(l);
        for (int d = 0; d < library.DefinitionCount(); ++d) Add(event, library.Id, library.DefinitionAt(d)->Id);
        const int script = t.game.Tree().AddResourceNode(nullptr, kTypeScripts)->Data.Index;
        t.game.Scripts().RenameResource(script, "library_" + std::to_string(l));
        t.game.Scripts().ResourceAt(script)->Code = library.LibraryCode;
    }
    ASSERT_GT(event.ActionCount(), 50);
    for (const FunctionUse& use : UnprovidedFunctionUses(t.game)) ADD_FAILURE() << use.where << ": " << use.function;
}

TEST_F(ShippedActions, MoveScoreAndControlActionsRunTheirLibraryCode) {
    TestGame t;
    const int block = t.AddSprite(8, 8);
    const int hero = t.AddObject("hero", block);
    const int wall = t.AddObject("wall", block);
    t.Object(wall).Solid = true;
    CEvent& create = *t.Object(hero).GetEvent(kEventCreate, 0);
    Add(create, 1, 101, {"000001000", "3"});  // move fixed: right, speed 3
    Add(create, 5, 501, {"7"});               // set score 7
    CEvent& step = *t.Object(hero).GetEvent(kEventStep, 0);
    Add(step, 4, 401, {"8", "0", "0"}).Relative = true;  // if the place 8 to the right is free
    Add(step, 4, 410);                                    // {
    Add(step, 5, 501, {"1"}).Relative = true;            //   score += 1
    Add(step, 4, 411);                                    // }
    Add(step, 4, 412);                                    // else
    Add(step, 1, 101, {"000010000", "0"});                //   stop
    const int room = t.AddRoom("room", 200, 100);
    t.Place(room, hero, 0, 0);
    t.Place(room, wall, 30, 0);
    auto world = t.Start(mCode);
    for (int s = 0; s < 10; ++s) world->Step();
    Instance& h = *world->Instances()[0];
    // The place 8 further is free from x 0, 3, 6, 9 and 12; from 15 its box
    // 23..30 meets the wall at 30.
    EXPECT_EQ(h.x, 15);
    EXPECT_EQ(h.Speed(), 0);
    EXPECT_EQ(world->Values().score, 7 + 5);
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
}

struct ErrorCase {
    const char* name;
    bool display, write, abort;
};

class RunErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RunErrors, FollowTheGameOptions) {
    const ErrorCase& c = GetParam();
    TestGame t;
    t.game.Options.DisplayErrors = c.display;
    t.game.Options.WriteErrors = c.write;
    t.game.Options.AbortErrors = c.abort;
    const int o = t.AddObject("thrower");
    t.AddEmptyEvent(o, kEventStep, 0);
    t.AddCode(o, kEventStep, 0, "steps += 1;\nx = 1 / 0;");
    t.AddCode(o, kEventCreate, 0, "steps = 0;");
    const int room = t.AddRoom("room");
    t.Place(room, o, 0, 0);
    auto world = t.Start();
    world->Step();
    world->Step();
    const std::string expected =
        "ERROR in action number 2 of Step Event for object thrower, at line 2: Division by zero";
    const std::vector<std::string> once = {expected}, twice = {expected, expected}, none;
    const auto& seen = c.abort ? once : twice;
    EXPECT_EQ(t.shell.messages, c.display ? seen : none);
    EXPECT_EQ(t.shell.log, c.write ? seen : none);
    EXPECT_EQ(world->Ended(), c.abort);
    EXPECT_EQ(Eval(*world, world->Instances()[0].get(), "steps").Real(), c.abort ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(ScriptWorld, RunErrors,
                         ::testing::Values(ErrorCase{"shown", true, false, false},
                                           ErrorCase{"written", false, true, false},
                                           ErrorCase{"silent", false, false, false},
                                           ErrorCase{"aborting", true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptWorld, UnsetVariablesAreErrorsUnlessTheOptionsMakeThemZero) {
    for (bool zero : {false, true}) {
        TestGame t;
        t.game.Options.VariableErrors = zero;
        const int o = t.AddObject("reader");
        t.AddCode(o, kEventCreate, 0, "y = never_set + 5;");
        const int room = t.AddRoom("room");
        t.Place(room, o, 0, 0);
        auto world = t.Start();
        if (zero) {
            EXPECT_TRUE(t.shell.messages.empty());
            EXPECT_EQ(world->Instances()[0]->y, 5);
        } else {
            ASSERT_EQ(t.shell.messages.size(), 1u);
            EXPECT_EQ(t.shell.messages[0],
                      "ERROR in action number 1 of Create Event for object reader, at line 1: Unknown variable "
                      "never_set");
        }
    }
}

// A function added to the tables without a runner to go with it fails here.
TEST(ScriptWorld, EveryFunctionOfTheTablesIsProvided) {
    for (const BuiltinFunction& function : BuiltinFunctions())
        EXPECT_TRUE(RunnerProvides(function.name)) << function.name;
}

// What `kestrin-cli check` would warn of, for a runner that lacked some of
// them: each place and function once.
TEST(ScriptWorld, CallsOfFunctionsARunnerLacksAreFoundInEveryPlace) {
    TestGame t;
    const int script = t.game.Tree().AddResourceNode(nullptr, kTypeScripts)->Data.Index;
    t.game.Scripts().RenameResource(script, "scr_draw");
    t.game.Scripts().ResourceAt(script)->Code = "external_free('x.dll');\r\ndraw_sprite(0, 0, x, y);";
    const int saver = t.AddObject("obj_saver");
    CAction& call = t.Object(saver).GetEvent(kEventStep, 0)->AddAction(0, 0);
    call.ExecKind = 1;
    call.ExecText1 = "external_call0";
    t.AddCode(saver, kEventStep, 0, "if (keyboard_check(vk_f5)) external_call1(0, 1); external_call1(0, 2);");
    const int room = t.AddRoom("level");
    t.Room(room).CreationCode = "mplay_end(); draw_sprite(0, 0, 1, 1);";
    const std::set<std::string, std::less<>> lacking{"external_free", "external_call0", "external_call1", "mplay_end"};
    const std::vector<FunctionUse> uses =
        UnprovidedFunctionUses(t.game, [&](std::string_view name) { return !lacking.count(name); });
    std::vector<std::string> found;
    for (const FunctionUse& use : uses) found.push_back(use.where + ": " + use.function);
    EXPECT_EQ(found, (std::vector<std::string>{
                         "script scr_draw: external_free",
                         "object obj_saver, Step Event, action 1: external_call0",
                         "object obj_saver, Step Event, action 2: external_call1",
                         "room level, creation code: mplay_end",
                     }));
    EXPECT_TRUE(UnprovidedFunctionUses(t.game).empty()) << "this runner lacks none of them";
}

}  // namespace
}  // namespace kestrin::engine
