// Particles: steps per second of a system of 10,000 moving particles (with
// gravity, an attractor and a deflector), and frames per second of a
// 640 x 480 room drawing them: as half see-through disks from pictures, and
// as plain figures. Printed with ratios against drawing the same room
// without particles, measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "engine/canvas.h"
#include "engine/game_shell.h"
#include "engine/particle_systems.h"
#include "engine/world.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/ratio_reporter.h"
#include "storage/tree_codes.h"

namespace {

using namespace kestrin;

constexpr int kParticles = 10000;

class QuietShell : public engine::GameShell {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool ShowQuestion(const std::string&) override { return true; }
    void WriteErrorLog(const std::string&) override {}
};

struct Room {
    Room() {
        NewGame(game);
        const int room = game.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
        game.Rooms().ResourceAt(room)->Width = 640;
        game.Rooms().ResourceAt(room)->Height = 480;
        world = std::make_unique<engine::World>(game, shell, std::vector<std::string>{}, 1);
        world->Start();
    }
    // A system of particles spread over the room, moving every way.
    engine::ParticleSystem& Fill(bool spriteBased) {
        engine::ParticleSystems& model = world->Particles();
        const int type = model.CreateType();
        engine::ParticleType& t = *model.Type(type);
        t.shape = engine::kShapeDisk;
        t.sizeMin = 0.4;
        t.sizeMax = 0.8;
        t.speedMin = 0.5;
        t.speedMax = 2;
        t.directionMax = 360;
        t.directionWiggle = 5;
        t.gravity = 0.01;
        t.colors = {MakeColor(255, 200, 0), MakeColor(255, 80, 0), MakeColor(80, 0, 0)};
        t.alphas = {1, 0.5, 0.2};
        t.lifeMin = t.lifeMax = 10000000;
        engine::ParticleSystem& system = *model.System(model.CreateSystem(0));
        system.spriteBased = spriteBased;
        system.attractors.Add({320, 240, 0.5, 200, engine::kForceLinear, true});
        system.deflectors.Add(
            {engine::ParticleRegion::Make(0, 640, 470, 480, engine::kRegionRectangle), engine::kDeflectVertical, 0.1});
        engine::ParticleEmitter emitter;
        emitter.region = engine::ParticleRegion::Make(0, 640, 0, 480, engine::kRegionRectangle);
        model.Burst(system, emitter, type, kParticles);
        // Ages spread over the life, so colours and alphas vary.
        for (std::size_t i = 0; i < system.particles.size(); ++i) system.particles[i].age = static_cast<int>(i * 997);
        return system;
    }

    Game game;
    QuietShell shell;
    std::unique_ptr<engine::World> world;
};

void BM_Step10000(benchmark::State& state) {
    Room room;
    engine::ParticleSystem& system = room.Fill(true);
    for (auto _ : state) room.world->Particles().Step(system);
    if (system.particles.size() != kParticles) state.SkipWithError("particles were lost");
}

void Draw(benchmark::State& state, bool particles, bool spriteBased) {
    Room room;
    if (particles) room.Fill(spriteBased);
    Bitmap24 frame(640, 480);
    engine::ImageCanvas canvas(frame);
    for (auto _ : state) room.world->Draw(canvas);
}

void BM_DrawEmptyRoom(benchmark::State& state) { Draw(state, false, true); }
void BM_Draw10000(benchmark::State& state) { Draw(state, true, true); }
void BM_Draw10000Figures(benchmark::State& state) { Draw(state, true, false); }

BENCHMARK(BM_Step10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawEmptyRoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw10000Figures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    kestrin::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Per second from CPU time in milliseconds.
    auto rate = [&reporter](const char* name) {
        const double ms = reporter.CpuTime(name);
        return ms > 0 ? 1000.0 / ms : 0.0;
    };
    const double empty = rate("BM_DrawEmptyRoom");
    std::printf("\n%-28s %16s %18s\n", "10,000 particles", "per second (CPU)", "time vs empty room");
    for (const char* name : {"BM_Step10000", "BM_DrawEmptyRoom", "BM_Draw10000", "BM_Draw10000Figures"})
        std::printf("%-28s %16.1f %18.2f\n", name, rate(name), rate(name) > 0 ? empty / rate(name) : 0.0);
    benchmark::Shutdown();
    return 0;
}
