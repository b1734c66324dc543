#pragma once
// The engine's own action functions: every `action_*` function of the
// built-in tables, written in the script language as library code
// ("#define NAME" starts each one). They are defined before the libraries'
// code and the game's scripts, so a library script or a game script of the
// same name replaces them.
//
// Each takes the arguments of its action, in the order of the action's
// dialog, and reads the global argument_relative as the action's "relative"
// box: an action sets it before it runs, so code that calls one of these
// directly gets whatever the last action left there (0 before any action).
// A few take one argument more than the tables count, which only an action
// passes (the outline of a rectangle, whether a path is absolute); called
// from code it is 0. Two take one that changes nothing (action_end_sound,
// action_color), and action_set_cursor cannot show a sprite as the cursor
// here: it shows or hides the system's cursor. Questions answer 1 or 0.
// Their local variables start with two underscores, because a local named
// like one of the game's resources or constants would not compile, and every
// game compiles these.

#include <string>
#include <string_view>

namespace kestrin::engine {

// The whole text, every theme joined.
const std::string& ActionFunctionsCode();

// Whether the name is one of the functions the text defines.
bool IsActionFunction(std::string_view name);

// The themes, one file each.
std::string_view ActionFunctionsMove();
std::string_view ActionFunctionsGame();
std::string_view ActionFunctionsControl();
std::string_view ActionFunctionsDraw();

}  // namespace kestrin::engine
