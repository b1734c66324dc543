// Hostile code ends in an error, never in a crash or exhausted memory.

#include "script_test_world.h"

#include <string>

namespace kestrin::engine::script_test {
namespace {

std::string Repeated(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

TEST(ScriptHostile, DeepNestingIsRefusedOrRun) {
    Sandbox box;
    // Long chains of operators are one level deep, whatever their length.
    EXPECT_EQ(box.Outcome("return 0" + Repeated(" + 1", 100000)), "100000");
    EXPECT_EQ(box.Outcome("return " + Repeated("(", 5000) + "1" + Repeated(")", 5000)),
              "line 1: compile: Code is nested too deeply.");
    EXPECT_EQ(box.Outcome("x = " + Repeated("-", 990) + "1 return x"), "1");
    // Nesting inside a recursion stops at the runtime's limit.
    box.interpreter.DefineScript("nest", Repeated("if 1 ", 900) + "return nest()", 0);
    EXPECT_EQ(box.Outcome("return nest()"), "nest line 1: Code is nested too deeply to run");
    box.interpreter.DefineScript("nest_index", "a = 0 return a[" + Repeated("a[", 900) + "nest_index()" +
                                                   Repeated("]", 901), 2);
    EXPECT_EQ(box.Outcome("return nest_index()"), "nest_index line 1: Code is nested too deeply to run");
    box.interpreter.DefineScript("args", "return args(args(args(1)))", 1);
    EXPECT_EQ(box.Outcome("return args(0)"), "args line 1: Scripts call each other too deeply");
}

TEST(ScriptHostile, MemoryStaysBounded) {
    ExpectOutcomes({
        {"s = 'ab' repeat 40 s += s return string_length(s)", "line 1: String too long"},
        {"return string_length(string_repeat('abc', 100000000))", "line 1: String too long"},
        {"a[31999, 31999] = 1 return a[31999, 31999]", "1"},
        {"for (i = 0; i < 32000; i += 1) a[i, 31999] = 1", "line 1: Array too large"},
        {"var t; for (i = 0; i < 32000; i += 1) t[i, 31999] = 1", "line 1: Array too large"},
        {"return string_replace_all('aaaa', 'a', 'aaaa')", "'aaaaaaaaaaaaaaaa'"},
    });
}

TEST(ScriptHostile, MalformedTextGivesCompileErrors) {
    ExpectOutcomes({
        {"return 'unterminated", "'unterminated'"},  // the string runs to the end of the text
        {"x = 1 $", "line 1: compile: Unexpected symbol."},
        {"\n\nx = (", "line 3: compile: Unexpected symbol in expression."},
        {"x = a[1", "line 1: compile: Symbol , or ] expected."},
        {"f(", "line 1: compile: Unknown function or script: f"},
        {"abs(", "line 1: compile: Symbol ) expected."},
        {"x = other.c_red", "line 1: compile: Variable name expected."},
    });
}

}  // namespace
}  // namespace kestrin::engine::script_test
