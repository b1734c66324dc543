// Indentation rules of the code edit control. Texts are written with the
// selection in them: "|" is the caret, "[...]" a selection.

#include <gtest/gtest.h>

#include "language/code_indent.h"

namespace kestrin {
namespace {

struct Marked {
    std::string text;
    int selStart = 0;
    int selLength = 0;
};

Marked Parse(const std::string& marked) {
    Marked result;
    for (char c : marked) {
        if (c == '|' || c == '[') {
            result.selStart = static_cast<int>(result.text.size());
        } else if (c == ']') {
            result.selLength = static_cast<int>(result.text.size()) - result.selStart;
        } else {
            result.text += c;
        }
    }
    return result;
}

std::string Show(const std::string& text, int selStart, int selLength) {
    if (selLength == 0) return text.substr(0, selStart) + "|" + text.substr(selStart);
    return text.substr(0, selStart) + "[" + text.substr(selStart, selLength) + "]" +
           text.substr(selStart + selLength);
}

std::string Apply(const Marked& before, const CodeEdit& edit) {
    std::string text = before.text.substr(0, edit.from) + edit.insert + before.text.substr(edit.to);
    EXPECT_GE(edit.selStart, 0);
    EXPECT_LE(edit.selStart + edit.selLength, static_cast<int>(text.size()));
    return Show(text, edit.selStart, edit.selLength);
}

TEST(CodeIndent, TabKey) {
    struct Case {
        const char* before;
        int tabSize;
        bool smartTabs;
        const char* after;
    } cases[] = {
        {"abcde|", 4, false, "abcde   |"},
        {"abcdefgh|", 4, false, "abcdefgh    |"},
        {"|x", 4, false, "    |x"},
        // Under the parenthesis of the line above.
        {"if (a)\n|", 4, true, "if (a)\n   |"},
        {"if (a)\n   |", 4, true, "if (a)\n      |"},
        // The line above is too short: the plain rule.
        {"if\n    |", 4, true, "if\n        |"},
        {"|", 4, true, "    |"},
        // With a selection the blanks go after it.
        {"[ab]c", 4, false, "ab  |c"},
        // Tab size 0 would divide by zero; it counts as 1.
        {"abc|", 0, false, "abc |"},
        {"abc|", -3, false, "abc |"},
    };
    for (const Case& c : cases) {
        Marked m = Parse(c.before);
        EXPECT_EQ(Apply(m, TabEdit(m.text, m.selStart, m.selLength, c.tabSize, c.smartTabs)), c.after)
            << c.before;
    }
}

TEST(CodeIndent, BlockIndentAndUnindent) {
    struct Case {
        const char* before;
        int n;
        const char* after;
    } cases[] = {
        {"a[b\nc]d\ne", 4, "    a[b\n    c]d\ne"},
        {"|ab", 4, "    |ab"},
        // A selection that ends with a line break leaves the next line alone.
        {"[a\n]b", 2, "  [a\n]b"},
        {"    [a\n  b\n]c", -4, "  [a\nb\n]c"},
        // Indented 4, 2 and 0: only leading tabs change, into blanks.
        {"[\tx\n  y\nz]", -4, "[ x\n  y\nz]"},
        {"[    a\n  b\nc]", -4, "[    a\n  b\nc]"},
        // A selection starting inside removed blanks stays on its line.
        {"x\n [   a\n    b]", -4, "x\n[a\nb]"},
        {" |  a", -4, "|a"},
        {"[  a]", -4, "[a]"},
    };
    for (const Case& c : cases) {
        Marked m = Parse(c.before);
        EXPECT_EQ(Apply(m, BlockIndentEdit(m.text, m.selStart, m.selLength, c.n)), c.after) << c.before;
    }
}

TEST(CodeIndent, AutoIndentAfterLineBreak) {
    struct Case {
        const char* before;
        const char* after;  // nullptr: nothing is inserted
    } cases[] = {
        {"      x\n|", "      x\n      |"},
        {"  a\n    \n\n|b", "  a\n    \n\n  |b"},
        {"\n   \n|", nullptr},
        {"x\n|", nullptr},
        {"|", nullptr},
    };
    for (const Case& c : cases) {
        Marked m = Parse(c.before);
        auto edit = AutoIndentEdit(m.text, m.selStart);
        if (!c.after) {
            EXPECT_FALSE(edit) << c.before;
        } else {
            ASSERT_TRUE(edit) << c.before;
            EXPECT_EQ(Apply(m, *edit), c.after);
        }
    }
}

TEST(CodeIndent, SmartBackspace) {
    struct Case {
        const char* before;
        const char* after;  // nullptr: the rule does not apply
    } cases[] = {
        {"    a\n        b\n        |c", "    a\n        b\n    |c"},
        {"  a\n      |b", "  a\n  |b"},
        {"    |b", "|b"},
        {"\n    |b", "\n|b"},
        {"    |", "|"},
        {"  a\n      |  b", nullptr},  // a blank right after the caret
        {"    b|", nullptr},           // beyond the leading blanks
        {"|b", nullptr},
        {"  [ ]b", nullptr},
    };
    for (const Case& c : cases) {
        Marked m = Parse(c.before);
        auto edit = SmartBackspaceEdit(m.text, m.selStart, m.selLength);
        if (!c.after) {
            EXPECT_FALSE(edit) << c.before;
        } else {
            ASSERT_TRUE(edit) << c.before;
            EXPECT_EQ(Apply(m, *edit), c.after);
        }
    }
}

}  // namespace
}  // namespace kestrin
