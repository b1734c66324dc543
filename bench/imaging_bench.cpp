// Picture work on a 100-frame 128 x 128 sprite: stretch to 256 x 256 and
// rotation by 33 degrees at quality 3, blur of radius 2 (in Msamples/s), and
// saving plus loading the sprite record against bare zlib (compress2 and
// uncompress at level 6) on the same BMP bytes. The image editor's tools:
// flood fill of a plain 1024 x 1024 image and of a maze (in Mpixels/s),
// gradient kind 3 at 1024 x 1024, and a 1000-segment stroke of width 5.

#include <cmath>
#include <vector>
#include <zlib.h>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/flood_fill.h"
#include "imaging/gradient_fill.h"
#include "imaging/image_drawing.h"
#include "resources/sprite.h"
#include "stream/stream.h"
#include "support/ratio_reporter.h"

namespace {

using kestrin::Bitmap24;
using kestrin::Image;

constexpr int kFrames = 100;
constexpr int kSize = 128;

// A ball moving over a transparent background, shaded so that frames
// compress like drawn sprites rather than like flat fills or noise.
const std::vector<Image>& Frames() {
    static std::vector<Image> frames;
    if (!frames.empty()) return frames;
    for (int f = 0; f < kFrames; ++f) {
        auto frame = std::make_unique<Bitmap24>(kSize, kSize, kestrin::kEmptyFrameColor);
        double cx = 64 + 30 * std::cos(f * 0.0628), cy = 64 + 30 * std::sin(f * 0.0628);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                double d = std::hypot(x - cx, y - cy);
                if (d < 40)
                    frame->SetPixel(x, y, kestrin::MakeColor(static_cast<int>(255 - 5 * d), (x * 2 + f) & 0xff,
                                                             (y * 3) & 0xff));
            }
        frames.push_back(std::move(frame));
    }
    return frames;
}

void SetRate(benchmark::State& state, double samplesPerIteration) {
    state.counters["Msamples/s"] =
        benchmark::Counter(samplesPerIteration * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void Stretch256Quality3(benchmark::State& state) {
    const auto& frames = Frames();
    for (auto _ : state)
        for (const Image& frame : frames) benchmark::DoNotOptimize(kestrin::Bitmap24_Stretch(frame.get(), 256, 256, true, 3));
    SetRate(state, double{kFrames} * 256 * 256 * 9);
}

void Rotate33Quality3(benchmark::State& state) {
    const auto& frames = Frames();
    for (auto _ : state)
        for (const Image& frame : frames) benchmark::DoNotOptimize(kestrin::Bitmap24_Rotate(frame.get(), 3, true, 33));
    SetRate(state, double{kFrames} * kSize * kSize * 9);
}

void BlurRadius2(benchmark::State& state) {
    const auto& frames = Frames();
    for (auto _ : state)
        for (const Image& frame : frames) benchmark::DoNotOptimize(kestrin::Bitmap24_Blur(frame.get(), 2, true));
    SetRate(state, double{kFrames} * kSize * kSize * 25);
}

void SpriteRecordSaveLoad(benchmark::State& state) {
    kestrin::CSprite sprite;
    for (const Image& frame : Frames()) sprite.AddImage(frame.get());
    for (auto _ : state) {
        kestrin::CStream stream;
        sprite.SaveToStream(stream);
        stream.SetPosition(0);
        kestrin::CSprite loaded;
        benchmark::DoNotOptimize(loaded.LoadFromStream(stream));
    }
}

void ZlibSameBmpBytes(benchmark::State& state) {
    std::vector<std::vector<std::uint8_t>> bmps;
    for (const Image& frame : Frames()) bmps.push_back(kestrin::EncodeBmp(*frame));
    for (auto _ : state) {
        for (const auto& bmp : bmps) {
            uLongf packedSize = compressBound(bmp.size());
            std::vector<Bytef> packed(packedSize);
            compress2(packed.data(), &packedSize, bmp.data(), bmp.size(), 6);
            uLongf size = bmp.size();
            std::vector<Bytef> out(size);
            uncompress(out.data(), &size, packed.data(), packedSize);
            benchmark::DoNotOptimize(out.data());
        }
    }
}

void SetPixelRate(benchmark::State& state, double pixelsPerIteration) {
    state.counters["Mpixels/s"] =
        benchmark::Counter(pixelsPerIteration * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

// Each pass fills the whole area in the other colour, so no pass needs a fresh copy.
void FloodFillPlain1024(benchmark::State& state) {
    Bitmap24 image(1024, 1024, kestrin::kWhite);
    kestrin::ColorValue colors[2] = {kestrin::MakeColor(255, 0, 0), kestrin::kWhite};
    int pass = 0;
    for (auto _ : state) kestrin::FloodFill(image, 512, 512, colors[pass++ & 1]);
    SetPixelRate(state, 1024.0 * 1024);
}

// A serpentine corridor one pixel wide between walls, turning at every row.
void FloodFillMaze1024(benchmark::State& state) {
    Bitmap24 image(1024, 1024, kestrin::kWhite);
    for (int y = 1; y < 1024; y += 2) image.FillRect(y % 4 == 1 ? 1 : 0, y, y % 4 == 1 ? 1024 : 1023, y + 1, 0);
    kestrin::ColorValue colors[2] = {kestrin::MakeColor(255, 0, 0), kestrin::kWhite};
    int pass = 0;
    for (auto _ : state) kestrin::FloodFill(image, 0, 0, colors[pass++ & 1]);
    SetPixelRate(state, 512.0 * 1024 + 512);  // the corridor's pixels
}

void GradientKind3At1024(benchmark::State& state) {
    Bitmap24 image(1024, 1024);
    for (auto _ : state) {
        kestrin::GradientFill(image, 3, kestrin::kWhite, 0);
        benchmark::DoNotOptimize(image.Bits());
    }
}

// The segments a quick mouse stroke gives: 1000 moves of about 20 pixels
// round a spiral.
void Stroke1000SegmentsWidth5(benchmark::State& state) {
    Bitmap24 image(1024, 1024, kestrin::kWhite);
    std::vector<std::pair<int, int>> points;
    for (int i = 0; i <= 1000; ++i) {
        double angle = i * 0.05, radius = 40 + i * 0.4;
        points.emplace_back(512 + static_cast<int>(radius * std::cos(angle)), 512 + static_cast<int>(radius * std::sin(angle)));
    }
    for (auto _ : state) {
        for (std::size_t i = 1; i < points.size(); ++i)
            kestrin::DrawPenLine(image, points[i - 1].first, points[i - 1].second, points[i].first, points[i].second, 5, 0);
        benchmark::DoNotOptimize(image.Bits());
    }
}

BENCHMARK(FloodFillPlain1024)->Unit(benchmark::kMillisecond);
BENCHMARK(FloodFillMaze1024)->Unit(benchmark::kMillisecond);
BENCHMARK(GradientKind3At1024)->Unit(benchmark::kMillisecond);
BENCHMARK(Stroke1000SegmentsWidth5)->Unit(benchmark::kMillisecond);
BENCHMARK(Stretch256Quality3)->Unit(benchmark::kMillisecond);
BENCHMARK(Rotate33Quality3)->Unit(benchmark::kMillisecond);
BENCHMARK(BlurRadius2)->Unit(benchmark::kMillisecond);
BENCHMARK(SpriteRecordSaveLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibSameBmpBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return kestrin::bench::RunAndPrintRatios(
        argc, argv, {{"sprite record save + load (100 x 128 x 128)", "SpriteRecordSaveLoad", "ZlibSameBmpBytes", 1.15}});
}
