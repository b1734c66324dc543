// The interpreter's public face over its runtime.

#include "engine/script/interpreter.h"

#include "engine/script/library_code.h"
#include "engine/script/script_runtime.h"

namespace kestrin::engine {

Interpreter::Interpreter(NameTable& names, ScriptHost& host)
    : mNames(names), mRuntime(std::make_unique<ScriptRuntime>(names, host)) {}

Interpreter::~Interpreter() = default;

void Interpreter::SetUnsetVariablesAreZero(bool zero) { mRuntime->SetUnsetVariablesAreZero(zero); }

DataStructures& Interpreter::Structures() { return mRuntime->Structures(); }
std::vector<NameId> Interpreter::GlobalvarNames() const { return mRuntime->GlobalvarNames(); }
void Interpreter::MakeGlobalvar(NameId name) { mRuntime->MakeGlobalvar(name); }

void Interpreter::DefineConstant(std::string_view name, const Value& value) { mRuntime->DefineConstant(name, value); }

void Interpreter::DefineScript(std::string_view name, std::string_view code, int index) {
    mRuntime->DefineScript(name, code, index);
}

void Interpreter::DefineLibraryCode(std::string_view libraryCode) {
    for (const LibraryScript& script : SplitLibraryCode(libraryCode))
        if (!script.name.empty()) mRuntime->DefineScript(script.name, script.code, -1);
}

std::vector<RunError> Interpreter::CompileScripts() { return mRuntime->CompileScripts(); }

CompileResult Interpreter::Compile(std::string_view code) { return CompileCode(code, *mRuntime, std::string()); }

RunResult Interpreter::Run(const CompiledCode& code, InstanceId self, InstanceId other,
                           std::span<const Value> arguments) {
    return mRuntime->Run(code, self, other, arguments);
}

RunResult Interpreter::Call(std::string_view name, InstanceId self, InstanceId other,
                            std::span<const Value> arguments) {
    return mRuntime->CallByName(name, self, other, arguments);
}

}  // namespace kestrin::engine
