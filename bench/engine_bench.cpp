// Steps per second of headless play: a room of 1,000 and of 5,000 moving
// instances of two objects, with collision events between them and a step
// event of ten lines of code, against the same room whose objects have no
// events at all (motion and bookkeeping only). Target: at least 600 steps
// per second with 1,000 instances. Beside them, the interpreter's tight
// loop on the variables of an instance of a running game. Times are
// counted on the process's CPU time, which other programs sharing the
// machine do not inflate; the wall-clock figure is printed beside it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "engine/game_shell.h"
#include "engine/instance.h"
#include "engine/script_side.h"
#include "engine/world.h"
#include "resources/event.h"
#include "resources/event_types.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"
#include "support/ratio_reporter.h"

namespace {

using namespace kestrin;

class QuietShell : public engine::GameShell {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool ShowQuestion(const std::string&) override { return true; }
    void WriteErrorLog(const std::string&) override {}
};

constexpr const char* kStepCode =
    "t += 1;\n"
    "a = x * 0.5 + y * 0.25;\n"
    "b = a - floor(a);\n"
    "if (x < 0 || x > room_width) hspeed = -hspeed;\n"
    "if (y < 0 || y > room_height) vspeed = -vspeed;\n"
    "c = sqrt(hspeed * hspeed + vspeed * vspeed);\n"
    "if (c > 4) speed = 4;\n"
    "d = point_direction(x, y, room_width / 2, room_height / 2);\n"
    "e = t mod 10;\n"
    "f = a + b + c + d + e;\n";

void AddCode(CObject& object, int type, int number, const std::string& code) {
    CAction& action = object.GetEvent(type, number)->AddAction(0, 0);
    action.Kind = 7;
    action.ArgCount = 1;
    action.ArgKind[0] = 1;
    action.ArgValue[0] = code;
}

// Instances spread over a room that keeps the density of 1,000 in 2000 x 2000.
void MakeGame(Game& game, int count, bool events) {
    NewGame(game);
    Bitmap24 frame(16, 16, MakeColor(200, 40, 40));
    const int sprite = game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    game.Sprites().ResourceAt(sprite)->AddImage(&frame);
    game.Sprites().ResourceAt(sprite)->PreciseCollision = false;
    int objects[2];
    for (int& o : objects) {
        o = game.Tree().AddResourceNode(nullptr, kTypeObjects)->Data.Index;
        game.Objects().ResourceAt(o)->Sprite = sprite;
    }
    if (events) {
        for (int o : objects) {
            AddCode(*game.Objects().ResourceAt(o), kEventCreate, 0, "t = 0; hits = 0; motion_set(random(360), 2);");
            AddCode(*game.Objects().ResourceAt(o), kEventStep, 0, kStepCode);
        }
        AddCode(*game.Objects().ResourceAt(objects[0]), kEventCollision, objects[1], "hits += 1;");
    }
    const int room = game.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
    CRoom& r = *game.Rooms().ResourceAt(room);
    const int side = static_cast<int>(2000 * std::sqrt(count / 1000.0));
    r.Width = side;
    r.Height = side;
    RandomSource random(7);
    for (int i = 0; i < count; ++i) r.AddInstance(random.Next(side), random.Next(side), objects[i % 2], game);
}

void Play(benchmark::State& state, bool events) {
    Game game;
    MakeGame(game, static_cast<int>(state.range(0)), events);
    QuietShell shell;
    engine::World world(game, shell, {}, 1);
    world.Start();
    if (!events)
        for (const auto& instance : world.Instances()) instance->SetMotion(45, 2);
    for (auto _ : state) world.Step();
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_StepWithEvents(benchmark::State& state) { Play(state, true); }
void BM_StepMotionOnly(benchmark::State& state) { Play(state, false); }

// The interpreter's tight loop of a million iterations on the variables of
// an instance of a running game, which the world keeps beside its built-in
// ones: target at most 100 ms.
void BM_LoopOnInstanceVariables(benchmark::State& state) {
    Game game;
    MakeGame(game, 1, false);
    QuietShell shell;
    engine::World world(game, shell, {}, 1);
    world.Start();
    engine::Instance* self = world.Instances().at(0).get();
    const std::string loop = "s = 0; for (i = 0; i < 1000000; i += 1) { s = s + i * 2 - 1; }";
    for (auto _ : state) world.Script().RunCode(loop, self, "the loop");
    engine::Value result;
    std::string error;
    if (!world.Script().Evaluate("s", self, result, error) || result.Real() != 999998000000.0)
        state.SkipWithError("wrong result");
}

BENCHMARK(BM_StepWithEvents)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepMotionOnly)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoopOnInstanceVariables)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    kestrin::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Times are in milliseconds per step.
    auto rate = [](double milliseconds) { return milliseconds > 0 ? 1000.0 / milliseconds : 0.0; };
    std::printf("\n%-32s %12s %12s %8s\n", "headless steps per second", "CPU time", "wall clock", "target");
    for (const char* name : {"BM_StepMotionOnly/1000", "BM_StepMotionOnly/5000", "BM_StepWithEvents/1000",
                             "BM_StepWithEvents/5000"}) {
        const double cpu = rate(reporter.CpuTime(name));
        if (cpu <= 0) continue;
        const bool targeted = std::string(name) == "BM_StepWithEvents/1000";
        std::printf("%-32s %12.1f %12.1f %8s %s\n", name, cpu, rate(reporter.Time(name)), targeted ? "600" : "",
                    targeted ? (cpu >= 600 ? "ok" : "MISSED") : "");
    }
    if (const double loop = reporter.CpuTime("BM_LoopOnInstanceVariables"); loop > 0)
        std::printf("%-32s %12.1f %12.1f %8s %s\n", "loop on instance variables, ms", loop,
                    reporter.Time("BM_LoopOnInstanceVariables"), "100", loop <= 100 ? "ok" : "MISSED");
    const double withEvents = reporter.CpuTime("BM_StepWithEvents/1000");
    const double motionOnly = reporter.CpuTime("BM_StepMotionOnly/1000");
    if (withEvents > 0 && motionOnly > 0)
        std::printf("%-44s %12.3f\n", "events / motion only, 1,000 (time ratio)", withEvents / motionOnly);
    benchmark::Shutdown();
    return 0;
}
