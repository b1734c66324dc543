// The engine's action functions that draw, and the drawing settings. See
// action_functions.h for what they all share.

#include "engine/action_functions.h"

namespace kestrin::engine {

std::string_view ActionFunctionsDraw() {
    return R"CODE(
#define action_draw_sprite
// argument1: the subimage.
if (argument_relative) draw_sprite(argument0, argument1, x + argument2, y + argument3);
else draw_sprite(argument0, argument1, argument2, argument3);

#define action_draw_background
// argument3: 1 tiles the background over the room.
var __px, __py;
__px = argument1; __py = argument2;
if (argument_relative) { __px += x; __py += y; }
if (argument3) draw_background_tiled(argument0, __px, __py); else draw_background(argument0, __px, __py);

#define action_draw_text
if (argument_relative) draw_text(x + argument1, y + argument2, argument0);
else draw_text(argument1, argument2, argument0);

#define action_draw_variable
if (argument_relative) draw_text(x + argument1, y + argument2, string(argument0));
else draw_text(argument1, argument2, string(argument0));

#define action_draw_score
// argument2: the caption before the value.
if (argument_relative) draw_text(x + argument0, y + argument1, argument2 + string(score));
else draw_text(argument0, argument1, argument2 + string(score));

#define action_draw_life
if (argument_relative) draw_text(x + argument0, y + argument1, argument2 + string(lives));
else draw_text(argument0, argument1, argument2 + string(lives));

#define action_draw_life_images
// One image of the sprite argument2 for each life, side by side; at most a
// thousand, so that absurd lives cannot stall the game.
var __i, __px, __py;
__px = argument0; __py = argument1;
if (argument_relative) { __px += x; __py += y; }
for (__i = 0; __i < lives && __i < 1000; __i += 1)
  draw_sprite(argument2, 0, __px + __i * sprite_get_width(argument2), __py);

#define action_draw_rectangle
// argument4, when given: 0 filled, 1 only the outline.
var __dx, __dy, __style;
__dx = 0; __dy = 0;
if (argument_relative) { __dx = x; __dy = y; }
__style = brush_style;
if (argument4 == 1) brush_style = bs_hollow;
draw_rectangle(__dx + argument0, __dy + argument1, __dx + argument2, __dy + argument3);
brush_style = __style;

#define action_draw_ellipse
// argument4, when given: 0 filled, 1 only the outline.
var __dx, __dy, __style;
__dx = 0; __dy = 0;
if (argument_relative) { __dx = x; __dy = y; }
__style = brush_style;
if (argument4 == 1) brush_style = bs_hollow;
draw_ellipse(__dx + argument0, __dy + argument1, __dx + argument2, __dy + argument3);
brush_style = __style;

#define action_draw_line
if (argument_relative) draw_line(x + argument0, y + argument1, x + argument2, y + argument3);
else draw_line(argument0, argument1, argument2, argument3);

#define action_draw_highscore
// The table in the rectangle from (argument0, argument1) to (argument2, argument3).
if (argument_relative) draw_highscore(x + argument0, y + argument1, x + argument2, y + argument3);
else draw_highscore(argument0, argument1, argument2, argument3);

#define action_draw_health
// The health bar in the rectangle of the first four arguments. argument4:
// the back, 0 none, then black, gray, silver, white, maroon, green, olive,
// navy, purple, teal, red, lime, yellow, blue, fuchsia, aqua; argument5: the
// bar, 0 green to red, 1 white to black, then the same sixteen colours.
var __dx, __dy, __colors, __back, __low, __high;
__colors[0] = c_black; __colors[1] = c_gray; __colors[2] = c_silver; __colors[3] = c_white;
__colors[4] = c_maroon; __colors[5] = c_green; __colors[6] = c_olive; __colors[7] = c_navy;
__colors[8] = c_purple; __colors[9] = c_teal; __colors[10] = c_red; __colors[11] = c_lime;
__colors[12] = c_yellow; __colors[13] = c_blue; __colors[14] = c_fuchsia; __colors[15] = c_aqua;
__dx = 0; __dy = 0;
if (argument_relative) { __dx = x; __dy = y; }
__back = c_black;
if (argument4 >= 1 && argument4 < 17) __back = __colors[floor(argument4) - 1];
__low = c_red; __high = c_lime;
if (argument5 >= 1 && argument5 < 2) { __low = c_black; __high = c_white; }
if (argument5 >= 2 && argument5 < 18) { __low = __colors[floor(argument5) - 2]; __high = __low; }
draw_healthbar(__dx + argument0, __dy + argument1, __dx + argument2, __dy + argument3, health, __back, __low,
               __high, 0, argument4 >= 1, true);

#define action_color
// Both the fill and the line colour; the second argument does not change what it does.
brush_color = argument0; pen_color = argument0;

#define action_fill_color
brush_color = argument0;

#define action_line_color
pen_color = argument0;

#define action_draw_font
// The drawing font: argument0 its name, argument1 its size, argument2 its
// colour, then 1 or 0 for bold, italic, underlined and struck out.
font_name = argument0;
font_size = argument1;
font_color = argument2;
font_style = fs_normal;
if (argument3 == 1) font_style += fs_bold;
if (argument4 == 1) font_style += fs_italic;
if (argument5 == 1) font_style += fs_underline;
if (argument6 == 1) font_style += fs_strikeout;

#define action_fullscreen
// argument0: 0 switches between window and full screen, 1 the window, 2 full screen.
if (argument0 == 0) {
  if (variable_global_exists("full_screen")) full_screen = !full_screen; else full_screen = true;
} else full_screen = argument0 == 2;
)CODE";
}

}  // namespace kestrin::engine
