// Picture work on a 100-frame 128 x 128 sprite: stretch to 256 x 256 and
// rotation by 33 degrees at quality 3, blur of radius 2 (in Msamples/s), and
// saving plus loading the sprite record against bare zlib (compress2 and
// uncompress at level 6) on the same BMP bytes.

#include <cmath>
#include <vector>
#include <zlib.h>

#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
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
