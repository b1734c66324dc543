#pragma once
// Which functions of the built-in tables this runner provides, and the calls
// of the others in a game's code, so that `kestrin-cli check` can warn about
// them before anyone plays the game.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {
class Game;
}

namespace kestrin::engine {

// Provided by the interpreter itself, by the world or by the engine's action functions.
bool RunnerProvides(std::string_view function);

struct FunctionUse {
    std::string where;     // "script scr_move", "object obj_hero, Step Event, action 2", ...
    std::string function;  // the function of the built-in tables
};

// Every call (and every function action) of a function of the built-in
// tables that this runner does not provide, once per place and function.
// The runner provides every function of the tables today; tests name what
// a runner lacks instead.
using ProvidedCheck = std::function<bool(std::string_view function)>;
std::vector<FunctionUse> UnprovidedFunctionUses(Game& game, const ProvidedCheck& provides = RunnerProvides);

}  // namespace kestrin::engine
