// World functions: functions of external libraries (see
// engine/external_libraries.h). The libraries belong to the shell's system,
// so they stay open through rooms and a restart of the game.
//
//   external_define(dll, name, calltype, restype, argnumb, argtype1, ...)
//   external_define0(dll, name, restype) .. external_define4(dll, name, argtype1 .. argtype4, restype)
//   external_define5(dll, name, restype) .. external_define8(...): 5 to 8 reals
//   external_call(id, ...) and external_call0(id) .. external_call8(id, arg1 .. arg8)
//   external_free(dll)
//
// A definition that fails is an error of the game and gives -1.

#include <memory>

#include "engine/external_libraries.h"
#include "engine/game_shell.h"
#include "engine/world.h"
#include "engine/world_functions.h"

namespace kestrin::engine {

namespace {

ExternalLibraries& Libraries(FunctionCall& call) {
    std::unique_ptr<ExternalLibraries>& libraries = call.world.Shell().System().externals;
    if (!libraries) libraries = std::make_unique<ExternalLibraries>();
    return *libraries;
}

Value Defined(FunctionCall& call, int result, const std::vector<int>& arguments) {
    const int id = Libraries(call).Define(call.Text(0), call.Text(1), result, arguments, call.error);
    return static_cast<double>(id);
}

Value Define(FunctionCall& call) {
    const int count = call.Int(4);
    if (count != call.Count() - 5) {
        call.error = "external_define names " + std::to_string(count) + " arguments but gives " +
                     std::to_string(std::max(0, call.Count() - 5)) + " types.";
        return -1.0;
    }
    std::vector<int> arguments;
    for (int i = 5; i < call.Count(); ++i) arguments.push_back(call.Int(i));
    return Defined(call, call.Int(3), arguments);
}

// external_define0 .. external_define4: the argument types, then the result's.
Value DefineTyped(FunctionCall& call) {
    std::vector<int> arguments;
    for (int i = 2; i + 1 < call.Count(); ++i) arguments.push_back(call.Int(i));
    return Defined(call, call.Int(call.Count() - 1), arguments);
}

template <int Reals>
Value DefineReals(FunctionCall& call) {
    return Defined(call, call.Int(2), std::vector<int>(Reals, ExternalLibraries::kReal));
}

Value Call(FunctionCall& call) {
    Value result;
    if (!Libraries(call).Call(call.Int(0), call.args.subspan(std::min<std::size_t>(1, call.args.size())), result,
                              call.error))
        return 0.0;
    return result;
}

Value Free(FunctionCall& call) {
    Libraries(call).Free(call.Text(0));
    return 0.0;
}

}  // namespace

void AddExternalFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"external_define", Define},         {"external_define0", DefineTyped},
        {"external_define1", DefineTyped},   {"external_define2", DefineTyped},
        {"external_define3", DefineTyped},   {"external_define4", DefineTyped},
        {"external_define5", DefineReals<5>}, {"external_define6", DefineReals<6>},
        {"external_define7", DefineReals<7>}, {"external_define8", DefineReals<8>},
        {"external_call", Call},             {"external_call0", Call},
        {"external_call1", Call},            {"external_call2", Call},
        {"external_call3", Call},            {"external_call4", Call},
        {"external_call5", Call},            {"external_call6", Call},
        {"external_call7", Call},            {"external_call8", Call},
        {"external_free", Free},
    });
}

}  // namespace kestrin::engine
