// The tree walker. Statements give a Flow that says how control leaves
// them; expressions give false after an error, which is recorded once, at
// the innermost place it happened, and carried up unchanged.

#include "engine/script/script_runtime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>

#include "engine/script/builtin_constants.h"
#include "engine/script/builtin_functions.h"
#include "engine/script/run_messages.h"
#include "language/builtin_names.h"
#include "language/tokenizer.h"

namespace kestrin::engine {

namespace {

// How deeply statements and expressions may nest while running, across
// script calls, before the run stops instead of overflowing the stack.
constexpr int kMaxNesting = 4000;

constexpr int kMaxArguments = 16;

std::int64_t ToInteger(double value) {
    constexpr double kLimit = 4611686018427387904.0;  // 2^62, so no operation overflows
    if (std::isnan(value)) return 0;
    return static_cast<std::int64_t>(std::clamp(std::nearbyint(value), -kLimit, kLimit));
}

const char* OperatorName(std::int32_t op) {
    switch (op) {
    case tkPlus: return "+";
    case tkMinus: return "-";
    case tkTimes: return "*";
    case tkDivide: return "/";
    case tkDiv: return "div";
    case tkMod: return "mod";
    case tkBitAnd: return "&";
    case tkBitOr: return "|";
    case tkBitXor: return "^";
    case tkShiftLeft: return "<<";
    case tkShiftRight: return ">>";
    case tkBitNot: return "~";
    default: return "?";
    }
}

std::int32_t CompoundOperator(std::int32_t assign) {
    switch (assign) {
    case tkAddAssign: return tkPlus;
    case tkSubAssign: return tkMinus;
    case tkMulAssign: return tkTimes;
    default: return tkDivide;
    }
}

bool IsComparison(std::int32_t op) { return (op >= tkLess && op <= tkGreater) || op == tkAssign; }

// The result of a comparison of two values of the same type, from the sign
// of their difference.
bool Compare(std::int32_t op, int sign) {
    switch (op) {
    case tkLess: return sign < 0;
    case tkLessEqual: return sign <= 0;
    case tkNotEqual: return sign != 0;
    case tkGreaterEqual: return sign >= 0;
    case tkGreater: return sign > 0;
    default: return sign == 0;  // tkEqual and "=" inside an expression
    }
}

bool SameValue(const Value& a, const Value& b) {
    if (a.IsString() != b.IsString()) return false;
    return a.IsString() ? a.Text() == b.Text() : a.Real() == b.Real();
}

struct NestingGuard {
    int& depth;
    explicit NestingGuard(int& counter) : depth(counter) { ++depth; }
    ~NestingGuard() { --depth; }
};

}  // namespace

// The view a built-in function has of the running code.
class RunContext : public BuiltinContext {
public:
    RunContext(ScriptRuntime& runtime, const Node& at, std::string_view name) : mRuntime(runtime), mAt(at) {
        function = name;
    }
    ScriptHost& Host() override { return mRuntime.mHost; }
    NameTable& Names() override { return mRuntime.mNames; }
    InstanceId Self() const override { return mRuntime.mFrame->self; }
    InstanceId Other() const override { return mRuntime.mFrame->other; }
    bool Fail(std::string message) override { return mRuntime.Fail(mAt, std::move(message)); }
    bool UnsetVariablesAreZero() const override { return mRuntime.mUnsetZero; }
    DataStructures& Structures() override { return mRuntime.mStructures; }

    bool CallScript(double index, const Value* arguments, int count, Value& result) override {
        const std::int64_t number = ToInteger(index);
        auto found = number >= 0 && number <= std::numeric_limits<int>::max()
                         ? mRuntime.mScriptByIndex.find(static_cast<int>(number))
                         : mRuntime.mScriptByIndex.end();
        if (found == mRuntime.mScriptByIndex.end()) return Fail(messages::ScriptDoesNotExist(index));
        return mRuntime.CallScript(found->second, mAt, arguments, count, result);
    }

    bool ExecuteString(const std::string& code, Value& result) override {
        CompileResult compiled = CompileCode(code, mRuntime, "execute_string");
        if (!compiled.code) return Fail(compiled.error + " (line " + std::to_string(compiled.line) + ")");
        const ScriptRuntime::Frame& frame = *mRuntime.mFrame;
        return mRuntime.RunFrame(*compiled.code, frame.self, frame.other, nullptr, 0, result);
    }

private:
    ScriptRuntime& mRuntime;
    const Node& mAt;
};

bool ScriptRuntime::ConstantValue(std::string_view name, Value& value) const {
    double builtin = 0;
    if (BuiltinConstantValue(name, builtin)) {
        value = Value(builtin);
        return true;
    }
    auto found = mConstants.find(std::string(name));
    if (found == mConstants.end()) return false;
    value = found->second;
    return true;
}

bool ScriptRuntime::IsScript(std::string_view name) const {
    const NameId id = mNames.Find(name);
    return id != kNoName && ScriptOf(id) >= 0;
}

void ScriptRuntime::DefineConstant(std::string_view name, const Value& value) { mConstants[std::string(name)] = value; }

void ScriptRuntime::DefineScript(std::string_view name, std::string_view code, int index) {
    const NameId id = mNames.Intern(name);
    if (mScriptByName.size() <= static_cast<std::size_t>(id)) mScriptByName.resize(id + 1, -1);
    int at = mScriptByName[id];
    if (at >= 0 && mScripts[at].index >= 0 && index < 0) return;  // the game's own script stays
    if (at < 0) {
        at = static_cast<int>(mScripts.size());
        mScripts.emplace_back();
        mScriptByName[id] = at;
    }
    Script& script = mScripts[at];
    script = Script{};
    script.name = std::string(name);
    script.code = std::string(code);
    script.index = index;
    if (index >= 0) {
        mScriptByIndex[index] = at;
        mConstants.try_emplace(script.name, Value(static_cast<double>(index)));
    }
}

bool ScriptRuntime::Prepare(Script& script) {
    if (script.compiled) return true;
    if (script.failed) return false;
    CompileResult result = CompileCode(script.code, *this, script.name);
    if (!result.code) {
        script.failed = true;
        script.compileError = RunError{result.error, result.line, script.name};
        return false;
    }
    script.compiled = std::move(result.code);
    return true;
}

std::vector<RunError> ScriptRuntime::CompileScripts() {
    std::vector<RunError> errors;
    for (std::size_t i = 0; i < mScripts.size(); ++i)
        if (!Prepare(mScripts[i])) errors.push_back(mScripts[i].compileError);
    return errors;
}

int ScriptRuntime::ScriptOf(NameId name) const {
    return name >= 0 && static_cast<std::size_t>(name) < mScriptByName.size() ? mScriptByName[name] : -1;
}

void ScriptRuntime::MakeGlobalvar(NameId name) {
    if (name < 0) return;
    if (mGlobalvar.size() <= static_cast<std::size_t>(name)) mGlobalvar.resize(name + 1, 0);
    mGlobalvar[name] = 1;
    mAnyGlobalvar = true;
}

std::vector<NameId> ScriptRuntime::GlobalvarNames() const {
    std::vector<NameId> names;
    for (std::size_t name = 0; name < mGlobalvar.size(); ++name)
        if (mGlobalvar[name]) names.push_back(static_cast<NameId>(name));
    return names;
}

VariableStore* ScriptRuntime::AskGlobalStore() {
    mGlobals = mHost.PlainVariables(kGlobal);
    mGlobalsKnown = true;
    return mGlobals;
}

VariableStore* ScriptRuntime::AskSelfStore() {
    mFrame->variables = mHost.PlainVariables(mFrame->self);
    mFrame->variablesKnown = true;
    return mFrame->variables;
}

bool ScriptRuntime::Fail(int line, std::string message) {
    if (!mFailed) {
        mFailed = true;
        mError = RunError{std::move(message), line, mFrame && mFrame->code ? mFrame->code->scriptName : std::string()};
    }
    return false;
}

bool ScriptRuntime::Fail(const Node& at, std::string message) { return Fail(at.line, std::move(message)); }

ScriptRuntime::Flow ScriptRuntime::FailFlow(const Node& at, std::string message) {
    Fail(at.line, std::move(message));
    return Flow::Error;
}

// Runs at the top: a run may start while another is under way (an event
// performed from code), so the error state of the outer run is kept aside.
RunResult ScriptRuntime::Run(const CompiledCode& code, InstanceId self, InstanceId other,
                             std::span<const Value> arguments) {
    const bool outerFailed = mFailed;
    RunError outerError = std::move(mError);
    mFailed = false;
    mGlobalsKnown = false;
    RunResult result;
    const int count = static_cast<int>(std::min<std::size_t>(arguments.size(), kMaxArguments));
    result.ok = RunFrame(code, self, other, arguments.data(), count, result.value);
    if (!result.ok) result.error = std::move(mError);
    mFailed = outerFailed;
    mError = std::move(outerError);
    return result;
}

RunResult ScriptRuntime::CallByName(std::string_view name, InstanceId self, InstanceId other,
                                    std::span<const Value> arguments) {
    const bool outerFailed = mFailed;
    RunError outerError = std::move(mError);
    mFailed = false;
    Frame frame;
    frame.self = self;
    frame.other = other;
    Frame* outerFrame = mFrame;
    mFrame = &frame;

    RunResult result;
    const NameId id = mNames.Intern(name);
    const int count = static_cast<int>(std::min<std::size_t>(arguments.size(), kMaxArguments));
    const BuiltinFunction builtin = FindBuiltin(name);
    const int tableIndex = NameTables().FindBuiltinFunction(name);
    const int expected = tableIndex >= 0 ? NameTables().FunctionArgCount(tableIndex) : -1;
    Node at;
    if (ScriptOf(id) < 0 && builtin && expected >= 0 && expected != count)
        result.ok = Fail(at, messages::WrongArgumentCount(name));
    else
        result.ok = CallFunction(id, builtin, at, arguments.data(), count, result.value);
    if (!result.ok) result.error = std::move(mError);

    mFrame = outerFrame;
    mFailed = outerFailed;
    mError = std::move(outerError);
    return result;
}

bool ScriptRuntime::RunFrame(const CompiledCode& code, InstanceId self, InstanceId other, const Value* arguments,
                             int count, Value& result) {
    if (mCallDepth >= kMaxCallDepth) return Fail(0, messages::kCallsTooDeep);
    Frame frame;
    frame.code = &code;
    frame.self = self;
    frame.other = other;
    for (int i = 0; i < count; ++i) frame.arguments[i] = arguments[i];
    frame.locals.resize(code.localCount);
    Frame* outer = mFrame;
    mFrame = &frame;
    ++mCallDepth;
    const Flow flow = Exec(*code.root);
    --mCallDepth;
    mFrame = outer;
    if (flow == Flow::Error) return false;
    if (flow == Flow::Return)
        result = std::move(frame.returned);
    else
        result.SetReal(0);
    return true;
}

bool ScriptRuntime::CallScript(int index, const Node& at, const Value* arguments, int count, Value& result) {
    Script& script = mScripts[index];
    if (!Prepare(script)) {
        if (!mFailed) {
            mFailed = true;
            mError = script.compileError;
        }
        return false;
    }
    if (mCallDepth >= kMaxCallDepth) return Fail(at, messages::kCallsTooDeep);
    // Held here, so a script redefined while it runs stays alive.
    const std::shared_ptr<const CompiledCode> code = script.compiled;
    return RunFrame(*code, mFrame->self, mFrame->other, arguments, count, result);
}

bool ScriptRuntime::CallFunction(NameId name, BuiltinFunction builtin, const Node& at, const Value* arguments,
                                 int count, Value& result) {
    struct Forget {
        ScriptRuntime& runtime;
        ~Forget() { runtime.ForgetPlainStores(); }
    } forget{*this};
    const int script = ScriptOf(name);
    if (script >= 0) return CallScript(script, at, arguments, count, result);
    if (builtin) {
        RunContext context(*this, at, mNames.Name(name));
        return builtin(context, arguments, count, result);
    }
    std::string error;
    switch (mHost.CallFunction(name, CallContext{mFrame->self, mFrame->other},
                               std::span<const Value>(arguments, count), result, error)) {
    case CallStatus::Done: return true;
    case CallStatus::Failed: return Fail(at, std::move(error));
    case CallStatus::NotProvided: break;
    }
    const std::string& text = mNames.Name(name);
    return Fail(at, NameTables().FindBuiltinFunction(text) >= 0 ? messages::FunctionNotProvided(text)
                                                                : messages::UnknownFunction(text));
}

// ---- Statements ----

ScriptRuntime::Flow ScriptRuntime::Exec(const Node& node) {
    // Assignments and calls are the most frequent statements and recurse
    // only through expressions, which count their own nesting.
    switch (node.kind) {
    case NodeKind::Assign: return ExecAssign(node);
    case NodeKind::Evaluate: {
        Value ignored;
        return Eval(*node.kids[0], ignored) ? Flow::Normal : Flow::Error;
    }
    default: break;
    }
    NestingGuard guard(mNesting);
    if (mNesting > kMaxNesting) {
        return FailFlow(node, messages::kNestedTooDeep);
    }
    switch (node.kind) {
    case NodeKind::Block:
        for (const auto& kid : node.kids) {
            const Flow flow = Exec(*kid);
            if (flow != Flow::Normal) return flow;
        }
        return Flow::Normal;
    case NodeKind::If: {
        bool holds = false;
        if (!Condition(*node.kids[0], holds)) return Flow::Error;
        if (holds) return Exec(*node.kids[1]);
        return node.kids.size() > 2 ? Exec(*node.kids[2]) : Flow::Normal;
    }
    case NodeKind::While:
        for (;;) {
            bool holds = false, stop = false;
            if (!Condition(*node.kids[0], holds)) return Flow::Error;
            if (!holds) return Flow::Normal;
            const Flow flow = ExecLoopBody(*node.kids[1], stop);
            if (flow != Flow::Normal) return flow;
            if (stop) return Flow::Normal;
        }
    case NodeKind::DoUntil:
        for (;;) {
            bool holds = false, stop = false;
            const Flow flow = ExecLoopBody(*node.kids[0], stop);
            if (flow != Flow::Normal) return flow;
            if (stop) return Flow::Normal;
            if (!Condition(*node.kids[1], holds)) return Flow::Error;
            if (holds) return Flow::Normal;
        }
    case NodeKind::For: return ExecFor(node);
    case NodeKind::Repeat: {
        Value count;
        if (!Eval(*node.kids[0], count)) return Flow::Error;
        if (count.IsString()) {
            return FailFlow(node, messages::WrongTypes("repeat"));
        }
        const double times = std::floor(count.Real());
        for (double i = 0; i < times; ++i) {
            bool stop = false;
            const Flow flow = ExecLoopBody(*node.kids[1], stop);
            if (flow != Flow::Normal) return flow;
            if (stop) break;
        }
        return Flow::Normal;
    }
    case NodeKind::With: return ExecWith(node);
    case NodeKind::Switch: return ExecSwitch(node);
    case NodeKind::Exit: return Flow::Exit;
    case NodeKind::Break: return Flow::Break;
    case NodeKind::Continue: return Flow::Continue;
    case NodeKind::Return: {
        Value value;
        if (!Eval(*node.kids[0], value)) return Flow::Error;
        mFrame->returned = std::move(value);
        return Flow::Return;
    }
    case NodeKind::Globalvar:
        for (NameId name : node.names) MakeGlobalvar(name);
        return Flow::Normal;
    default: return Flow::Normal;  // case and default labels, var, empty statements
    }
}

// A loop's body: break stops the loop, continue goes on with the next round.
ScriptRuntime::Flow ScriptRuntime::ExecLoopBody(const Node& body, bool& stop) {
    const Flow flow = Exec(body);
    if (flow == Flow::Break) stop = true;
    return flow == Flow::Break || flow == Flow::Continue ? Flow::Normal : flow;
}

ScriptRuntime::Flow ScriptRuntime::ExecFor(const Node& node) {
    Flow flow = Exec(*node.kids[0]);
    if (flow != Flow::Normal) return flow;
    for (;;) {
        bool holds = false, stop = false;
        if (!Condition(*node.kids[1], holds)) return Flow::Error;
        if (!holds) return Flow::Normal;
        flow = ExecLoopBody(*node.kids[3], stop);
        if (flow != Flow::Normal) return flow;
        if (stop) return Flow::Normal;
        flow = Exec(*node.kids[2]);
        if (flow != Flow::Normal) return flow;
    }
}

// The first case whose value equals the switch's value, else default; from
// there the statements run on, through later labels, until a break.
ScriptRuntime::Flow ScriptRuntime::ExecSwitch(const Node& node) {
    Value value;
    if (!Eval(*node.kids[0], value)) return Flow::Error;
    std::size_t start = 0;
    for (int label : node.labels) {
        const Node& candidate = *node.kids[label];
        if (candidate.kind != NodeKind::Case) continue;
        Value caseValue;
        if (!Eval(*candidate.kids[0], caseValue)) return Flow::Error;
        if (SameValue(value, caseValue)) {
            start = label;
            break;
        }
    }
    if (start == 0)
        for (int label : node.labels)
            if (node.kids[label]->kind == NodeKind::Default) {
                start = label;
                break;
            }
    if (start == 0) return Flow::Normal;
    for (std::size_t i = start; i < node.kids.size(); ++i) {
        const Flow flow = Exec(*node.kids[i]);
        if (flow == Flow::Break) return Flow::Normal;
        if (flow != Flow::Normal) return flow;
    }
    return Flow::Normal;
}

// Each instance the target names in turn as self, with the instance that
// ran the with as other.
ScriptRuntime::Flow ScriptRuntime::ExecWith(const Node& node) {
    Value target;
    if (!Eval(*node.kids[0], target)) return Flow::Error;
    if (target.IsString()) {
        return FailFlow(node, messages::WrongTypes("with"));
    }
    std::vector<InstanceId> instances;
    Targets(node, target, instances);
    Frame& frame = *mFrame;
    const InstanceId self = frame.self, other = frame.other;
    Flow result = Flow::Normal;
    for (InstanceId instance : instances) {
        frame.self = instance;
        frame.other = self;
        frame.variablesKnown = false;
        bool stop = false;
        result = ExecLoopBody(*node.kids[1], stop);
        if (result != Flow::Normal || stop) break;
    }
    frame.self = self;
    frame.other = other;
    frame.variablesKnown = false;
    return result;
}

ScriptRuntime::Flow ScriptRuntime::ExecAssign(const Node& node) {
    const Node& target = *node.kids[0];
    const bool compound = node.op != tkAssign;
    if (!target.kids.empty() || !(target.kind == NodeKind::Local ||
                                  (target.kind == NodeKind::Variable && target.scope == Scope::Plain)))
        return ExecAssignIndexed(node);
    // A plain local or variable: with no indexes to evaluate first, the
    // value comes first, and the place is looked up after it, as its calls
    // may have moved it.
    Value value;
    if (const Value* known = Peek(*node.kids[1])) value = *known;
    else if (!Eval(*node.kids[1], value)) return Flow::Error;
    Value* place = nullptr;
    if (target.kind == NodeKind::Local) {
        LocalSlot& slot = mFrame->locals[target.slot];
        if (!slot.array && (slot.set || !compound)) {
            slot.set = true;
            place = &slot.value;
        }
    } else {
        place = PlainValue(target);
    }
    if (!place) return Store(node, 0, 0, value);
    if (!compound) {
        *place = std::move(value);
        return Flow::Normal;
    }
    return Binary(node, CompoundOperator(node.op), *place, value, *place) ? Flow::Normal : Flow::Error;
}

// An assignment whose target has indexes or a prefix, or is an argument:
// the indexes are evaluated before the value.
ScriptRuntime::Flow ScriptRuntime::ExecAssignIndexed(const Node& node) {
    const Node& target = *node.kids[0];
    int row = 0, column = 0;
    Value value;
    switch (target.kind) {
    case NodeKind::Local:
    case NodeKind::Variable:
        if (!Indexes(target, 0, row, column) || !Eval(*node.kids[1], value)) return Flow::Error;
        return Store(node, row, column, value);
    case NodeKind::Argument:
    case NodeKind::ArgumentArray: {
        int number = target.slot;
        if (target.kind == NodeKind::ArgumentArray) {
            if (!Indexes(target, 0, row, column)) return Flow::Error;
            if (row != 0 || column >= kMaxArguments) return FailFlow(target, messages::kArgumentIndex);
            number = column;
        }
        if (!Eval(*node.kids[1], value)) return Flow::Error;
        Value& argument = mFrame->arguments[number];
        if (node.op != tkAssign && !Binary(node, CompoundOperator(node.op), argument, value, value))
            return Flow::Error;
        argument = std::move(value);
        return Flow::Normal;
    }
    case NodeKind::Field: {
        Value where, current;
        std::vector<InstanceId> instances;
        if (!Eval(*target.kids[0], where) || !Indexes(target, 1, row, column) ||
            !Targets(target, where, instances) || !Eval(*node.kids[1], value))
            return Flow::Error;
        for (InstanceId instance : instances) {
            Value result = value;
            if (node.op != tkAssign && (!ReadVariable(target, instance, target.name, row, column, current) ||
                                        !Binary(node, CompoundOperator(node.op), current, value, result)))
                return Flow::Error;
            if (!WriteVariable(target, instance, target.name, row, column, result)) return Flow::Error;
        }
        return Flow::Normal;
    }
    default: return FailFlow(node, messages::kAssignToValue);
    }
}

// Assigns the evaluated value to element [row, column] of a local or a
// variable of self or the globals, combined with the element's value first
// for a compound assignment.
ScriptRuntime::Flow ScriptRuntime::Store(const Node& node, int row, int column, Value& value) {
    const Node& target = *node.kids[0];
    const bool compound = node.op != tkAssign;
    const std::int32_t op = CompoundOperator(node.op);
    Value current;
    if (target.kind == NodeKind::Variable) {
        const InstanceId owner = OwnerOf(target);
        if (compound && (!ReadVariable(target, owner, target.name, row, column, current) ||
                         !Binary(node, op, current, value, value)))
            return Flow::Error;
        return WriteVariable(target, owner, target.name, row, column, value) ? Flow::Normal : Flow::Error;
    }
    LocalSlot& slot = mFrame->locals[target.slot];
    if (compound) {
        bool found = slot.array ? slot.array->Get(0, row, column, current) : slot.set && row == 0 && column == 0;
        if (found && !slot.array) current = slot.value;
        if (!found) {
            if (!mUnsetZero) return FailFlow(target, UnknownName(target.name, row, column));
            current.SetReal(0);
        }
        if (!Binary(node, op, current, value, value)) return Flow::Error;
    }
    if (row == 0 && column == 0 && !slot.array) {
        slot.value = std::move(value);
        slot.set = true;
        return Flow::Normal;
    }
    if (!slot.array) {
        slot.array = std::make_unique<VariableStore>();
        std::string ignored;
        if (slot.set) slot.array->Set(0, 0, 0, slot.value, ignored);
    }
    std::string error;
    if (!slot.array->Set(0, row, column, value, error)) return FailFlow(target, error);
    return Flow::Normal;
}

bool ScriptRuntime::Condition(const Node& node, bool& holds) {
    Value value;
    if (!Eval(node, value)) return false;
    holds = value.IsTrue();
    return true;
}

// ---- Expressions ----

bool ScriptRuntime::Eval(const Node& node, Value& out) {
    // Leaves are evaluated at once; everything that can recurse is counted.
    if (node.kids.empty()) {
        switch (node.kind) {
        case NodeKind::Constant: out = node.constant; return true;
        case NodeKind::Local: return EvalLocal(node, out);
        case NodeKind::Argument: return EvalArgument(node, out);
        case NodeKind::Variable: return EvalVariable(node, out);
        default: break;
        }
    }
    NestingGuard guard(mNesting);
    if (mNesting > kMaxNesting) return Fail(node, messages::kNestedTooDeep);
    switch (node.kind) {
    case NodeKind::Local: return EvalLocal(node, out);
    case NodeKind::Argument:
    case NodeKind::ArgumentArray: return EvalArgument(node, out);
    case NodeKind::Variable: return EvalVariable(node, out);
    case NodeKind::Chain: return EvalChain(node, out);
    case NodeKind::Unary: return EvalUnary(node, out);
    case NodeKind::Call: return EvalCall(node, out);
    case NodeKind::Field: return EvalField(node, out);
    default: return Fail(node, messages::kAssignToValue);
    }
}

bool ScriptRuntime::EvalLocal(const Node& node, Value& out) {
    const LocalSlot& slot = mFrame->locals[node.slot];
    int row = 0, column = 0;
    if (!node.kids.empty() && !Indexes(node, 0, row, column)) return false;
    bool found;
    if (slot.array) {
        found = slot.array->Get(0, row, column, out);
    } else {
        found = slot.set && row == 0 && column == 0;
        if (found) out = slot.value;
    }
    if (found) return true;
    if (!mUnsetZero) return Fail(node, UnknownName(node.name, row, column));
    out.SetReal(0);
    return true;
}

bool ScriptRuntime::EvalArgument(const Node& node, Value& out) {
    int number = node.slot;
    if (node.kind == NodeKind::ArgumentArray) {
        int row = 0, column = 0;
        if (!Indexes(node, 0, row, column)) return false;
        if (row != 0 || column >= kMaxArguments) return Fail(node, messages::kArgumentIndex);
        number = column;
    }
    out = mFrame->arguments[number];
    return true;
}

InstanceId ScriptRuntime::OwnerOf(const Node& node) const {
    return node.scope == Scope::Global || IsGlobalvar(node.name) ? kGlobal : mFrame->self;
}

bool ScriptRuntime::EvalVariable(const Node& node, Value& out) {
    if (node.scope == Scope::Plain && node.kids.empty()) {
        if (const Value* place = PlainValue(node)) {
            out = *place;
            return true;
        }
    }
    int row = 0, column = 0;
    if (!node.kids.empty() && !Indexes(node, 0, row, column)) return false;
    return ReadVariable(node, OwnerOf(node), node.name, row, column, out);
}

bool ScriptRuntime::EvalField(const Node& node, Value& out) {
    Value target;
    int row = 0, column = 0;
    std::vector<InstanceId> instances;
    if (!Eval(*node.kids[0], target) || !Indexes(node, 1, row, column) || !Targets(node, target, instances))
        return false;
    if (instances.empty()) return Fail(node, messages::NoInstance(mNames.Name(node.name)));
    return ReadVariable(node, instances.front(), node.name, row, column, out);
}

bool ScriptRuntime::EvalCall(const Node& node, Value& out) {
    // Only as many values as the call has are made: calls are frequent,
    // and most have one or two arguments of the sixteen there may be.
    const int count = static_cast<int>(node.kids.size());
    alignas(Value) unsigned char storage[sizeof(Value) * kMaxArguments];
    Value* arguments = reinterpret_cast<Value*>(storage);
    int made = 0;
    struct Unmake {
        Value* values;
        int& made;
        ~Unmake() { std::destroy_n(values, made); }
    } unmake{arguments, made};
    for (; made < count; ++made) {
        new (&arguments[made]) Value();
        if (!Eval(*node.kids[made], arguments[made])) {
            ++made;
            return false;
        }
    }
    return CallFunction(node.name, node.builtin, node, arguments, count, out);
}

bool ScriptRuntime::EvalUnary(const Node& node, Value& out) {
    if (!Eval(*node.kids[0], out)) return false;
    if (node.op == tkNot) {
        out.SetReal(out.IsTrue() ? 0.0 : 1.0);
        return true;
    }
    if (out.IsString()) return Fail(node, messages::WrongTypes(node.op == tkMinus ? "-" : OperatorName(node.op)));
    if (node.op == tkMinus) out.SetReal(-out.Real());
    if (node.op == tkBitNot) out.SetReal(static_cast<double>(~ToInteger(out.Real())));
    return true;
}

bool ScriptRuntime::EvalChain(const Node& node, Value& out) {
    if (const Value* first = Peek(*node.kids[0])) out = *first;
    else if (!Eval(*node.kids[0], out)) return false;
    Value right;
    for (std::size_t i = 0; i < node.ops.size(); ++i) {
        const std::int32_t op = node.ops[i];
        // A chain holds one precedence level, so "and" and "or" chains
        // are all of one operator and can stop at the first decisive operand.
        if (op == tkAnd || op == tkOr) {
            if (out.IsTrue() == (op == tkOr)) {
                out.SetReal(op == tkOr ? 1.0 : 0.0);
                return true;
            }
            if (!Eval(*node.kids[i + 1], right)) return false;
            out.SetReal(right.IsTrue() ? 1.0 : 0.0);
            continue;
        }
        const Value* operand = Peek(*node.kids[i + 1]);
        if (!operand) {
            if (!Eval(*node.kids[i + 1], right)) return false;
            operand = &right;
        }
        if (!Binary(node, op, out, *operand, out)) return false;
    }
    return true;
}

bool ScriptRuntime::BinaryOther(const Node& at, std::int32_t op, const Value& left, const Value& right, Value& out) {
    if (op == tkXor) {
        out.SetReal(left.IsTrue() != right.IsTrue() ? 1.0 : 0.0);
        return true;
    }
    if (left.IsReal() && right.IsReal()) {
        // Adding, subtracting and multiplying reals was done by Binary.
        const double a = left.Real(), b = right.Real();
        if (op == tkDivide) {
            if (b == 0) return Fail(at, messages::kDivisionByZero);
            out.SetReal(a / b);
            return true;
        }
        if (IsComparison(op)) {
            out.SetReal(Compare(op, a < b ? -1 : a > b ? 1 : 0) ? 1.0 : 0.0);
            return true;
        }
        const std::int64_t x = ToInteger(a), y = ToInteger(b);
        switch (op) {
        case tkDiv:
        case tkMod:
            if (y == 0) return Fail(at, messages::kDivisionByZero);
            out.SetReal(static_cast<double>(op == tkDiv ? x / y : x % y));
            return true;
        case tkBitAnd: out.SetReal(static_cast<double>(x & y)); return true;
        case tkBitOr: out.SetReal(static_cast<double>(x | y)); return true;
        case tkBitXor: out.SetReal(static_cast<double>(x ^ y)); return true;
        case tkShiftLeft:
            out.SetReal(y >= 0 && y < 63 ? static_cast<double>(static_cast<std::int64_t>(static_cast<std::uint64_t>(x) << y))
                                         : 0.0);
            return true;
        case tkShiftRight: out.SetReal(static_cast<double>(y >= 0 && y < 63 ? x >> y : (x < 0 ? -1 : 0))); return true;
        default: return Fail(at, messages::WrongTypes(OperatorName(op)));
        }
    }
    if (left.IsString() && right.IsString()) {
        if (op == tkPlus) {
            if (left.Text().size() + right.Text().size() > kMaxStringLength) return Fail(at, messages::kStringTooLong);
            if (&out == &left) {
                out = Value(left.Text() + right.Text());
            } else {
                std::string joined;
                joined.reserve(left.Text().size() + right.Text().size());
                joined.append(left.Text()).append(right.Text());
                out = Value(std::move(joined));
            }
            return true;
        }
        if (IsComparison(op)) {
            const int order = left.Text().compare(right.Text());
            out.SetReal(Compare(op, order) ? 1.0 : 0.0);
            return true;
        }
        return Fail(at, messages::WrongTypes(OperatorName(op)));
    }
    if (op == tkEqual || op == tkAssign || op == tkNotEqual) {
        out.SetReal(op == tkNotEqual ? 1.0 : 0.0);
        return true;
    }
    if (IsComparison(op)) return Fail(at, messages::kCannotCompare);
    return Fail(at, messages::WrongTypes(OperatorName(op)));
}

bool ScriptRuntime::IndexesOf(const Node& node, std::size_t first, int& row, int& column) {
    const std::size_t count = node.kids.size() - first;
    if (count > 2) return Fail(node, messages::kTooManyIndexes);
    int values[2] = {0, 0};
    Value index;
    for (std::size_t k = 0; k < count; ++k) {
        if (!Eval(*node.kids[first + k], index)) return false;
        if (index.IsString()) return Fail(node, messages::kIndexNotReal);
        const double rounded = std::nearbyint(index.Real());
        if (!(rounded >= 0)) return Fail(node, messages::kNegativeIndex);
        if (rounded > kMaxArrayIndex) return Fail(node, messages::kIndexTooLarge);
        values[k] = static_cast<int>(rounded);
    }
    if (count == 1) {
        column = values[0];
    } else {
        row = values[0];
        column = values[1];
    }
    return true;
}

bool ScriptRuntime::Targets(const Node& at, const Value& target, std::vector<InstanceId>& instances) {
    if (target.IsString()) return Fail(at, messages::NoInstance(mNames.Name(at.name)));
    const double value = target.Real();
    const std::int64_t id = ToInteger(value);
    if (id == kSelf) {
        instances.push_back(mFrame->self);
    } else if (id == kOther) {
        if (mFrame->other != kNoone) instances.push_back(mFrame->other);
    } else if (id == kGlobal) {
        instances.push_back(kGlobal);
    } else {
        mHost.Instances(value, instances);
    }
    return true;
}

bool ScriptRuntime::ReadFailed(const Node& at, VariableStatus status, NameId name, int row, int column, Value& out) {
    if (status == VariableStatus::Refused) return Fail(at, TakeHostError());
    if (!mUnsetZero) return Fail(at, UnknownName(name, row, column));
    out.SetReal(0);
    return true;
}

bool ScriptRuntime::WriteFailed(const Node& at, NameId name) {
    std::string error = TakeHostError();
    return Fail(at, error.empty() ? messages::CannotAssign(mNames.Name(name)) : std::move(error));
}

std::string ScriptRuntime::TakeHostError() {
    std::string error = std::move(mHostError);
    mHostError.clear();
    return error;
}

std::string ScriptRuntime::UnknownName(NameId name, int row, int column) const {
    std::string text = mNames.Name(name);
    if (row != 0 || column != 0) {
        text += '[';
        if (row != 0) {
            text += std::to_string(row);
            text += ',';
        }
        text += std::to_string(column);
        text += ']';
    }
    return messages::UnknownVariable(text);
}

}  // namespace kestrin::engine
