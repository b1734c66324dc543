// The system around the game: its command line (the program as parameter
// 0), the environment, other programs, the clipboard, debug messages, and
// the settings store behind the registry functions.
//
// execute_program starts a program (looked up on PATH when the name has no
// folder) with its arguments split at spaces, double quotes keeping one
// together, and waits for it when asked; execute_shell starts an executable
// the same way without waiting, and hands anything else (a document, a web
// address) to the desktop's opener, xdg-open. Headless play starts them
// too. A program that cannot be started is a run-time error.
//
// The settings store has four roots as registry_set_root numbers them (0 the
// user's, 1 the machine's, 2 the classes, 3 every user's), each a tree of
// keys written with \ or /; they are all kept in this user's store, so
// nothing outside the game's own settings is read or changed. The functions
// without _ext keep the game's values under the user's root, in a key of
// the game's own id. Reading a value of the other type (a real as a string)
// gives the empty string or 0.
//
// set_program_priority is accepted and changes nothing: an ordinary user
// could lower the game's priority but never raise it again. discard_all has
// nothing to discard, as every resource stays in memory.

#include <cmath>
#include <unistd.h>

#include "engine/game_shell.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "platform/external_program.h"
#include "platform/file_system.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr std::size_t kMaxSettingPath = 1024;
constexpr std::size_t kMaxSettingText = 1 << 20;
constexpr const char* kRootNames[] = {"user", "machine", "classes", "users"};

Value ParameterCount(FunctionCall& call) {
    const auto& line = call.world.Shell().CommandLine();
    return line.empty() ? 0.0 : static_cast<double>(line.size() - 1);
}

Value ParameterString(FunctionCall& call) {
    const auto& line = call.world.Shell().CommandLine();
    const double n = call.Real(0);
    if (!(n >= 0 && n < static_cast<double>(line.size()))) return std::string();
    return line[static_cast<std::size_t>(n)];
}

Value EnvironmentGetVariable(FunctionCall& call) { return GetEnvironment(call.Text(0)); }

// Words split at spaces; a double-quoted part keeps its spaces.
std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

// The program file a name stands for: a name with a folder as it is, one
// without looked up on PATH; empty when there is none to run.
std::string ProgramFile(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return FileExists(name) && ::access(name.c_str(), X_OK) == 0 ? name : "";
    const std::string path = GetEnvironment("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        const std::string candidate = JoinPath(end > start ? path.substr(start, end - start) : ".", name);
        if (FileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

Value Start(FunctionCall& call, const std::string& name, const std::vector<std::string>& arguments, bool wait) {
    const std::string program = ProgramFile(name);
    if (program.empty() || !RunProgram(program, arguments, "", wait))
        return call.Fail("Cannot start the program " + name + ".");
    return 0.0;
}

Value ExecuteProgram(FunctionCall& call) { return Start(call, call.Text(0), SplitArguments(call.Text(1)), call.Bool(2)); }

Value ExecuteShell(FunctionCall& call) {
    const std::string name = call.Text(0);
    if (!ProgramFile(name).empty()) return Start(call, name, SplitArguments(call.Text(1)), false);
    if (ProgramFile("xdg-open").empty()) return call.Fail("Cannot open " + name + ": this system has no opener.");
    return Start(call, "xdg-open", {name}, false);
}

Value ClipboardHasText(FunctionCall& call) { return Truth(call.world.Shell().Screen().HasClipboardText()); }
Value ClipboardGetText(FunctionCall& call) { return call.world.Shell().Screen().ClipboardText(); }
Value ClipboardSetText(FunctionCall& call) {
    call.world.Shell().Screen().SetClipboardText(call.Text(0));
    return 0.0;
}

Value ShowDebugMessage(FunctionCall& call) {
    call.world.Shell().DebugMessage(call.Text(0));
    return 0.0;
}

Value Nothing(FunctionCall&) { return 0.0; }

// --- the settings store -------------------------------------------------

// root/key/name with the key's parts between single slashes; empty after
// failing the call.
std::string SettingPath(FunctionCall& call, int root, const std::string& key, std::string name) {
    std::string path = kRootNames[root];
    std::string part;
    for (std::size_t i = 0; i <= key.size(); ++i) {
        if (i == key.size() || key[i] == '/' || key[i] == '\\') {
            if (!part.empty()) path += "/" + part;
            part.clear();
        } else {
            part += key[i];
        }
    }
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    if (name.empty()) {
        call.Fail("A setting needs a name.");
        return {};
    }
    path += "/" + name;
    if (path.size() > kMaxSettingPath) {
        call.Fail("The setting name is too long.");
        return {};
    }
    return path;
}

std::string GameKey(FunctionCall& call) { return "games/" + std::to_string(call.world.GameData().GameId); }

// The call's (key, name) from argument first: the game's own key without
// _ext, the given key under the chosen root with it.
template <bool Ext>
std::string PathOf(FunctionCall& call) {
    if (Ext) return SettingPath(call, call.world.Shell().System().settingsRoot, call.Text(0), call.Text(1));
    return SettingPath(call, 0, GameKey(call), call.Text(0));
}

template <bool Ext>
Value WriteSetting(FunctionCall& call, SettingValue value) {
    const std::string path = PathOf<Ext>(call);
    if (path.empty()) return 0.0;
    if (value.text.size() > kMaxSettingText) return call.Fail("The setting's value is too long.");
    if (!call.world.Shell().Settings().Write(path, value))
        return call.Fail("Cannot keep the setting " + path + ": the settings store refused it.");
    return 0.0;
}

template <bool Ext>
Value WriteString(FunctionCall& call) {
    return WriteSetting<Ext>(call, {true, call.Text(Ext ? 2 : 1), 0});
}

template <bool Ext>
Value WriteReal(FunctionCall& call) {
    return WriteSetting<Ext>(call, {false, {}, call.Real(Ext ? 2 : 1)});
}

template <bool Ext>
bool ReadSetting(FunctionCall& call, SettingValue& value) {
    const std::string path = PathOf<Ext>(call);
    return !path.empty() && call.world.Shell().Settings().Read(path, value);
}

template <bool Ext>
Value ReadString(FunctionCall& call) {
    SettingValue value;
    return ReadSetting<Ext>(call, value) && value.isText ? value.text : std::string();
}

template <bool Ext>
Value ReadReal(FunctionCall& call) {
    SettingValue value;
    return ReadSetting<Ext>(call, value) && !value.isText ? value.real : 0.0;
}

template <bool Ext>
Value Exists(FunctionCall& call) {
    SettingValue value;
    return Truth(ReadSetting<Ext>(call, value));
}

Value SetRoot(FunctionCall& call) {
    const double root = call.Real(0);
    if (root != 0 && root != 1 && root != 2 && root != 3)
        return call.Fail("Unknown settings root " + call.Text(0) + " (0 to 3).");
    call.world.Shell().System().settingsRoot = static_cast<int>(root);
    return 0.0;
}

}  // namespace

void AddSystemFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"parameter_count", ParameterCount},           {"parameter_string", ParameterString},
        {"environment_get_variable", EnvironmentGetVariable},
        {"execute_program", ExecuteProgram},           {"execute_shell", ExecuteShell},
        {"clipboard_has_text", ClipboardHasText},      {"clipboard_get_text", ClipboardGetText},
        {"clipboard_set_text", ClipboardSetText},      {"show_debug_message", ShowDebugMessage},
        {"set_program_priority", Nothing},             {"discard_all", Nothing},
        {"registry_write_string", WriteString<false>}, {"registry_write_real", WriteReal<false>},
        {"registry_read_string", ReadString<false>},   {"registry_read_real", ReadReal<false>},
        {"registry_exists", Exists<false>},            {"registry_write_string_ext", WriteString<true>},
        {"registry_write_real_ext", WriteReal<true>},  {"registry_read_string_ext", ReadString<true>},
        {"registry_read_real_ext", ReadReal<true>},    {"registry_exists_ext", Exists<true>},
        {"registry_set_root", SetRoot},
    });
}

}  // namespace kestrin::engine
