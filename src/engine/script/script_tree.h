#pragma once
// The compiled form of a piece of code: a tree of nodes that the runtime
// walks. Chains of binary operators of one precedence level are one node
// with many operands, so long expressions do not make deep trees.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/script/name_table.h"
#include "engine/value.h"

namespace kestrin::engine {

class BuiltinContext;
using BuiltinFunction = bool (*)(BuiltinContext& context, const Value* arguments, int count, Value& result);

enum class NodeKind : std::uint8_t {
    // Expressions.
    Constant,       // constant
    Local,          // slot; kids: indexes
    Argument,       // slot = argument number
    ArgumentArray,  // kids: indexes
    Variable,       // name, scope; kids: indexes
    Field,          // name; kids[0]: the target, then indexes
    Call,           // name, builtin; kids: arguments
    Unary,          // op; kids[0]
    Chain,          // ops[i] joins kids[i] and kids[i + 1]
    // Statements.
    Block,          // kids: statements
    Assign,         // op; kids[0]: target, kids[1]: value
    Evaluate,       // kids[0]: an expression evaluated for its effects
    If,             // kids: condition, then, [else]
    While,          // kids: condition, body
    DoUntil,        // kids: body, condition
    For,            // kids: init, condition, step, body
    Repeat,         // kids: count, body
    With,           // kids: target, body
    Switch,         // kids[0]: value, then the body's statements
    Case,           // kids[0]: value (only reached by falling through)
    Default,
    Exit,
    Break,
    Continue,
    Return,         // kids[0]
    Globalvar,      // names
    Nothing,
};

// Where a plain name lives, decided when compiling.
enum class Scope : std::uint8_t {
    Self,     // the instance, unless globalvar made the name global
    Global,   // a built-in global variable
    Plain,    // as Self, and the host keeps the name as a plain variable
};

struct Node {
    NodeKind kind = NodeKind::Nothing;
    std::int32_t op = 0;  // a token kind
    Scope scope = Scope::Self;
    int line = 0;
    int slot = 0;
    NameId name = kNoName;
    // Plain: where the name was found in a store the last time, tried
    // first the next time. Instances of one object write their variables in
    // the same order, so one guess serves all of them; a wrong guess only
    // costs the lookup it would have saved.
    mutable int hint = -1;
    BuiltinFunction builtin = nullptr;
    Value constant;
    std::vector<std::unique_ptr<Node>> kids;
    std::vector<std::int32_t> ops;  // Chain
    std::vector<NameId> names;      // Globalvar
    // Switch: the positions in kids of its case and default labels.
    std::vector<int> labels;
};

class CompiledCode {
public:
    std::unique_ptr<Node> root;
    int localCount = 0;
    std::vector<NameId> localNames;  // by slot, for messages
    std::string scriptName;          // empty for a piece of code
};

}  // namespace kestrin::engine
