#pragma once
// Runs the registered benchmarks and prints, after Google Benchmark's table,
// the ratio of each measured case to its baseline measured in the same run.
// Ratios, unlike absolute times, survive noisy machines.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kestrin::bench {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
            {
                mTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
                mCpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }
    // Wall clock and CPU time of the case, in its own unit; 0 when it did not run.
    double Time(const std::string& name) const { return Find(mTimes, name); }
    double CpuTime(const std::string& name) const { return Find(mCpuTimes, name); }

private:
    static double Find(const std::map<std::string, double>& times, const std::string& name) {
        auto it = times.find(name);
        return it == times.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> mTimes, mCpuTimes;
};

struct RatioLine {
    std::string label;
    std::string measured;  // benchmark names as Google Benchmark prints them
    std::string baseline;
    double target;         // at most; 0 for none
};

// Runs everything and prints one line per ratio; returns 0.
inline int RunAndPrintRatios(int argc, char** argv, const std::vector<RatioLine>& lines) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-44s %10s %8s\n", "ratio (ours / baseline)", "value", "target");
    for (const auto& line : lines) {
        double measured = reporter.Time(line.measured), baseline = reporter.Time(line.baseline);
        if (measured <= 0 || baseline <= 0) continue;
        double ratio = measured / baseline;
        if (line.target > 0)
            std::printf("%-44s %10.3f %8.2f %s\n", line.label.c_str(), ratio, line.target,
                        ratio <= line.target ? "ok" : "MISSED");
        else
            std::printf("%-44s %10.3f\n", line.label.c_str(), ratio);
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace kestrin::bench
