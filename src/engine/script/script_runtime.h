#pragma once
// The runtime behind Interpreter: the defined constants and scripts, the
// names made global, and the walk over compiled trees.

#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/script/data_structures.h"
#include "engine/script/interpreter.h"
#include "engine/script/script_compiler.h"
#include "engine/script/script_tree.h"
#include "engine/script/variable_store.h"
#include "language/tokenizer.h"

namespace kestrin::engine {

class ScriptRuntime : public CompileEnvironment {
public:
    ScriptRuntime(NameTable& names, ScriptHost& host) : mNames(names), mHost(host) {}

    NameTable& Names() override { return mNames; }
    bool ConstantValue(std::string_view name, Value& value) const override;
    bool IsScript(std::string_view name) const override;
    bool IsPlainVariable(NameId name) const override { return mHost.IsPlainName(name); }

    void SetUnsetVariablesAreZero(bool zero) { mUnsetZero = zero; }
    bool UnsetVariablesAreZero() const { return mUnsetZero; }
    void DefineConstant(std::string_view name, const Value& value);
    void DefineScript(std::string_view name, std::string_view code, int index);
    std::vector<RunError> CompileScripts();

    RunResult Run(const CompiledCode& code, InstanceId self, InstanceId other, std::span<const Value> arguments);
    RunResult CallByName(std::string_view name, InstanceId self, InstanceId other, std::span<const Value> arguments);

    DataStructures& Structures() { return mStructures; }
    std::vector<NameId> GlobalvarNames() const;
    void MakeGlobalvar(NameId name);

private:
    friend class RunContext;

    struct Script {
        std::string name;
        std::string code;
        int index = -1;
        std::shared_ptr<const CompiledCode> compiled;
        RunError compileError;
        bool failed = false;
    };

    struct LocalSlot {
        bool set = false;
        Value value;
        std::unique_ptr<VariableStore> array;  // once an element other than [0, 0] is written
    };

    struct Frame {
        const CompiledCode* code = nullptr;
        InstanceId self = kNoone;
        InstanceId other = kNoone;
        Value arguments[16];
        std::vector<LocalSlot> locals;
        Value returned;
        // The plain variables of self, once asked for; asked again when
        // self changes or a function has run.
        VariableStore* variables = nullptr;
        bool variablesKnown = false;
    };

    enum class Flow { Normal, Break, Continue, Exit, Return, Error };

    // Runs code in a fresh frame; false on an error, which is then recorded.
    bool RunFrame(const CompiledCode& code, InstanceId self, InstanceId other, const Value* arguments, int count,
                  Value& result);
    bool CallScript(int script, const Node& at, const Value* arguments, int count, Value& result);
    bool CallFunction(NameId name, BuiltinFunction builtin, const Node& at, const Value* arguments, int count,
                      Value& result);
    bool Prepare(Script& script);
    int ScriptOf(NameId name) const;
    bool IsGlobalvar(NameId name) const {
        return name >= 0 && static_cast<std::size_t>(name) < mGlobalvar.size() && mGlobalvar[name];
    }

    bool Fail(const Node& at, std::string message);
    bool Fail(int line, std::string message);
    Flow FailFlow(const Node& at, std::string message);

    Flow Exec(const Node& node);
    Flow ExecAssign(const Node& node);
    Flow ExecAssignIndexed(const Node& node);
    Flow Store(const Node& node, int row, int column, Value& value);
    Flow ExecLoopBody(const Node& body, bool& stop);
    Flow ExecSwitch(const Node& node);
    Flow ExecWith(const Node& node);
    Flow ExecFor(const Node& node);

    bool Eval(const Node& node, Value& out);
    // The value of a constant, or of a plain local or variable that is set,
    // read in place instead of copied; null for anything that must be
    // evaluated. The pointer is good until anything else is evaluated.
    [[gnu::always_inline]] const Value* Peek(const Node& node) {
        if (!node.kids.empty()) return nullptr;
        switch (node.kind) {
        case NodeKind::Constant: return &node.constant;
        case NodeKind::Local: {
            const LocalSlot& slot = mFrame->locals[node.slot];
            return slot.set && !slot.array ? &slot.value : nullptr;
        }
        case NodeKind::Variable: return node.scope == Scope::Plain ? PlainValue(node) : nullptr;
        default: return nullptr;
        }
    }
    bool EvalChain(const Node& node, Value& out);
    bool EvalUnary(const Node& node, Value& out);
    bool EvalCall(const Node& node, Value& out);
    bool EvalField(const Node& node, Value& out);
    bool EvalLocal(const Node& node, Value& out);
    bool EvalArgument(const Node& node, Value& out);
    bool EvalVariable(const Node& node, Value& out);

    // The indexes of a reference starting at kids[first], as [row, column].
    bool Indexes(const Node& node, std::size_t first, int& row, int& column) {
        row = column = 0;
        return node.kids.size() == first || IndexesOf(node, first, row, column);
    }
    bool IndexesOf(const Node& node, std::size_t first, int& row, int& column);
    bool Targets(const Node& at, const Value& target, std::vector<InstanceId>& instances);
    // Variable access is the most frequent request: the way through is
    // kept short, and the host's error text is kept empty between failures.
    bool ReadVariable(const Node& at, InstanceId instance, NameId name, int row, int column, Value& out) {
        const VariableStatus status = mHost.GetVariable(instance, name, row, column, out, mHostError);
        return status == VariableStatus::Done || ReadFailed(at, status, name, row, column, out);
    }
    bool WriteVariable(const Node& at, InstanceId instance, NameId name, int row, int column, const Value& value) {
        return mHost.SetVariable(instance, name, row, column, value, mHostError) == VariableStatus::Done ||
               WriteFailed(at, name);
    }
    bool ReadFailed(const Node& at, VariableStatus status, NameId name, int row, int column, Value& out);
    bool WriteFailed(const Node& at, NameId name);
    std::string TakeHostError();
    InstanceId OwnerOf(const Node& node) const;
    // Where a plain variable with no indexes is kept, or null to go
    // through the host. The stores are asked of the host once and kept.
    [[gnu::always_inline]] Value* PlainValue(const Node& node) {
        VariableStore* store;
        if (mAnyGlobalvar && IsGlobalvar(node.name)) store = mGlobalsKnown ? mGlobals : AskGlobalStore();
        else store = mFrame->variablesKnown ? mFrame->variables : AskSelfStore();
        return store ? store->PlainValue(node.name, node.hint) : nullptr;
    }
    VariableStore* AskGlobalStore();
    VariableStore* AskSelfStore();
    // After anything that may create, destroy or move instances.
    void ForgetPlainStores() {
        mFrame->variablesKnown = false;
        mGlobalsKnown = false;
    }
    // Arithmetic and comparison of two reals, the bulk of all operations,
    // done here; everything else by BinaryOther.
    [[gnu::always_inline]] bool Binary(const Node& at, std::int32_t op, const Value& left, const Value& right,
                                       Value& out) {
        if (left.IsReal() && right.IsReal()) {
            const double a = left.Real(), b = right.Real();
            switch (op) {
            case tkPlus: out.SetReal(a + b); return true;
            case tkMinus: out.SetReal(a - b); return true;
            case tkTimes: out.SetReal(a * b); return true;
            case tkLess: out.SetReal(a < b ? 1.0 : 0.0); return true;
            case tkGreater: out.SetReal(a > b ? 1.0 : 0.0); return true;
            default: break;
            }
        }
        return BinaryOther(at, op, left, right, out);
    }
    bool BinaryOther(const Node& at, std::int32_t op, const Value& left, const Value& right, Value& out);
    bool Condition(const Node& node, bool& holds);
    std::string UnknownName(NameId name, int row, int column) const;

    NameTable& mNames;
    ScriptHost& mHost;
    bool mUnsetZero = false;
    std::unordered_map<std::string, Value> mConstants;
    std::vector<Script> mScripts;
    std::vector<int> mScriptByName;             // by NameId; -1 for none
    std::unordered_map<int, int> mScriptByIndex;  // resource index to script
    std::vector<char> mGlobalvar;               // by NameId
    bool mAnyGlobalvar = false;
    std::string mHostError;
    DataStructures mStructures;

    VariableStore* mGlobals = nullptr;
    bool mGlobalsKnown = false;
    Frame* mFrame = nullptr;
    int mCallDepth = 0;
    int mNesting = 0;
    bool mFailed = false;
    RunError mError;
};

}  // namespace kestrin::engine
