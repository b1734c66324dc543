#pragma once
// What the interpreter asks of the game world: variables of instances and of
// the globals, the instances a value names, and the functions the
// interpreter does not provide itself. The engine implements it; tests use a
// tiny world of their own.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/script/name_table.h"
#include "engine/value.h"
#include "platform/random_source.h"

namespace kestrin::engine {

class VariableStore;

// An instance id (100000 and up), or one of the special values below, which
// are also the values of the constants self, other, all, noone and global.
using InstanceId = std::int32_t;
inline constexpr InstanceId kSelf = -1;
inline constexpr InstanceId kOther = -2;
inline constexpr InstanceId kAll = -3;
inline constexpr InstanceId kNoone = -4;
inline constexpr InstanceId kGlobal = -5;
inline constexpr InstanceId kFirstInstanceId = 100000;

// Array indexes run from 0 to kMaxArrayIndex. A plain name is element
// [0, 0] of its array and a[i] is a[0, i], so the host always gets two
// indexes, already checked against these bounds.
inline constexpr int kMaxArrayIndex = 31999;

enum class VariableStatus {
    Done,
    // Never set (or that element never set): the interpreter reports an
    // unknown variable, or reads 0 when the game treats unset variables as 0.
    Unknown,
    // The host refused; the error text says why ("Cannot assign to ...").
    Refused,
};

enum class CallStatus {
    Done,
    // The host has no such function; the interpreter reports it, telling a
    // function of the built-in tables that this runner lacks from an unknown name.
    NotProvided,
    // The function ran into a run-time error whose text is given.
    Failed,
};

// Where a call of a host function comes from: the instance running the code
// and the other instance (kNoone when there is none).
struct CallContext {
    InstanceId self;
    InstanceId other;
};

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // A variable of an instance, or of the globals when instance is kGlobal.
    // The host decides which names are its built-in variables (x, speed,
    // alarm[...], score, room, ...) and which are plain variables it keeps;
    // read-only ones refuse a set with an error text.
    virtual VariableStatus GetVariable(InstanceId instance, NameId name, int row, int column, Value& value,
                                       std::string& error) = 0;
    virtual VariableStatus SetVariable(InstanceId instance, NameId name, int row, int column, const Value& value,
                                       std::string& error) = 0;

    // Plain variables reached in place, past GetVariable and SetVariable,
    // which costs a call and a lookup per access. IsPlainName says, once per
    // name when code is compiled, whether the host keeps that name as a
    // plain variable wherever it is used (not one of its built-in variables,
    // not always global). PlainVariables gives the store that keeps them for
    // an instance, or for the globals with kGlobal; null when the instance
    // does not exist. The pointer is asked again after every function call,
    // so it need only stay valid while no function runs. A host that keeps
    // none answers false and null, and is asked each time.
    virtual bool IsPlainName(NameId) const { return false; }
    virtual VariableStore* PlainVariables(InstanceId) { return nullptr; }

    // The instances a value names, in visiting order, for with (target) and
    // target.name: an instance id is that instance when it exists, an object
    // index is the instances of the object and of its children, kAll is
    // every instance; kNoone and anything else give none. The interpreter
    // resolves kSelf, kOther and kGlobal itself and never asks for them.
    virtual void Instances(double target, std::vector<InstanceId>& result) = 0;

    // A function the interpreter does not provide (world functions, drawing,
    // sound, ...). Sets result on Done, error on Failed.
    virtual CallStatus CallFunction(NameId name, const CallContext& context, std::span<const Value> arguments,
                                    Value& result, std::string& error) = 0;

    // show_message: the engine shows a box or, headless, prints a line.
    virtual void ShowMessage(const std::string& text) = 0;

    // The game's random numbers, seeded as the game is run.
    virtual RandomSource& Random() = 0;
};

}  // namespace kestrin::engine
