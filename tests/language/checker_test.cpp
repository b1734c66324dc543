// The syntax checker: every statement form and every message, with the line
// and column of the first error.

#include <gtest/gtest.h>

#include "language/check_error.h"
#include "language/checker.h"
#include "language/project_names.h"

namespace kestrin {
namespace {

struct CheckCase {
    CheckCase(std::string c, std::string m = {}, int l = 0, int p = 0)
        : code(std::move(c)), message(std::move(m)), line(l), column(p) {}
    std::string code;
    std::string message;  // empty: the code is correct
    int line, column;
};

const ProjectNames& Game() {
    static const ProjectNames game = [] {
        ProjectNames names;
        names.AddResource(ResourceKind::Sprite, "spr_ball");
        names.AddResource(ResourceKind::Object, "obj_wall");
        names.AddResource(ResourceKind::Script, "scr_move");
        names.AddUserConstant("MAX_SPEED");
        return names;
    }();
    return game;
}

std::string Arguments(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? ", " : "") + std::to_string(i);
    return text;
}

class CheckerCases : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckerCases, FirstErrorWithLineAndColumn) {
    const CheckCase& c = GetParam();
    // The three phases one by one must agree with the in-place check.
    RTokenList1 phase1;
    RTokenList2 phase2;
    bool phases = Tokenize(c.code, phase1) && Code_Phase2(phase1, phase2, Game()) && Code_Phase3(c.code, phase2);
    const CheckErrorRecord byPhases = CheckError();

    bool ok = CheckCode(c.code, Game());
    const CheckErrorRecord& error = CheckError();
    EXPECT_EQ(phases, ok);
    EXPECT_EQ(byPhases.ErrorMessage, error.ErrorMessage);
    EXPECT_EQ(byPhases.ErrorPos, error.ErrorPos);
    if (c.message.empty()) {
        EXPECT_TRUE(ok) << error.ErrorMessage << " at " << error.ErrorLine << ":" << error.ErrorPos;
        EXPECT_FALSE(error.ErrorFound);
        return;
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(error.ErrorMessage, c.message);
    EXPECT_EQ(error.ErrorLine, c.line);
    EXPECT_EQ(error.ErrorPos, c.column);
}

INSTANTIATE_TEST_SUITE_P(
    Correct, CheckerCases,
    testing::Values(
        CheckCase{""}, CheckCase{"  // nothing\r\n/* at all */ "}, CheckCase{"x = 1 y = 2"},
        CheckCase{"x = 1 { y = 2 }"}, CheckCase{"{ x = 1 }"}, CheckCase{"begin x := 1; end"},
        CheckCase{"if a b = 1 else c = 2"}, CheckCase{"if (a > 1) then { b = 1 } else if a c = 2;"},
        CheckCase{"x = a := b"}, CheckCase{"x = a = b"}, CheckCase{"5 = 3"}, CheckCase{"spr_ball = 1"},
        CheckCase{"x += 1; x -= 2; x *= 3; x /= 4;;;"},
        CheckCase{"x = a and b or c xor d && e || f ^^ g < h <= i == j != k <> l >= m > n"},
        CheckCase{"x = a + b - c * d / e div f mod g | h & i ^ j << k >> l"},
        CheckCase{"x = -a + !b + not c + ~d + +e"}, CheckCase{"x = -(a + 1) * (b)"},
        CheckCase{"draw_sprite(spr_ball, 0, x, y)"}, CheckCase{"draw_sprite(spr_ball, 0, x, y,)"},
        CheckCase{"x = random(10) + min(1, 2, 3) + max() + mean(1)"}, CheckCase{"instance_destroy()"},
        CheckCase{"scr_move(" + Arguments(16) + ")"}, CheckCase{"x = min(" + Arguments(16) + ")"},
        CheckCase{"scr_move()"}, CheckCase{"while x < 10 do x += 1"}, CheckCase{"while x < 10 x += 1"},
        CheckCase{"do x += 1 until x > 10"}, CheckCase{"for (i = 0; i < 10; i += 1) x += i"},
        CheckCase{"for (i = 0 i < 10 i += 1) { x += i }"}, CheckCase{"repeat 10 x += 1"},
        CheckCase{"exit"}, CheckCase{"break; continue"}, CheckCase{"with obj_wall do x = 1"},
        CheckCase{"with (other) y = 2"}, CheckCase{"return x + 1"},
        CheckCase{"switch x { case 1: y = 2 break; default: y = 3 }"},
        CheckCase{"switch x begin case 1: y = 2 end"}, CheckCase{"case 3: x = 1"}, CheckCase{"default: x = 1"},
        CheckCase{"var a b, c; x = 1"}, CheckCase{"var a, b,"}, CheckCase{"a[] = 1"}, CheckCase{"a[1,2,3] = 1"},
        CheckCase{"a[1,] = b[c[2]]"}, CheckCase{"other.x = 1"}, CheckCase{"x = obj_wall.y.z[1]"},
        CheckCase{"global.score = MAX_SPEED"}, CheckCase{"x = 'text' + \"more\""},
        CheckCase{"if x { } else { }"}, CheckCase{"{ }"}, CheckCase{";"}));

INSTANTIATE_TEST_SUITE_P(
    Errors, CheckerCases,
    testing::Values(
        CheckCase{"x = #", "Unexpected symbol.", 1, 5},
        CheckCase{"foo(1)", "Unknown function or script: foo", 1, 1},
        CheckCase{"x = 1\r\nfoo (1)", "Unknown function or script: foo", 2, 2},
        // Each phase runs over the whole code before the next one starts.
        CheckCase{"foo(1) x = $", "Unexpected symbol.", 1, 12},
        CheckCase{"x = ) foo(1) bar(2)", "Unknown function or script: foo", 1, 7},
        CheckCase{"{ x = 1 } y = 2", "Program ends before end of the code.", 1, 11},
        CheckCase{"{ x = 1 };", "Program ends before end of the code.", 1, 10},
        CheckCase{"if a", "Unexpected end of code reached.", 1, 4},
        CheckCase{"x |= 1", "Assignment operator expected.", 1, 3},
        CheckCase{"x &= 1", "Assignment operator expected.", 1, 3},
        CheckCase{"x;", "Assignment operator expected.", 1, 2},
        CheckCase{"x++", "Assignment operator expected.", 1, 2},
        CheckCase{"var self", "Assignment operator expected.", 1, 8},
        CheckCase{"x = * 2", "Unexpected symbol in expression.", 1, 5},
        CheckCase{"return", "Unexpected symbol in expression.", 1, 6},
        CheckCase{"for (;;) x = 1", "Unexpected symbol in expression.", 1, 8},
        CheckCase{"x = (1 + 2", "Symbol ) expected.", 1, 10},
        CheckCase{"x = (1 + 2 3", "Symbol ) expected.", 1, 12},
        CheckCase{"random(1", "Symbol , or ) expected.", 1, 8},
        CheckCase{"random(", "Symbol ) expected.", 1, 7},
        CheckCase{"random(1 2)", "Symbol , or ) expected.", 1, 10},
        CheckCase{"draw_sprite(spr_ball, 0, x)", "Wrong number of arguments to function or script.", 1, 27},
        CheckCase{"instance_destroy(1)", "Wrong number of arguments to function or script.", 1, 19},
        CheckCase{"scr_move(" + Arguments(17) + ")", "Wrong number of arguments to function or script.", 1,
                  static_cast<int>(("scr_move(" + Arguments(17) + ")").size())},
        CheckCase{"x = max(" + Arguments(17) + ")", "Wrong number of arguments to function or script.", 1,
                  static_cast<int>(("x = max(" + Arguments(17) + ")").size())},
        CheckCase{"other.c_red = 1", "Variable name expected.", 1, 7},
        CheckCase{"x = a.(b)", "Variable name expected.", 1, 7},
        CheckCase{"a[1 2] = 1", "Symbol , or ] expected.", 1, 5},
        CheckCase{"a[1,", "Symbol ] expected.", 1, 4}, CheckCase{"a[1", "Symbol , or ] expected.", 1, 3},
        CheckCase{"for i = 0", "Symbol ( expected.", 1, 5},
        CheckCase{"for (i = 0; i < 1; i += 1 x = 1", "Symbol ) expected.", 1, 27},
        CheckCase{"switch x y = 1", "Symbol { expected.", 1, 10},
        CheckCase{"switch x { case 1: y = 2", "Symbol } expected.", 1, 24},
        CheckCase{"{ x = 1", "Symbol } expected.", 1, 7},
        CheckCase{"x = 1 { y = 2", "Symbol } expected.", 1, 13},
        CheckCase{"case 1 x = 2", "Symbol : expected.", 1, 8},
        CheckCase{"default x = 2", "Symbol : expected.", 1, 9},
        CheckCase{"do x += 1", "Keyword until expected.", 1, 9},
        // At the end of the text the error lands on its last character.
        CheckCase{"x = 1\r\ny = \r\n", "Unexpected symbol in expression.", 3, 1},
        CheckCase{"x = 1 +\r\ny = 2 z", "Assignment operator expected.", 2, 8},
        CheckCase{"x\r\n= ;", "Unexpected symbol in expression.", 2, 4}));

TEST(Checker, DeepNestingIsAnErrorNotACrash) {
    std::string deep = "x = " + std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_FALSE(CheckCode(deep, Game()));
    EXPECT_EQ(CheckError().ErrorMessage, "Code is nested too deeply.");

    std::string unary = "x = " + std::string(100000, '-') + "1";
    EXPECT_FALSE(CheckCode(unary, Game()));
    EXPECT_EQ(CheckError().ErrorMessage, "Code is nested too deeply.");

    std::string statements;
    for (int i = 0; i < 50000; ++i) statements += "if a ";
    EXPECT_FALSE(CheckCode(statements + "x = 1", Game()));
    EXPECT_EQ(CheckError().ErrorMessage, "Code is nested too deeply.");

    std::string shallow = "x = " + std::string(200, '(') + "1" + std::string(200, ')');
    EXPECT_TRUE(CheckCode(shallow, Game()));
}

TEST(Checker, PhaseTwoClassifiesNames) {
    RTokenList1 phase1;
    ASSERT_TRUE(Tokenize("x = spr_ball + c_red + MAX_SPEED + scr_move(1) + 'a' + 2", phase1));
    RTokenList2 phase2;
    ASSERT_TRUE(Code_Phase2(phase1, phase2, Game()));
    std::vector<std::int32_t> kinds;
    for (const auto& token : phase2.tokens) kinds.push_back(token.kind);
    EXPECT_EQ(kinds, (std::vector<std::int32_t>{tkVariable, tkAssign, tkValue, tkPlus, tkValue, tkPlus, tkVariable,
                                                tkPlus, tkCall, tkOpenParen, tkValue, tkCloseParen, tkPlus, tkValue,
                                                tkPlus, tkValue, tkEndOfText}));
    EXPECT_EQ(phase2.tokens[8].value, 100000);
    EXPECT_EQ(phase2.tokens[8].position, 36);
}

}  // namespace
}  // namespace kestrin
