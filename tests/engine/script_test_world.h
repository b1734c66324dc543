#pragma once
// A tiny game world for the interpreter's tests: instances of numbered
// objects with plain variables, globals, a read-only id, a few functions of
// the world, and the messages shown.

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/script/interpreter.h"
#include "engine/script/variable_store.h"

namespace kestrin::engine::script_test {

class TestWorld : public ScriptHost {
public:
    explicit TestWorld(NameTable& names) : mNames(names), mRandom(7) {}

    InstanceId Add(int object) {
        const InstanceId id = mNextId++;
        mInstances[id].object = object;
        return id;
    }
    // Object 2 is a child of object 1, so object 1 names its instances too.
    static bool IsA(int object, int ancestor) { return object == ancestor || (object == 2 && ancestor == 1); }

    VariableStatus GetVariable(InstanceId instance, NameId name, int row, int column, Value& value,
                               std::string& error) override {
        VariableStore* store = Store(instance);
        if (!store) {
            error = "No such instance";
            return VariableStatus::Refused;
        }
        if (instance != kGlobal && mNames.Name(name) == "id") {
            value = Value(static_cast<double>(instance));
            return VariableStatus::Done;
        }
        return store->Get(name, row, column, value) ? VariableStatus::Done : VariableStatus::Unknown;
    }

    VariableStatus SetVariable(InstanceId instance, NameId name, int row, int column, const Value& value,
                               std::string& error) override {
        VariableStore* store = Store(instance);
        if (!store) {
            error = "No such instance";
            return VariableStatus::Refused;
        }
        if (instance != kGlobal && mNames.Name(name) == "id") {
            error = "Cannot assign to id";
            return VariableStatus::Refused;
        }
        return store->Set(name, row, column, value, error) ? VariableStatus::Done : VariableStatus::Refused;
    }

    // Every name but id is plain, so the interpreter reaches them in place.
    bool IsPlainName(NameId name) const override { return mNames.Name(name) != "id"; }
    VariableStore* PlainVariables(InstanceId instance) override { return Store(instance); }

    void Instances(double target, std::vector<InstanceId>& result) override {
        const int id = static_cast<int>(target);
        for (auto& [instance, data] : mInstances)
            if (id == kAll || id == instance || (id >= 0 && id < kFirstInstanceId && IsA(data.object, id)))
                result.push_back(instance);
    }

    CallStatus CallFunction(NameId name, const CallContext& context, std::span<const Value> arguments,
                            Value& result, std::string& error) override {
        const std::string& text = mNames.Name(name);
        calls.push_back(text);
        if (text == "instance_number") {
            std::vector<InstanceId> found;
            Instances(arguments[0].Real(), found);
            result = Value(static_cast<double>(found.size()));
            return CallStatus::Done;
        }
        if (text == "instance_destroy") {
            mInstances.erase(context.self);
            result = Value(0.0);
            return CallStatus::Done;
        }
        if (text == "room_goto") {
            error = "Room does not exist";
            return CallStatus::Failed;
        }
        return CallStatus::NotProvided;
    }

    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    RandomSource& Random() override { return mRandom; }

    std::vector<std::string> shown;
    std::vector<std::string> calls;

private:
    struct Instance {
        int object = 0;
        VariableStore variables;
    };
    VariableStore* Store(InstanceId instance) {
        if (instance == kGlobal) return &mGlobals;
        auto found = mInstances.find(instance);
        return found == mInstances.end() ? nullptr : &found->second.variables;
    }

    NameTable& mNames;
    RandomSource mRandom;
    VariableStore mGlobals;
    std::map<InstanceId, Instance> mInstances;
    InstanceId mNextId = kFirstInstanceId;
};

// An interpreter over a fresh world with one instance of object 0 as self.
struct Sandbox {
    Sandbox() : world(names), interpreter(names, world), self(world.Add(0)) {}

    RunResult Run(std::string_view code, std::span<const Value> arguments = {}, InstanceId other = kNoone) {
        CompileResult compiled = interpreter.Compile(code);
        if (!compiled.code) {
            RunResult failed;
            failed.ok = false;
            failed.error = RunError{"compile: " + compiled.error, compiled.line, ""};
            return failed;
        }
        return interpreter.Run(*compiled.code, self, other, arguments);
    }

    // The value the code returns, or the error as "line N: message" (with
    // the script's name first when it happened in a script).
    std::string Outcome(std::string_view code, InstanceId other = kNoone) {
        return Describe(Run(code, {}, other));
    }

    static std::string Describe(const RunResult& result) {
        if (!result.ok)
            return (result.error.script.empty() ? "" : result.error.script + " ") + "line " +
                   std::to_string(result.error.line) + ": " + result.error.message;
        return Show(result.value);
    }

    static std::string Show(const Value& value) {
        if (value.IsString()) return "'" + value.Text() + "'";
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.10g", value.Real());
        return buffer;
    }

    NameTable names;
    TestWorld world;
    Interpreter interpreter;
    InstanceId self;
};

struct CodeCase {
    const char* code;
    const char* outcome;  // as Sandbox::Outcome gives it
};

// Each case in a fresh sandbox, reported with its code when it fails.
inline void ExpectOutcomes(std::initializer_list<CodeCase> cases) {
    for (const CodeCase& c : cases) EXPECT_EQ(Sandbox().Outcome(c.code), c.outcome) << "code: " << c.code;
}

}  // namespace kestrin::engine::script_test
