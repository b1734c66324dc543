// zblock writing and reading against bare zlib (compress2 / uncompress at
// level 6) on the same bytes, for 1 to 64 MiB of mixed data.

#include <map>
#include <string>
#include <vector>
#include <zlib.h>

#include "stream/stream.h"
#include "support/ratio_reporter.h"

namespace {

// Mixed content: stretches of picture-like gradients, text and noise.
const std::string& MixedData(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    auto& data = cache[size];
    if (!data.empty()) return data;
    data.resize(size);
    std::uint32_t noise = 12345;
    const char* words = "if (x > 10) { instance_create(x, y, obj_ball); score += 5; } ";
    for (std::size_t i = 0; i < size; ++i) {
        noise = noise * 1103515245 + 12345;
        switch ((i >> 14) % 3) {
        case 0: data[i] = static_cast<char>((i % 3 == 0 ? i >> 4 : i >> 6) & 0xff); break;
        case 1: data[i] = words[i % 62]; break;
        default: data[i] = static_cast<char>((noise >> 16) & ((i >> 15) % 2 ? 0xff : 0x0f)); break;
        }
    }
    return data;
}

void ZblockWrite(benchmark::State& state) {
    kestrin::CStream source(MixedData(state.range(0) << 20));
    for (auto _ : state) {
        kestrin::CStream out;
        out.WriteCompressedBlock(source);
        benchmark::DoNotOptimize(out.Data());
    }
}

void ZlibCompress(benchmark::State& state) {
    const std::string& data = MixedData(state.range(0) << 20);
    for (auto _ : state) {
        uLongf size = compressBound(data.size());
        std::vector<Bytef> out(size);
        compress2(out.data(), &size, reinterpret_cast<const Bytef*>(data.data()), data.size(), 6);
        benchmark::DoNotOptimize(out.data());
    }
}

void ZblockRead(benchmark::State& state) {
    kestrin::CStream packed;
    packed.WriteCompressedBlock(kestrin::CStream(MixedData(state.range(0) << 20)));
    for (auto _ : state) {
        packed.SetPosition(0);
        kestrin::CStream block = packed.ReadCompressedBlock();
        benchmark::DoNotOptimize(block.Data());
    }
}

void ZlibUncompress(benchmark::State& state) {
    const std::string& data = MixedData(state.range(0) << 20);
    uLongf packedSize = compressBound(data.size());
    std::vector<Bytef> packed(packedSize);
    compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(data.data()), data.size(), 6);
    for (auto _ : state) {
        uLongf size = data.size();
        std::vector<Bytef> out(size);
        uncompress(out.data(), &size, packed.data(), packedSize);
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(ZblockWrite)->Arg(1)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibCompress)->Arg(1)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(ZblockRead)->Arg(1)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibUncompress)->Arg(1)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<kestrin::bench::RatioLine> lines;
    for (const char* mib : {"1", "4", "8", "16", "32", "64"}) {
        lines.push_back({std::string("write zblock ") + mib + " MiB", std::string("ZblockWrite/") + mib,
                         std::string("ZlibCompress/") + mib, 1.10});
        lines.push_back({std::string("read zblock ") + mib + " MiB", std::string("ZblockRead/") + mib,
                         std::string("ZlibUncompress/") + mib, 1.10});
    }
    return kestrin::bench::RunAndPrintRatios(argc, argv, lines);
}
