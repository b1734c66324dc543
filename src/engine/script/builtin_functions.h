#pragma once
// The built-in functions that need no game world: math, strings, types,
// random numbers, calling scripts and code by value, variables by name and
// messages through the host.

#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/script/data_structures.h"
#include "engine/script/script_host.h"
#include "engine/script/script_tree.h"

namespace kestrin::engine {

// What a built-in function may ask of the running code.
class BuiltinContext {
public:
    virtual ~BuiltinContext() = default;
    virtual ScriptHost& Host() = 0;
    virtual NameTable& Names() = 0;
    virtual InstanceId Self() const = 0;
    virtual InstanceId Other() const = 0;
    // Records the error for the call and gives false, for "return Fail(...)".
    virtual bool Fail(std::string message) = 0;
    virtual bool CallScript(double index, const Value* arguments, int count, Value& result) = 0;
    virtual bool ExecuteString(const std::string& code, Value& result) = 0;
    virtual bool UnsetVariablesAreZero() const = 0;
    virtual DataStructures& Structures() = 0;
    // The name of the function being called, for messages.
    std::string_view function;
};

// The function of that name, or null when the interpreter leaves it to the host.
BuiltinFunction FindBuiltin(std::string_view name);

using BuiltinTable = std::unordered_map<std::string_view, BuiltinFunction>;
// Adds the functions of the data structures.
void AddDataStructureFunctions(BuiltinTable& table);

// How a real reads as text: whole numbers without decimals, others with two.
std::string RealToText(double value);

// The longest string the interpreter makes, so doubling a string in a loop
// ends in an error rather than in exhausted memory.
inline constexpr std::size_t kMaxStringLength = 1 << 24;

}  // namespace kestrin::engine
