// Built-in constant values. Colours keep red in the low byte; key codes are
// the virtual-key numbers the keyboard events use; event constants are the
// event types and sub-numbers of the game data.

#include "engine/script/builtin_constants.h"

#include <numbers>
#include <string>
#include <unordered_map>

namespace kestrin::engine {

namespace {

std::unordered_map<std::string, double> MakeConstants() {
    std::unordered_map<std::string, double> c = {
        {"self", -1}, {"other", -2}, {"all", -3}, {"noone", -4}, {"global", -5}, {"local", -6},
        {"true", 1}, {"false", 0}, {"pi", std::numbers::pi},
        {"c_aqua", 0xFFFF00}, {"c_black", 0}, {"c_blue", 0xFF0000}, {"c_dkgray", 0x404040},
        {"c_fuchsia", 0xFF00FF}, {"c_gray", 0x808080}, {"c_green", 0x008000}, {"c_lime", 0x00FF00},
        {"c_ltgray", 0xC0C0C0}, {"c_maroon", 0x000080}, {"c_navy", 0x800000}, {"c_olive", 0x008080},
        {"c_purple", 0x800080}, {"c_red", 0x0000FF}, {"c_silver", 0xC0C0C0}, {"c_teal", 0x808000},
        {"c_white", 0xFFFFFF}, {"c_yellow", 0x00FFFF},
        {"bs_solid", 0}, {"bs_hollow", 1}, {"bs_bdiagonal", 2}, {"bs_fdiagonal", 3}, {"bs_cross", 4},
        {"bs_diagcross", 5}, {"bs_horizontal", 6}, {"bs_vertical", 7},
        {"fs_normal", 0}, {"fs_bold", 1}, {"fs_italic", 2}, {"fs_bolditalic", 3}, {"fs_underline", 4},
        {"fs_strikeout", 8},
        {"fa_left", 0}, {"fa_center", 1}, {"fa_right", 2},
        {"mb_any", -1}, {"mb_none", 0}, {"mb_left", 1}, {"mb_right", 2}, {"mb_middle", 3},
        {"vk_nokey", 0}, {"vk_anykey", 1}, {"vk_backspace", 8}, {"vk_tab", 9}, {"vk_enter", 13},
        {"vk_return", 13}, {"vk_shift", 16}, {"vk_control", 17}, {"vk_alt", 18}, {"vk_pause", 19},
        {"vk_escape", 27}, {"vk_space", 32}, {"vk_pageup", 33}, {"vk_pagedown", 34}, {"vk_end", 35},
        {"vk_home", 36}, {"vk_left", 37}, {"vk_up", 38}, {"vk_right", 39}, {"vk_down", 40},
        {"vk_printscreen", 44}, {"vk_insert", 45}, {"vk_delete", 46}, {"vk_multiply", 106}, {"vk_add", 107},
        {"vk_subtract", 109}, {"vk_decimal", 110}, {"vk_divide", 111}, {"vk_lshift", 160}, {"vk_rshift", 161},
        {"vk_lcontrol", 162}, {"vk_rcontrol", 163}, {"vk_lalt", 164}, {"vk_ralt", 165},
        {"ev_create", 0}, {"ev_destroy", 1}, {"ev_alarm", 2}, {"ev_step", 3}, {"ev_collision", 4},
        {"ev_keyboard", 5}, {"ev_mouse", 6}, {"ev_other", 7}, {"ev_draw", 8}, {"ev_keypress", 9},
        {"ev_keyrelease", 10},
        {"ev_left_button", 0}, {"ev_right_button", 1}, {"ev_middle_button", 2}, {"ev_no_button", 3},
        {"ev_left_press", 4}, {"ev_right_press", 5}, {"ev_middle_press", 6}, {"ev_left_release", 7},
        {"ev_right_release", 8}, {"ev_middle_release", 9}, {"ev_mouse_enter", 10}, {"ev_mouse_leave", 11},
        {"ev_global_press", 12}, {"ev_global_release", 13},
        {"ev_joystick1_left", 16}, {"ev_joystick1_right", 17}, {"ev_joystick1_up", 18}, {"ev_joystick1_down", 19},
        {"ev_joystick2_left", 31}, {"ev_joystick2_right", 32}, {"ev_joystick2_up", 33}, {"ev_joystick2_down", 34},
        {"ev_outside", 0}, {"ev_boundary", 1}, {"ev_game_start", 2}, {"ev_game_end", 3}, {"ev_room_start", 4},
        {"ev_room_end", 5}, {"ev_no_more_lives", 6}, {"ev_animation_end", 7}, {"ev_end_of_path", 8},
        {"ev_no_more_health", 9},
        {"ev_step_normal", 0}, {"ev_step_begin", 1}, {"ev_step_end", 2},
        {"ty_real", 0}, {"ty_string", 1}, {"dll_cdecl", 0}, {"dll_stdcall", 1},
        {"fa_readonly", 1}, {"fa_hidden", 2}, {"fa_sysfile", 4}, {"fa_volumeid", 8}, {"fa_directory", 16},
        {"fa_archive", 32},
        {"cr_default", 0}, {"cr_none", -1}, {"cr_arrow", -2}, {"cr_arrrow", -2}, {"cr_cross", -3},
        {"cr_beam", -4}, {"cr_size_nesw", -6}, {"cr_size_ns", -7}, {"cr_size_nwse", -8}, {"cr_size_we", -9},
        {"cr_uparrow", -10}, {"cr_hourglass", -11}, {"cr_drag", -12}, {"cr_nodrop", -13}, {"cr_hsplit", -14},
        {"cr_vsplit", -15}, {"cr_multidrag", -16}, {"cr_sqlwait", -17}, {"cr_no", -18}, {"cr_appstart", -19},
        {"cr_help", -20}, {"cr_handpoint", -21}, {"cr_size_all", -22},
        {"pt_shape_pixel", 0}, {"pt_shape_disk", 1}, {"pt_shape_square", 2}, {"pt_shape_diamond", 3},
        {"pt_shape_star", 4}, {"pt_shape_plus", 5}, {"pt_shape_cross", 6},
        {"ps_distr_linear", 0}, {"ps_distr_gaussian", 1}, {"ps_shape_rectangle", 0}, {"ps_shape_ellipse", 1},
        {"ps_shape_diamond", 2}, {"ps_shape_line", 3}, {"ps_force_constant", 0}, {"ps_force_linear", 1},
        {"ps_force_quadratic", 2}, {"ps_deflect_vertical", 0}, {"ps_deflect_horizontal", 1},
        {"ps_change_all", 0}, {"ps_change_shape", 1}, {"ps_change_motion", 2},
    };
    for (int k = 1; k <= 12; ++k) c["vk_f" + std::to_string(k)] = 111 + k;
    for (int k = 0; k <= 9; ++k) c["vk_numpad" + std::to_string(k)] = 96 + k;
    for (int k = 1; k <= 8; ++k) {
        c["ev_joystick1_button" + std::to_string(k)] = 20 + k;
        c["ev_joystick2_button" + std::to_string(k)] = 35 + k;
        c["ev_user" + std::to_string(k - 1)] = 9 + k;
    }
    return c;
}

}  // namespace

bool BuiltinConstantValue(std::string_view name, double& value) {
    static const std::unordered_map<std::string, double> constants = MakeConstants();
    auto found = constants.find(std::string(name));
    if (found == constants.end()) return false;
    value = found->second;
    return true;
}

}  // namespace kestrin::engine
