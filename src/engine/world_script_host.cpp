// The interpreter's view of the world.

#include "engine/world_script_host.h"

#include "engine/game_shell.h"
#include "engine/script/run_messages.h"
#include "engine/world.h"
#include "language/builtin_tables.h"

namespace kestrin::engine {

WorldScriptHost::WorldScriptHost(World& world, NameTable& names) : mWorld(world), mNames(names) {
    for (const BuiltinVariableName& entry : BuiltinVariableNames()) {
        const NameId id = names.Intern(entry.name);
        if (static_cast<int>(mBuiltins.size()) <= id) mBuiltins.resize(id + 1, BuiltinVariable::None);
        mBuiltins[id] = entry.variable;
    }
    for (const char* name : BuiltinGlobalVariableNames()) {
        const NameId id = names.Intern(name);
        if (static_cast<int>(mGameGlobals.size()) <= id) mGameGlobals.resize(id + 1, false);
        mGameGlobals[id] = true;
    }
    for (const WorldFunctionEntry& entry : WorldFunctions()) {
        const NameId id = names.Intern(entry.name);
        if (static_cast<int>(mFunctions.size()) <= id) mFunctions.resize(id + 1, nullptr);
        mFunctions[id] = entry.function;
    }
}

BuiltinVariable WorldScriptHost::BuiltinOf(NameId name) const {
    return name >= 0 && name < static_cast<NameId>(mBuiltins.size()) ? mBuiltins[name] : BuiltinVariable::None;
}

bool WorldScriptHost::IsGameGlobal(NameId name) const {
    return name >= 0 && name < static_cast<NameId>(mGameGlobals.size()) && mGameGlobals[name];
}

VariableStatus WorldScriptHost::GetVariable(InstanceId instance, NameId name, int row, int column, Value& value,
                                            std::string& error) {
    const BuiltinVariable builtin = BuiltinOf(name);
    if (builtin != BuiltinVariable::None && IsGlobalBuiltin(builtin)) {
        value = GetBuiltin(mWorld, nullptr, builtin, column);
        return VariableStatus::Done;
    }
    if (instance == kGlobal || IsGameGlobal(name))
        return mGlobals.Get(name, row, column, value) ? VariableStatus::Done : VariableStatus::Unknown;
    Instance* self = mWorld.FindEvenDestroyed(instance);
    if (!self) {
        error = messages::NoInstance(mNames.Name(name));
        return VariableStatus::Refused;
    }
    if (builtin != BuiltinVariable::None) {
        value = GetBuiltin(mWorld, self, builtin, column);
        return VariableStatus::Done;
    }
    return self->variables.Get(name, row, column, value) ? VariableStatus::Done : VariableStatus::Unknown;
}

VariableStatus WorldScriptHost::SetVariable(InstanceId instance, NameId name, int row, int column, const Value& value,
                                            std::string& error) {
    const BuiltinVariable builtin = BuiltinOf(name);
    if (builtin != BuiltinVariable::None && IsGlobalBuiltin(builtin))
        return SetBuiltin(mWorld, nullptr, builtin, column, value, error) ? VariableStatus::Done
                                                                           : VariableStatus::Refused;
    if (instance == kGlobal || IsGameGlobal(name))
        return mGlobals.Set(name, row, column, value, error) ? VariableStatus::Done : VariableStatus::Refused;
    Instance* self = mWorld.FindEvenDestroyed(instance);
    if (!self) {
        error = messages::NoInstance(mNames.Name(name));
        return VariableStatus::Refused;
    }
    if (builtin != BuiltinVariable::None)
        return SetBuiltin(mWorld, self, builtin, column, value, error) ? VariableStatus::Done
                                                                        : VariableStatus::Refused;
    return self->variables.Set(name, row, column, value, error) ? VariableStatus::Done : VariableStatus::Refused;
}

bool WorldScriptHost::IsPlainName(NameId name) const {
    return BuiltinOf(name) == BuiltinVariable::None && !IsGameGlobal(name);
}

VariableStore* WorldScriptHost::PlainVariables(InstanceId instance) {
    if (instance == kGlobal) return &mGlobals;
    Instance* self = mWorld.FindEvenDestroyed(instance);
    return self ? &self->variables : nullptr;
}

void WorldScriptHost::Instances(double target, std::vector<InstanceId>& result) {
    if (target >= kFirstInstanceId) {
        if (Instance* instance = mWorld.FindInstance(static_cast<InstanceId>(target))) result.push_back(instance->id);
        return;
    }
    if (target != kAll && target < 0) return;
    for (Instance* instance : mWorld.InstancesOf(target == kAll ? kAll : static_cast<int>(target)))
        result.push_back(instance->id);
}

CallStatus WorldScriptHost::CallFunction(NameId name, const CallContext& context, std::span<const Value> arguments,
                                         Value& result, std::string& error) {
    if (name < 0 || name >= static_cast<NameId>(mFunctions.size()) || !mFunctions[name]) return CallStatus::NotProvided;
    FunctionCall call{mWorld, mWorld.FindEvenDestroyed(context.self), mWorld.FindEvenDestroyed(context.other),
                      arguments, {}};
    result = mFunctions[name](call);
    if (!call.error.empty()) {
        error = call.error;
        return CallStatus::Failed;
    }
    return CallStatus::Done;
}

void WorldScriptHost::ShowMessage(const std::string& text) { mWorld.Shell().ShowMessage(text); }

RandomSource& WorldScriptHost::Random() { return mWorld.Random(); }

void WorldScriptHost::SetGlobal(NameId name, const Value& value) {
    std::string ignored;
    mGlobals.Set(name, 0, 0, value, ignored);
}

}  // namespace kestrin::engine
