// Where names live: instance variables, var locals, globals by prefix, by
// globalvar and by the built-in tables, other instances by prefix and with.

#include "script_test_world.h"

namespace kestrin::engine::script_test {
namespace {

std::string Text(Sandbox& box, InstanceId instance, const char* name) {
    Value value;
    std::string error;
    if (box.world.GetVariable(instance, box.names.Intern(name), 0, 0, value, error) != VariableStatus::Done)
        return "unset";
    return Sandbox::Show(value);
}

TEST(ScriptScoping, InstanceVariablesOutliveTheRunAndLocalsDoNot) {
    Sandbox box;
    EXPECT_EQ(box.Outcome("a = 1 var b; b = 2 return a + b"), "3");
    EXPECT_EQ(Text(box, box.self, "a"), "1");
    EXPECT_EQ(Text(box, box.self, "b"), "unset");
    EXPECT_EQ(box.Outcome("return a"), "1");
    EXPECT_EQ(box.Outcome("return b"), "line 1: Unknown variable b");
    // A var is local from its declaration on; before it the name is the instance's.
    EXPECT_EQ(box.Outcome("a = 5 var a; a = 6 return self.a"), "5");
    EXPECT_EQ(box.Outcome("var c, d e; c = 1 d = 2 e = 3 return c + d + e"), "6");
    EXPECT_EQ(Text(box, box.self, "e"), "unset");
    EXPECT_EQ(box.Outcome("var u; return u"), "line 1: Unknown variable u");
}

TEST(ScriptScoping, Globals) {
    Sandbox box;
    EXPECT_EQ(box.Outcome("global.g = 3 return global.g * 2"), "6");
    EXPECT_EQ(Text(box, kGlobal, "g"), "3");
    EXPECT_EQ(box.Outcome("return g"), "line 1: Unknown variable g");
    // Names of the built-in global table are global without a prefix.
    EXPECT_EQ(box.Outcome("score = 10 return global.score"), "10");
    EXPECT_EQ(Text(box, kGlobal, "score"), "10");
    // globalvar makes a name global for all code from then on.
    EXPECT_EQ(box.Outcome("globalvar level, lives_left; level = 4 lives_left = 2"), "0");
    EXPECT_EQ(Text(box, kGlobal, "level"), "4");
    EXPECT_EQ(box.Outcome("level += 1 return global.level"), "5");
    EXPECT_EQ(Text(box, box.self, "level"), "unset");
    // with (global) runs the code on the globals.
    EXPECT_EQ(box.Outcome("with (global) w = 1 return global.w"), "1");
}

TEST(ScriptScoping, PrefixesAndWith) {
    Sandbox box;
    const InstanceId first = box.world.Add(1), second = box.world.Add(2), third = box.world.Add(3);
    // Object 1 names its own instance and those of its child object 2.
    EXPECT_EQ(box.Outcome("with (1) v = id return 0"), "0");
    EXPECT_EQ(Text(box, first, "v"), std::to_string(first));
    EXPECT_EQ(Text(box, second, "v"), std::to_string(second));
    EXPECT_EQ(Text(box, third, "v"), "unset");
    // A prefix assignment sets every instance; a read takes the first.
    EXPECT_EQ(box.Outcome("(1).hp = 3 (2).hp += 1 return (1).hp"), "3");
    EXPECT_EQ(Text(box, second, "hp"), "4");
    // An instance id as prefix, and self.
    const std::string id = std::to_string(third);
    EXPECT_EQ(box.Outcome(("(" + id + ").n = 8 self.n = 1 return (" + id + ").n + n").c_str()), "9");
    // Inside with, self is each instance in turn and other the one running the with.
    EXPECT_EQ(box.Outcome("mark = 'outer' with (3) { seen = other.mark other.back = id } return back"), id);
    EXPECT_EQ(Text(box, third, "seen"), "'outer'");
    // Locals stay visible inside with; break and continue leave or skip instances.
    EXPECT_EQ(box.Outcome("var count; count = 0 with (all) count += 1 return count"), "4");
    EXPECT_EQ(box.Outcome("var count; count = 0 with (all) { count += 1 break } return count"), "1");
    EXPECT_EQ(box.Outcome("with (noone) return 1 return 2"), "2");
    EXPECT_EQ(box.Outcome("return noone.x"), "line 1: No instance to take variable x from");
    EXPECT_EQ(box.Outcome("with ('a') {}"), "line 1: Wrong type of arguments to with");
    // other outside a collision or with is nobody.
    EXPECT_EQ(box.Outcome("return other.x"), "line 1: No instance to take variable x from");
    EXPECT_EQ(box.Outcome("other.x = 2 return other.x", first), "2");
    // The host refuses read-only variables.
    EXPECT_EQ(box.Outcome("id = 3"), "line 1: Cannot assign to id");
}

TEST(ScriptScoping, ExitInsideWithRestoresSelf) {
    Sandbox box;
    box.world.Add(1);
    box.interpreter.DefineScript("mark_first", "with (1) exit", 0);
    EXPECT_EQ(box.Outcome("mark_first() z = 1 return self.z + (id == " + std::to_string(box.self) + ")"), "2");
}

TEST(ScriptScoping, Arrays) {
    ExpectOutcomes({
        {"a[3] = 7 return a[3]", "7"},
        {"a[3] = 7 return a[1]", "0"},  // elements below the highest written read as 0
        {"a[3] = 7 return a[4]", "line 1: Unknown variable a[4]"},
        {"a = 5 a[1] = 6 return a[0] + a", "10"},  // a plain name is element 0
        {"a = 5 return a[1]", "line 1: Unknown variable a[1]"},
        {"a = 'x' a[2] = 1 a = 3 return a + a[1]", "3"},  // element 0 written again after the array grew
        {"b[2, 3] = 1 b[0, 1] = 2 return b[2, 3] + b[1]", "3"},  // b[1] is b[0, 1]
        {"b[1, 1] = 1 return b[1, 0]", "0"},
        {"a[1.6] = 'two' return a[2]", "'two'"},
        {"a[-1] = 1", "line 1: Negative array index"},
        {"a[32000] = 1", "line 1: Array index larger than 31999"},
        {"a['x'] = 1", "line 1: Array index must be a number"},
        {"a[1, 2, 3] = 1", "line 1: An array has at most two indexes"},
        {"a[] = 4 return a", "4"},
        {"var t; t[2] = 'x' t[0, 5] = 'y' return t[2] + t[5]", "'xy'"},
        {"var t; t = 1 t[3] = 2 return t + t[3]", "3"},
        {"var t; t[1] = 1 return t[7]", "line 1: Unknown variable t[7]"},
        {"global.list[4] = 2 return global.list[4]", "2"},
        {"i = 2 a[i * 2] = i return a[4]", "2"},
    });
}

// Plain variables are reached in the store in place, guided by where the
// name was found last time: the guess must never give another instance's
// value, another name's value, or a store that is gone.
TEST(ScriptScoping, PlainVariablesReachedInPlace) {
    Sandbox box;
    const InstanceId first = box.world.Add(1), third = box.world.Add(3);
    EXPECT_EQ(box.Outcome("with (1) { a = 1 b = 2 } with (3) { b = 3 a = 4 c = 5 } return 0"), "0");
    // One compiled piece run for instances that wrote their names in another order.
    const CompileResult read = box.interpreter.Compile("b += 10 return a * 100 + b");
    ASSERT_TRUE(read.code);
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Run(*read.code, first, kNoone)), "112");
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Run(*read.code, third, kNoone)), "413");
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Run(*read.code, first, kNoone)), "122");
    EXPECT_EQ(Sandbox::Describe(box.interpreter.Run(*read.code, box.self, kNoone)), "line 1: Unknown variable b");
    ExpectOutcomes({
        {"s = 'a' s += 'b' t = s s += 'c' return t + s", "'ababc'"},
        {"n = 1 n[2] = 5 n += 1 return n + n[2]", "7"},  // plain, then an array
        {"n = 4 n /= 0", "line 1: Division by zero"},
        // globalvar made while the code runs turns the same name global.
        {"level = 1 globalvar level; level += 2", "line 1: Unknown variable level"},
        {"level = 1 globalvar level; level = 2 return self.level * 10 + global.level", "12"},
        // A function that removes self leaves nothing to write to.
        {"a = 1 instance_destroy() a = 2", "line 1: No such instance"},
        {"a = 1 instance_destroy() return a", "line 1: No such instance"},
    });
}

TEST(ScriptScoping, UnsetVariablesReadAsZeroWhenTheGameSaysSo) {
    Sandbox box;
    box.interpreter.SetUnsetVariablesAreZero(true);
    EXPECT_EQ(box.Outcome("var l; return never + global.nothing + l + l[3] + (1).nope"), "line 1: No instance to take variable nope from");
    EXPECT_EQ(box.Outcome("var l; n += 2 l += 1 return never + global.nothing + l + n + a[5]"), "3");
}

}  // namespace
}  // namespace kestrin::engine::script_test
