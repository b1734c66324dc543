// The compiler accepts exactly what the code checker accepts, with the same
// first error and line, so code that passes a check also runs.

#include "script_test_world.h"

#include "language/check_error.h"
#include "language/checker.h"
#include "language/name_resolver.h"

namespace kestrin::engine::script_test {
namespace {

TEST(ScriptGrammar, AgreesWithTheChecker) {
    const char* codes[] = {
        "",
        "// only a comment\r\n/* and another */",
        "x = 1 y = 2",
        "{ x = 1 } y = 2",
        "x = 1 { y = 2 }",
        "{ x = 1 };",
        "if a b = 1 else c = 2",
        "if a",
        "x = a := b",
        "x = a = b",
        "x |= 1",
        "x;",
        "x++",
        "5 = 3",
        "x = abs(1,)",
        "x = point_distance(1, 2, 3)",
        "x = min(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16)",
        "x = min(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17)",
        "unknown_thing (1)",
        "for (;;) x = 1",
        "for (i = 0; i < 10; i += 1) x += i",
        "for i = 0",
        "do x += 1",
        "case 3: x = 1",
        "switch x begin case 1: y = 2 end",
        "switch x { case 1 y = 2 }",
        "switch x { default y = 2 }",
        "switch x y",
        "switch x {",
        "var a b, c; x = 1",
        "var self",
        "a[] = 1",
        "a[1,2,3] = 1",
        "a[1 2] = 1",
        "a[1",
        "other.x = 1",
        "other.c_red = 1",
        "x = other.abs(1)",
        "return",
        "exit",
        "x = (1",
        "x = (1 + 2",
        "x = abs(1 2)",
        "x = abs(",
        "x = 1 +",
        "x = * 2",
        "x = -~!+1",
        "while 1 do x = 1",
        "with (other) do x = 1",
        "repeat 3",
        "x = 'a' + \"b\"",
        "x = 1 #",
        "{ { x = 1 }",
        "begin x = 1 end",
        "x = self.y.z[2].w",
        "if x then else y = 1",
        "x = 1 then",
        "x = a.1",
        "x = 1 else",
        "x = argument[0] + argument15",
        "return 1 2",
        "abs(1) = 2",
    };
    for (const char* code : codes) {
        const bool checked = CheckCode(code, NoGameNames());
        const CheckErrorRecord checker = CheckError();
        Sandbox box;
        const CompileResult compiled = box.interpreter.Compile(code);
        EXPECT_EQ(compiled.code != nullptr, checked) << "code: " << code;
        if (!checked && !compiled.code) {
            EXPECT_EQ(compiled.error, checker.ErrorMessage) << "code: " << code;
            EXPECT_EQ(compiled.line, checker.ErrorLine) << "code: " << code;
        }
    }
}

// Lines end at line feeds too, where the checker counts only carriage
// returns; for text with CR LF both agree.
TEST(ScriptGrammar, LinesOfErrors) {
    Sandbox box;
    EXPECT_EQ(box.interpreter.Compile("x = 1\r\ny = (1 2\r\n").line, 2);
    EXPECT_EQ(box.interpreter.Compile("x = 1\ny = 2\nz = (").line, 3);
    EXPECT_EQ(box.interpreter.Compile("x = 1\ry = (").line, 2);
}

// globalvar is a statement of the runner beyond the checker's grammar.
TEST(ScriptGrammar, GlobalvarIsAccepted) {
    Sandbox box;
    EXPECT_NE(box.interpreter.Compile("globalvar a, b; a = 1").code, nullptr);
    EXPECT_NE(box.interpreter.Compile("globalvar = 2").code, nullptr);  // still a plain name otherwise
}

}  // namespace
}  // namespace kestrin::engine::script_test
