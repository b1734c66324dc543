// The engine's action functions for motion: moving, jumping, paths and
// steps. See action_functions.h for what they all share.

#include "engine/action_functions.h"

namespace kestrin::engine {

std::string_view ActionFunctionsMove() {
    return R"CODE(
#define action_move
// argument0: nine 0/1 characters for the directions of the numeric keypad
// 1..9 (5 is "stop"); one of the chosen ones is taken at random.
var __dirs, __count, __i, __chosen;
__dirs[1] = 225; __dirs[2] = 270; __dirs[3] = 315; __dirs[4] = 180;
__dirs[6] = 0; __dirs[7] = 135; __dirs[8] = 90; __dirs[9] = 45;
__count = 0;
for (__i = 1; __i <= 9; __i += 1) if (string_char_at(argument0, __i) == '1') __count += 1;
if (__count == 0) exit;
__chosen = floor(random(__count)) + 1;
for (__i = 1; __i <= 9; __i += 1) {
  if (string_char_at(argument0, __i) == '1') {
    __chosen -= 1;
    if (__chosen == 0) {
      if (__i == 5) speed = 0;
      else if (argument_relative) motion_add(__dirs[__i], argument1);
      else motion_set(__dirs[__i], argument1);
    }
  }
}

#define action_set_motion
if (argument_relative) motion_add(argument0, argument1); else motion_set(argument0, argument1);

#define action_move_point
if (argument_relative) move_towards_point(x + argument0, y + argument1, argument2);
else move_towards_point(argument0, argument1, argument2);

#define action_set_hspeed
if (argument_relative) hspeed += argument0; else hspeed = argument0;

#define action_set_vspeed
if (argument_relative) vspeed += argument0; else vspeed = argument0;

#define action_set_gravity
if (argument_relative) { gravity_direction += argument0; gravity += argument1; }
else { gravity_direction = argument0; gravity = argument1; }

#define action_reverse_xdir
hspeed = -hspeed;

#define action_reverse_ydir
vspeed = -vspeed;

#define action_set_friction
if (argument_relative) friction += argument0; else friction = argument0;

#define action_move_to
if (argument_relative) { x += argument0; y += argument1; } else { x = argument0; y = argument1; }

#define action_move_start
x = xstart; y = ystart;

#define action_move_random
move_random(argument0, argument1);

#define action_snap
move_snap(argument0, argument1);

#define action_move_contact
// argument0: the direction; argument1: at most so many pixels (below 0, or
// above a thousand: a thousand); argument2: 0 against solids, 1 against all.
var __step;
for (__step = 0; argument1 < 0 || __step < argument1; __step += 1) {
  if (argument2 == 0 && !place_free(x + lengthdir_x(1, argument0), y + lengthdir_y(1, argument0))) break;
  if (argument2 == 1 && !place_empty(x + lengthdir_x(1, argument0), y + lengthdir_y(1, argument0))) break;
  x += lengthdir_x(1, argument0); y += lengthdir_y(1, argument0);
  if (__step > 1000) break;
}

#define action_bounce
// argument0: 1 precisely; argument1: 0 against solids, 1 against all.
if (argument1 == 0) move_bounce_solid(argument0); else move_bounce_all(argument0);

#define action_path
// argument3, when given: 0 the path is relative to where the instance is, 1 absolute.
path_start(argument0, argument1, argument2, argument3 == 1);

#define action_path_position
if (argument_relative) path_position += argument0; else path_position = argument0;

#define action_path_speed
if (argument_relative) path_speed += argument0; else path_speed = argument0;

#define action_linear_step
// argument3: 0 stops at solids only, 1 at every instance.
if (argument_relative) mp_linear_step(x + argument0, y + argument1, argument2, argument3 == 0);
else mp_linear_step(argument0, argument1, argument2, argument3 == 0);

#define action_potential_step
// argument3: 0 avoids solids only, 1 every instance.
if (argument_relative) mp_potential_step(x + argument0, y + argument1, argument2, argument3 == 0);
else mp_potential_step(argument0, argument1, argument2, argument3 == 0);
)CODE";
}

}  // namespace kestrin::engine
