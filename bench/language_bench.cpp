// The code checker on a 10 MB generated script against a plain pass that
// only counts line ends over the same bytes; and the recolouring after one
// keystroke in a 10,000-line script against a full recolour of it.

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "language/checker.h"
#include "language/color_code_document.h"
#include "language/project_names.h"
#include "platform/preferences.h"
#include "support/ratio_reporter.h"

namespace {

using namespace kestrin;

const ProjectNames& Game() {
    static const ProjectNames game = [] {
        ProjectNames names;
        for (int i = 0; i < 50; ++i) {
            names.AddResource(ResourceKind::Sprite, "spr_thing" + std::to_string(i));
            names.AddResource(ResourceKind::Object, "obj_thing" + std::to_string(i));
            names.AddResource(ResourceKind::Sound, "snd_effect" + std::to_string(i));
            names.AddResource(ResourceKind::Script, "scr_helper" + std::to_string(i));
        }
        names.AddResource(ResourceKind::Room, "rm_level1");
        names.AddUserConstant("MAX_LIVES");
        return names;
    }();
    return game;
}

// Realistic code: statements of many kinds, calls of built-in functions and
// scripts, nested blocks, comments and strings; CR LF line ends.
std::string GenerateCode(std::size_t size, int* lineCount = nullptr) {
    static const char* const kLines[] = {
        "// move towards the player and keep inside the room",
        "if (x < room_width - 32 && place_free(x + hspeed, y)) {",
        "    x += hspeed; // step",
        "} else {",
        "    hspeed = -hspeed * 0.5;",
        "}",
        "var dx, dy, dist;",
        "dx = obj_thing3.x - x;",
        "dy = obj_thing3.y - y;",
        "dist = point_distance(x, y, obj_thing3.x, obj_thing3.y);",
        "if dist > 0 and dist < 200 then motion_add(point_direction(x, y, obj_thing3.x, obj_thing3.y), 0.25)",
        "for (i = 0; i < 10; i += 1) { draw_sprite(spr_thing7, i, x + i * 16, y - 8); }",
        "with (obj_thing12) { if distance_to_object(other) < 64 instance_destroy(); }",
        "switch (global.state) {",
        "case 0: scr_helper4(x, y, \"start\", 3); break;",
        "case 1: sound_play(snd_effect2); score += 10; break;",
        "default: show_message('Unknown state: ' + string(global.state));",
        "}",
        "/* a block comment that spans",
        "   two lines of the script */",
        "repeat (3) { instance_create(random(room_width), random(room_height), obj_thing5); }",
        "while (lives > 0 && health < 100) { health = min(health + 5, 100); }",
        "do { image_index += 1; } until (image_index >= image_number - 1)",
        "draw_text(view_x[0] + 8, view_y[0] + 8, \"Score: \" + string(score) + \" Lives: \" + string(lives));",
        "alarm[0] = room_speed * 2;",
        "a[i, j] = ds_list_find_value(global.list, i * 4 + j) mod 7;",
        "if not keyboard_check(vk_left) exit;",
        "return scr_helper9(argument0, argument1 + 1, max(argument2, 0));",
    };
    std::string code;
    code.reserve(size + 200);
    std::uint32_t state = 2024;
    int lines = 0;
    while (code.size() < size) {
        state = state * 1103515245u + 12345u;
        // Blocks of the list in order keep brackets and comments balanced.
        std::size_t start = (state >> 16) % 4 == 0 ? 0 : 6;
        for (std::size_t i = start; i < std::size(kLines); ++i) {
            code += kLines[i];
            code += "\r\n";
            ++lines;
        }
    }
    if (lineCount) *lineCount = lines;
    return code;
}

const std::string& TenMegabytes() {
    static const std::string code = GenerateCode(10u << 20);
    return code;
}

void CheckTenMegabytes(benchmark::State& state) {
    const std::string& code = TenMegabytes();
    for (auto _ : state) {
        bool ok = CheckCode(code, Game());
        if (!ok) state.SkipWithError("the generated code did not check");
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * code.size());
}

void CountLineEnds(benchmark::State& state) {
    const std::string& code = TenMegabytes();
    for (auto _ : state) {
        std::size_t count = 0;
        for (char c : code) count += c == '\n';
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * code.size());
}

// A 10,000-line script, coloured once.
struct ColouredScript {
    ColorCodeDocument document{Game(), kDefaultCodeColors};
    ColouredScript() {
        std::string text;
        int lines = 0;
        while (lines < 10000) {
            int added = 0;
            std::string block = GenerateCode(1, &added);
            text += block;
            lines += added;
        }
        document.SetText(text);
        while (document.LineCount() > 10000) document.ReplaceLines(document.LineCount() - 1, 1, {});
        document.ColorCode_All();
    }
};

ColouredScript& Script() {
    static ColouredScript script;
    return script;
}

void RecolourAfterKeystroke(benchmark::State& state) {
    ColorCodeDocument& document = Script().document;
    const int line = 5002;  // in the middle, a plain statement
    const std::string original = document.LineText(line);
    bool typed = false;
    for (auto _ : state) {
        // Type a character, or take it back, as a user would.
        typed = !typed;
        document.ReplaceLines(line, 1, {typed ? original + "x" : original});
        benchmark::DoNotOptimize(document.ColorCode_Update(line));
    }
}

void RecolourWholeScript(benchmark::State& state) {
    ColorCodeDocument& document = Script().document;
    for (auto _ : state) {
        document.ColorCode_All();
        benchmark::DoNotOptimize(document.Runs(0).data());
    }
}

BENCHMARK(CheckTenMegabytes)->Unit(benchmark::kMillisecond);
BENCHMARK(CountLineEnds)->Unit(benchmark::kMillisecond);
BENCHMARK(RecolourAfterKeystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(RecolourWholeScript)->Unit(benchmark::kMicrosecond);

// Keeps the CPU times as well: on a busy machine they show what the code
// costs better than the wall-clock times.
class TimesReporter : public kestrin::bench::RecordingReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                mCpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
        RecordingReporter::ReportRuns(runs);
    }
    double Cpu(const std::string& name) const {
        auto it = mCpu.find(name);
        return it == mCpu.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> mCpu;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double megabytes = static_cast<double>(TenMegabytes().size()) / (1 << 20);
    std::printf("\n");
    for (bool cpu : {false, true}) {
        auto time = [&](const char* name) { return cpu ? reporter.Cpu(name) : reporter.Time(name); };
        const char* clock = cpu ? "cpu " : "wall";
        const double check = time("CheckTenMegabytes"), count = time("CountLineEnds");  // ms
        const double keystroke = time("RecolourAfterKeystroke"), full = time("RecolourWholeScript");  // us
        if (check > 0 && count > 0)
            std::printf("%s: checker %.1f MB/s (target at least 100) %s; counting line ends %.1f MB/s; ratio %.1f\n",
                        clock, megabytes / (check / 1000), megabytes / (check / 1000) >= 100 ? "ok" : "MISSED",
                        megabytes / (count / 1000), check / count);
        if (keystroke > 0 && full > 0)
            std::printf("%s: keystroke %.2f us; full recolour of 10,000 lines %.0f us; %.0f times cheaper "
                        "(target at least 100) %s\n",
                        clock, keystroke, full, full / keystroke, full / keystroke >= 100 ? "ok" : "MISSED");
    }
    benchmark::Shutdown();
    return 0;
}
