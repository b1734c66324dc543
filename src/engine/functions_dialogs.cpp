// World functions: the look of the game's message boxes, and the dialogs
// that ask the player for something: messages with buttons of their own,
// menus, numbers, texts, colours, files and folders; pictures and texts from
// files shown over the game; new game information.
//
// Answers come from the shell: the window runner shows real dialogs, headless
// play writes one line and takes the default (no file or folder chosen).
// Buttons count from 1 and menu items from 0; a menu or box left without a
// choice answers the default (0 for a message's buttons, -1 for a colour).

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "engine/game_shell.h"
#include "engine/sprite_masks.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "platform/file_system.h"
#include "resources/rtf_reader.h"
#include "storage/game.h"

namespace kestrin::engine {

std::vector<std::string> MenuItems(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        items.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return items;
        start = bar + 1;
    }
}

namespace {

// Game information files are rich text of a few pages at most.
constexpr std::size_t kMaxInformationBytes = 16 * 1024 * 1024;
// Screen positions and sizes beyond any screen.
constexpr int kMaxScreenPixels = 100000;

ColorValue ColorOf(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<ColorValue>(static_cast<std::int64_t>(std::clamp(value, -1e18, 1e18)) & 0xFFFFFF);
}

MessageLook& Look(FunctionCall& call) { return call.world.Shell().Messages(); }

// -1 and other negative values stand for "as usual".
int ScreenValue(FunctionCall& call, int i) {
    const double v = call.Real(i);
    return std::isfinite(v) && v >= 0 ? static_cast<int>(std::min<double>(v, kMaxScreenPixels)) : -1;
}

Value MessageBackground(FunctionCall& call) {
    const int index = call.Int(0);
    if (index >= 0 && !call.world.GameData().Backgrounds().ResourceAt(index))
        return call.Fail("The message background does not exist");
    Look(call).background = std::max(index, -1);
    return 0.0;
}

Value MessageButton(FunctionCall& call) {
    const int index = call.Int(0);
    if (index >= 0 && !call.world.GameData().Sprites().ResourceAt(index))
        return call.Fail("The message button sprite does not exist");
    Look(call).buttonSprite = std::max(index, -1);
    return 0.0;
}

Value MessageAlpha(FunctionCall& call) {
    const double alpha = call.Real(0);
    Look(call).alpha = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0;
    return 0.0;
}

Value MessageMouseColor(FunctionCall& call) {
    Look(call).mouseColor = ColorOf(call.Real(0));
    return 0.0;
}

Value MessageInputColor(FunctionCall& call) {
    Look(call).inputColor = ColorOf(call.Real(0));
    return 0.0;
}

// (name, size in points, colour, style) as the font variables take them.
void SetFont(FunctionCall& call, MessageFont& font) {
    font.font.name = call.Text(0);
    const double size = call.Real(1);
    font.font.size = std::isfinite(size) ? std::clamp(size, 1.0, 500.0) : 12.0;
    font.color = ColorOf(call.Real(2));
    font.font.style = std::clamp(call.Int(3), 0, 15);
}

Value MessageTextFont(FunctionCall& call) {
    SetFont(call, Look(call).textFont);
    return 0.0;
}

Value MessageButtonFont(FunctionCall& call) {
    SetFont(call, Look(call).buttonFont);
    return 0.0;
}

Value MessageInputFont(FunctionCall& call) {
    SetFont(call, Look(call).inputFont);
    return 0.0;
}

Value MessagePosition(FunctionCall& call) {
    Look(call).x = ScreenValue(call, 0);
    Look(call).y = ScreenValue(call, 1);
    return 0.0;
}

Value MessageSize(FunctionCall& call) {
    Look(call).width = ScreenValue(call, 0);
    Look(call).height = ScreenValue(call, 1);
    return 0.0;
}

Value MessageCaption(FunctionCall& call) {
    Look(call).showCaption = call.Bool(0);
    Look(call).caption = call.Text(1);
    return 0.0;
}

Value ShowMessageExt(FunctionCall& call) {
    const std::string buttons[3] = {call.Text(1), call.Text(2), call.Text(3)};
    const int pressed = call.world.Shell().ShowMessageButtons(call.Text(0), buttons);
    return static_cast<double>(pressed >= 1 && pressed <= 3 ? pressed : 0);
}

Value ShowMenu(FunctionCall& call) {
    return static_cast<double>(call.world.Shell().ShowMenu(call.Text(0), call.Int(1), false, 0, 0));
}

Value ShowMenuPos(FunctionCall& call) {
    const int chosen = call.world.Shell().ShowMenu(call.Text(2), call.Int(3), true, call.Int(0), call.Int(1));
    return static_cast<double>(chosen);
}

Value GetInteger(FunctionCall& call) {
    const double answer = call.world.Shell().AskInteger(call.Text(0), call.Real(1));
    return std::isfinite(answer) ? std::round(answer) : call.Real(1);
}

Value GetString(FunctionCall& call) { return call.world.Shell().AskString(call.Text(0), call.Text(1)); }

Value GetColor(FunctionCall& call) {
    const double color = call.world.Shell().AskColor(static_cast<double>(ColorOf(call.Real(0))));
    return color < 0 ? -1.0 : static_cast<double>(ColorOf(color));
}

Value GetOpenFilename(FunctionCall& call) { return call.world.Shell().AskOpenFile(call.Text(0), call.Text(1)); }
Value GetSaveFilename(FunctionCall& call) { return call.world.Shell().AskSaveFile(call.Text(0), call.Text(1)); }
Value GetDirectory(FunctionCall& call) { return call.world.Shell().AskFolder({}, call.Text(0)); }
Value GetDirectoryAlt(FunctionCall& call) { return call.world.Shell().AskFolder(call.Text(0), call.Text(1)); }

// Delays are in milliseconds, at most an hour; 0 or less waits for the player.
int Delay(FunctionCall& call, int i) {
    const double delay = call.Real(i);
    return std::isfinite(delay) && delay > 0 ? static_cast<int>(std::min(delay, 3600000.0)) : 0;
}

Value ShowImage(FunctionCall& call) {
    const std::string file = call.Text(0);
    if (!FileExists(file)) return call.Fail("The image file " + file + " does not exist");
    if (!call.world.Shell().ShowImageFile(file, call.Bool(1), Delay(call, 2)))
        return call.Fail("Cannot show the image file " + file);
    return 0.0;
}

Value ShowText(FunctionCall& call) {
    const std::string file = call.Text(0);
    if (!FileExists(file)) return call.Fail("The text file " + file + " does not exist");
    if (!call.world.Shell().ShowTextFile(file, call.Bool(1), ColorOf(call.Real(2)), Delay(call, 3)))
        return call.Fail("Cannot show the text file " + file);
    return 0.0;
}

// The game information becomes the rich text of the file.
Value LoadInfo(FunctionCall& call) {
    const std::string file = call.Text(0);
    std::error_code error;
    if (std::filesystem::file_size(file, error) > kMaxInformationBytes && !error)
        return call.Fail("The game information file " + file + " is too large");
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(file);
    } catch (const FileError&) {
        return call.Fail("Cannot load the game information from " + file);
    }
    // It may have grown since it was measured.
    if (bytes.size() > kMaxInformationBytes) return call.Fail("The game information file " + file + " is too large");
    call.world.GameData().Information.Text =
        ReadRtf(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    call.world.Shell().InformationChanged();
    return 0.0;
}

}  // namespace

void AddDialogFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"message_background", MessageBackground},   {"message_button", MessageButton},
        {"message_alpha", MessageAlpha},             {"message_mouse_color", MessageMouseColor},
        {"message_input_color", MessageInputColor},  {"message_text_font", MessageTextFont},
        {"message_button_font", MessageButtonFont},  {"message_input_font", MessageInputFont},
        {"message_position", MessagePosition},       {"message_size", MessageSize},
        {"message_caption", MessageCaption},         {"show_message_ext", ShowMessageExt},
        {"show_menu", ShowMenu},                     {"show_menu_pos", ShowMenuPos},
        {"get_integer", GetInteger},                 {"get_string", GetString},
        {"get_color", GetColor},                     {"get_open_filename", GetOpenFilename},
        {"get_save_filename", GetSaveFilename},      {"get_directory", GetDirectory},
        {"get_directory_alt", GetDirectoryAlt},      {"show_image", ShowImage},
        {"show_text", ShowText},                     {"load_info", LoadInfo},
    });
}

}  // namespace kestrin::engine
