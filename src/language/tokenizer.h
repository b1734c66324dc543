#pragma once
// The first phase of a code check: the text of a piece of code into a list
// of tokens, each with its kind, its text and its 1-based position.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum TokenKind : std::int32_t {
    tkEndOfText = -2,
    tkBadSymbol = -1,
    tkName = 0,
    tkNumber = 1,
    tkString = 2,
    // Given to names, numbers and strings by the name resolution.
    tkValue = 5,
    tkCall = 6,
    tkVariable = 7,
    tkBegin = 11,
    tkEnd = 12,
    tkIf = 13,
    tkThen = 14,
    tkElse = 15,
    tkWhile = 16,
    tkDo = 17,
    tkFor = 18,
    tkUntil = 19,
    tkRepeat = 20,
    tkExit = 21,
    tkBreak = 22,
    tkContinue = 23,
    tkWith = 24,
    tkReturn = 25,
    tkSwitch = 26,
    tkCase = 27,
    tkDefault = 28,
    tkVar = 29,
    tkAssign = 101,
    tkAddAssign = 102,
    tkSubAssign = 103,
    tkMulAssign = 104,
    tkDivAssign = 105,
    tkOpenParen = 106,
    tkCloseParen = 107,
    tkSemicolon = 108,
    tkComma = 109,
    tkOpenBracket = 110,
    tkCloseBracket = 111,
    tkDot = 112,
    tkColon = 113,
    tkOrAssign = 114,
    tkAndAssign = 115,
    tkXorAssign = 116,
    tkAnd = 201,
    tkOr = 202,
    tkNot = 203,
    tkLess = 204,
    tkLessEqual = 205,
    tkEqual = 206,
    tkNotEqual = 207,
    tkGreaterEqual = 208,
    tkGreater = 209,
    tkPlus = 210,
    tkMinus = 211,
    tkTimes = 212,
    tkDivide = 213,
    tkDiv = 214,
    tkMod = 215,
    tkXor = 216,
    tkBitOr = 217,
    tkBitAnd = 218,
    tkBitXor = 219,
    tkBitNot = 220,
    tkShiftLeft = 221,
    tkShiftRight = 222,
};

// A token; its text is a slice of the code the list was made from, starting
// at the token's first character (for a string, after the opening quote).
struct RToken1 {
    std::int32_t kind;
    std::int32_t position;  // 1-based; for a string, the opening quote
    std::int32_t textLength;
};

// The list refers to the code it was made from, which must outlive it.
struct RTokenList1 {
    std::string_view code;
    std::vector<RToken1> tokens;

    int Count() const { return static_cast<int>(tokens.size()); }
    std::string_view Text(int index) const {
        const RToken1& token = tokens[index];
        if (token.textLength == 0) return {};
        return std::string_view(code.data() + token.position - (token.kind == tkString ? 0 : 1), token.textLength);
    }
};

// The longest code the positions can address.
inline constexpr std::size_t kMaxCodeLength = 0x3FFFFFF0;

// Resets the check error record and fills the list; false (with "Unexpected
// symbol." reported) when a character starts no token. The list then ends
// with that bad token, otherwise with tkEndOfText.
bool Tokenize(std::string_view code, RTokenList1& list);

// The kind of a keyword, or tkName for any other word.
TokenKind KeywordKind(std::string_view word);

}  // namespace kestrin
