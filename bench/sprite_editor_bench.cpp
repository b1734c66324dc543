// The sprite editor, offscreen: rebuilding the thumbnails of a 200-frame
// 128 x 128 sprite, and a few whole-set commands on the same set to see which
// run long enough to show progress.

#include <QApplication>
#include <benchmark/benchmark.h>

#include "image_editors/edit_sprite_form.h"
#include "resources/animation.h"

namespace {

using kestrin::TAnimation;

std::unique_ptr<TAnimation> Frames200() {
    auto frames = std::make_unique<TAnimation>(128, 128);
    for (int k = 0; k < 200; ++k) {
        kestrin::Bitmap24 frame(128, 128, kestrin::kWhite);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if ((x - 64) * (x - 64) + (y - 64) * (y - 64) < (k % 60 + 4) * (k % 60 + 4))
                    frame.SetPixel(x, y, kestrin::MakeColor(x * 2, y * 2, k));
        frames->AddImage(frame);
    }
    return frames;
}

void RebuildThumbnails200x128(benchmark::State& state) {
    kestrin::TEditSpriteForm form(Frames200(), false);
    for (auto _ : state) form.RefreshThumbnails();
}

template <typename Command>
void WholeSet(benchmark::State& state, Command command) {
    auto frames = Frames200();
    for (auto _ : state) command(*frames);
}

void Mirror(benchmark::State& state) {
    WholeSet(state, [](TAnimation& f) { f.Mirror(); });
}
void Rotate45Quality3(benchmark::State& state) {
    WholeSet(state, [](TAnimation& f) { f.Rotate(3, 45); });
}
void Blur3(benchmark::State& state) {
    WholeSet(state, [](TAnimation& f) { f.Blur(3); });
}

BENCHMARK(RebuildThumbnails200x128)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Mirror)->Unit(benchmark::kMillisecond);
BENCHMARK(Rotate45Quality3)->Unit(benchmark::kMillisecond);
BENCHMARK(Blur3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
