#pragma once
// The tokenizer's scanning loop, shared by Tokenize and by the checker, which
// resolves names while the tokens are made.

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "language/check_error.h"
#include "language/tokenizer.h"

namespace kestrin {

namespace scan {

enum CharFlags : std::uint8_t { kLetter = 1, kDigit = 2 };

constexpr std::array<std::uint8_t, 256> MakeCharFlags() {
    std::array<std::uint8_t, 256> flags{};
    for (int c = 'a'; c <= 'z'; ++c) flags[c] = kLetter;
    for (int c = 'A'; c <= 'Z'; ++c) flags[c] = kLetter;
    flags['_'] = kLetter;
    for (int c = '0'; c <= '9'; ++c) flags[c] = kDigit;
    return flags;
}
inline constexpr std::array<std::uint8_t, 256> kCharFlags = MakeCharFlags();

inline bool IsNameStart(unsigned char c) { return kCharFlags[c] & kLetter; }
inline bool IsNameChar(unsigned char c) { return kCharFlags[c] != 0; }
inline bool IsDigit(unsigned char c) { return kCharFlags[c] & kDigit; }

// The end of a run of blanks (codes up to 32) or of name characters starting
// at i. Sixteen characters are classified at once where the text has them,
// which spares a hard-to-predict branch per character.
#if defined(__SSE2__)
inline unsigned BlankRun16(const char* at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i blank = _mm_cmpeq_epi8(_mm_subs_epu8(bytes, _mm_set1_epi8(32)), _mm_setzero_si128());
    return static_cast<unsigned>(__builtin_ctz(~static_cast<unsigned>(_mm_movemask_epi8(blank))));
}

inline unsigned NameRun16(const char* at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    // Setting bit 5 folds capitals onto small letters and nothing else onto them.
    const __m128i folded = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(folded, _mm_set1_epi8('a' - 1)),
                                         _mm_cmplt_epi8(folded, _mm_set1_epi8('z' + 1)));
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('0' - 1)),
                                        _mm_cmplt_epi8(bytes, _mm_set1_epi8('9' + 1)));
    const __m128i underscore = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_'));
    const __m128i name = _mm_or_si128(_mm_or_si128(letter, digit), underscore);
    return static_cast<unsigned>(__builtin_ctz(~static_cast<unsigned>(_mm_movemask_epi8(name))));
}
#endif

inline std::size_t SkipBlanks(const char* text, std::size_t i, std::size_t length) {
#if defined(__SSE2__)
    for (; i + 16 <= length;) {
        unsigned run = BlankRun16(text + i);
        i += run;
        if (run < 16) return i;
    }
#endif
    while (i < length && static_cast<unsigned char>(text[i]) <= 32) ++i;
    return i;
}

inline std::size_t SkipNameChars(const char* text, std::size_t i, std::size_t length) {
#if defined(__SSE2__)
    for (; i + 16 <= length;) {
        unsigned run = NameRun16(text + i);
        i += run;
        if (run < 16) return i;
    }
#endif
    while (i < length && IsNameChar(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

inline TokenKind TwoCharKind(char a, char b) {
    switch (a) {
    case ':': return b == '=' ? tkAssign : tkBadSymbol;
    case '+': return b == '=' ? tkAddAssign : tkBadSymbol;
    case '-': return b == '=' ? tkSubAssign : tkBadSymbol;
    case '*': return b == '=' ? tkMulAssign : tkBadSymbol;
    case '/': return b == '=' ? tkDivAssign : tkBadSymbol;
    case '&': return b == '&' ? tkAnd : b == '=' ? tkAndAssign : tkBadSymbol;
    case '|': return b == '|' ? tkOr : b == '=' ? tkOrAssign : tkBadSymbol;
    case '<': return b == '=' ? tkLessEqual : b == '>' ? tkNotEqual : b == '<' ? tkShiftLeft : tkBadSymbol;
    case '>': return b == '=' ? tkGreaterEqual : b == '>' ? tkShiftRight : tkBadSymbol;
    case '=': return b == '=' ? tkEqual : tkBadSymbol;
    case '!': return b == '=' ? tkNotEqual : tkBadSymbol;
    case '^': return b == '=' ? tkXorAssign : b == '^' ? tkXor : tkBadSymbol;
    default: return tkBadSymbol;
    }
}

inline TokenKind OneCharKind(char c) {
    switch (c) {
    case '{': return tkBegin;
    case '}': return tkEnd;
    case '=': return tkAssign;
    case '(': return tkOpenParen;
    case ')': return tkCloseParen;
    case '[': return tkOpenBracket;
    case ']': return tkCloseBracket;
    case ';': return tkSemicolon;
    case ':': return tkColon;
    case ',': return tkComma;
    case '<': return tkLess;
    case '>': return tkGreater;
    case '+': return tkPlus;
    case '-': return tkMinus;
    case '*': return tkTimes;
    case '/': return tkDivide;
    case '!': return tkNot;
    case '.': return tkDot;
    case '|': return tkBitOr;
    case '&': return tkBitAnd;
    case '^': return tkBitXor;
    case '~': return tkBitNot;
    default: return tkBadSymbol;
    }
}

}  // namespace scan

// Tokenizes as Tokenize does, calling added(list) after every token is
// appended, so a caller can work on the tokens while they are made.
template <typename Added>
bool ScanTokens(std::string_view code, RTokenList1& list, Added added) {
    using namespace scan;
    CheckErrorRecord& error = CheckError();
    error.ErrorFound = false;
    list.tokens.clear();
    list.code = code;
    if (code.size() > kMaxCodeLength) {
        list.tokens.push_back(RToken1{tkBadSymbol, 1, 0});
        ReportError(code, 1, "Code is too long.");
        return false;
    }
    // Untouched capacity costs nothing, reallocating a large list does.
    list.tokens.reserve(code.size() / 3 + 16);

    const char* text = code.data();
    const std::size_t length = code.size();
    std::size_t i = 0;  // 0-based; positions are i + 1
    auto add = [&](TokenKind kind, std::size_t start, std::size_t textLength) {
        list.tokens.push_back(
            RToken1{kind, static_cast<std::int32_t>(start + 1), static_cast<std::int32_t>(textLength)});
        added(list);
    };
    for (;;) {
        i = SkipBlanks(text, i, length);
        if (i >= length) {
            // Beyond the text, as if it carried three trailing blanks.
            add(tkEndOfText, length + 3, 0);
            return true;
        }
        const char c = text[i];
        const std::size_t start = i;
        // Names first: they are most of the tokens and start with no other rule's character.
        if (IsNameStart(static_cast<unsigned char>(c))) {
            i = SkipNameChars(text, i + 1, length);
            const std::size_t size = i - start;
            TokenKind kind = size >= 2 && size <= 8 && c >= 'a' && c <= 'x'
                                 ? KeywordKind(std::string_view(text + start, size))
                                 : tkName;
            add(kind, start, size);
            continue;
        }
        const char next = i + 1 < length ? text[i + 1] : ' ';
        if (c == '/' && next == '/') {
            while (i < length && text[i] != '\r' && text[i] != '\n') ++i;
            ++i;
            continue;
        }
        if (c == '/' && next == '*') {
            // The search for "*/" starts at the opener's "*", so "/*/" is closed.
            ++i;
            while (i + 1 < length && !(text[i] == '*' && text[i + 1] == '/')) ++i;
            i += 2;
            continue;
        }
        if (IsDigit(static_cast<unsigned char>(c)) || (c == '.' && IsDigit(static_cast<unsigned char>(next)))) {
            bool seenDot = false;
            while (i < length && (IsDigit(static_cast<unsigned char>(text[i])) || (text[i] == '.' && !seenDot))) {
                if (text[i] == '.') seenDot = true;
                ++i;
            }
            add(tkNumber, start, i - start);
            continue;
        }
        if (c == '"' || c == '\'') {
            const void* close = std::memchr(text + i + 1, c, length - i - 1);
            std::size_t end = close ? static_cast<const char*>(close) - text : length;
            add(tkString, start, end - start - 1);
            i = close ? end + 1 : length;
            continue;
        }
        if (i + 1 < length) {
            TokenKind kind = TwoCharKind(c, next);
            if (kind != tkBadSymbol) {
                add(kind, start, 2);
                i += 2;
                continue;
            }
        }
        TokenKind kind = OneCharKind(c);
        if (kind != tkBadSymbol) {
            add(kind, start, 1);
            ++i;
            continue;
        }
        add(tkBadSymbol, start, 0);
        ReportError(code, static_cast<int>(start + 1), "Unexpected symbol.");
        return false;
    }
}

}  // namespace kestrin
