// A tight loop of a million iterations of arithmetic and variable access in
// the script interpreter, with var locals and with instance variables kept
// by a host, against the same loop compiled as C++.

#include <cstdio>
#include <string>

#include "engine/script/interpreter.h"
#include "engine/script/variable_store.h"
#include "support/ratio_reporter.h"

namespace {

using namespace kestrin;
using namespace kestrin::engine;

// One instance and the globals, with plain variables only.
class LoopHost : public ScriptHost {
public:
    VariableStatus GetVariable(InstanceId instance, NameId name, int row, int column, Value& value,
                               std::string&) override {
        return Store(instance).Get(name, row, column, value) ? VariableStatus::Done : VariableStatus::Unknown;
    }
    VariableStatus SetVariable(InstanceId instance, NameId name, int row, int column, const Value& value,
                               std::string& error) override {
        return Store(instance).Set(name, row, column, value, error) ? VariableStatus::Done : VariableStatus::Refused;
    }
    bool IsPlainName(NameId) const override { return true; }
    VariableStore* PlainVariables(InstanceId instance) override { return &Store(instance); }
    void Instances(double, std::vector<InstanceId>&) override {}
    CallStatus CallFunction(NameId, const CallContext&, std::span<const Value>, Value&, std::string&) override {
        return CallStatus::NotProvided;
    }
    void ShowMessage(const std::string&) override {}
    RandomSource& Random() override { return mRandom; }

private:
    VariableStore& Store(InstanceId instance) { return instance == kGlobal ? mGlobals : mSelf; }
    VariableStore mGlobals, mSelf;
    RandomSource mRandom{1};
};

constexpr const char* kLocalLoop =
    "var i, s; s = 0; for (i = 0; i < 1000000; i += 1) { s = s + i * 2 - 1; } return s";
constexpr const char* kInstanceLoop =
    "s = 0; for (i = 0; i < 1000000; i += 1) { s = s + i * 2 - 1; } return s";

void RunLoop(benchmark::State& state, const char* code) {
    NameTable names;
    LoopHost host;
    Interpreter interpreter(names, host);
    const CompileResult compiled = interpreter.Compile(code);
    if (!compiled.code) {
        state.SkipWithError(compiled.error.c_str());
        return;
    }
    for (auto _ : state) {
        RunResult result = interpreter.Run(*compiled.code, kFirstInstanceId, kNoone);
        if (!result.ok || result.value.Real() != 999998000000.0) state.SkipWithError("wrong result");
        benchmark::DoNotOptimize(result);
    }
}

void InterpreterLocalLoop(benchmark::State& state) { RunLoop(state, kLocalLoop); }
void InterpreterInstanceLoop(benchmark::State& state) { RunLoop(state, kInstanceLoop); }

void NativeLoop(benchmark::State& state) {
    for (auto _ : state) {
        double s = 0;
        for (double i = 0; i < 1000000; i += 1) {
            s = s + i * 2 - 1;
            // Keeps each round's arithmetic, as the interpreter does it.
            benchmark::DoNotOptimize(s);
        }
    }
}

BENCHMARK(InterpreterLocalLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(InterpreterInstanceLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(NativeLoop)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The absolute target is 100 ms per million iterations; the table above
    // gives the times, the ratios put them beside compiled code.
    return kestrin::bench::RunAndPrintRatios(
        argc, argv,
        {{"interpreter loop, var locals / C++", "InterpreterLocalLoop", "NativeLoop", 0},
         {"interpreter loop, instance variables / C++", "InterpreterInstanceLoop", "NativeLoop", 0}});
}
