// The engine's action functions: called from game code, relative or not;
// every action function of the tables provided; a game's own scripts
// winning over them; and actions that call them playing as actions do.

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "actions/action_registry.h"
#include "engine/action_functions.h"
#include "engine/canvas.h"
#include "engine/runner_coverage.h"
#include "engine_fixture.h"
#include "language/builtin_tables.h"
#include "platform/recording_ui.h"
#include "resources/event_types.h"
#include "storage/tree_codes.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// A hero (8 x 8) at (10, 20) with a solid wall at (40, 20), in the first of
// two rooms, and a script that shows which arguments reach it.
struct ActionGame {
    explicit ActionGame(std::vector<std::string> libraries = {}) {
        const int block = t.AddSprite(8, 8);
        hero = t.AddObject("hero", block);
        wall = t.AddObject("wall", block);
        t.Object(wall).Solid = true;
        const int script = t.game.Tree().AddResourceNode(nullptr, kTypeScripts)->Data.Index;
        t.game.Scripts().RenameResource(script, "weigh");
        t.game.Scripts().ResourceAt(script)->Code = "return argument0 + argument1 * 10 + argument4 * 10000;";
        const int first = t.AddRoom("first");
        t.AddRoom("second");
        t.Place(first, hero, 10, 20);
        t.Place(first, wall, 40, 20);
        mLibraries = std::move(libraries);
    }
    void Start() { world = t.Start(mLibraries); }
    Instance* Hero() { return world->Instances().at(0).get(); }
    void Run(const std::string& code) { RunIn(code, Hero()); }
    void RunIn(const std::string& code, Instance* self) { world->Script().RunCode(code, self, "test"); }

    TestGame t;
    int hero = -1, wall = -1;
    std::unique_ptr<World> world;

private:
    std::vector<std::string> mLibraries;
};

TEST(ActionFunctions, EveryActionFunctionOfTheTablesIsProvided) {
    int actions = 0;
    for (const BuiltinFunction& f : BuiltinFunctions()) {
        const std::string name = f.name;
        if (name.rfind("action_", 0) != 0) continue;
        ++actions;
        EXPECT_TRUE(IsActionFunction(name)) << name;
        EXPECT_TRUE(RunnerProvides(name)) << name;
    }
    EXPECT_GT(actions, 0);
    EXPECT_FALSE(IsActionFunction("action_nothing"));
    EXPECT_FALSE(IsActionFunction("instance_create"));
}

struct Case {
    const char* code;
    const char* check;  // an expression in the hero afterwards
    double expected;
};

TEST(ActionFunctions, DoWhatTheirActionsDoFromCode) {
    const Case cases[] = {
        // Motion; argument_relative is 0 until something sets it.
        {"action_set_motion(90, 3);", "direction * 10 + speed", 903},
        {"motion_set(0, 2); argument_relative = 1; action_set_motion(0, 3);", "speed", 5},
        {"action_move_point(10, 0, 2);", "direction", 90},
        {"argument_relative = 1; action_move_point(-5, 0, 2);", "direction", 180},
        {"hspeed = 2; argument_relative = 1; action_set_hspeed(3); action_set_vspeed(-4);", "hspeed * 10 + vspeed", 46},
        {"vspeed = 7; action_set_vspeed(-4);", "vspeed", -4},
        {"action_set_gravity(270, 0.5);", "gravity_direction * 10 + gravity", 2700.5},
        {"gravity = 1; argument_relative = 1; action_set_gravity(0, 0.5);", "gravity", 1.5},
        {"hspeed = 3; vspeed = -2; action_reverse_xdir(); action_reverse_ydir();", "hspeed * 10 + vspeed", -28},
        {"friction = 1; argument_relative = 1; action_set_friction(0.5);", "friction", 1.5},
        {"action_move_to(50, 60);", "x * 1000 + y", 50060},
        {"argument_relative = 1; action_move_to(5, -5);", "x * 1000 + y", 15015},
        {"x = 99; y = 99; action_move_start();", "x * 1000 + y", 10020},
        {"action_move(\"000001000\", 4);", "hspeed", 4},
        {"hspeed = 4; action_move(\"000010000\", 4);", "speed", 0},
        {"hspeed = 4; action_move(\"000000000\", 9);", "hspeed", 4},
        {"hspeed = 1; argument_relative = 1; action_move(\"000001000\", 4);", "hspeed", 5},
        {"action_move_contact(0, -1, 0);", "x", 32},
        {"action_move_contact(0, 5, 1);", "x", 15},
        {"action_linear_step(100, 20, 2, 0);", "x", 12},
        {"path_speed = 1; argument_relative = 1; action_path_speed(2);", "path_speed", 3},
        {"action_snap(16, 16);", "x * 1000 + y", 16016},
        // Instances, alarms, score, lives and health.
        {"made = action_create_object(wall, 100, 100);", "instance_number(wall) * 1000 + made.x", 2100},
        {"argument_relative = 1; made = action_create_object(wall, 5, 5);", "made.x * 1000 + made.y", 15025},
        {"action_kill_position(40, 20);", "instance_number(wall)", 0},
        {"argument_relative = 1; action_kill_position(30, 0);", "instance_number(wall)", 0},
        {"action_set_sprite(-1, -1);", "sprite_index", -1},
        {"action_set_alarm(5, 3);", "alarm[3]", 5},
        {"alarm[3] = 2; argument_relative = 1; action_set_alarm(5, 3);", "alarm[3]", 7},
        {"action_set_score(10); argument_relative = 1; action_set_score(5);", "score", 15},
        {"action_set_life(3); action_set_health(40);", "lives * 1000 + health", 3040},
        {"action_set_caption(1, \"S:\", 0, \"L:\", 1, \"H:\");", "show_score + show_lives * 10 + show_health * 100",
         101},
        {"score = 50; action_highscore_add();", "highscore_value(1)", 50},
        // Questions answer 1 or 0.
        {"score = 10;", "action_if_score(10, 0) * 100 + action_if_score(10, 1) * 10 + action_if_score(9, 2)", 101},
        {"lives = 2; health = 80;", "action_if_life(3, 1) * 10 + action_if_health(100, 0)", 10},
        {"", "action_if_variable(\"a\", \"a\", 0) * 10 + action_if_variable(\"1\", 1, 0)", 10},
        {"", "action_if_number(wall, 1, 0) * 10 + action_if_number(hero, 0, 2)", 11},
        {"", "action_if_empty(40, 20, 0) * 10 + action_if_empty(100, 100, 1)", 1},
        {"argument_relative = 1;", "action_if_empty(30, 0, 0) * 10 + action_if_collision(30, 0, 1)", 1},
        {"", "action_if_collision(40, 20, 0) * 10 + action_if_collision(100, 100, 1)", 10},
        {"", "action_if_object(wall, 40, 20) * 10 + action_if_object(wall, 70, 20)", 10},
        {"argument_relative = 1;", "action_if_object(wall, 30, 0) * 10 + action_if_object(wall, 0, 0)", 10},
        {"", "action_if_dice(1)", 1},
        {"", "action_if(2) * 100 + action_if(0.3) * 10 + action_if(\"yes\")", 110},
        {"", "action_if(0) + action_if(-1)", 0},
        {"", "action_if_mouse(0) * 10 + action_if_mouse(1)", 10},
        {"", "action_if_aligned(5, 10) * 10 + action_if_aligned(4, 4)", 10},
        {"", "action_if_previous_room() * 10 + action_if_next_room()", 1},
        {"", "action_if_sound(0)", 0},
        {"", "action_execute_script(weigh, 1, 2, 3, 4, 5)", 50021},
        // Drawing settings.
        {"action_color(c_red, 0);", "brush_color + pen_color", 510},
        {"action_fill_color(1); action_line_color(2);", "brush_color * 10 + pen_color", 12},
        {"action_draw_font(\"Courier\", 10, c_blue, 1, 1, 1, 0);", "font_size * 100 + font_style", 1007},
        {"action_fullscreen(0);", "full_screen", 1},
        {"action_fullscreen(0); action_fullscreen(0);", "full_screen", 0},
        {"action_fullscreen(2); action_fullscreen(1);", "full_screen", 0},
        {"action_set_cursor(-1, 0); action_set_cursor(-1, 1);", "1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ActionGame g;
        g.Start();
        g.Run(c.code);
        EXPECT_EQ(Eval(*g.world, g.Hero(), c.check).Real(), c.expected) << c.check;
        EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
    }
}

TEST(ActionFunctions, ChangeTheGameAndShowMessages) {
    {
        ActionGame g;
        g.Start();
        g.Run("action_message(\"Hello\"); answer = action_if_question(\"Go on?\");");
        EXPECT_EQ(Eval(*g.world, g.Hero(), "answer").Real(), 1);
        g.Run("action_another_room(second, 0);");
        g.world->Step();
        EXPECT_EQ(g.world->Room().name, "second");
        EXPECT_EQ(g.t.shell.messages, (std::vector<std::string>{"Hello", "Go on?"}));
    }
    {
        ActionGame g;
        g.Start();
        g.Run("action_next_room(0);");
        g.world->Step();
        EXPECT_EQ(g.world->Room().name, "second");
        g.RunIn("action_previous_room(0);", nullptr);
        g.world->Step();
        EXPECT_EQ(g.world->Room().name, "first");
    }
    {
        ActionGame g;
        g.Start();
        g.Run("action_kill_object();");
        EXPECT_EQ(g.world->CountOf(g.hero), 0);
        g.RunIn("action_end_game();", nullptr);
        EXPECT_TRUE(g.world->Ended());
    }
}

TEST(ActionFunctions, DrawRelativeToTheInstanceOrTheRoom) {
    ActionGame g;
    g.t.AddCode(g.hero, kEventDraw, 0,
                "brush_color = c_blue; pen_color = c_blue; action_draw_rectangle(100, 100, 110, 110);"
                "argument_relative = 1; action_draw_line(0, 100, 20, 100); action_draw_ellipse(100, 0, 110, 10);"
                "lives = 2; action_draw_life_images(0, 150, -1); action_draw_text(\"hi\", 0, 60);"
                "action_draw_score(0, 70, \"Score: \"); action_draw_health(60, 130, 110, 140, 1, 15);"
                "lives = 1000000000000; action_draw_life_images(0, 150, -1);");
    g.Start();
    Bitmap24 frame(200, 200, MakeColor(0, 0, 0));
    ImageCanvas canvas(frame);
    g.world->Draw(canvas);
    const ColorValue blue = MakeColor(0, 0, 255);
    EXPECT_EQ(frame.Pixel(105, 105), blue) << "the room's place";
    EXPECT_EQ(frame.Pixel(20, 120), blue) << "the hero's line";
    EXPECT_EQ(frame.Pixel(115, 25), blue) << "the hero's ellipse";
    EXPECT_EQ(frame.Pixel(95, 155), blue) << "a full health bar in the colour chosen";
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

TEST(ActionFunctions, FailuresNameTheFunctionAndTheTablesCountsHold) {
    struct Failure {
        const char* code;
        const char* message;
    };
    const Failure failures[] = {
        {"action_create_object(999, 0, 0);", "in script action_create_object"},
        {"action_move(1);", "Wrong number of arguments"},
        {"action_if_variable(\"a\", 1, 1);", "in script action_if_variable"},
    };
    for (const Failure& f : failures) {
        ActionGame g;
        g.Start();
        g.Run(f.code);
        ASSERT_EQ(g.t.shell.messages.size(), 1u) << f.code;
        EXPECT_NE(g.t.shell.messages[0].find(f.message), std::string::npos) << g.t.shell.messages[0];
    }
}

TEST(ActionFunctions, TheGamesScriptsAndLibrariesReplaceThem) {
    ActionGame g({"#define action_set_score\nscore = 1000;\n"});
    const int script = g.t.game.Tree().AddResourceNode(nullptr, kTypeScripts)->Data.Index;
    g.t.game.Scripts().RenameResource(script, "action_message");
    g.t.game.Scripts().ResourceAt(script)->Code = "return 7;";
    g.Start();
    g.Run("said = action_message(\"unseen\"); action_set_score(1);");
    EXPECT_EQ(Eval(*g.world, g.Hero(), "said").Real(), 7);
    EXPECT_EQ(g.world->Values().score, 1000);
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

// Every game compiles the functions: a constant or resource named like one
// of their locals (without the underscores) must not break them.
TEST(ActionFunctions, CompileBesideTheGamesOwnNames) {
    TestGame t;
    std::set<std::string> locals;
    const std::string& code = ActionFunctionsCode();
    const std::regex local("\\b__(\\w+)");
    for (std::sregex_iterator m(code.begin(), code.end(), local), end; m != end; ++m) locals.insert((*m)[1]);
    ASSERT_FALSE(locals.empty());
    for (const std::string& name : locals) t.game.Options.Constants.push_back({name, "1"});
    t.AddRoom("room");
    auto world = t.Start();
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
}

// An action that names a function: its arguments by kind, its relative box
// and NOT, as the shipped libraries' actions are saved.
CAction& AddCall(CEvent& event, const char* function, std::vector<std::pair<int, std::string>> args,
                 bool relative = false, bool question = false, bool negated = false) {
    CAction& a = event.AddAction(0, 0);
    a.ExecKind = 1;
    a.ExecText1 = function;
    a.ArgCount = static_cast<int>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        a.ArgKind[i] = args[i].first;
        a.ArgValue[i] = args[i].second;
    }
    a.Relative = relative;
    a.IsQuestion = question;
    a.Not = negated;
    return a;
}

TEST(ActionFunctions, PlayAsActions) {
    ActionGame g;
    CEvent& create = *g.t.Object(g.hero).GetEvent(kEventCreate, 0);
    AddCall(create, "action_set_motion", {{0, "0"}, {0, "2"}});
    AddCall(create, "action_set_score", {{0, "3"}});
    CEvent& step = *g.t.Object(g.hero).GetEvent(kEventStep, 0);
    AddCall(step, "action_set_score", {{0, "1"}}, true);
    // Once the score passes 5, the hero goes the other way (not "score < 6").
    AddCall(step, "action_if_score", {{0, "6"}, {4, "1"}}, false, true, true);
    AddCall(step, "action_set_hspeed", {{0, "-2"}});
    g.Start();
    for (int s = 0; s < 4; ++s) g.world->Step();
    EXPECT_EQ(g.world->Values().score, 7);
    // Right for the steps that raised the score to 4 and 5, then left twice.
    EXPECT_EQ(g.Hero()->x, 10);
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

// The shipped actions whose argument lists differ from the functions' own:
// the extra arguments still count.
TEST(ActionFunctions, ShippedActionsWithMoreArgumentsKeepTheirMeaning) {
    ClearActionLibraries();
    RecordingUI ui;
    ScopedUI installed(ui);
    ASSERT_TRUE(LoadActionLibrariesFrom(std::string(KESTRIN_BIN_DIR) + "/lib/"));
    std::vector<std::string> code;
    for (int i = 0; i < LibraryCount(); ++i) code.push_back(LibraryAt(i)->LibraryCode);
    ActionGame g(code);
    auto add = [&](CEvent& event, int library, int action, std::vector<std::string> args) -> CAction& {
        CAction& a = event.AddAction(library, action);
        for (std::size_t i = 0; i < args.size(); ++i) a.ArgValue[i] = args[i];
        return a;
    };
    CEvent& create = *g.t.Object(g.hero).GetEvent(kEventCreate, 0);
    add(create, 6, 610, {"\"Courier New\",10,255,1,0,1,0", "1"});  // set font, centred
    add(create, 2, 207, {"-1", "-1", "0.5"});                      // change sprite, speed 0.5
    CEvent& draw = *g.t.Object(g.hero).GetEvent(kEventDraw, 0);
    add(draw, 6, 609, {"16711680"});                                  // blue
    add(draw, 6, 605, {"100", "100", "120", "120", "1"});           // an outline only
    g.Start();
    ClearActionLibraries();
    EXPECT_EQ(Eval(*g.world, g.Hero(), "font_name").Text(), "Courier New");
    EXPECT_EQ(Eval(*g.world, g.Hero(), "font_size * 1000 + font_style * 10 + font_align").Real(), 10051);
    EXPECT_EQ(Eval(*g.world, g.Hero(), "image_speed").Real(), 0.5);
    Bitmap24 frame(200, 200, MakeColor(0, 0, 0));
    ImageCanvas canvas(frame);
    g.world->Draw(canvas);
    EXPECT_EQ(frame.Pixel(100, 110), MakeColor(0, 0, 255));
    EXPECT_NE(frame.Pixel(110, 110), MakeColor(0, 0, 255));
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

}  // namespace
}  // namespace kestrin::engine
