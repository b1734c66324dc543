#pragma once
// Tokens into the tree the runtime walks. It accepts exactly the grammar of
// the code checker, with the same messages, and gives the operators their
// precedence: or, xor, and, comparisons, |, ^, &, shifts, + -, * / div mod.

#include <memory>
#include <string>
#include <string_view>

#include "engine/script/interpreter.h"
#include "engine/script/script_tree.h"

namespace kestrin::engine {

// What the compiler asks about names beyond the built-in tables.
class CompileEnvironment {
public:
    virtual ~CompileEnvironment() = default;
    virtual NameTable& Names() = 0;
    // A built-in constant, a resource name or a constant of the game.
    virtual bool ConstantValue(std::string_view name, Value& value) const = 0;
    virtual bool IsScript(std::string_view name) const = 0;
    // Whether the host keeps the name as a plain variable everywhere.
    virtual bool IsPlainVariable(NameId name) const = 0;
};

CompileResult CompileCode(std::string_view code, CompileEnvironment& environment, const std::string& scriptName);

// The 1-based line of a 1-based position: a line feed, or a carriage return
// not followed by one, ends a line.
int LineOfPosition(std::string_view code, int position);

}  // namespace kestrin::engine
