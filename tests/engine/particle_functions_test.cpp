// The particle functions as game code calls them: results, run-time errors
// for handles that name nothing, systems stepping by themselves until the
// game steps them, and a frame with particles drawn among the instances by
// depth.

#include <gtest/gtest.h>

#include "engine/canvas.h"
#include "engine/particle_systems.h"
#include "engine_fixture.h"
#include "resources/event_types.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

struct ParticleGame {
    ParticleGame() {
        const int room = t.AddRoom("room", 40, 40);
        t.Room(room).Color = 0;
        t.Place(room, t.AddObject("maker"), 0, 0);
    }
    void Start() { world = t.Start(); }
    Instance* Maker() { return world->Instances().at(0).get(); }
    void Run(const std::string& code) { world->Script().RunCode(code, Maker(), "test"); }
    double Real(const std::string& expression) { return Eval(*world, Maker(), expression).Real(); }

    TestGame t;
    std::unique_ptr<World> world;
};

// Every case starts with a system ps and a type pt.
constexpr const char* kSetUp = "globalvar ps, pt; ps = part_system_create(); pt = part_type_create();";

TEST(ParticleFunctions, GiveWhatTheGameAsks) {
    struct Case {
        const char* code;
        const char* expression;
        double result;
    };
    const Case cases[] = {
        {"", "part_system_exists(ps) + part_type_exists(pt)", 2},
        {"", "part_system_exists(ps + 1) + part_type_exists(-1) + part_emitter_exists(7, 0)", 0},
        {"part_particles_create(ps, 10, 10, pt, 5);", "part_particles_count(ps)", 5},
        {"part_particles_create(ps, 10, 10, pt, 5); part_particles_clear(ps);", "part_particles_count(ps)", 0},
        {"e = part_emitter_create(ps); part_emitter_region(ps, e, 0, 20, 0, 20, ps_shape_ellipse, ps_distr_gaussian);"
         "part_emitter_burst(ps, e, pt, 7);",
         "part_particles_count(ps)", 7},
        {"e = part_emitter_create(ps);", "part_emitter_exists(ps, e)", 1},
        {"e = part_emitter_create(ps); part_emitter_destroy(ps, e);", "part_emitter_exists(ps, e)", 0},
        {"a = part_attractor_create(ps); b = part_attractor_create(ps); part_attractor_destroy_all(ps);",
         "part_attractor_exists(ps, a) + part_attractor_exists(ps, b)", 0},
        {"d = part_destroyer_create(ps); f = part_deflector_create(ps); c = part_changer_create(ps);",
         "part_destroyer_exists(ps, d) + part_deflector_exists(ps, f) + part_changer_exists(ps, c)", 3},
        {"part_particles_create(ps, 1, 1, pt, 3); part_type_destroy(pt);", "part_particles_count(ps)", 0},
        {"part_particles_create(ps, 1, 1, pt, 3); part_system_clear(ps);", "part_particles_count(ps)", 0},
        {"part_system_destroy(ps);", "part_system_exists(ps)", 0},
        {"part_system_destroy_all(); part_type_destroy_all();", "part_system_exists(ps) + part_type_exists(pt)", 0},
        {"q = part_system_create(); part_system_destroy(ps);", "part_system_create()", 0},
        // A stream makes its particles at every step of the system.
        {"e = part_emitter_create(ps); part_emitter_stream(ps, e, pt, 4); part_system_doastep(ps);"
         "part_system_doastep(ps);",
         "part_particles_count(ps)", 8},
        {"part_type_life(pt, 2, 2); part_particles_create(ps, 1, 1, pt, 3); part_system_doastep(ps);"
         "part_system_doastep(ps);",
         "part_particles_count(ps)", 0},
        {"part_type_life(pt, 3, 3); part_type_step(pt, 1, pt); part_particles_create(ps, 1, 1, pt, 1);"
         "part_system_doastep(ps);",
         "part_particles_count(ps)", 2},
    };
    for (const Case& c : cases) {
        ParticleGame g;
        g.Start();
        g.Run(std::string(kSetUp) + c.code);
        EXPECT_EQ(g.Real(c.expression), c.result) << c.code << " / " << c.expression;
        EXPECT_TRUE(g.t.shell.messages.empty()) << c.code << ": " << g.t.shell.messages.front();
    }
}

TEST(ParticleFunctions, CallsThatCannotBeDoneAreRunTimeErrors) {
    struct Case {
        const char* code;
        const char* message;
    };
    const Case cases[] = {
        {"part_type_shape(99, pt_shape_disk);", "Particle type with index 99 does not exist"},
        {"part_type_destroy(pt); part_type_color(pt, c_red, c_red, c_red);", "Particle type with index 0 does not exist"},
        {"part_particles_create(5, 0, 0, pt, 1);", "Particle system with index 5 does not exist"},
        {"part_particles_create(ps, 0, 0, pt + 1, 1);", "Particle type with index 1 does not exist"},
        {"part_system_draw(-1, 0, 0);", "Particle system with index -1 does not exist"},
        {"part_emitter_burst(ps, 3, pt, 1);", "Particle emitter with index 3 does not exist"},
        {"part_deflector_kind(ps, 0, ps_deflect_vertical);", "Particle deflector with index 0 does not exist"},
        {"part_type_shape(pt, 42);", "Unknown particle shape 42"},
        {"part_type_sprite(pt, 7, 0, 0, 0);", "Sprite with index 7 does not exist"},
        {"repeat (40) part_system_create();", "Too many particle systems"},
        {"repeat (101) part_changer_create(ps);", "Too many particle changers in particle system 0"},
    };
    for (const Case& c : cases) {
        ParticleGame g;
        g.Start();
        g.Run(std::string(kSetUp) + c.code);
        ASSERT_EQ(g.t.shell.messages.size(), 1u) << c.code;
        EXPECT_NE(g.t.shell.messages[0].find(c.message), std::string::npos) << c.code << ": " << g.t.shell.messages[0];
    }
}

TEST(ParticleFunctions, HostileNumbersAreHarmless) {
    ParticleGame g;
    g.Start();
    g.Run(std::string(kSetUp) +
          "big = power(10, 300); inf = big * big; n = inf - inf;"
          "part_type_speed(pt, n, inf, n, n); part_type_size(pt, -5, n, big, n);"
          "part_type_life(pt, n, big); part_type_direction(pt, n, n, n, -inf); part_type_gravity(pt, n, n);"
          "part_type_alpha(pt, n, 2, -1); part_type_color(pt, n, -5, big); part_type_step(pt, big, pt);"
          "part_particles_create(ps, n, 5, pt, 3); part_particles_create(ps, 5, 5, pt, n);"
          "part_particles_create(ps, 5, 5, pt, big); part_system_doastep(ps); part_system_doastep(ps);");
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
    ASSERT_NE(g.world->Particles().System(0), nullptr);
    const ParticleSystem& system = *g.world->Particles().System(0);
    EXPECT_EQ(system.particles.size(), std::size_t{ParticleSystems::kMaxParticles});
    for (const Particle& p : system.particles) {
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.speed) && std::isfinite(p.size));
        ASSERT_GE(p.life, 1);
    }
    // Grown to the largest size, the particles cover the frame without
    // each of them being drawn over it.
    g.Run("part_type_alpha(pt, 1, 1, 1); part_type_color(pt, c_white, c_white, c_white);");
    Bitmap24 frame(40, 40);
    ImageCanvas canvas(frame);
    g.world->Draw(canvas);
    EXPECT_EQ(frame.Pixel(39, 39), kWhite);
}

TEST(ParticleFunctions, SystemsStepByThemselvesUntilTheGameStepsThem) {
    ParticleGame g;
    g.t.AddCode(0, kEventCreate, 0,
                std::string(kSetUp) + "part_type_speed(pt, 1, 1, 0, 0); part_particles_create(ps, 10, 10, pt, 1);");
    g.Start();
    const std::vector<Particle>& particles = g.world->Particles().System(0)->particles;
    g.world->Step();
    g.world->Step();
    EXPECT_EQ(particles.at(0).x, 12);
    g.Run("part_system_doastep(ps);");
    EXPECT_EQ(particles.at(0).x, 13);
    g.world->Step();
    EXPECT_EQ(particles.at(0).x, 13) << "the game steps it now";

    // game_restart clears every system and type.
    g.Run("game_restart();");
    g.world->Step();
    EXPECT_EQ(g.world->Particles().System(0)->particles.size(), 1u) << "made anew by the create event";
    EXPECT_EQ(g.world->Particles().System(1), nullptr);
}

int SolidSprite(TestGame& t, ColorValue color, int origin = 0) {
    Bitmap24 frame(8, 8, color);
    const int index = t.game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    CSprite& sprite = *t.game.Sprites().ResourceAt(index);
    sprite.AddImage(&frame);
    sprite.SetTransparent(false);
    sprite.XOrigin = sprite.YOrigin = origin;
    return index;
}

// A blue instance behind (depth 10), the particles of a system made at depth
// 0, a red instance in front (depth -10). The code may name spr_glow, an
// 8 x 8 sprite of one light colour centred on its origin.
struct LayeredGame {
    explicit LayeredGame(const std::string& extra) {
        const int room = t.AddRoom("layers", 40, 40);
        t.Room(room).Color = 0;
        t.game.Sprites().RenameResource(SolidSprite(t, MakeColor(200, 100, 255), 8), "spr_glow");
        const int back = t.AddObject("back", SolidSprite(t, MakeColor(0, 0, 255)));
        const int front = t.AddObject("front", t.AddSprite(20, 20));
        t.Object(back).Depth = 10;
        t.Object(front).Depth = -10;
        const int maker = t.AddObject("maker");
        t.AddCode(maker, kEventCreate, 0,
                  std::string(kSetUp) + "part_type_shape(pt, pt_shape_square); part_type_color2(pt, c_lime, c_lime);" +
                      extra + "part_particles_create(ps, 12, 12, pt, 1);");
        t.Place(room, back, 0, 0);
        t.Place(room, maker, 0, 0);
        t.Place(room, front, 10, 10);
        world = t.Start();
    }
    ColorValue At(int x, int y) {
        Bitmap24 frame(40, 40);
        ImageCanvas canvas(frame);
        world->Draw(canvas);
        return frame.Pixel(x, y);
    }
    TestGame t;
    std::unique_ptr<World> world;
};

TEST(ParticleFunctions, ParticlesAreDrawnAmongTheInstancesByDepth) {
    const ColorValue red = MakeColor(255, 0, 0), lime = MakeColor(0, 255, 0), blue = MakeColor(0, 0, 255);
    struct Case {
        const char* extra;
        int x, y;
        ColorValue color;
    };
    // A square of size 1 is 16 pixels across: (4, 4) to (19, 19).
    const Case cases[] = {
        {"", 5, 5, lime},     // over the instance behind
        {"", 15, 15, red},    // under the one in front
        {"", 2, 2, blue},     // beyond the square
        {"", 20, 5, 0},
        {"part_type_alpha(pt, 0.5, 0.5, 0.5);", 5, 5, MakeColor(0, 128, 127)},
        {"part_type_size(pt, 0.5, 0.5, 0, 0);", 5, 5, blue},
        {"part_type_size(pt, 0.5, 0.5, 0, 0);", 8, 8, lime},
        {"part_type_shape(pt, pt_shape_disk);", 4, 4, blue},
        {"part_type_shape(pt, pt_shape_disk);", 4, 12, lime},
        {"part_system_sprite_based(ps, false); part_type_alpha(pt, 0.5, 0.5, 0.5);", 5, 5, lime},
        // A sprite takes the particle's colour as a tint.
        {"part_type_sprite(pt, spr_glow, 0, 0, 0); c = make_color_rgb(255, 128, 0); part_type_color2(pt, c, c);", 5, 5,
         MakeColor(200, 50, 0)},
        {"part_type_sprite(pt, spr_glow, 0, 0, 0); part_type_color2(pt, c_white, c_white);", 5, 5,
         MakeColor(200, 100, 255)},
        // Drawn by the game from now on, which is not while drawing here.
        {"part_system_draw(ps, 0, 0);", 5, 5, blue},
    };
    for (const Case& c : cases) {
        LayeredGame layered(c.extra);
        EXPECT_TRUE(layered.t.shell.messages.empty()) << c.extra << ": " << layered.t.shell.messages.front();
        EXPECT_EQ(layered.At(c.x, c.y), c.color) << c.extra << " at " << c.x << "," << c.y;
    }
}

TEST(ParticleFunctions, TheGameDrawsASystemWhereItSays) {
    TestGame t;
    const int room = t.AddRoom("drawn", 40, 40);
    t.Room(room).Color = 0;
    const int drawer = t.AddObject("drawer");
    t.AddCode(drawer, kEventCreate, 0,
              std::string(kSetUp) + "part_type_shape(pt, pt_shape_pixel); part_particles_create(ps, 3, 4, pt, 1);");
    t.AddCode(drawer, kEventDraw, 0, "part_system_draw(ps, 10, 20);");
    t.Place(room, drawer, 0, 0);
    std::unique_ptr<World> world = t.Start();
    Bitmap24 frame(40, 40);
    ImageCanvas canvas(frame);
    world->Draw(canvas);
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
    EXPECT_EQ(frame.Pixel(13, 24), kWhite);
    EXPECT_EQ(frame.Pixel(3, 4), 0u) << "drawn only where the game says";
}

}  // namespace
}  // namespace kestrin::engine
