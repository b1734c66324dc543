// The engine's action functions that answer questions or pass control on:
// places, instance counts, chance, the player's answers, expressions, the
// mouse, the grid, the parent's event and scripts. See action_functions.h
// for what they all share.

#include "engine/action_functions.h"

namespace kestrin::engine {

std::string_view ActionFunctionsControl() {
    return R"CODE(
#define action_if_empty
// argument2: 0 only solid instances count, 1 all.
var __px, __py;
__px = argument0; __py = argument1;
if (argument_relative) { __px += x; __py += y; }
if (argument2 == 0) return place_free(__px, __py);
return place_empty(__px, __py);

#define action_if_collision
var __px, __py;
__px = argument0; __py = argument1;
if (argument_relative) { __px += x; __py += y; }
if (argument2 == 0) return !place_free(__px, __py);
return !place_empty(__px, __py);

#define action_if_object
if (argument_relative) return place_meeting(x + argument1, y + argument2, argument0);
return place_meeting(argument1, argument2, argument0);

#define action_if_number
// argument2: 0 equal to, 1 smaller than, 2 larger than argument1.
return action_if_variable(instance_number(argument0), argument1, argument2);

#define action_if_dice
return floor(random(argument0)) == 0;

#define action_if_question
return show_question(argument0);

#define action_if
// A real above 0 is true, as an action's answer is.
if (is_real(argument0)) return argument0 > 0;
return 0;

#define action_if_mouse
// argument0: 0 no button, 1 left, 2 right, 3 middle.
if (argument0 == 0) return mouse_button == mb_none;
if (argument0 == 1) return mouse_check_button(mb_left);
if (argument0 == 2) return mouse_check_button(mb_right);
return mouse_check_button(mb_middle);

#define action_if_aligned
return place_snapped(argument0, argument1);

#define action_if_variable
// argument2: 0 equal to, 1 smaller than, 2 larger than. A string and a real
// are never equal, and comparing their sizes is an error.
if (argument2 == 1) return argument0 < argument1;
if (argument2 == 2) return argument0 > argument1;
return argument0 == argument1;

#define action_inherited
event_inherited();

#define action_execute_script
return script_execute(argument0, argument1, argument2, argument3, argument4, argument5);
)CODE";
}

}  // namespace kestrin::engine
