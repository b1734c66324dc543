// Every statement of the language, with the loose forms the checker allows.

#include "script_test_world.h"

namespace kestrin::engine::script_test {
namespace {

TEST(ScriptStatements, AssignmentsAndBlocks) {
    ExpectOutcomes({
        {"", "0"},
        {"x = 1 y = 2 return x + y", "3"},  // statements need no separators
        {"{ x := 4; x += 3; x -= 1; x *= 5; x /= 2; return x }", "15"},
        {"begin x = 1 end; return x", "line 1: compile: Program ends before end of the code."},
        {"x = 'a' x += 'b' return x", "'ab'"},
        {"x = 'a' x -= 'b'", "line 1: Wrong type of arguments to -"},
        {"x = 1 x /= 0", "line 1: Division by zero"},
        {"5 = 3", "line 1: Cannot assign to a value"},
        {"x += 1", "line 1: Unknown variable x"},
        {";;; return 2", "2"},
    });
}

TEST(ScriptStatements, IfAndElse) {
    ExpectOutcomes({
        {"if 1 return 1 else return 2", "1"},
        {"if 0 then return 1 else return 2", "2"},
        {"if (0) return 1; return 3", "3"},
        {"if 1 if 0 return 1 else return 2", "2"},  // else goes with the nearest if
        {"if 1 then begin x = 5 end return x", "5"},
    });
}

TEST(ScriptStatements, Loops) {
    ExpectOutcomes({
        {"i = 0 s = 0 while i < 5 do { s += i i += 1 } return s", "10"},
        {"i = 0 do i += 1 until i >= 3 return i", "3"},
        {"i = 10 do i += 1 until 1 return i", "11"},  // the body runs once at least
        {"s = 0 for (i = 0; i < 4; i += 1) s += i return s", "6"},
        {"s = 0 for (i = 0 i < 4 i += 1) s += i return s", "6"},  // semicolons optional
        {"s = 0 repeat 3 s += 2 return s", "6"},
        {"s = 0 repeat 2.9 s += 1 return s", "2"},  // rounded down
        {"s = 0 repeat -1 s += 1 return s", "0"},
        {"repeat 'x' {}", "line 1: Wrong type of arguments to repeat"},
        {"s = 0 for (i = 0; i < 10; i += 1) { if i == 3 break s += 1 } return s", "3"},
        {"s = 0 for (i = 0; i < 5; i += 1) { if i mod 2 continue s += i } return s", "6"},
        {"i = 0 while 1 { i += 1 if i > 6 break } return i", "7"},
        {"i = 0 s = 0 do { i += 1 if i == 2 continue s += i } until i >= 4 return s", "8"},
        {"s = 0 repeat 5 { s += 1 if s == 2 break } return s", "2"},
        // A break leaves only the innermost loop.
        {"s = 0 repeat 3 { repeat 10 { s += 1 break } } return s", "3"},
    });
}

TEST(ScriptStatements, Switch) {
    ExpectOutcomes({
        {"switch 2 { case 1: return 'one' case 2: return 'two' }", "'two'"},
        {"switch 'b' { case 'a': return 1 case 'b': return 2 default: return 3 }", "2"},
        {"switch 9 { case 1: return 1 default: return 'other' }", "'other'"},
        {"switch 9 { case 1: return 1 } return 'none'", "'none'"},
        // Cases fall through to the next until a break.
        {"s = '' switch 1 { case 1: s += 'a' case 2: s += 'b' break case 3: s += 'c' } return s", "'ab'"},
        {"s = '' switch 5 { default: s += 'd' case 1: s += 'a' } return s", "'da'"},
        {"switch 1 begin case 1: x = 4 end return x", "4"},
        {"switch '1' { case 1: return 'real' default: return 'string' }", "'string'"},
        // A continue inside a switch belongs to the loop around it.
        {"s = 0 for (i = 0; i < 4; i += 1) switch i { case 2: continue default: s += i } return s", "4"},
        {"case 3: x = 1 return x", "1"},  // a label outside a switch does nothing
        {"switch 1 x = 1", "line 1: compile: Symbol { expected."},
    });
}

TEST(ScriptStatements, ExitReturnBreakOutsideLoops) {
    ExpectOutcomes({
        {"x = 1 exit x = 2", "0"},
        {"return 'r' x = 2", "'r'"},
        {"repeat 3 { return 7 }", "7"},
        {"break return 1", "0"},  // outside a loop, break ends the code
        {"return", "line 1: compile: Unexpected symbol in expression."},
    });
}

TEST(ScriptStatements, ExitEndsOnlyThePieceOfCode) {
    Sandbox box;
    box.interpreter.DefineScript("leave", "global.trace += 'a' exit global.trace += 'b'", 0);
    EXPECT_EQ(box.Outcome("global.trace = '' leave() global.trace += 'c' return global.trace"), "'ac'");
}

}  // namespace
}  // namespace kestrin::engine::script_test
