// The dialogs reach the shell with their texts and answer what it answers
// (headless play: one line each and the default); the message settings are
// kept for the shell; the devices this system lacks answer as missing; the
// Num Lock state and a sound's speed and pan.

#include <gtest/gtest.h>

#include <fstream>

#include "engine_fixture.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// Answers every dialog with fixed values and records what it was asked.
class AnsweringShell : public test::RecordingShell {
public:
    int ShowMessageButtons(const std::string& text, const std::string (&buttons)[3]) override {
        calls.push_back("buttons " + text + "|" + buttons[0] + "|" + buttons[1] + "|" + buttons[2]);
        return pressed;
    }
    int ShowMenu(const std::string& menu, int chosen, bool placed, int x, int y) override {
        calls.push_back("menu " + menu + " " + std::to_string(chosen) + (placed ? " at " + std::to_string(x) + "," +
                                                                                       std::to_string(y)
                                                                                 : ""));
        return 2;
    }
    double AskInteger(const std::string& prompt, double) override {
        calls.push_back("integer " + prompt);
        return 41.6;
    }
    std::string AskString(const std::string& prompt, const std::string& answer) override {
        calls.push_back("string " + prompt);
        return answer + "!";
    }
    double AskColor(double) override { return -1; }
    std::string AskOpenFile(const std::string& filter, const std::string& name) override {
        calls.push_back("open " + filter + " " + name);
        return "/tmp/chosen.txt";
    }
    std::string AskFolder(const std::string& caption, const std::string& start) override {
        calls.push_back("folder " + caption + " " + start);
        return "/tmp";
    }
    void SetSoundRate(int sound, double rate) override {
        calls.push_back("rate " + std::to_string(sound) + " " + std::to_string(rate));
    }
    void SetSoundPan(int sound, double pan) override {
        calls.push_back("pan " + std::to_string(sound) + " " + std::to_string(pan));
    }
    std::vector<std::string> calls;
    int pressed = 2;
};

struct DialogGame {
    explicit DialogGame(test::RecordingShell& shell) {
        const int room = t.AddRoom("room");
        t.Place(room, t.AddObject("thing"), 0, 0);
        const int sound = t.game.Tree().AddResourceNode(nullptr, kTypeSounds)->Data.Index;
        t.game.Sounds().RenameResource(sound, "beep");
        world = std::make_unique<World>(t.game, shell, std::vector<std::string>{}, 1);
        world->Start();
    }
    Value Run(const std::string& expression) { return Eval(*world, world->Instances().at(0).get(), expression); }
    TestGame t;
    std::unique_ptr<World> world;
};

TEST(DialogFunctions, DialogsAskTheShellAndAnswerWhatItAnswers) {
    AnsweringShell shell;
    DialogGame g(shell);
    struct Case {
        const char* code;
        Value result;
        const char* call;
    };
    const Case cases[] = {
        {"show_message_ext('Go?', 'Yes', 'No', '')", 2.0, "buttons Go?|Yes|No|"},
        {"show_menu('a|b|c', -1)", 2.0, "menu a|b|c -1"},
        {"show_menu_pos(10, 20, 'a|b|c', 0)", 2.0, "menu a|b|c 0 at 10,20"},
        {"get_integer('How many?', 3)", 42.0, "integer How many?"},
        {"get_string('Name?', 'Ann')", std::string("Ann!"), "string Name?"},
        {"get_open_filename('Text|*.txt', 'a.txt')", std::string("/tmp/chosen.txt"), "open Text|*.txt a.txt"},
        {"get_directory('/home')", std::string("/tmp"), "folder  /home"},
        {"get_directory_alt('Where?', '/')", std::string("/tmp"), "folder Where? /"},
        {"sound_frequency(beep, 1)", 0.0, "rate 0 2.000000"},
        {"sound_frequency(beep, -50)", 0.0, "rate 0 0.250000"},
        {"sound_pan(beep, -0.25)", 0.0, "pan 0 -0.250000"},
        {"sound_pan(beep, 7)", 0.0, "pan 0 1.000000"},
    };
    for (const Case& c : cases) {
        shell.calls.clear();
        const Value result = g.Run(c.code);
        EXPECT_EQ(result.IsString(), c.result.IsString()) << c.code;
        if (result.IsString())
            EXPECT_EQ(result.Text(), c.result.Text()) << c.code;
        else
            EXPECT_EQ(result.Real(), c.result.Real()) << c.code;
        EXPECT_EQ(shell.calls, std::vector<std::string>{c.call}) << c.code;
    }
    EXPECT_EQ(g.Run("get_color(c_red)").Real(), -1);
    // A button outside the three counts as none pressed; a missing sound is left alone.
    shell.pressed = 7;
    shell.calls.clear();
    EXPECT_EQ(g.Run("show_message_ext('x', 'a', 'b', 'c') + sound_frequency(99, 1) + sound_pan(99, 1)").Real(), 0);
    EXPECT_EQ(shell.calls.size(), 1u);
    EXPECT_TRUE(shell.messages.empty()) << shell.messages.front();
}

TEST(DialogFunctions, MessageSettingsAreKeptForTheShell) {
    test::RecordingShell shell;
    DialogGame g(shell);
    g.Run("message_alpha(5) + message_mouse_color(c_red) + message_position(30, -1) + message_size(power(10, 12), 200)"
          "+ message_caption(false, 'Hi') + message_text_font('Courier', 1000, c_blue, 3) + message_button(-1)");
    const MessageLook& look = shell.Messages();
    EXPECT_EQ(look.alpha, 1);
    EXPECT_EQ(look.mouseColor, MakeColor(255, 0, 0));
    EXPECT_EQ(look.x, 30);
    EXPECT_EQ(look.y, -1);
    EXPECT_EQ(look.width, 100000);
    EXPECT_EQ(look.height, 200);
    EXPECT_FALSE(look.showCaption);
    EXPECT_EQ(look.caption, "Hi");
    EXPECT_EQ(look.textFont.font.name, "Courier");
    EXPECT_EQ(look.textFont.font.size, 500);
    EXPECT_EQ(look.textFont.font.style, 3);
    EXPECT_EQ(look.textFont.color, MakeColor(0, 0, 255));
    EXPECT_EQ(look.buttonSprite, -1);
    EXPECT_TRUE(shell.messages.empty()) << shell.messages.front();
}

TEST(DialogFunctions, HeadlessPlayWritesALineAndTakesTheDefault) {
    test::RecordingShell shell;
    DialogGame g(shell);
    EXPECT_EQ(g.Run("show_message_ext('Go?', 'Yes', 'No', '')").Real(), 1);
    EXPECT_EQ(g.Run("get_integer('How many?', 3)").Real(), 3);
    EXPECT_EQ(g.Run("get_string('Name?', 'Ann')").Text(), "Ann");
    EXPECT_EQ(g.Run("show_menu('a|b', 1)").Real(), 1);
    EXPECT_EQ(g.Run("get_color(c_red)").Real(), 255);
    EXPECT_EQ(g.Run("get_save_filename('Text|*.txt', 'a.txt')").Text(), "");
    EXPECT_EQ(shell.messages,
              (std::vector<std::string>{"Go?", "How many?", "Name?", "a|b", "Color", "Text|*.txt"}));
}

TEST(DialogFunctions, FilesThatCannotBeShownOrLoadedAreErrors) {
    kestrin::test::TempDir dir;
    const std::string info = dir.Path() + "/info.rtf";
    std::ofstream(info) << R"({\rtf1\ansi Press the arrows.})";
    test::RecordingShell shell;
    DialogGame g(shell);
    g.Run("load_info('" + info + "')");
    EXPECT_EQ(g.t.game.Information.Text.PlainText(), "Press the arrows.");
    ASSERT_TRUE(shell.messages.empty()) << shell.messages.front();

    const std::pair<std::string, std::string> cases[] = {
        {"load_info('" + dir.Path() + "/none.rtf')", "Cannot load the game information"},
        {"show_image('" + dir.Path() + "/none.png', false, 0)", "image file"},
        {"show_text('" + dir.Path() + "/none.txt', false, c_white, 0)", "text file"},
        {"message_background(5)", "background does not exist"},
    };
    for (const auto& [code, error] : cases) {
        shell.messages.clear();
        g.world->Script().RunCode(code, g.world->Instances().at(0).get(), "test");
        ASSERT_FALSE(shell.messages.empty()) << code;
        EXPECT_NE(shell.messages.front().find(error), std::string::npos) << code << ": " << shell.messages.front();
    }
    shell.messages.clear();
    g.Run("show_text('" + info + "', true, c_white, 100)");
    EXPECT_EQ(shell.messages, std::vector<std::string>{info});
}

TEST(DeviceFunctions, MissingDevicesAnswerAsMissingAndNumLockIsKept) {
    test::RecordingShell shell;
    DialogGame g(shell);
    const std::pair<const char*, double> cases[] = {
        {"joystick_exists(1)", 0},       {"joystick_axes(1)", 0},  {"joystick_xpos(2)", 0},
        {"joystick_direction(1)", 101},  {"joystick_pov(1)", -1},  {"joystick_check_button(1, 1)", 0},
        {"cd_present()", 0},             {"cd_number()", 0},       {"cd_play(1, 2) + cd_playing()", 0},
        {"string_length(joystick_name(1) + MCI_command('play cdaudio'))", 0},
    };
    for (auto [code, value] : cases) EXPECT_EQ(g.Run(code).Real(), value) << code;
    EXPECT_TRUE(shell.messages.empty()) << shell.messages.front();

    for (bool on : {true, false}) {
        g.Run(on ? "keyboard_set_numlock(true)" : "keyboard_set_numlock(false)");
        EXPECT_EQ(shell.Screen().NumLock(), on);
        EXPECT_EQ(g.Run("keyboard_get_numlock()").Real(), on ? 1 : 0);
    }
}

}  // namespace
}  // namespace kestrin::engine
