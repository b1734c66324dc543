// The one reader of integers typed as text.

#include <gtest/gtest.h>

#include "platform/integer_text.h"

namespace kestrin {
namespace {

TEST(IntegerText, WholeDecimalIntegersOnly) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"12", 12},        {"-7", -7},           {"0", 0},       {"", -1},         {"abc", -1},
        {"12abc", -1},     {" 12", -1},          {"1.5", -1},    {"+3", -1},       {"2147483647", 2147483647},
        {"2147483648", -1}, {"-2147483649", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(IntegerOr(c.text, -1), c.expected) << c.text;
    EXPECT_EQ(IntegerOr("x", 0), 0);
}

}  // namespace
}  // namespace kestrin
