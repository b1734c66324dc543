#pragma once
// The code side of the running game: every piece of code compiled once, the
// scripts of the game and of the action libraries registered by name, action
// lists run as docs/actions.md says, and the built-in functions and
// variables of the world offered to the interpreter.

#include <memory>
#include <string>
#include <vector>

#include "engine/script/name_table.h"
#include "engine/script/variable_store.h"
#include "engine/value.h"

namespace kestrin {
class CEvent;
}

namespace kestrin::engine {

class DataStructures;
class World;
struct EventContext;
struct Instance;

class ScriptSide {
public:
    ScriptSide(World& world, std::vector<std::string> libraryCode);
    ~ScriptSide();
    ScriptSide(const ScriptSide&) = delete;
    ScriptSide& operator=(const ScriptSide&) = delete;

    // Compiles and registers the library scripts and the game's scripts;
    // compile errors are reported as run-time errors are.
    void Prepare();
    // Runs an action list in the context (self, other, the event).
    void RunActions(const CEvent& list, EventContext& context);
    // Runs a piece of code (room or instance creation code) with self as the instance.
    void RunCode(const std::string& code, Instance* self, const std::string& where);
    // The value of an expression in an instance (or in none); false with the
    // error text. For checks from outside the game, such as tests.
    bool Evaluate(const std::string& expression, Instance* self, Value& value, std::string& error);
    // Runs a piece of code from outside the game (the debug window) with no
    // instance as self; false with the error text, which is left to the
    // caller rather than reported as the game's own.
    bool Execute(const std::string& code, std::string& error);

    // The names the code uses and the plain global variables, for saving and
    // loading the game.
    NameTable& Names();
    VariableStore& Globals();
    DataStructures& Structures();
    std::vector<NameId> GlobalvarNames() const;
    void MakeGlobalvar(NameId name);

    // Code the game adds while it runs (object and time line events): compiled
    // now, so a mistake is reported by the call that added it; false with the
    // message. Compiled code is kept by its text, so a changed event compiles
    // anew and nothing older needs forgetting.
    bool CompileAdded(const std::string& code, std::string& error);

    // What the action performer of the source file reaches into.
    class Impl;

private:
    std::unique_ptr<Impl> mImpl;
};

}  // namespace kestrin::engine
