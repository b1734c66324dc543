// The image editor's canvas, offscreen: repainting a 1200 x 900 viewport of
// a 512 x 512 image at zoom 8 with the grid and the transparent colour's
// checkerboard.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <benchmark/benchmark.h>

#include "image_editors/image_canvas.h"
#include "imaging/bitmap24.h"

namespace {

void RepaintViewport1200x900Zoom8Grid(benchmark::State& state) {
    kestrin::Bitmap24 image(512, 512, kestrin::kWhite);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            if ((x / 7 + y / 5) % 3) image.SetPixel(x, y, kestrin::MakeColor(x / 2, y / 2, (x + y) / 4));
    kestrin::TImageCanvas canvas;
    canvas.SetImage(&image);
    canvas.SetSeeThrough(true);
    canvas.SetGrid(true);
    canvas.SetZoom(8);
    QImage target(1200, 900, QImage::Format_ARGB32_Premultiplied);
    // A viewport away from the corner, so the exposed rectangle starts mid-pixel.
    const QRect viewport(1003, 1501, 1200, 900);
    for (auto _ : state) {
        canvas.render(&target, QPoint(), QRegion(viewport), QWidget::DrawChildren);
        benchmark::DoNotOptimize(target.bits());
    }
}

// Process time: the painter may hand work to threads of its own.
BENCHMARK(RepaintViewport1200x900Zoom8Grid)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
