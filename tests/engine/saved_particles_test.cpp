// Particles and the message look in saved games: a loaded game goes on
// emitting and drawing exactly as the saved one, its dialogs look as they
// did, a file with impossible particles is refused as damaged, and files of
// the format before them still load.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>

#include "engine/canvas.h"
#include "engine/saved_game.h"
#include "engine/saved_message_look.h"
#include "engine/saved_particles.h"
#include "engine_fixture.h"
#include "resources/event_types.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

constexpr int kRoomSide = 120;

// A stream of disks from an emitter, pulled by an attractor, bounced off a
// floor, shown as sprites on the left and destroyed on the right; each disk
// leaves a spark when it dies. A type and an emitter made and destroyed
// first leave their handles free.
struct FountainGame {
    FountainGame() {
        const int sprite = t.AddSprite(3, 3);
        const int fountain = t.AddObject("fountain");
        t.AddCode(fountain, kEventCreate, 0,
                  "globalvar ps, pt, spark, em, at;"
                  "var gone; gone = part_type_create(); pt = part_type_create(); spark = part_type_create();"
                  "part_type_destroy(gone);"
                  "part_type_shape(pt, pt_shape_disk); part_type_size(pt, 0.2, 0.5, 0.005, 0.02);"
                  "part_type_speed(pt, 1, 2.5, -0.01, 0.2); part_type_direction(pt, 0, 359, 2, 4);"
                  "part_type_color(pt, c_red, c_yellow, c_aqua); part_type_alpha(pt, 1, 0.8, 0.3);"
                  "part_type_life(pt, 15, 40); part_type_death(pt, 1, spark); part_type_gravity(pt, 0.05, 270);"
                  "part_type_sprite(spark, " + std::to_string(sprite) + ", true, false, true);"
                  "part_type_life(spark, 5, 9);"
                  "ps = part_system_create(); part_system_draw_order(ps, false);"
                  "var e0; e0 = part_emitter_create(ps); em = part_emitter_create(ps); part_emitter_destroy(ps, e0);"
                  "part_emitter_region(ps, em, 50, 70, 50, 70, ps_shape_ellipse, ps_distr_gaussian);"
                  "part_emitter_stream(ps, em, pt, 4);"
                  "at = part_attractor_create(ps); part_attractor_position(ps, at, 90, 30);"
                  "part_attractor_force(ps, at, 0.3, 70, ps_force_linear, true);"
                  "var d; d = part_deflector_create(ps); part_deflector_region(ps, d, 0, 120, 100, 120);"
                  "part_deflector_friction(ps, d, 0.2);"
                  "var c; c = part_changer_create(ps); part_changer_region(ps, c, 0, 30, 0, 120, ps_shape_rectangle);"
                  "part_changer_types(ps, c, pt, spark); part_changer_kind(ps, c, ps_change_shape);"
                  "var k; k = part_destroyer_create(ps);"
                  "part_destroyer_region(ps, k, 110, 120, 0, 120, ps_shape_diamond);");
        const int room = t.AddRoom("garden", kRoomSide, kRoomSide);
        t.Room(room).Color = 0;
        t.Place(room, fountain, 0, 0);
    }
    TestGame t;
};

Bitmap24 Frame(World& world) {
    Bitmap24 frame(kRoomSide, kRoomSide);
    ImageCanvas canvas(frame);
    world.Draw(canvas);
    return frame;
}

double Count(World& world) { return Eval(world, nullptr, "part_particles_count(ps)").Real(); }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// The world saved into the file after `steps` steps.
void SaveAfter(World& world, int steps, const std::string& file) {
    for (int step = 1; step < steps; ++step) world.Step();
    world.SaveGame(file);
    world.Step();
}

// A new run of the game that loads the file after a course of its own.
std::unique_ptr<World> LoadInNewRun(TestGame& t, const std::string& file) {
    auto world = t.Start({}, 99);
    for (int step = 0; step < 5; ++step) world->Step();
    std::string error;
    EXPECT_TRUE(world->LoadGame(file, error)) << error;
    world->Step();
    return world;
}

TEST(SavedParticles, ALoadedGameGoesOnEmittingAndDrawingAsTheSavedOne) {
    FountainGame g;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("fountain.sav");
    auto original = g.t.Start({}, 3);
    SaveAfter(*original, 30, file);
    const double atSave = Count(*original);
    const Bitmap24 frameAtSave = Frame(*original);

    auto loaded = LoadInNewRun(g.t, file);
    EXPECT_EQ(Count(*loaded), atSave);
    EXPECT_TRUE(Frame(*loaded) == frameAtSave);
    for (int step = 0; step < 45; ++step) {
        original->Step();
        loaded->Step();
    }
    EXPECT_GT(Count(*original), 0.0);
    EXPECT_EQ(Count(*loaded), Count(*original));
    const Bitmap24 frame = Frame(*loaded);
    EXPECT_TRUE(frame == Frame(*original));
    EXPECT_FALSE(frame == Bitmap24(kRoomSide, kRoomSide)) << "particles are drawn";

    // The handles the code holds name the same things; the freed ones are free.
    const struct {
        const char* expression;
        double expected;
    } cases[] = {
        {"part_type_exists(0) + 10 * part_type_exists(pt) + 100 * part_type_exists(spark)", 110},
        {"part_emitter_exists(ps, 0) + 10 * part_emitter_exists(ps, em) + 100 * part_attractor_exists(ps, at)", 110},
        {"part_deflector_exists(ps, 0) + part_changer_exists(ps, 0) + part_destroyer_exists(ps, 0)", 3},
        {"part_type_create()", 0},
        {"part_emitter_create(ps)", 0},
        {"part_system_create()", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(Eval(*loaded, nullptr, c.expression).Real(), c.expected) << c.expression;
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

// Every setting as text, to compare looks whole.
std::string Describe(const MessageLook& look) {
    std::string text = std::to_string(look.background) + ' ' + std::to_string(look.buttonSprite) + ' ' +
                       std::to_string(look.alpha) + ' ' + std::to_string(look.mouseColor) + ' ' +
                       std::to_string(look.inputColor);
    for (const MessageFont* f : {&look.textFont, &look.buttonFont, &look.inputFont})
        text += " [" + f->font.name + ' ' + std::to_string(f->font.size) + ' ' + std::to_string(f->font.style) + ' ' +
                std::to_string(f->font.angle) + ' ' + std::to_string(f->color) + ']';
    for (int field : {look.x, look.y, look.width, look.height}) text += ' ' + std::to_string(field);
    return text + ' ' + std::to_string(look.showCaption) + " '" + look.caption + "'";
}

TEST(SavedParticles, TheMessageLookComesBack) {
    TestGame t;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("look.sav");
    const int sprite = t.AddSprite(8, 8);
    const int o = t.AddObject("styler");
    t.AddCode(o, kEventCreate, 0,
              "message_button(" + std::to_string(sprite) +
                  "); message_alpha(0.5); message_mouse_color(c_navy); message_input_color(c_olive);"
                  "message_text_font('Courier', 14, c_blue, 1); message_button_font('Times', 9, c_white, 2);"
                  "message_input_font('Mono', 20, c_red, 3); message_position(30, 40); message_size(300, 120);"
                  "message_caption(false, 'Note');");
    t.Place(t.AddRoom("room"), o, 0, 0);
    auto original = t.Start();
    SaveAfter(*original, 2, file);
    const std::string saved = Describe(t.shell.Messages());
    ASSERT_NE(saved, Describe(MessageLook{}));

    // The shell outlives the runs: back to the default look before loading.
    t.shell.Messages() = MessageLook{};
    auto loaded = t.Start();
    t.shell.Messages() = MessageLook{};
    std::string error;
    ASSERT_TRUE(loaded->LoadGame(file, error)) << error;
    loaded->Step();
    EXPECT_EQ(Describe(t.shell.Messages()), saved);
}

using Damage = std::function<void(SavedGame&)>;

TEST(SavedParticles, ImpossibleParticlesAreRefusedAsDamage) {
    FountainGame g;
    kestrin::test::TempDir dir;
    const std::string file = dir.File("good.sav");
    auto world = g.t.Start();
    SaveAfter(*world, 20, file);
    SavedGame good;
    ASSERT_EQ(ReadSavedGame(ReadFile(file), g.t.game, world->Script().Names(), good), SaveFileProblem::None);
    ASSERT_EQ(good.particles.types.size(), 3u);
    ASSERT_FALSE(good.particles.systems.at(0)->particles.empty());

    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto particle = [](SavedGame& s) -> Particle& { return s.particles.systems[0]->particles[0]; };
    auto type = [](SavedGame& s) -> ParticleType& { return *s.particles.types[1]; };
    auto system = [](SavedGame& s) -> SavedParticleSystem& { return *s.particles.systems[0]; };
    const struct {
        const char* name;
        Damage damage;
    } cases[] = {
        {"particle at NaN", [&](SavedGame& s) { particle(s).x = nan; }},
        {"particle beyond any place", [&](SavedGame& s) { particle(s).y = 1e300; }},
        {"particle older than its life", [&](SavedGame& s) { particle(s).age = particle(s).life; }},
        {"particle of an endless life", [&](SavedGame& s) { particle(s).life = 2000000000; }},
        {"negative sprite frame", [&](SavedGame& s) { particle(s).frame = -1; }},
        {"negative size", [&](SavedGame& s) { particle(s).size = -1; }},
        {"unknown shape", [&](SavedGame& s) { type(s).shape = kParticleShapeCount; }},
        {"life of no steps", [&](SavedGame& s) { type(s).lifeMin = 0; }},
        {"lives the wrong way round", [&](SavedGame& s) { type(s).lifeMax = type(s).lifeMin - 1; }},
        {"alpha above one", [&](SavedGame& s) { type(s).alphas[2] = 1.5; }},
        {"colour beyond 24 bits", [&](SavedGame& s) { type(s).colors[0] = 0x1000000; }},
        {"infinite gravity", [&](SavedGame& s) { type(s).gravity = INFINITY; }},
        {"system at NaN depth", [&](SavedGame& s) { system(s).depth = nan; }},
        {"emitter region at NaN", [&](SavedGame& s) { system(s).emitters[1]->region.xmax = nan; }},
        {"rectangle inside out", [&](SavedGame& s) { system(s).changers[0]->region.xmin = 200; }},
        {"unknown distribution", [&](SavedGame& s) { system(s).emitters[1]->distribution = 2; }},
        {"unknown force", [&](SavedGame& s) { system(s).attractors[0]->kind = 3; }},
        {"negative reach", [&](SavedGame& s) { system(s).attractors[0]->distance = -1; }},
        {"unknown deflection", [&](SavedGame& s) { system(s).deflectors[0]->kind = 2; }},
        {"unknown change", [&](SavedGame& s) { system(s).changers[0]->kind = 3; }},
        {"too many particles",
         [&](SavedGame& s) {
             const Particle copy = particle(s);
             system(s).particles.resize(ParticleSystems::kMaxParticles + 1, copy);
         }},
        {"too many emitters", [&](SavedGame& s) { system(s).emitters.resize(ParticleSystem::kMaxItems + 1); }},
        {"too many systems", [&](SavedGame& s) { s.particles.systems.resize(ParticleSystems::kMaxSystems + 1); }},
        {"too many types", [&](SavedGame& s) { s.particles.types.resize(ParticleSystems::kMaxTypes + 1); }},
        {"message alpha above one", [&](SavedGame& s) { s.messageLook.alpha = 2; }},
        {"message font of no size", [&](SavedGame& s) { s.messageLook.textFont.font.size = 0; }},
        {"message beyond any screen", [&](SavedGame& s) { s.messageLook.width = 1 << 30; }},
    };
    const std::string path = dir.File("case.sav");
    for (const auto& c : cases) {
        SavedGame damaged;
        ASSERT_EQ(ReadSavedGame(ReadFile(file), g.t.game, world->Script().Names(), damaged), SaveFileProblem::None);
        c.damage(damaged);
        WriteFile(path, WriteSavedGame(damaged, g.t.game.GameId, world->Script().Names()));
        std::string error;
        EXPECT_FALSE(world->LoadGame(path, error)) << c.name;
        EXPECT_EQ(error, "Cannot load the game: " + path + " is damaged.") << c.name;
    }

    // The particle section cut short anywhere.
    CStream whole;
    WriteParticles(whole, good.particles);
    WriteMessageLook(whole, good.messageLook);
    const std::string bytes(whole.View());
    for (std::size_t length = 0; length < bytes.size(); length += 5) {
        CStream cut(std::string_view(bytes).substr(0, length));
        SavedParticles particles;
        MessageLook look;
        EXPECT_ANY_THROW({
            ReadParticles(cut, particles);
            ReadMessageLook(cut, look);
        }) << length;
    }
}

// A file of the format before particles: the same file less the particles
// and the message look at its end, with the older format number.
std::string AsFormatThree(const std::string& bytes, const SavedGame& saved) {
    CStream file(bytes);
    const std::string mark = file.ReadString();
    file.ReadInteger();
    const std::int32_t gameId = file.ReadInteger();
    const CStream body = file.ReadCompressedBlock();
    CStream tail;
    WriteParticles(tail, saved.particles);
    WriteMessageLook(tail, saved.messageLook);
    CStream older;
    older.WriteString(mark);
    older.WriteInteger(3);
    older.WriteInteger(gameId);
    older.WriteCompressedBlock(CStream(body.View().substr(0, body.Size() - tail.Size())));
    return std::string(older.View());
}

TEST(SavedParticles, AFileOfTheFormatBeforeHasNoParticlesAndTheDefaultLook) {
    FountainGame g;
    g.t.AddCode(0, kEventStep, 0, "steps += 1;");
    g.t.AddCode(0, kEventCreate, 0, "steps = 0; message_alpha(0.25);");
    kestrin::test::TempDir dir;
    const std::string file = dir.File("new.sav");
    auto world = g.t.Start();
    SaveAfter(*world, 10, file);
    SavedGame saved;
    ASSERT_EQ(ReadSavedGame(ReadFile(file), g.t.game, world->Script().Names(), saved), SaveFileProblem::None);
    const std::string older = dir.File("older.sav");
    WriteFile(older, AsFormatThree(ReadFile(file), saved));

    for (int step = 0; step < 5; ++step) world->Step();
    std::string error;
    ASSERT_TRUE(world->LoadGame(older, error)) << error;
    world->Step();
    EXPECT_EQ(Eval(*world, world->Instances().at(0).get(), "steps").Real(), 10.0);
    EXPECT_EQ(Eval(*world, nullptr, "part_system_exists(ps) + part_type_exists(pt)").Real(), 0.0);
    EXPECT_EQ(Describe(g.t.shell.Messages()), Describe(MessageLook{}));
}

}  // namespace
}  // namespace kestrin::engine
