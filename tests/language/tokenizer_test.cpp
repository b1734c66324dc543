// The tokenizer: token kinds, texts and positions, comments and strings,
// the one error it reports, and the line and column rule of ReportError.

#include <gtest/gtest.h>

#include "language/check_error.h"
#include "language/tokenizer.h"

namespace kestrin {
namespace {

struct TokenCase {
    const char* code;
    std::vector<std::int32_t> kinds;  // tkEndOfText or tkBadSymbol last
    std::vector<std::string> texts;   // texts of the tokens before the last; empty: not checked
};

class TokenizerCases : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerCases, KindsAndTexts) {
    const TokenCase& c = GetParam();
    RTokenList1 list;
    bool ok = Tokenize(c.code, list);
    EXPECT_EQ(ok, c.kinds.back() == tkEndOfText);
    std::vector<std::int32_t> kinds;
    for (const auto& token : list.tokens) kinds.push_back(token.kind);
    EXPECT_EQ(kinds, c.kinds);
    if (!c.texts.empty()) {
        std::vector<std::string> texts;
        for (int i = 0; i + 1 < list.Count(); ++i) texts.emplace_back(list.Text(i));
        EXPECT_EQ(texts, c.texts);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tokenizer, TokenizerCases,
    testing::Values(
        TokenCase{"", {tkEndOfText}, {}},
        TokenCase{"  \t\r\n // only a comment", {tkEndOfText}, {}},
        TokenCase{"a:=b", {tkName, tkAssign, tkName, tkEndOfText}, {"a", ":=", "b"}},
        TokenCase{"a=b", {tkName, tkAssign, tkName, tkEndOfText}, {"a", "=", "b"}},
        TokenCase{"x<>y", {tkName, tkNotEqual, tkName, tkEndOfText}, {}},
        TokenCase{"x!=y", {tkName, tkNotEqual, tkName, tkEndOfText}, {}},
        TokenCase{"a^^b", {tkName, tkXor, tkName, tkEndOfText}, {}},
        TokenCase{"a^b", {tkName, tkBitXor, tkName, tkEndOfText}, {}},
        TokenCase{"i+=1", {tkName, tkAddAssign, tkNumber, tkEndOfText}, {}},
        TokenCase{"i|=1", {tkName, tkOrAssign, tkNumber, tkEndOfText}, {}},
        TokenCase{"x = $10", {tkName, tkAssign, tkBadSymbol}, {}},
        TokenCase{"/*/ x", {tkName, tkEndOfText}, {"x"}},
        TokenCase{"/**/x", {tkName, tkEndOfText}, {"x"}},
        TokenCase{"/* never closed x = 1", {tkEndOfText}, {}},
        TokenCase{"a // rest\nb", {tkName, tkName, tkEndOfText}, {"a", "b"}},
        TokenCase{"'it''s'", {tkString, tkString, tkEndOfText}, {"it", "s"}},
        TokenCase{"\"don't\" 'say \"hi\"'", {tkString, tkString, tkEndOfText}, {"don't", "say \"hi\""}},
        TokenCase{"\"a\\\" + b", {tkString, tkPlus, tkName, tkEndOfText}, {"a\\", "+", "b"}},
        TokenCase{"Begin begin { end } IF", {tkName, tkBegin, tkBegin, tkEnd, tkEnd, tkName, tkEndOfText}, {}},
        TokenCase{"5abc", {tkNumber, tkName, tkEndOfText}, {"5", "abc"}},
        TokenCase{"1. 12.5 .5 1.2.3", {tkNumber, tkNumber, tkNumber, tkNumber, tkNumber, tkEndOfText},
                  {"1.", "12.5", ".5", "1.2", ".3"}},
        TokenCase{"a.b", {tkName, tkDot, tkName, tkEndOfText}, {}},
        TokenCase{"and or not div mod xor var && || ! ~",
                  {tkAnd, tkOr, tkNot, tkDiv, tkMod, tkXor, tkVar, tkAnd, tkOr, tkNot, tkBitNot, tkEndOfText},
                  {}},
        TokenCase{"if then else while do for until repeat exit break continue with return switch case default",
                  {tkIf, tkThen, tkElse, tkWhile, tkDo, tkFor, tkUntil, tkRepeat, tkExit, tkBreak, tkContinue,
                   tkWith, tkReturn, tkSwitch, tkCase, tkDefault, tkEndOfText},
                  {}},
        TokenCase{"<<>><=>=<>==-=*=/=&=^=", {tkShiftLeft, tkShiftRight, tkLessEqual, tkGreaterEqual, tkNotEqual,
                                             tkEqual, tkSubAssign, tkMulAssign, tkDivAssign, tkAndAssign,
                                             tkXorAssign, tkEndOfText},
                  {}},
        TokenCase{"()[];:,<+>-*/|&", {tkOpenParen, tkCloseParen, tkOpenBracket, tkCloseBracket, tkSemicolon,
                                      tkColon, tkComma, tkLess, tkPlus, tkGreater, tkMinus, tkTimes, tkDivide,
                                      tkBitOr, tkBitAnd, tkEndOfText},
                  {}},
        TokenCase{"x = 'caf\xe9'", {tkName, tkAssign, tkString, tkEndOfText}, {}},
        TokenCase{"caf\xe9", {tkName, tkBadSymbol}, {}},
        TokenCase{"a # b", {tkName, tkBadSymbol}, {}},
        TokenCase{"a ? b", {tkName, tkBadSymbol}, {}},
        TokenCase{"a @ b", {tkName, tkBadSymbol}, {}},
        TokenCase{"a ` b", {tkName, tkBadSymbol}, {}},
        TokenCase{"x = \"unclosed", {tkName, tkAssign, tkString, tkEndOfText}, {"x", "=", "unclosed"}},
        // Long runs of blanks and name characters, ending inside and beyond sixteen-character blocks.
        TokenCase{"                    abcdefghijklmnopqrstuvwxyz_0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\t\t\t\t\t\t"
                  "\t\t\t\t\t\t\t\t\t\t\t\tb[1]",
                  {tkName, tkName, tkOpenBracket, tkNumber, tkCloseBracket, tkEndOfText},
                  {"abcdefghijklmnopqrstuvwxyz_0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "b", "[", "1", "]"}},
        TokenCase{"a_name_of_exactly_32_characters_ sixteen_chars_ab", {tkName, tkName, tkEndOfText},
                  {"a_name_of_exactly_32_characters_", "sixteen_chars_ab"}},
        TokenCase{"name_with_`_inside_a_block_of_16", {tkName, tkBadSymbol}, {}},
        TokenCase{"name_followed_by_high_byte\xe9" "abcdefghijklmnop", {tkName, tkBadSymbol}, {}},
        TokenCase{"abc@[{`\x7f\xc1\xda", {tkName, tkBadSymbol}, {}}));

TEST(Tokenizer, PositionsAreOneBasedAndStringsStartAtTheQuote) {
    RTokenList1 list;
    ASSERT_TRUE(Tokenize("ab  'cd' 12", list));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.tokens[0].position, 1);
    EXPECT_EQ(list.tokens[1].position, 5);
    EXPECT_EQ(list.tokens[2].position, 10);
    EXPECT_GT(list.tokens[3].position, 11);  // beyond the text
}

TEST(Tokenizer, BadSymbolIsReportedWhereItStands) {
    struct Case {
        const char* code;
        int line, column;
    } cases[] = {
        {"x = $10", 1, 5},
        {"x = 1\r\n$", 2, 2},  // after CR LF the first column counts 2
        {"x = 1\r\ny = 2\r\n  #", 3, 4},
        {"x = 1\n$", 1, 7},  // a line feed alone does not start a line
        {"x = 1\r$", 2, 1},
    };
    for (const auto& c : cases) {
        RTokenList1 list;
        EXPECT_FALSE(Tokenize(c.code, list)) << c.code;
        const CheckErrorRecord& error = CheckError();
        EXPECT_TRUE(error.ErrorFound);
        EXPECT_EQ(error.ErrorMessage, "Unexpected symbol.");
        EXPECT_EQ(error.ErrorLine, c.line) << c.code;
        EXPECT_EQ(error.ErrorPos, c.column) << c.code;
        EXPECT_EQ(list.tokens.back().kind, tkBadSymbol);
    }
    RTokenList1 list;
    EXPECT_TRUE(Tokenize("x = 1", list));
    EXPECT_FALSE(CheckError().ErrorFound);  // a new run resets the record
}

TEST(ReportError, KeepsTheFirstErrorAndClampsThePosition) {
    CheckError() = CheckErrorRecord{};
    ReportError("abc\r\ndef", 100, "first");
    ReportError("abc", 1, "second");
    EXPECT_EQ(CheckError().ErrorMessage, "first");
    EXPECT_EQ(CheckError().ErrorLine, 2);
    EXPECT_EQ(CheckError().ErrorPos, 4);  // the last character, "f", counted after LF

    CheckError() = CheckErrorRecord{};
    ReportError("abc", -3, "low");
    EXPECT_EQ(CheckError().ErrorLine, 1);
    EXPECT_EQ(CheckError().ErrorPos, 1);
}

}  // namespace
}  // namespace kestrin
