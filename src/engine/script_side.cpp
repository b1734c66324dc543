// Compiling the game's code once and running action lists as
// docs/actions.md says; run-time errors are reported with the object, the
// event, the action and the line.

#include "engine/script_side.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>

#include "actions/event_names.h"
#include "engine/action_flow.h"
#include "engine/action_functions.h"
#include "engine/script/data_structures.h"
#include "engine/script/interpreter.h"
#include "engine/world.h"
#include "engine/world_script_host.h"
#include "resources/event.h"
#include "resources/event_types.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

// A piece of code compiled once: the code, or the compile error.
struct Compiled {
    std::shared_ptr<const CompiledCode> code;
    std::string error;
    int line = 0;
};

// Pieces of code compiled once, by their text. Actions hand in the same
// strings of the game again and again, so a small table by the text's
// address finds them without hashing the whole text; the text is still
// compared, so a changed or freed string is never taken for another.
class CompiledTexts {
public:
    template <typename Make>
    const Compiled& Find(const std::string& text, Make make) {
        Recent& recent = mRecent[(reinterpret_cast<std::uintptr_t>(text.data()) >> 4) % mRecent.size()];
        if (recent.data == text.data() && recent.compiled && recent.compiled->first == text)
            return recent.compiled->second;
        auto found = mCompiled.find(text);
        if (found == mCompiled.end()) found = mCompiled.emplace(text, make()).first;
        recent = Recent{text.data(), &*found};
        return found->second;
    }

private:
    struct Recent {
        const char* data = nullptr;
        const std::pair<const std::string, Compiled>* compiled = nullptr;
    };
    std::unordered_map<std::string, Compiled> mCompiled;
    std::array<Recent, 64> mRecent{};
};

std::string Trimmed(std::string text) {
    const std::size_t begin = text.find_first_not_of(' ');
    return begin == std::string::npos ? std::string() : text.substr(begin);
}

}  // namespace

class ScriptSide::Impl {
public:
    Impl(World& world, std::vector<std::string> libraryCode)
        : mWorld(world), mHost(world, mNames), mInterpreter(mNames, mHost), mLibraryCode(std::move(libraryCode)) {
        mArgumentRelative = mNames.Intern("argument_relative");
    }

    void Prepare();
    const Compiled& Compile(const std::string& code);
    // An expression compiled as the value its code returns.
    const Compiled& CompileExpression(const std::string& expression);
    // The text of an error: where it happened, then the line and the message.
    std::string Where(const EventContext& context) const;
    void Report(const std::string& kind, const std::string& where, int line, const std::string& script,
                const std::string& message);
    // Runs code or a named function for a target; reports errors.
    RunResult RunFor(const EventContext& context, const CAction& action, InstanceId self, InstanceId other,
                     std::span<const Value> arguments);

    World& mWorld;
    NameTable mNames;
    WorldScriptHost mHost;
    Interpreter mInterpreter;
    std::vector<std::string> mLibraryCode;
    CompiledTexts mCode;
    CompiledTexts mExpressions;
    NameId mArgumentRelative = kNoName;
};

void ScriptSide::Impl::Prepare() {
    Game& game = mWorld.GameData();
    mInterpreter.SetUnsetVariablesAreZero(game.Options.VariableErrors);
    for (ResourceKind kind : {ResourceKind::Sprite, ResourceKind::Sound, ResourceKind::Background, ResourceKind::Path,
                              ResourceKind::Script, ResourceKind::TimeLine, ResourceKind::Object, ResourceKind::Room}) {
        for (int i = 0; i < game.ResourceCount(kind); ++i)
            if (game.ResourceExists(kind, i)) mInterpreter.DefineConstant(game.ResourceName(kind, i), static_cast<double>(i));
    }
    for (const UserConstant& constant : game.Options.Constants) {
        const Compiled& value = CompileExpression(constant.Value);
        if (!value.code) {
            Report("COMPILATION ERROR", "the constant " + constant.Name, value.line, {}, value.error);
            continue;
        }
        RunResult result = mInterpreter.Run(*value.code, kNoone, kNoone);
        if (result.ok) mInterpreter.DefineConstant(constant.Name, result.value);
    }
    // The engine's action functions first, so the libraries' own scripts of
    // the same names replace them; until an action runs, code calling them
    // finds the relative box cleared.
    mInterpreter.DefineLibraryCode(ActionFunctionsCode());
    mHost.SetGlobal(mArgumentRelative, 0.0);
    for (const std::string& code : mLibraryCode) mInterpreter.DefineLibraryCode(code);
    for (int i = 0; i < game.Scripts().ResourceCount(); ++i)
        if (const CScript* script = game.Scripts().ResourceAt(i))
            mInterpreter.DefineScript(game.Scripts().ResourceName(i), script->Code, i);
    for (const RunError& error : mInterpreter.CompileScripts())
        Report("COMPILATION ERROR", "script " + error.script, error.line, {}, error.message);
}

const Compiled& ScriptSide::Impl::Compile(const std::string& code) {
    return mCode.Find(code, [&] {
        CompileResult result = mInterpreter.Compile(code);
        return Compiled{result.code, result.error, result.line};
    });
}

const Compiled& ScriptSide::Impl::CompileExpression(const std::string& expression) {
    // The line break ends a comment the expression may close with.
    return mExpressions.Find(expression, [&] {
        CompileResult result = mInterpreter.Compile("return (" + expression + "\n);");
        return Compiled{result.code, result.error, result.line};
    });
}

std::string ScriptSide::Impl::Where(const EventContext& context) const {
    Game& game = mWorld.GameData();
    std::string where = "action number " + std::to_string(context.action + 1) + " of ";
    if (context.timeline >= 0) return where + "a moment of time line " + game.TimeLines().ResourceName(context.timeline);
    auto objectName = [&game](int index) { return game.Objects().ResourceName(index); };
    return where + Trimmed(EventCaption(context.type, context.number, objectName)) + " for object " +
           game.Objects().ResourceName(context.holder);
}

void ScriptSide::Impl::Report(const std::string& kind, const std::string& where, int line, const std::string& script,
                              const std::string& message) {
    std::string text = kind + " in " + where;
    if (!script.empty()) text += ", in script " + script;
    if (line > 0) text += ", at line " + std::to_string(line);
    mWorld.ReportError(text + ": " + message);
}

RunResult ScriptSide::Impl::RunFor(const EventContext& context, const CAction& action, InstanceId self,
                                   InstanceId other, std::span<const Value> arguments) {
    RunResult result;
    if (action.ExecKind == 1) {
        result = mInterpreter.Call(action.ExecText1, self, other, arguments);
    } else if (action.ExecKind == 2) {
        const Compiled& code = Compile(action.ExecText2);
        if (!code.code) {
            Report("COMPILATION ERROR", Where(context), code.line, {}, code.error);
            result.ok = true;
            return result;
        }
        result = mInterpreter.Run(*code.code, self, other, arguments);
    }
    if (!result.ok) Report("ERROR", Where(context), result.error.line, result.error.script, result.error.message);
    return result;
}

namespace {

class Performer : public ActionPerformer {
public:
    Performer(ScriptSide::Impl& side, EventContext& context) : mSide(side), mContext(context) {}

    bool Perform(const CAction& action, int index) override {
        mContext.action = index;
        std::vector<Value> arguments = Arguments(action);
        mSide.mHost.SetGlobal(mSide.mArgumentRelative, action.Relative ? 1.0 : 0.0);
        bool answer = true;
        InstanceId single = kNoone;
        std::vector<InstanceId> several;
        for (InstanceId target : Targets(action, single, several)) {
            if (mSide.mWorld.Ended()) break;
            const InstanceId other = OtherFor(action);
            switch (action.Kind) {
                case kKindVariable: SetVariable(action, arguments, target, other); break;
                case kKindCode: RunCode(action, target, other); break;
                default: {
                    RunResult result = mSide.RunFor(mContext, action, target, other, arguments);
                    const bool holds = result.ok && result.value.IsReal() && result.value.Real() > 0;
                    answer = answer && holds;
                    break;
                }
            }
        }
        return action.Not ? !answer : answer;
    }

    double RepeatCount(const CAction& action, int index) override {
        mContext.action = index;
        const Value count = action.ArgCount > 0 ? Evaluate(action.ArgValue[0]) : Value(0.0);
        return count.IsReal() ? count.Real() : 0.0;
    }

    bool Stopped() const override { return mSide.mWorld.Ended(); }

private:
    InstanceId SelfId() const { return mContext.self ? mContext.self->id : kNoone; }
    InstanceId OtherId() const { return mContext.other ? mContext.other->id : kNoone; }

    // With "other" as self, the event's own instance is the other one.
    InstanceId OtherFor(const CAction& action) const { return action.AppliesTo == kOther ? SelfId() : OtherId(); }

    // The instances the action runs for: one at most for self and other,
    // which is most actions, kept without a vector of its own.
    std::span<const InstanceId> Targets(const CAction& action, InstanceId& single, std::vector<InstanceId>& several) {
        if (action.AppliesTo == kSelf) {
            single = SelfId();
            return {&single, 1};
        }
        if (action.AppliesTo == kOther) {
            if (mContext.type != kEventCollision || !mContext.other) return {};
            single = OtherId();
            return {&single, 1};
        }
        for (Instance* instance : mSide.mWorld.InstancesOf(action.AppliesTo)) several.push_back(instance->id);
        return several;
    }

    Value Evaluate(const std::string& text) {
        if (text.empty()) return 0.0;
        const Compiled& code = mSide.CompileExpression(text);
        if (!code.code) {
            mSide.Report("COMPILATION ERROR", mSide.Where(mContext), code.line, {}, code.error);
            return 0.0;
        }
        RunResult result = mSide.mInterpreter.Run(*code.code, SelfId(), OtherId());
        if (!result.ok) {
            mSide.Report("ERROR", mSide.Where(mContext), result.error.line, result.error.script, result.error.message);
            return 0.0;
        }
        return result.value;
    }

    // A code action's text is run where it stands rather than copied.
    std::vector<Value> Arguments(const CAction& action) {
        std::vector<Value> values;
        if (action.Kind == kKindCode) return values;
        const int count = std::clamp(action.ArgCount, 0, kActionSlots);
        // Variable and code actions name their variable and hold their code as text.
        for (int i = 0; i < count; ++i) {
            const std::string& text = action.ArgValue[i];
            const int kind = action.ArgKind[i];
            const bool textual = action.Kind == kKindVariable && i == 0;
            if (textual || kind == 1 || kind == 15) values.emplace_back(text);
            else if (kind == 0) values.push_back(Evaluate(text));
            else if (kind == 2) values.push_back(!text.empty() && (text[0] == '\'' || text[0] == '"') ? Evaluate(text)
                                                                                                     : Value(text));
            else if (kind == 3) values.emplace_back(text == "1" || text == "true" ? 1.0 : 0.0);
            else values.emplace_back(std::strtod(text.c_str(), nullptr));
        }
        return values;
    }

    void SetVariable(const CAction& action, const std::vector<Value>& arguments, InstanceId target, InstanceId other) {
        if (arguments.size() < 2) return;
        const std::string code = action.ArgValue[0] + (action.Relative ? " += argument0;" : " = argument0;");
        RunCompiled(code, target, other, std::span<const Value>(&arguments[1], 1));
    }

    void RunCode(const CAction& action, InstanceId target, InstanceId other) {
        if (action.ArgCount < 1) return;
        RunCompiled(action.ArgValue[0], target, other, {});
    }

    void RunCompiled(const std::string& text, InstanceId target, InstanceId other, std::span<const Value> arguments) {
        const Compiled& code = mSide.Compile(text);
        if (!code.code) {
            mSide.Report("COMPILATION ERROR", mSide.Where(mContext), code.line, {}, code.error);
            return;
        }
        RunResult result = mSide.mInterpreter.Run(*code.code, target, other, arguments);
        if (!result.ok)
            mSide.Report("ERROR", mSide.Where(mContext), result.error.line, result.error.script, result.error.message);
    }

    ScriptSide::Impl& mSide;
    EventContext& mContext;
};

}  // namespace

ScriptSide::ScriptSide(World& world, std::vector<std::string> libraryCode)
    : mImpl(std::make_unique<Impl>(world, std::move(libraryCode))) {}

ScriptSide::~ScriptSide() = default;

NameTable& ScriptSide::Names() { return mImpl->mNames; }

VariableStore& ScriptSide::Globals() { return mImpl->mHost.Globals(); }
DataStructures& ScriptSide::Structures() { return mImpl->mInterpreter.Structures(); }
std::vector<NameId> ScriptSide::GlobalvarNames() const { return mImpl->mInterpreter.GlobalvarNames(); }
void ScriptSide::MakeGlobalvar(NameId name) { mImpl->mInterpreter.MakeGlobalvar(name); }

void ScriptSide::Prepare() { mImpl->Prepare(); }

void ScriptSide::RunActions(const CEvent& list, EventContext& context) {
    Performer performer(*mImpl, context);
    RunActionList(list, performer);
}

void ScriptSide::RunCode(const std::string& code, Instance* self, const std::string& where) {
    const Compiled& compiled = mImpl->Compile(code);
    if (!compiled.code) {
        mImpl->Report("COMPILATION ERROR", where, compiled.line, {}, compiled.error);
        return;
    }
    const InstanceId id = self ? self->id : kNoone;
    RunResult result = mImpl->mInterpreter.Run(*compiled.code, id, id);
    if (!result.ok) mImpl->Report("ERROR", where, result.error.line, result.error.script, result.error.message);
}

}  // namespace kestrin::engine

namespace kestrin::engine {

bool ScriptSide::Evaluate(const std::string& expression, Instance* self, Value& value, std::string& error) {
    const Compiled& compiled = mImpl->CompileExpression(expression);
    if (!compiled.code) {
        error = compiled.error;
        return false;
    }
    const InstanceId id = self ? self->id : kNoone;
    RunResult result = mImpl->mInterpreter.Run(*compiled.code, id, id);
    if (!result.ok) {
        error = result.error.message;
        return false;
    }
    value = result.value;
    return true;
}

bool ScriptSide::Execute(const std::string& code, std::string& error) {
    const Compiled& compiled = mImpl->Compile(code);
    if (!compiled.code) {
        error = "line " + std::to_string(compiled.line) + ": " + compiled.error;
        return false;
    }
    RunResult result = mImpl->mInterpreter.Run(*compiled.code, kNoone, kNoone);
    if (!result.ok) {
        error = (result.error.script.empty() ? std::string() : "in script " + result.error.script + ", ") + "line " +
                std::to_string(result.error.line) + ": " + result.error.message;
        return false;
    }
    return true;
}

}  // namespace kestrin::engine

namespace kestrin::engine {

bool ScriptSide::CompileAdded(const std::string& code, std::string& error) {
    const Compiled& compiled = mImpl->Compile(code);
    if (compiled.code) return true;
    error = compiled.line > 0 ? "line " + std::to_string(compiled.line) + ": " + compiled.error : compiled.error;
    return false;
}

}  // namespace kestrin::engine
