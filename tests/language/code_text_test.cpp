// Stored and edited code: line breaks, bytes, brackets.

#include <gtest/gtest.h>

#include "language/code_brackets.h"
#include "language/code_text.h"

namespace kestrin {
namespace {

TEST(CodeText, LineBreaksBetweenStoredAndEdited) {
    struct Case {
        std::string stored;
        std::string edited;
        std::string storedAgain;
    } cases[] = {
        {"a\r\nb\r\n", "a\nb\n", "a\r\nb\r\n"},
        {"a\nb", "a\nb", "a\r\nb"},
        {"a\rb\r", "a\nb\n", "a\r\nb\r\n"},
        {"\r\n\r\n", "\n\n", "\r\n\r\n"},
        {std::string("x\xA0y\xFF\x01\t", 6), std::string("x\xA0y\xFF\x01\t", 6), std::string("x\xA0y\xFF\x01\t", 6)},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodeToEditText(c.stored), c.edited);
        EXPECT_EQ(EditTextToCode(c.edited), c.storedAgain);
    }
}

TEST(CodeText, BracketsOfCodeOnly) {
    struct Case {
        const char* text;
        int position;
        int match;
    } cases[] = {
        {"f(a[1])", 1, 6},
        {"f(a[1])", 6, 1},
        {"f(a[1])", 3, 5},
        {"f(\")\")", 1, 5},     // the bracket in the string is skipped
        {"f(\")\")", 3, -1},    // and has no partner
        {"{ // }\n}", 0, 7},
        {"{ /* } */ }", 0, 10},
        {"( ]", 0, -1},
        {"(]", 1, -1},
        {"x", 0, -1},
        {"(", 5, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchingBracket(c.text, c.position), c.match) << c.text << " @" << c.position;
}

}  // namespace
}  // namespace kestrin
