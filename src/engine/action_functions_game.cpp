// The engine's action functions for instances, sprites, sounds, rooms,
// timing, messages, the game, score, lives, health and the highscore table.
// See action_functions.h for what they all share.

#include "engine/action_functions.h"

namespace kestrin::engine {

std::string_view ActionFunctionsGame() {
    return R"CODE(
#define action_create_object
if (argument_relative) return instance_create(x + argument1, y + argument2, argument0);
return instance_create(argument1, argument2, argument0);

#define action_change_object
// argument1: 1 runs the destroy event of the old object and the create event of the new one.
instance_change(argument0, argument1);

#define action_kill_object
instance_destroy();

#define action_kill_position
if (argument_relative) position_destroy(x + argument0, y + argument1); else position_destroy(argument0, argument1);

#define action_set_sprite
// argument1: the subimage to show, or -1 to keep the current one.
sprite_index = argument0;
if (argument1 != -1) image_index = argument1;

#define action_sound
// argument1: 1 loops the sound.
if (argument1) sound_loop(argument0); else sound_play(argument0);

#define action_end_sound
// Only the sound; the second argument does not change what it does.
sound_stop(argument0);

#define action_if_sound
return sound_isplaying(argument0);

#define action_previous_room
// argument0 (and argument1 of action_another_room): the transition, from the
// room's transition kinds.
transition_kind = argument0; room_goto_previous();

#define action_next_room
transition_kind = argument0; room_goto_next();

#define action_current_room
transition_kind = argument0; room_restart();

#define action_another_room
transition_kind = argument1; room_goto(argument0);

#define action_if_previous_room
return room != room_first;

#define action_if_next_room
return room != room_last;

#define action_set_alarm
// argument0: the steps; argument1: the alarm.
if (argument_relative) alarm[argument1] += argument0; else alarm[argument1] = argument0;

#define action_sleep
// argument1: 1 redraws the screen before sleeping.
if (argument1) screen_redraw();
sleep(argument0);

#define action_message
show_message(argument0);

#define action_show_info
show_info();

#define action_restart_game
game_restart();

#define action_end_game
game_end();

#define action_save_game
game_save(argument0);

#define action_load_game
game_load(argument0);

#define action_set_score
if (argument_relative) score += argument0; else score = argument0;

#define action_set_life
if (argument_relative) lives += argument0; else lives = argument0;

#define action_set_health
if (argument_relative) health += argument0; else health = argument0;

#define action_if_score
// argument1: 0 equal to, 1 smaller than, 2 larger than argument0.
return action_if_variable(score, argument0, argument1);

#define action_if_life
return action_if_variable(lives, argument0, argument1);

#define action_if_health
return action_if_variable(health, argument0, argument1);

#define action_set_caption
// Whether to show the score, the lives and the health in the window
// caption, each followed by its caption.
show_score = argument0; caption_score = argument1;
show_lives = argument2; caption_lives = argument3;
show_health = argument4; caption_health = argument5;

#define action_highscore
// The table as action_highscore_show shows it with its first arguments' defaults.
action_highscore_show(-1, 1, c_red, c_black, "", 0);

#define action_highscore_show
// argument0: the background, or -1; argument1: 1 draws a border; argument2,
// argument3: the colours of the new entry and of the others; argument4,
// argument5: the font's name and size, an empty name or a size of 0 keeping
// the drawing font's.
var __name, __size;
__name = font_name; __size = font_size;
if (is_string(argument4)) if (argument4 != "") __name = argument4;
if (is_real(argument5)) if (argument5 > 0) __size = argument5;
highscore_show_ext(-1, argument0, argument1, argument2, argument3, __name, __size);

#define action_highscore_add
// Asks the player's name when the score makes the table.
highscore_add_current();

#define action_set_cursor
// This runner draws no sprite as the mouse cursor: argument0 is not used;
// argument1 shows (1) or hides (0) the system's cursor.
if (argument1) set_cursor(cr_default); else set_cursor(cr_none);
)CODE";
}

}  // namespace kestrin::engine
