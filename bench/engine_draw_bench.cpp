// Frames per second of drawing: 1,000 instances of a 16 x 16 sprite in a
// 640 x 480 room, drawn plainly, then scaled, mirrored and half see-through
// (the transformed path), then through two views into their ports. Printed
// as frames per second on CPU time and as ratios against the plain frame
// measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "engine/canvas.h"
#include "engine/game_shell.h"
#include "engine/world.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"

namespace {

using namespace kestrin;

class QuietShell : public engine::GameShell {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool ShowQuestion(const std::string&) override { return true; }
    void WriteErrorLog(const std::string&) override {}
};

enum Style { kPlain, kTransformed, kTwoViews };

void MakeGame(Game& game, Style style) {
    NewGame(game);
    Bitmap24 frame(16, 16, MakeColor(200, 40, 40));
    frame.FillRect(4, 4, 12, 12, MakeColor(40, 200, 40));
    const int sprite = game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
    game.Sprites().ResourceAt(sprite)->AddImage(&frame);
    const int object = game.Tree().AddResourceNode(nullptr, kTypeObjects)->Data.Index;
    game.Objects().ResourceAt(object)->Sprite = sprite;
    const int room = game.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
    CRoom& r = *game.Rooms().ResourceAt(room);
    r.Width = 640;
    r.Height = 480;
    if (style == kTwoViews) {
        r.ViewsEnabled = true;
        for (int i = 0; i < 2; ++i) {
            RoomView view = r.GetView(i);
            view.Visible = true;
            view.ViewX = i * 320;
            view.ViewY = 0;
            view.ViewW = 320;
            view.ViewH = 480;
            view.PortX = i * 330;
            view.PortY = 0;
            r.SetView(i, view);
        }
    }
    RandomSource random(7);
    for (int i = 0; i < 1000; ++i) r.AddInstance(random.Next(640), random.Next(480), object, game);
}

void Draw(benchmark::State& state, Style style) {
    Game game;
    MakeGame(game, style);
    QuietShell shell;
    engine::World world(game, shell, {}, 1);
    world.Start();
    if (style == kTransformed)
        for (const auto& instance : world.Instances()) {
            instance->imageXScale = -1.5;
            instance->imageYScale = 1.5;
            instance->imageAlpha = 0.5;
        }
    int width, height;
    world.FrameSize(width, height);
    Bitmap24 frame(width, height);
    engine::ImageCanvas canvas(frame);
    for (auto _ : state) world.Draw(canvas);
}

void BM_DrawPlain(benchmark::State& state) { Draw(state, kPlain); }
void BM_DrawTransformed(benchmark::State& state) { Draw(state, kTransformed); }
void BM_DrawTwoViews(benchmark::State& state) { Draw(state, kTwoViews); }

BENCHMARK(BM_DrawPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTransformed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTwoViews)->Unit(benchmark::kMillisecond);

class FrameReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                mRates[run.benchmark_name()] = 1000.0 / run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> mRates;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FrameReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double plain = reporter.mRates["BM_DrawPlain"];
    std::printf("\n%-36s %12s %14s\n", "frames per second, 1,000 instances", "CPU time", "time vs plain");
    for (const auto& [name, rate] : reporter.mRates)
        std::printf("%-36s %12.1f %14.2f\n", name.c_str(), rate, rate > 0 ? plain / rate : 0.0);
    benchmark::Shutdown();
    return 0;
}
