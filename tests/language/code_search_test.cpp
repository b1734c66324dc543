// Find, replace and the words the code editors take from the text.

#include <gtest/gtest.h>

#include "language/code_search.h"
#include "language/code_words.h"

namespace kestrin {
namespace {

TEST(CodeSearch, FindWithOptions) {
    struct Case {
        const char* text;
        const char* what;
        int from;
        SearchOptions options;
        int found;
    } cases[] = {
        {"abc ABC", "ABC", 0, {false, false}, 0},
        {"abc ABC", "ABC", 0, {true, false}, 4},
        {"abc ABC", "ABC", 1, {false, false}, 4},
        {"xa a a_a", "a", 0, {true, true}, 3},
        {"xa a a_a", "a", 4, {true, true}, -1},
        {"\xC4pfel", "\xE4PFEL", 0, {false, false}, 0},
        {"abc", "", 0, {false, false}, -1},
        {"abc", "abcd", 0, {false, false}, -1},
        {"ab", "b", 5, {false, false}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindInText(c.text, c.what, c.from, 1000, c.options), c.found) << c.text << " / " << c.what;
    }
}

TEST(CodeSearch, SearchAgainWraps) {
    // From the end of the text back to the start; one match is found again.
    EXPECT_EQ(FindWrapping("x = 1; y = x;", "x", 12, {}), 0);
    EXPECT_EQ(FindWrapping("only one", "one", 8, {}), 5);
    EXPECT_EQ(FindWrapping("only one", "two", 0, {}), -1);
}

TEST(CodeSearch, ReplaceAll) {
    struct Case {
        const char* text;
        const char* what;
        const char* with;
        SearchOptions options;
        const char* result;
        int count;
    } cases[] = {
        {"a a a", "a", "b", {}, "b b b", 3},
        // The replacement holds the search text: one pass, no loop.
        {"x y x", "x", "xx", {}, "xx y xx", 2},
        {"aaa", "aa", "a", {}, "aa", 1},
        {"Hp hp", "hp", "HP", {true, false}, "Hp HP", 1},
        {"hp hpx", "hp", "q", {false, true}, "q hpx", 1},
        {"abc", "", "z", {}, "abc", 0},
    };
    for (const Case& c : cases) {
        ReplaceAllResult r = ReplaceAllInText(c.text, c.what, c.with, c.options);
        EXPECT_EQ(r.text, c.result) << c.text;
        EXPECT_EQ(r.count, c.count) << c.text;
    }
}

TEST(CodeWords, WordAtCaretAndHelpLines) {
    struct Case {
        const char* line;
        int column;
        int start;
        int length;
    } cases[] = {
        {"x = draw_spr", 12, 4, 8},  // ends at the caret
        {"x = draw_spr", 6, 4, 8},   // contains it
        {"a + b", 2, 2, 0},
        {"", 0, 0, 0},
        {"abc", 99, 0, 3},
    };
    for (const Case& c : cases) {
        WordSpan w = WordAt(c.line, c.column);
        EXPECT_EQ(w.start, c.start) << c.line << " @" << c.column;
        EXPECT_EQ(w.length, c.length) << c.line << " @" << c.column;
    }
    std::vector<std::string> help = {"abs(x)", "draw_sprite(n,x,y)", "draw_sprite_ext(...)"};
    EXPECT_EQ(FirstLineStartingWith(help, "draw_spr"), 1);
    EXPECT_EQ(FirstLineStartingWith(help, ""), -1);
    EXPECT_EQ(FirstLineStartingWith(help, "zzz"), -1);
    EXPECT_EQ(LeadingName("draw_sprite(n,x,y)"), "draw_sprite");
}

}  // namespace
}  // namespace kestrin
