#pragma once
// The world as the interpreter sees it: built-in variables of instances and
// of the game, plain variables kept in each instance and in the globals, the
// instances a value names, and the world functions.

#include <vector>

#include "engine/script/name_table.h"
#include "engine/script/script_host.h"
#include "engine/script/variable_store.h"
#include "engine/world_functions.h"
#include "engine/world_variables.h"

namespace kestrin::engine {

class World;
struct Instance;

class WorldScriptHost : public ScriptHost {
public:
    WorldScriptHost(World& world, NameTable& names);

    VariableStatus GetVariable(InstanceId instance, NameId name, int row, int column, Value& value,
                               std::string& error) override;
    VariableStatus SetVariable(InstanceId instance, NameId name, int row, int column, const Value& value,
                               std::string& error) override;
    bool IsPlainName(NameId name) const override;
    VariableStore* PlainVariables(InstanceId instance) override;
    void Instances(double target, std::vector<InstanceId>& result) override;
    CallStatus CallFunction(NameId name, const CallContext& context, std::span<const Value> arguments, Value& result,
                            std::string& error) override;
    void ShowMessage(const std::string& text) override;
    RandomSource& Random() override;

    // Sets a plain global variable (argument_relative before each action).
    void SetGlobal(NameId name, const Value& value);
    VariableStore& Globals() { return mGlobals; }

private:
    BuiltinVariable BuiltinOf(NameId name) const;
    bool IsGameGlobal(NameId name) const;

    World& mWorld;
    NameTable& mNames;
    std::vector<BuiltinVariable> mBuiltins;  // by name id
    std::vector<bool> mGameGlobals;          // the language's global names, by name id
    std::vector<WorldFunction> mFunctions;   // by name id
    VariableStore mGlobals;
};

}  // namespace kestrin::engine
