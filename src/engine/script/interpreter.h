#pragma once
// The script language compiled and run: code is compiled once into a tree
// and then run as often as needed against a ScriptHost. Errors come back as
// data; nothing here throws across the interface or crashes on hostile code.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/script/name_table.h"
#include "engine/script/script_host.h"
#include "engine/value.h"

namespace kestrin::engine {

class CompiledCode;
class DataStructures;
class ScriptRuntime;

struct CompileResult {
    std::shared_ptr<const CompiledCode> code;  // null on an error
    std::string error;                         // the checker's message
    int line = 0;
};

// A run-time error: the message, the line within the piece of code or script
// where it happened, and that script's name (empty for the piece itself).
struct RunError {
    std::string message;
    int line = 0;
    std::string script;
};

struct RunResult {
    bool ok = true;
    Value value;     // what return gave; 0 otherwise
    RunError error;  // when !ok
};

// Scripts may call scripts at most this deep; deeper calls are an error.
inline constexpr int kMaxCallDepth = 256;

class Interpreter {
public:
    Interpreter(NameTable& names, ScriptHost& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // "Treat uninitialised variables as 0": reading a variable never set
    // gives 0 instead of an error.
    void SetUnsetVariablesAreZero(bool zero);

    // A name that reads as a fixed value: resource names (their index) and
    // the game's constants. Define them before compiling code that uses them.
    void DefineConstant(std::string_view name, const Value& value);

    // A script callable by name from all code; index is its resource index
    // (for script_execute), or -1 for library scripts. A script of the game
    // (index >= 0) wins over a library script of the same name whatever the
    // order; a later library script replaces an earlier one. Scripts are
    // compiled when first called or by CompileScripts.
    void DefineScript(std::string_view name, std::string_view code, int index);
    // Each library's code: "#define NAME" lines start its scripts.
    void DefineLibraryCode(std::string_view libraryCode);
    // Compiles every defined script not yet compiled; the errors, each
    // naming its script in RunError::script.
    std::vector<RunError> CompileScripts();

    CompileResult Compile(std::string_view code);

    // Runs the code with the given self and other (kNoone when there is
    // none) and up to 16 arguments; exit ends it, return gives its value.
    RunResult Run(const CompiledCode& code, InstanceId self, InstanceId other, std::span<const Value> arguments = {});
    // Calls a script or a function by name, as code would.
    RunResult Call(std::string_view name, InstanceId self, InstanceId other, std::span<const Value> arguments = {});

    NameTable& Names() { return mNames; }

    // What a saved game keeps of the code's own state: the data structures
    // it made and the names globalvar made global.
    DataStructures& Structures();
    std::vector<NameId> GlobalvarNames() const;
    void MakeGlobalvar(NameId name);

private:
    NameTable& mNames;
    std::unique_ptr<ScriptRuntime> mRuntime;
};

// Whether the interpreter provides this function of the built-in tables
// itself (math, strings, types, random, script_execute, ...); the engine
// provides the rest or reports them as missing.
bool IsProvidedByInterpreter(std::string_view name);

}  // namespace kestrin::engine
