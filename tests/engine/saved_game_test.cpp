// Saving and loading a game being played: a loaded game is the saved one and
// goes on exactly as the original did; a file that is not a save of this
// game is refused with its reason.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/headless.h"
#include "engine_fixture.h"
#include "resources/event_types.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// Movers that change their own plain and array variables, make sparks that
// die, count into globals and draw random numbers; a persistent controller
// walks from a persistent room to the next and back.
struct SaveGame {
    SaveGame() {
        t.game.Options.VariableErrors = true;
        const int mover = t.AddObject("mover");
        const int spark = t.AddObject("spark");
        const int controller = t.AddObject("controller");
        t.Object(controller).Persistent = true;
        t.AddCode(mover, kEventCreate, 0,
                  "hspeed = 1 + random(3); alarm[0] = 3; tag = 'm' + string(id); grid[2,1] = random(100);");
        t.AddCode(mover, kEventAlarm, 0,
                  "alarm[0] = 4; score += 1; global.hits += 1; instance_create(x, y + 10, spark);");
        t.AddCode(mover, kEventStep, 0, "grid[0,0] += 1; if (x > 150) x = 0;");
        t.AddCode(spark, kEventCreate, 0, "vspeed = 0.5 + random(1); life = 9;");
        t.AddCode(spark, kEventStep, 0, "life -= 1; if (life <= 0) instance_destroy();");
        t.AddCode(controller, kEventStep, 0,
                  "global.t += 1; if (global.t == 30) room_goto_next(); if (global.t == 60) room_goto_previous();");
        const int first = t.AddRoom("first");
        const int second = t.AddRoom("second");
        t.Room(first).Persistent = true;
        t.Place(first, controller, 0, 0);
        t.Place(first, mover, 10, 20);
        t.Place(first, mover, 40, 60);
        t.Place(second, mover, 100, 100);
    }
    TestGame t;
};

// Everything the code can see of the world, as text.
std::string Snapshot(World& world) {
    std::string text = WorldSummaryJson(world);
    text.erase(0, text.find(",\"room\""));
    for (const auto& instance : world.Instances()) {
        if (!instance->alive) continue;
        text += '\n' + Eval(world, instance.get(),
                            "string(hspeed) + ' ' + string(vspeed) + ' ' + string(speed) + ' ' + string(direction)"
                            " + ' ' + string(alarm[0]) + ' ' + string(grid[0,0]) + ' ' + string(grid[2,1]) + ' '"
                            " + string(tag) + ' ' + string(life) + ' ' + string(xprevious) + ' ' + string(xstart)")
                           .Text();
    }
    return text + '\n' +
           Eval(world, nullptr, "string(global.hits) + ' ' + string(global.t) + ' ' + string(random(1000000))").Text();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(SavedGame, ALoadedGameIsTheSavedOneAndGoesOnAsTheOriginal) {
    SaveGame g;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("game.sav");

    auto original = g.t.Start({}, 7);
    for (int step = 1; step < 40; ++step) original->Step();
    original->SaveGame(file);
    original->Step();  // saved at the end of this step, in the second room with the first one kept
    const std::string atSave = Snapshot(*original);
    for (int step = 0; step < 50; ++step) original->Step();
    const std::string later = Snapshot(*original);
    ASSERT_NE(later.find("\"room\":\"first\""), std::string::npos) << "the controller went back to the kept room";

    // Another seed and another course until the load.
    auto loaded = g.t.Start({}, 99);
    for (int step = 0; step < 5; ++step) loaded->Step();
    std::string error;
    ASSERT_TRUE(loaded->LoadGame(file, error)) << error;
    loaded->Step();
    EXPECT_EQ(Snapshot(*loaded), atSave);
    for (int step = 0; step < 50; ++step) loaded->Step();
    EXPECT_EQ(Snapshot(*loaded), later);
    EXPECT_TRUE(g.t.shell.messages.empty());
}

TEST(SavedGame, CodeSavesAndLoadsAndARefusedLoadIsARunTimeError) {
    TestGame t;
    kestrin::test::TempDir dir;
    const int o = t.AddObject("counter");
    const std::string file = dir.File("slot.sav");
    t.AddCode(o, kEventStep, 0,
              "n += 1; if (n == 3) game_save('" + file + "'); if (n == 6) game_load('" + file +
                  "'); if (n == 5) game_load('" + dir.File("missing.sav") + "');");
    t.AddCode(o, kEventCreate, 0, "n = 0;");
    t.Place(t.AddRoom("room"), o, 0, 0);
    auto world = t.Start();
    for (int step = 0; step < 6; ++step) world->Step();
    // Loaded at the end of the sixth step: n is back to what it was when saved.
    EXPECT_EQ(Eval(*world, world->Instances()[0].get(), "n").Real(), 3.0);
    ASSERT_EQ(t.shell.messages.size(), 1u);
    EXPECT_NE(t.shell.messages[0].find("Cannot load the game: the file " + dir.File("missing.sav") +
                                       " cannot be read."),
              std::string::npos)
        << t.shell.messages[0];
}

// A new run of the game has run none of the code that declared globals or
// made structures: the save brings both, with the ids the code holds.
TEST(SavedGame, GlobalvarNamesAndDataStructuresComeBackInANewRun) {
    TestGame t;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("structures.sav");
    const int o = t.AddObject("holder");
    t.Place(t.AddRoom("room"), o, 0, 0);
    auto first = t.Start();
    first->Script().RunCode(
        "globalvar best; best = 7; ds_set_precision(0.5);"
        "var a, b; a = ds_list_create(); b = ds_list_create(); global.c = ds_list_create(); ds_list_destroy(b);"
        "ds_list_add(global.c, 1.5); ds_list_add(global.c, 'two');"
        "global.m = ds_map_create(); ds_map_add(global.m, 'key', 'value');"
        "global.p = ds_priority_create(); ds_priority_add(global.p, 'low', 1); ds_priority_add(global.p, 'high', 9);"
        "global.s = ds_stack_create(); ds_stack_push(global.s, 'bottom'); ds_stack_push(global.s, 'top');",
        nullptr, "setup");
    ASSERT_TRUE(t.shell.messages.empty()) << t.shell.messages[0];
    first->SaveGame(file);
    first->Step();

    auto second = t.Start();
    std::string error;
    ASSERT_TRUE(second->LoadGame(file, error)) << error;
    second->Step();
    const struct {
        const char* expression;
        Value expected;
    } cases[] = {
        {"best", 7.0},
        {"ds_list_size(global.c)", 2.0},
        {"ds_list_find_value(global.c, 1)", Value("two")},
        {"ds_map_find_value(global.m, 'key')", Value("value")},
        {"ds_priority_find_max(global.p)", Value("high")},
        {"ds_stack_top(global.s)", Value("top")},
        {"ds_list_find_index(global.c, 1.9)", 0.0},  // within the saved precision
        {"ds_list_create()", 1.0},                   // the destroyed slot is free again
    };
    for (const auto& c : cases) {
        const Value got = Eval(*second, nullptr, c.expression);
        EXPECT_EQ(got.IsString(), c.expected.IsString()) << c.expression;
        EXPECT_EQ(got.IsString() ? got.Text() : std::to_string(got.Real()),
                  c.expected.IsString() ? c.expected.Text() : std::to_string(c.expected.Real()))
            << c.expression;
    }
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages[0];
}

TEST(SavedGame, FilesThatAreNoSaveOfThisGameAreRefused) {
    SaveGame g;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("good.sav");
    auto world = g.t.Start();
    for (int step = 0; step < 35; ++step) world->Step();
    world->SaveGame(file);
    world->Step();
    const std::string good = ReadFile(file);
    ASSERT_GT(good.size(), 40u);

    std::string otherGame = good;
    // The game id follows the mark and the format.
    otherGame[4 + 12 + 4] ^= 1;
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x40;
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", " is damaged."},
        {"text", "hello, this is not a saved game at all", " is damaged."},
        {"other game", otherGame, " was saved by another game."},
        {"flipped bit", flipped, " is damaged."},
        {"huge block", good.substr(0, 24) + std::string("\xff\xff\xff\x7f", 4), " is damaged."},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File("case.sav");
        WriteFile(path, c.bytes);
        std::string error;
        EXPECT_FALSE(world->LoadGame(path, error)) << c.name;
        EXPECT_EQ(error, "Cannot load the game: " + path + c.reason) << c.name;
    }
    // Cut short anywhere.
    for (std::size_t length = 0; length < good.size(); length += 13) {
        WriteFile(dir.File("cut.sav"), good.substr(0, length));
        std::string error;
        EXPECT_FALSE(world->LoadGame(dir.File("cut.sav"), error)) << length;
    }
    // The refusals left nothing pending: the good file still loads.
    std::string error;
    EXPECT_TRUE(world->LoadGame(file, error)) << error;
}

}  // namespace
}  // namespace kestrin::engine
