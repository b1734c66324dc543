// The tokenizer: comments are skipped, names, numbers and strings are taken
// whole, and operators are matched two characters before one.

#include "language/tokenizer.h"

#include <cstring>

#include "language/token_scanner.h"

namespace kestrin {

TokenKind KeywordKind(std::string_view word) {
    struct Keyword {
        const char* text;
        TokenKind kind;
    };
    // Grouped by length so a name is compared with few candidates.
    static const Keyword two[] = {{"if", tkIf}, {"do", tkDo}, {"or", tkOr}};
    static const Keyword three[] = {{"end", tkEnd}, {"for", tkFor}, {"and", tkAnd}, {"not", tkNot},
                                    {"div", tkDiv}, {"mod", tkMod}, {"xor", tkXor}, {"var", tkVar}};
    static const Keyword four[] = {{"then", tkThen}, {"else", tkElse}, {"with", tkWith},
                                   {"exit", tkExit}, {"case", tkCase}};
    static const Keyword five[] = {{"begin", tkBegin}, {"while", tkWhile}, {"until", tkUntil}, {"break", tkBreak}};
    static const Keyword six[] = {{"repeat", tkRepeat}, {"return", tkReturn}, {"switch", tkSwitch}};
    static const Keyword seven[] = {{"default", tkDefault}};
    static const Keyword eight[] = {{"continue", tkContinue}};
    auto match = [&](const auto& table) {
        for (const Keyword& keyword : table)
            if (keyword.text[0] == word[0] && std::memcmp(keyword.text, word.data(), word.size()) == 0)
                return keyword.kind;
        return tkName;
    };
    switch (word.size()) {
    case 2: return match(two);
    case 3: return match(three);
    case 4: return match(four);
    case 5: return match(five);
    case 6: return match(six);
    case 7: return match(seven);
    case 8: return match(eight);
    default: return tkName;
    }
}

bool Tokenize(std::string_view code, RTokenList1& list) {
    return ScanTokens(code, list, [](RTokenList1&) {});
}

}  // namespace kestrin
