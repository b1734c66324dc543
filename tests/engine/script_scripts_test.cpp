// Scripts called as functions, their arguments, library code, code run by
// value, and calls that go to the host.

#include "script_test_world.h"

#include "engine/script/library_code.h"

#include <fstream>

#include "support/temp_dir.h"

namespace kestrin::engine::script_test {
namespace {

TEST(ScriptScripts, ArgumentsAndReturn) {
    Sandbox box;
    box.interpreter.DefineScript("add3", "return argument0 + argument1 + argument[2]", 0);
    box.interpreter.DefineScript("count_set", "var n, i; n = 0 for (i = 0; i < 16; i += 1) if argument[i] != 0 n += 1 return n", 1);
    box.interpreter.DefineScript("fact", "if argument0 <= 1 return 1 return argument0 * fact(argument0 - 1)", 2);
    box.interpreter.DefineScript("no_return", "x = argument0 + argument15", 3);
    box.interpreter.DefineScript("mutate", "argument0 += 1 argument[1] = 'b' return string(argument0) + argument1", 4);
    box.interpreter.DefineScript("bad_index", "return argument[16]", 5);
    EXPECT_EQ(box.Outcome("return add3(1, 2, 3)"), "6");
    EXPECT_EQ(box.Outcome("return add3('a', 'b', 'c')"), "'abc'");
    EXPECT_EQ(box.Outcome("return count_set(1, 0, 3,)"), "2");  // missing arguments are 0
    EXPECT_EQ(box.Outcome("return fact(10)"), "3628800");
    EXPECT_EQ(box.Outcome("return no_return(1)"), "0");
    EXPECT_EQ(box.Outcome("return mutate(1, 'a')"), "'2b'");
    EXPECT_EQ(box.Outcome("return bad_index()"), "bad_index line 1: Argument index out of range (0 to 15)");
    // Locals belong to one run: the script's n is not the caller's.
    EXPECT_EQ(box.Outcome("var n; n = 'mine' count_set(1) return n"), "'mine'");
    // A script runs with the caller's self.
    EXPECT_EQ(box.Outcome("no_return(5) return x"), "5");
    // The piece of code's own arguments.
    const Value arguments[] = {Value(4.0), Value("s")};
    EXPECT_EQ(Sandbox::Describe(box.Run("return string(argument0) + argument[1]", arguments)), "'4s'");
}

TEST(ScriptScripts, ExecuteFileRunsTheFilesCode) {
    Sandbox box;
    kestrin::test::TempDir dir;
    std::ofstream(dir.File("code.txt"), std::ios::binary) << "var m; m = 3\r\nreturn k * m";
    EXPECT_EQ(box.Outcome("k = 2 return execute_file('" + dir.File("code.txt") + "')"), "6");
    // Missing files and folders are refused rather than read.
    for (const std::string& name : {dir.File("missing.txt"), dir.Path()})
        EXPECT_EQ(box.Outcome("return execute_file('" + name + "')"), "line 1: Cannot read the code file " + name);
}

TEST(ScriptScripts, ScriptExecuteAndExecuteString) {
    Sandbox box;
    box.interpreter.DefineScript("twice", "return argument0 * 2", 6);
    EXPECT_EQ(box.Outcome("return script_execute(twice, 21)"), "42");
    EXPECT_EQ(box.Outcome("return script_execute(6, 1)"), "2");
    EXPECT_EQ(box.Outcome("return script_execute(99)"), "line 1: Script 99 does not exist");
    EXPECT_EQ(box.Outcome("return script_execute(4294967302)"), "line 1: Script 4294967302 does not exist");
    EXPECT_EQ(box.Outcome("k = 3 return execute_string('return k * twice(2)')"), "12");
    EXPECT_EQ(box.Outcome("return execute_string('x = ')"), "line 1: Unexpected symbol in expression. (line 1)");
    EXPECT_EQ(box.Outcome("return execute_string('return 1 / 0')"), "execute_string line 1: Division by zero");
}

TEST(ScriptScripts, ErrorsNameTheScriptAndItsLine) {
    Sandbox box;
    box.interpreter.DefineScript("inner", "a = 1\nb = a / 0", 0);
    box.interpreter.DefineScript("outer", "\r\n\r\ninner()", 1);
    box.interpreter.DefineScript("broken", "x = (1", 2);
    EXPECT_EQ(box.Outcome("y = 0\nouter()"), "inner line 2: Division by zero");
    EXPECT_EQ(box.Outcome("broken()"), "broken line 1: Symbol ) expected.");
    const std::vector<RunError> errors = box.interpreter.CompileScripts();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].script, "broken");
    EXPECT_EQ(errors[0].message, "Symbol ) expected.");
}

TEST(ScriptScripts, RecursionIsLimited) {
    Sandbox box;
    box.interpreter.DefineScript("forever", "return forever() + 1", 0);
    box.interpreter.DefineScript("deep", "if argument0 <= 0 return 0 return deep(argument0 - 1) + 1", 1);
    EXPECT_EQ(box.Outcome("return forever()"), "forever line 1: Scripts call each other too deeply");
    EXPECT_EQ(box.Outcome("return deep(200)"), "200");
    // The interpreter is usable after the error.
    EXPECT_EQ(box.Outcome("return deep(3)"), "3");
}

TEST(ScriptScripts, CallsTheHostCannotServe) {
    Sandbox box;
    box.world.Add(1);
    EXPECT_EQ(box.Outcome("return instance_number(1)"), "1");
    EXPECT_EQ(box.Outcome("room_goto(3)"), "line 1: Room does not exist");
    EXPECT_EQ(box.Outcome("\nsound_play(1)"), "line 2: Function sound_play is not available in this runner");
    EXPECT_EQ(box.Outcome("nothing_like_this()"), "line 1: compile: Unknown function or script: nothing_like_this");
    EXPECT_EQ(box.Outcome("show_message('hi') show_message(2.5)"), "0");
    EXPECT_EQ(box.world.shown, (std::vector<std::string>{"hi", "2.50"}));
    EXPECT_TRUE(IsProvidedByInterpreter("string_copy"));
    EXPECT_TRUE(IsProvidedByInterpreter("script_execute"));
    EXPECT_FALSE(IsProvidedByInterpreter("instance_create"));
}

TEST(ScriptScripts, CallByName) {
    Sandbox box;
    box.interpreter.DefineScript("sum", "return argument0 + argument1", 0);
    const Value two[] = {Value(2.0), Value(3.0)};
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Call("sum", box.self, kNoone, two)), "5");
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Call("max", box.self, kNoone, two)), "3");
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Call("abs", box.self, kNoone, two)),
              "line 0: Wrong number of arguments to abs");
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Call("action_move", box.self, kNoone, two)),
              "line 0: Function action_move is not available in this runner");
}

TEST(ScriptLibraryCode, DefineLinesSplitScripts) {
    const std::vector<LibraryScript> scripts =
        SplitLibraryCode("ignored line\r\n#define first\r\nreturn 1\r\n\r\n  #define  second \r\nx = 2\nreturn x");
    ASSERT_EQ(scripts.size(), 2u);
    EXPECT_EQ(scripts[0].name, "first");
    EXPECT_EQ(scripts[0].code, "return 1\r\n\r\n");
    EXPECT_EQ(scripts[1].name, "second");
    EXPECT_EQ(scripts[1].code, "x = 2\nreturn x");
}

TEST(ScriptLibraryCode, LaterLibrariesReplaceEarlierOnesAndTheGameWins) {
    Sandbox box;
    box.interpreter.DefineScript("shared", "return 'game'", 0);
    box.interpreter.DefineLibraryCode("#define shared\nreturn 'library'\n#define helper\nreturn 'first'\n"
                                      "#define action_move\nreturn helper() + string(argument0)");
    box.interpreter.DefineLibraryCode("#define helper\nreturn 'second'");
    EXPECT_EQ(box.Outcome("return shared()"), "'game'");
    EXPECT_EQ(box.Outcome("return helper()"), "'second'");
    // A library script serves a function of the tables, with the tables' argument count.
    EXPECT_EQ(box.Outcome("return action_move(1, 0)"), "'second1'");
    EXPECT_EQ(box.Outcome("return action_move(1)"), "line 1: compile: Wrong number of arguments to function or script.");
}

}  // namespace
}  // namespace kestrin::engine::script_test
