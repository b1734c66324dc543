// Saving and loading the object list section of a large game (10,000
// objects with 20 actions each) against copying the same bytes.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "resources/object.h"
#include "storage/game.h"
#include "stream/stream.h"
#include "support/bench_library.h"
#include "support/ratio_reporter.h"

namespace {

constexpr int kObjects = 10000;
constexpr int kActionsPerEvent = 10;  // two events each

struct Fixture {
    kestrin::RandomSource random{1};
    kestrin::Game game{random};
    kestrin::CStream section;

    Fixture() {
        kestrin::bench::InstallBenchLibrary();
        auto& objects = game.Objects();
        for (int i = 0; i < kObjects; ++i) {
            kestrin::CObject& object = *objects.ResourceAt(objects.AddResource());
            object.Parent = i > 0 ? i - 1 : kestrin::kNoObject;
            object.Depth = i;
            for (int n = 0; n < kActionsPerEvent; ++n) {
                auto& code = object.GetEvent(0, 0)->AddAction(1, 1);
                code.SetArgValue(0, "x += " + std::to_string(n) + ";\r\nif (x > room_width) x = 0;");
                auto& move = object.GetEvent(4, i)->AddAction(1, 2);
                move.SetArgValue(0, std::to_string(i));
                move.SetArgValue(1, "speed * 2");
            }
        }
        objects.SaveList(section);
    }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void SaveObjectList(benchmark::State& state) {
    auto& fixture = Data();
    for (auto _ : state) {
        kestrin::CStream out;
        fixture.game.Objects().SaveList(out);
        benchmark::DoNotOptimize(out.Data());
    }
    state.SetBytesProcessed(state.iterations() * fixture.section.Size());
}

void LoadObjectList(benchmark::State& state) {
    auto& fixture = Data();
    kestrin::RandomSource random(2);
    kestrin::Game target(random);
    for (auto _ : state) {
        fixture.section.SetPosition(0);
        if (!target.Objects().LoadList(fixture.section)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(target.Objects().ResourceAt(kObjects - 1));
    }
    state.SetBytesProcessed(state.iterations() * fixture.section.Size());
}

void CopySectionBytes(benchmark::State& state) {
    auto& fixture = Data();
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(fixture.section.Size());
        std::memcpy(copy.data(), fixture.section.Data(), copy.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * fixture.section.Size());
}

BENCHMARK(SaveObjectList)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadObjectList)->Unit(benchmark::kMillisecond);
BENCHMARK(CopySectionBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::printf("object list section: %d objects, %d actions each, %zu bytes\n", kObjects, 2 * kActionsPerEvent,
                Data().section.Size());
    std::vector<kestrin::bench::RatioLine> lines = {
        {"save object list / copy bytes", "SaveObjectList", "CopySectionBytes", 0},
        {"load object list / copy bytes", "LoadObjectList", "CopySectionBytes", 0},
    };
    return kestrin::bench::RunAndPrintRatios(argc, argv, lines);
}
