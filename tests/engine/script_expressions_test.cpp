// Values and operators: reals and strings, how they mix, precedence, truth,
// the integer operators on rounded values.

#include "script_test_world.h"

namespace kestrin::engine::script_test {
namespace {

TEST(ScriptExpressions, ArithmeticAndPrecedence) {
    ExpectOutcomes({
        {"return 1 + 2 * 3", "7"},
        {"return (1 + 2) * 3", "9"},
        {"return 10 - 4 - 3", "3"},
        {"return 2 * 3 / 4", "1.5"},
        {"return -2 * 3", "-6"},
        {"return - (2 + 3)", "-5"},
        {"return +4", "4"},
        {"return 1.5 + .25", "1.75"},
        {"return 7 div 2", "3"},
        {"return -7 div 2", "-3"},
        {"return 7 mod 3", "1"},
        {"return 7.6 mod 3", "2"},   // 8 mod 3: the operands are rounded
        {"return 2.5 div 1", "2"},   // halves round to even
        {"return 1 + 2 < 4", "1"},   // comparison below arithmetic
        {"return 1 < 2 == 1", "1"},  // comparisons chain left to right
    });
}

TEST(ScriptExpressions, BitOperatorsOnRoundedValues) {
    ExpectOutcomes({
        {"return 12 & 10", "8"},
        {"return 12 | 3", "15"},
        {"return 12 ^ 10", "6"},
        {"return 1 << 4", "16"},
        {"return 256 >> 4", "16"},
        {"return ~0", "-1"},
        {"return 5.6 & 7", "6"},
        {"return 1 << 100", "0"},
        {"return 1 | 2 & 3", "3"},    // & binds tighter than |
        {"return 1 + 1 << 2", "8"},  // + binds tighter than <<
    });
}

TEST(ScriptExpressions, TruthAndLogic) {
    ExpectOutcomes({
        {"return 0.6 && 1", "1"},
        {"return 0.5 && 1", "0"},  // true means greater than 0.5
        {"return 0 || 0.51", "1"},
        {"return 1 ^^ 1", "0"},
        {"return 1 xor 0", "1"},
        {"return 1 and 0 or 1", "1"},
        {"return not 1", "0"},
        {"return !0", "1"},
        {"return !'text'", "1"},  // a string is never true
        {"if 'text' return 1 else return 2", "2"},
        // The right side is not evaluated when the left decides.
        {"return 0 && undefined_name", "0"},
        {"return 1 || undefined_name", "1"},
    });
}

TEST(ScriptExpressions, StringsAndComparisons) {
    ExpectOutcomes({
        {"return 'ab' + \"cd\"", "'abcd'"},
        {"return \"it's\"", "'it's'"},
        {"return 'a' == 'a'", "1"},
        {"return 'a' = 'b'", "0"},  // = compares inside an expression
        {"return 'abc' < 'abd'", "1"},
        {"return 'b' >= 'a'", "1"},
        {"return 'a' != 'a'", "0"},
        {"return 'a' <> 'b'", "1"},
        {"return 1 == '1'", "0"},  // different types are never equal
        {"return 1 != '1'", "1"},
        {"return 3 >= 3", "1"},
        {"return 2 := 2", "1"},
        {"return 'a' + 1", "line 1: Wrong type of arguments to +"},
        {"return 1 + 'a'", "line 1: Wrong type of arguments to +"},
        {"return 'a' - 'b'", "line 1: Wrong type of arguments to -"},
        {"return 'a' * 2", "line 1: Wrong type of arguments to *"},
        {"return 'a' div 2", "line 1: Wrong type of arguments to div"},
        {"return -'a'", "line 1: Wrong type of arguments to -"},
        {"return ~'a'", "line 1: Wrong type of arguments to ~"},
        {"return 'a' < 1", "line 1: Cannot compare a string with a real"},
    });
}

TEST(ScriptExpressions, DivisionByZero) {
    ExpectOutcomes({
        {"return 1 / 0", "line 1: Division by zero"},
        {"return 1 div 0.2", "line 1: Division by zero"},  // 0.2 rounds to 0
        {"return 5 mod 0", "line 1: Division by zero"},
        {"x = 0\nreturn 3 / x", "line 2: Division by zero"},
    });
}

TEST(ScriptExpressions, ConstantsOfTheLanguage) {
    ExpectOutcomes({
        {"return true + false", "1"},
        {"return self", "-1"},
        {"return other + all + noone + global", "-14"},
        {"return c_red", "255"},
        {"return c_white", "16777215"},
        {"return vk_left", "37"},
        {"return vk_f1", "112"},
        {"return ev_user3", "13"},
        {"return ev_collision", "4"},
        {"return pi > 3.14159 && pi < 3.1416", "1"},
    });
}

}  // namespace
}  // namespace kestrin::engine::script_test
