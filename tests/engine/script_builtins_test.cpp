// The world-free built-in functions.

#include "script_test_world.h"

namespace kestrin::engine::script_test {
namespace {

TEST(ScriptBuiltins, Math) {
    ExpectOutcomes({
        {"return abs(-3) + sqr(3) + sqrt(16)", "16"},
        {"return round(2.5) + round(3.5) + round(-1.4)", "5"},  // halves to even
        {"return floor(-1.5) + ceil(1.2) + frac(-2.75)", "-0.75"},
        {"return sign(-4) + sign(0) + sign(9)", "0"},
        {"return power(2, 10) + exp(0) + ln(1) + log2(8) + log10(100) + logn(3, 81)", "1034"},
        {"return radtodeg(pi) + degtorad(180) - pi", "180"},
        {"return round(sin(pi / 2) + cos(0) + tan(0) + arcsin(1) * 2 / pi + arccos(1) + arctan(0))", "3"},
        {"return radtodeg(arctan2(1, 1))", "45"},
        {"return min(3, 1, 2) + max(3, 1, 2) + mean(1, 2, 3) + min3(5, 4, 6) + max3(5, 4, 6)", "16"},
        {"return point_distance(0, 0, 3, 4)", "5"},
        {"return point_direction(0, 0, 0, -10) + point_direction(0, 0, -1, 0)", "270"},  // y grows downwards
        {"return point_direction(0, 0, 0, 10)", "270"},
        {"return round(lengthdir_x(10, 90) + lengthdir_y(10, 90))", "-10"},
        {"return sqrt(-1)", "line 1: Argument out of range for sqrt"},
        {"return ln(0)", "line 1: Argument out of range for ln"},
        {"return arcsin(2)", "line 1: Argument out of range for arcsin"},
        {"return abs('x')", "line 1: Wrong type of arguments to abs"},
        {"return max(1, 'x')", "line 1: Wrong type of arguments to max"},
    });
}

TEST(ScriptBuiltins, Strings) {
    ExpectOutcomes({
        {"return string(3) + ' ' + string(-2.5) + ' ' + string(1/3) + ' ' + string('s')", "'3 -2.50 0.33 s'"},
        {"return real('12.5') + real(' 3') + real('abc') + real(4)", "19.5"},
        {"return chr(65) + chr(ord('b'))", "'Ab'"},
        {"return ord('')", "0"},
        {"return string_length('hello') + string_length('')", "5"},
        {"return string_upper('aBc') + string_lower('DeF')", "'ABCdef'"},
        {"return string_letters('a1b2') + string_digits('a1b2') + string_lettersdigits('a-1 b')", "'ab12a1b'"},
        {"return string_pos('lo', 'hello') + string_pos('x', 'hello') + string_pos('', 'a')", "4"},
        {"return string_char_at('abc', 2) + string_char_at('abc', 0) + string_char_at('abc', 4)", "'b'"},
        {"return string_copy('abcdef', 2, 3) + '|' + string_copy('abc', 0, 2) + '|' + string_copy('abc', 3, 9)",
         "'bcd|ab|c'"},
        {"return string_delete('abcdef', 2, 2) + '|' + string_insert('XY', 'abc', 2) + '|' + string_insert('Z', 'ab', 9)",
         "'adef|aXYbc|abZ'"},
        {"return string_replace('a-b-c', '-', '+') + string_replace_all('a-b-c', '-', '')", "'a+b-cabc'"},
        {"return string_repeat('ab', 3) + string_repeat('x', -1)", "'ababab'"},
        {"return string_count('aa', 'aaaaa') + string_count('', 'abc')", "2"},
        {"return string_format(3.14159, 6, 2)", "'  3.14'"},
        {"return string_length(5)", "line 1: Wrong type of arguments to string_length"},
        {"return string_copy('a', 'b', 1)", "line 1: Wrong type of arguments to string_copy"},
    });
}

TEST(ScriptBuiltins, TypesAndVariablesByName) {
    ExpectOutcomes({
        {"return is_real(1) * 10 + is_string('a') * 1 + is_real('a') + is_string(2)", "11"},
        {"variable_global_set('g', 5) return global.g + variable_global_get('g')", "10"},
        {"return variable_global_exists('g') + variable_local_exists('v')", "0"},
        {"v = 1 return variable_local_exists('v') + variable_local_get('v')", "2"},
        {"variable_local_array_set('a', 3, 'x') return a[3]", "'x'"},
        {"variable_local_array2_set('b', 1, 2, 7) return variable_local_array2_get('b', 1, 2)", "7"},
        {"variable_global_array_set('ga', 2, 4) return variable_global_array_get('ga', 2)", "4"},
        {"return variable_global_get('nothing')", "line 1: Unknown variable nothing"},
        {"return variable_local_array_get('a', -1)", "line 1: Negative array index"},
    });
}

TEST(ScriptBuiltins, RandomComesFromTheHostsSource) {
    Sandbox first, second;
    const std::string code = "return string(random(1000)) + ' ' + string(random(1000))";
    EXPECT_EQ(first.Outcome(code), second.Outcome(code));  // both sources start from the same seed
    Sandbox box;
    EXPECT_EQ(box.Outcome("for (i = 0; i < 1000; i += 1) { r = random(10) if r < 0 || r >= 10 return r } return 1"),
              "1");
    EXPECT_EQ(box.Outcome("return random('x')"), "line 1: Wrong type of arguments to random");
}

}  // namespace
}  // namespace kestrin::engine::script_test
